// The conversion run of "Start Converting" against the recording publishing
// application: order of calls, progress, refusals, failures at each step,
// re-entrant events during the run and the decided fixes.
#include "tests/conversion/ConversionFixture.h"

#include <QDir>
#include <QPushButton>

#include <vector>

namespace fq::test {
namespace {

using ConversionRun = ConversionFixture;

TEST_F(ConversionRun, ConvertsEveryItemInOrderIntoTheChosenFolder)
{
    const QString a = file(u"Report.docx"_qs);
    const QString b = file(u"my.notes.doc"_qs);
    QDir(temp.path()).mkdir(u"out"_qs);
    const QString out = temp.filePath(u"out"_qs);
    useOutputFolder(out);
    form->ListView1->Add(a);
    form->ListView1->Add(b);

    form->PushButton2->click();

    const QStringList expected{u"create"_qs,
                               u"open "_qs + a,
                               u"saveas "_qs + out + u"/Report.pub"_qs,
                               u"close "_qs + a,
                               u"open "_qs + b,
                               u"saveas "_qs + out + u"/my.notes.pub"_qs,
                               u"close "_qs + b,
                               u"quit"_qs};
    EXPECT_EQ(recording.log, expected);
    EXPECT_TRUE(tp.windows.errorTexts().isEmpty());
    ASSERT_EQ(tp.windows.messages.size(), 1u);
    EXPECT_EQ(tp.windows.messages[0].text, u"Done."_qs);
    EXPECT_EQ(tp.windows.messages[0].title, u"Folioquill Test"_qs);
    EXPECT_EQ(tp.windows.messages[0].buttons, platform::Buttons::Ok);
    EXPECT_EQ(tp.windows.messages[0].icon, platform::Icon::None);
    EXPECT_EQ(form->MousePointer(), app::pointer::defaultPointer);
    EXPECT_EQ(form->ProgressBar1->Value(), 0.0);
    EXPECT_EQ(form->ProgressBar1->Text(), u"Progress Bar"_qs);
    EXPECT_FALSE(form->IsConverting);
    // The list is read, never changed.
    ASSERT_EQ(form->ListView1->Count(), 2);
    EXPECT_EQ(form->ListView1->Text(1), a);
    EXPECT_EQ(form->ListView1->Text(2), b);
}

TEST_F(ConversionRun, BesideSourceWithChosenFolderMissing)
{
    const QString a = file(u"README"_qs);
    form->Text1->setText(temp.filePath(u"missing"_qs));
    form->Option2->click();
    form->ListView1->Add(a);

    form->PushButton2->click();

    EXPECT_EQ(recording.calls(u"saveas"_qs), QStringList{u"saveas "_qs + temp.path() + u"/README.pub"_qs});
    EXPECT_EQ(plainMessages(), QStringList{u"Done."_qs});
}

TEST_F(ConversionRun, ProgressIsSetBeforeEachOpen)
{
    const int n = 3;
    for (int i = 1; i <= n; ++i)
        form->ListView1->Add(file(QStringLiteral("d%1.docx").arg(i)));
    useOutputFolder(temp.path());
    std::vector<double> values;
    QStringList texts;
    std::vector<int> pointers;
    recording.onOpen = [&](const QString&) {
        values.push_back(form->ProgressBar1->Value());
        texts << form->ProgressBar1->Text();
        pointers.push_back(form->MousePointer());
    };

    form->PushButton2->click();

    ASSERT_EQ(values.size(), 3u);
    for (int p = 1; p <= n; ++p)
        EXPECT_DOUBLE_EQ(values[p - 1], static_cast<double>(p) / n * 100.0);
    EXPECT_EQ(values.back(), 100.0);
    EXPECT_EQ(texts, (QStringList{u"Processing: d1.docx"_qs, u"Processing: d2.docx"_qs, u"Processing: d3.docx"_qs}));
    EXPECT_EQ(pointers, (std::vector<int>{11, 11, 11}));
    EXPECT_EQ(form->ProgressBar1->Value(), 0.0);
}

TEST_F(ConversionRun, EmptyListIsRefused)
{
    useOutputFolder(temp.path());
    form->ProgressBar1->SetValue(37);
    form->ProgressBar1->SetText(u"unchanged"_qs);
    form->SetMousePointer(app::pointer::arrow);

    form->PushButton2->click();

    EXPECT_EQ(plainMessages(), QStringList{u"No files added."_qs});
    EXPECT_EQ(tp.windows.messages[0].title, u"Folioquill Test"_qs);
    EXPECT_EQ(recording.createCalls, 0);
    EXPECT_EQ(form->ProgressBar1->Value(), 37.0);
    EXPECT_EQ(form->ProgressBar1->Text(), u"unchanged"_qs);
    EXPECT_EQ(form->MousePointer(), app::pointer::arrow);
    EXPECT_FALSE(form->IsConverting);
}

TEST_F(ConversionRun, EmptyListIsTestedBeforeTheFolder)
{
    useOutputFolder(temp.filePath(u"missing"_qs));
    form->PushButton2->click();
    EXPECT_EQ(plainMessages(), QStringList{u"No files added."_qs});
}

TEST_F(ConversionRun, MissingOutputFolderIsRefused)
{
    const QString doc = file(u"a.docx"_qs);
    form->ListView1->Add(doc);
    const QString barText = form->ProgressBar1->Text();
    const QString folders[] = {QString(), doc, temp.filePath(u"missing"_qs)};
    for (const QString& folder : folders) {
        tp.windows.messages.clear();
        useOutputFolder(folder);
        form->PushButton2->click();
        EXPECT_EQ(plainMessages(), QStringList{u"Folder does not exist. Please select another folder."_qs})
            << folder.toStdString();
        EXPECT_EQ(tp.windows.messages[0].icon, platform::Icon::None);
        EXPECT_FALSE(form->IsConverting);
    }
    EXPECT_EQ(recording.createCalls, 0);
    EXPECT_EQ(form->ProgressBar1->Text(), barText);
    EXPECT_EQ(form->MousePointer(), app::pointer::defaultPointer);
}

TEST_F(ConversionRun, NoApplicationReportsEveryStepAndFinishes)
{
    tp.publishing = &tp.unavailable;
    makeForm();
    useOutputFolder(temp.path());
    form->ListView1->Add(file(u"a.docx"_qs));
    form->ListView1->Add(file(u"b.docx"_qs));

    form->PushButton2->click();

    EXPECT_EQ(tp.unavailable.createCalls, 1);
    EXPECT_EQ(errorLines(), (std::vector<int>{108, 132, 134, 136, 132, 134, 136, 140}));
    EXPECT_EQ(plainMessages(), QStringList{u"Done."_qs});
    EXPECT_EQ(tp.windows.messages.back().text, u"Done."_qs);
    EXPECT_EQ(form->MousePointer(), app::pointer::defaultPointer);
    EXPECT_EQ(form->ProgressBar1->Text(), u"Progress Bar"_qs);
    for (const QString& t : tp.windows.errorTexts())
        EXPECT_TRUE(t.contains(u"Form1.PushButton2_Click at line"_qs)) << t.toStdString();
}

TEST_F(ConversionRun, DocumentThatCannotBeOpenedIsSkipped)
{
    const QString a = file(u"a.docx"_qs), b = file(u"b.docx"_qs), c = file(u"c.docx"_qs);
    useOutputFolder(temp.path());
    for (const QString& p : {a, b, c})
        form->ListView1->Add(p);
    recording.failOpen = {b};

    form->PushButton2->click();

    EXPECT_EQ(errorLines(), (std::vector<int>{132, 134, 136}));
    EXPECT_EQ(recording.calls(u"open"_qs), (QStringList{u"open "_qs + a, u"open "_qs + c}));
    EXPECT_EQ(recording.calls(u"saveas"_qs),
              (QStringList{u"saveas "_qs + temp.filePath(u"a.pub"_qs), u"saveas "_qs + temp.filePath(u"c.pub"_qs)}));
    EXPECT_EQ(recording.calls(u"close"_qs), (QStringList{u"close "_qs + a, u"close "_qs + c}));
    EXPECT_EQ(plainMessages(), QStringList{u"Done."_qs});
}

TEST_F(ConversionRun, FailedSaveStillClosesTheDocument)
{
    const QString a = file(u"a.docx"_qs), b = file(u"b.docx"_qs);
    useOutputFolder(temp.path());
    form->ListView1->Add(a);
    form->ListView1->Add(b);
    recording.failSave = {temp.filePath(u"a.pub"_qs)};
    recording.failClose = {b};
    recording.failQuit = true;

    form->PushButton2->click();

    EXPECT_EQ(errorLines(), (std::vector<int>{134, 136, 140}));
    EXPECT_TRUE(tp.windows.errorTexts()[0].startsWith(u"The file is locked"_qs));
    EXPECT_EQ(recording.calls(u"close"_qs), QStringList{u"close "_qs + a});
    EXPECT_EQ(plainMessages(), QStringList{u"Done."_qs});
}

TEST_F(ConversionRun, SameBaseNameSavedTwiceToOnePath)
{
    const QString a = file(u"Report.doc"_qs), b = file(u"Report.docx"_qs);
    form->Option2->click();
    form->ListView1->Add(a);
    form->ListView1->Add(b);

    form->PushButton2->click();

    const QString target = u"saveas "_qs + temp.filePath(u"Report.pub"_qs);
    EXPECT_EQ(recording.calls(u"saveas"_qs), (QStringList{target, target}));
    EXPECT_TRUE(tp.windows.errorTexts().isEmpty());
}

TEST_F(ConversionRun, NeverReplacesTheSourceItself)
{
    const QString pub = file(u"Report.pub"_qs);
    const QString other = file(u"Other.docx"_qs);
    form->Option2->click();
    form->ListView1->Add(pub);
    form->ListView1->Add(other);

    form->PushButton2->click();

    EXPECT_EQ(errorLines(), std::vector<int>{134});
    EXPECT_TRUE(tp.windows.errorTexts()[0].contains(u"would replace the document being converted"_qs));
    EXPECT_EQ(recording.calls(u"saveas"_qs), QStringList{u"saveas "_qs + temp.filePath(u"Other.pub"_qs)});
    EXPECT_EQ(recording.calls(u"close"_qs).size(), 2);
}

TEST_F(ConversionRun, NeitherOptionSavesNothing)
{
    useOutputFolder(temp.path());
    form->ListView1->Add(file(u"a.docx"_qs));
    form->ListView1->Add(file(u"b.docx"_qs));
    clearBothOptions();

    form->PushButton2->click();

    EXPECT_EQ(errorLines(), (std::vector<int>{134, 134}));
    EXPECT_TRUE(tp.windows.errorTexts()[0].startsWith(u"No output folder is chosen"_qs));
    EXPECT_TRUE(recording.calls(u"saveas"_qs).isEmpty());
    EXPECT_EQ(recording.calls(u"close"_qs).size(), 2);
    EXPECT_EQ(plainMessages(), QStringList{u"Done."_qs});
}

TEST_F(ConversionRun, NeitherOptionWithoutFolderIsRefused)
{
    form->Text1->setText(temp.filePath(u"missing"_qs));
    form->ListView1->Add(file(u"a.docx"_qs));
    clearBothOptions();
    form->PushButton2->click();
    EXPECT_EQ(plainMessages(), QStringList{u"Folder does not exist. Please select another folder."_qs});
    EXPECT_EQ(recording.createCalls, 0);
}

TEST_F(ConversionRun, SecondClickDuringRunIsIgnored)
{
    useOutputFolder(temp.path());
    form->ListView1->Add(file(u"a.docx"_qs));
    form->ListView1->Add(file(u"b.docx"_qs));
    bool busyInside = false;
    tp.windows.pendingEvents.push_back([&] {
        busyInside = form->IsConverting;
        form->PushButton2->click();
    });

    form->PushButton2->click();

    EXPECT_TRUE(busyInside);
    EXPECT_EQ(recording.createCalls, 1);
    EXPECT_EQ(recording.calls(u"open"_qs).size(), 2);
    EXPECT_EQ(plainMessages(), QStringList{u"Done."_qs});
    EXPECT_FALSE(form->IsConverting);

    // The flag is cleared: a later click runs again.
    form->PushButton2->click();
    EXPECT_EQ(recording.createCalls, 2);
}

TEST_F(ConversionRun, ItemsAddedDuringRunCountButAreNotConverted)
{
    useOutputFolder(temp.path());
    const QString a = file(u"a.docx"_qs), b = file(u"b.docx"_qs);
    form->ListView1->Add(a);
    form->ListView1->Add(b);
    tp.windows.pendingEvents.push_back([&] { form->ListView1->Add(file(u"late.docx"_qs)); });
    std::vector<double> values;
    recording.onOpen = [&](const QString&) { values.push_back(form->ProgressBar1->Value()); };

    form->PushButton2->click();

    EXPECT_EQ(recording.calls(u"open"_qs), (QStringList{u"open "_qs + a, u"open "_qs + b}));
    ASSERT_EQ(values.size(), 2u);
    // The item arrives while the first document is under way (after its bar
    // value was set), so it counts from the second document on.
    EXPECT_DOUBLE_EQ(values[0], 1.0 / 2.0 * 100.0);
    EXPECT_DOUBLE_EQ(values[1], 2.0 / 3.0 * 100.0);
    EXPECT_EQ(form->ListView1->Count(), 3);
}

TEST_F(ConversionRun, OptionChangesTakeEffectFromTheNextDocument)
{
    QDir(temp.path()).mkdir(u"out"_qs);
    QDir(temp.path()).mkdir(u"out2"_qs);
    useOutputFolder(temp.filePath(u"out"_qs));
    const QString a = file(u"a.docx"_qs), b = file(u"b.docx"_qs), c = file(u"c.docx"_qs);
    for (const QString& p : {a, b, c})
        form->ListView1->Add(p);
    // Changes made while the first document is being converted.
    recording.onOpen = [&](const QString& source) {
        if (source == a) form->Text1->setText(temp.filePath(u"out2/"_qs));
        if (source == b) form->Option2->click();
    };

    form->PushButton2->click();

    EXPECT_EQ(recording.calls(u"saveas"_qs), (QStringList{u"saveas "_qs + temp.filePath(u"out/a.pub"_qs),
                                                          u"saveas "_qs + temp.filePath(u"out2/b.pub"_qs),
                                                          u"saveas "_qs + temp.filePath(u"c.pub"_qs)}));
}

TEST_F(ConversionRun, ClosingDuringRunEndsIt)
{
    useOutputFolder(temp.path());
    const QString a = file(u"a.docx"_qs);
    form->ListView1->Add(a);
    form->ListView1->Add(file(u"b.docx"_qs));
    tp.windows.pendingEvents.push_back(nullptr);
    tp.windows.pendingEvents.push_back([&] { tp.windows.endProgram(); });

    form->PushButton2->click();

    EXPECT_EQ(recording.log, (QStringList{u"create"_qs, u"open "_qs + a, u"saveas "_qs + temp.filePath(u"a.pub"_qs),
                                          u"close "_qs + a}));
    EXPECT_TRUE(tp.windows.messages.empty());
}

TEST_F(ConversionRun, ClosingDuringRunPassesThroughTheHandler)
{
    useOutputFolder(temp.path());
    form->ListView1->Add(file(u"a.docx"_qs));
    tp.windows.pendingEvents.push_back([&] { tp.windows.endProgram(); });
    EXPECT_THROW(form->PushButton2_Click(), platform::ProgramEnding);
    EXPECT_TRUE(recording.calls(u"open"_qs).isEmpty());
    EXPECT_TRUE(recording.calls(u"quit"_qs).isEmpty());
}

TEST_F(ConversionRun, ShrunkListSkipsMissingPositions)
{
    useOutputFolder(temp.path());
    const QString a = file(u"a.docx"_qs), b = file(u"b.docx"_qs), c = file(u"c.docx"_qs);
    for (const QString& p : {a, b, c})
        form->ListView1->Add(p);
    tp.windows.pendingEvents.push_back([&] { form->ListView1->Remove(3); });

    form->PushButton2->click();

    EXPECT_EQ(errorLines(), std::vector<int>{112});
    EXPECT_EQ(recording.calls(u"open"_qs), (QStringList{u"open "_qs + a, u"open "_qs + b}));
    EXPECT_EQ(recording.calls(u"saveas"_qs).size(), 2);
    EXPECT_EQ(recording.calls(u"quit"_qs).size(), 1);
    EXPECT_EQ(plainMessages(), QStringList{u"Done."_qs});
}

TEST_F(ConversionRun, ReorderingDuringRunChangesRemainingPositions)
{
    useOutputFolder(temp.path());
    const QString a = file(u"a.docx"_qs), b = file(u"b.docx"_qs), c = file(u"c.docx"_qs);
    for (const QString& p : {a, b, c})
        form->ListView1->Add(p);
    tp.windows.pendingEvents.push_back([&] {
        form->ListView1->SetText(2, c);
        form->ListView1->SetText(3, b);
    });

    form->PushButton2->click();

    EXPECT_EQ(recording.calls(u"open"_qs), (QStringList{u"open "_qs + a, u"open "_qs + c, u"open "_qs + b}));
}

} // namespace
} // namespace fq::test
