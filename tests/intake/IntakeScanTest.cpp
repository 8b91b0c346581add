// "Add All Word File(s) In Folder" driven through its handler with the
// input-box and folder-picker doubles on a real temporary tree.
#include "tests/intake/IntakeFixture.h"

#include "platform/PlatformError.h"

#include <QDir>
#include <QPushButton>

namespace fq::test {
namespace {

const QString prompt = QStringLiteral(
    "Enter file extension to load:\r\r(* for all files, txt for all txt files, doc for all doc files, etc.)");

class IntakeScan : public FormFixture {
protected:
    void SetUp() override
    {
        FormFixture::SetUp();
        for (const char* f : {"R/report.doc", "R/notes.DOCX", "R/~$report.doc", "R/macro.docm", "R/list.txt",
                              "R/README", "R/A/a1.doc", "R/A/A1/deep.doc", "R/B/b.dot", "R/B/b.txt"})
            tree.file(QString::fromLatin1(f));
        R = tree.path(QStringLiteral("R"));
    }

    // One scan with the given answers to the two prompts.
    void scan(const QString& extension, const QString& folder)
    {
        if (!extension.isNull()) tp.windows.inputAnswers.push_back(extension);
        if (!folder.isNull()) tp.shell.browseAnswers.push_back(folder);
        form->PushButton3_Click();
    }

    QStringList queued() const { return relativeItems(items(), R); }

    QString R;
};

TEST_F(IntakeScan, DefaultAnswerQueuesEveryDoExtensionInWalkOrder)
{
    scan(QStringLiteral("do*"), R);
    ASSERT_EQ(tp.windows.inputRequests.size(), 1u);
    EXPECT_EQ(tp.windows.inputRequests[0].prompt, prompt);
    EXPECT_EQ(tp.windows.inputRequests[0].title, QStringLiteral("Folioquill Test"));
    EXPECT_EQ(tp.windows.inputRequests[0].defaultText, QStringLiteral("do*"));
    ASSERT_EQ(tp.shell.browseRequests.size(), 1u);
    EXPECT_EQ(tp.shell.browseRequests[0].title, QStringLiteral("Please select folder:"));
    EXPECT_EQ(tp.shell.browseRequests[0].initialFolder, QString());
    EXPECT_EQ(queued(), (QStringList{"macro.docm", "notes.DOCX", "report.doc", "A/a1.doc", "B/b.dot", "A/A1/deep.doc"}));
    EXPECT_TRUE(tp.windows.messages.empty());
}

TEST_F(IntakeScan, StarQueuesEveryFileButTildeNames)
{
    scan(QStringLiteral("*"), R);
    EXPECT_EQ(queued(), (QStringList{"README", "list.txt", "macro.docm", "notes.DOCX", "report.doc", "A/a1.doc",
                                     "B/b.dot", "B/b.txt", "A/A1/deep.doc"}));
}

TEST_F(IntakeScan, UpperCaseAnswerFindsTheSameFiles)
{
    scan(QStringLiteral("doc"), R);
    const QStringList lower = queued();
    form->ListView1->Clear();
    scan(QStringLiteral("DOC"), R);
    EXPECT_EQ(queued(), lower);
    EXPECT_EQ(lower, (QStringList{"report.doc", "A/a1.doc", "A/A1/deep.doc"}));
}

TEST_F(IntakeScan, ExactlyHiddenArchiveIsSkippedButReadOnlyHiddenIsQueued)
{
    tree.file(QStringLiteral("R/.hidden.doc"));
    tree.file(QStringLiteral("R/.kept.doc"));
    tree.setReadOnly(QStringLiteral("R/.kept.doc"));
    ASSERT_EQ(tp.realFiles.attributes(tree.path(QStringLiteral("R/.hidden.doc"))), 34u);
    ASSERT_EQ(tp.realFiles.attributes(tree.path(QStringLiteral("R/.kept.doc"))), 35u);
    scan(QStringLiteral("doc"), R);
    EXPECT_EQ(queued(), (QStringList{".kept.doc", "report.doc", "A/a1.doc", "A/A1/deep.doc"}));
}

TEST_F(IntakeScan, AnswersAreRememberedAndOfferedNextTime)
{
    tp.settings.values.insert(QStringLiteral("LastFolder"), QStringLiteral("/somewhere/else"));
    scan(QStringLiteral("txt"), R);
    EXPECT_EQ(tp.settings.values.value(QStringLiteral("Extension")), QStringLiteral("txt"));
    EXPECT_EQ(tp.settings.values.value(QStringLiteral("LastFolder")), R);
    EXPECT_EQ(tp.shell.browseRequests[0].initialFolder, QStringLiteral("/somewhere/else"));
    scan(QStringLiteral("doc"), QString());
    EXPECT_EQ(tp.windows.inputRequests[1].defaultText, QStringLiteral("txt"));
    EXPECT_EQ(tp.shell.browseRequests[1].initialFolder, R);
}

TEST_F(IntakeScan, CancelAtTheExtensionPromptEndsWithNothingStored)
{
    scan(QString(), QString());
    EXPECT_EQ(tp.windows.inputRequests.size(), 1u);
    EXPECT_TRUE(tp.shell.browseRequests.empty());
    EXPECT_TRUE(tp.settings.saves.isEmpty());
    EXPECT_EQ(form->ListView1->Count(), 0);
    EXPECT_EQ(form->MousePointer(), app::pointer::defaultPointer);
}

TEST_F(IntakeScan, CancelAtTheFolderPromptKeepsTheTypedExtension)
{
    tp.settings.values.insert(QStringLiteral("LastFolder"), QStringLiteral("/kept"));
    scan(QStringLiteral("txt"), QString());
    EXPECT_EQ(tp.settings.saves, (QStringList{"Extension=txt", "Extension=txt"}));
    EXPECT_EQ(tp.settings.values.value(QStringLiteral("LastFolder")), QStringLiteral("/kept"));
    EXPECT_EQ(form->ListView1->Count(), 0);
    scan(QString(), QString());
    EXPECT_EQ(tp.windows.inputRequests[1].defaultText, QStringLiteral("txt"));
}

TEST_F(IntakeScan, ScanningTwiceQueuesTwice)
{
    scan(QStringLiteral("doc"), R);
    scan(QStringLiteral("doc"), R);
    const QStringList once{"report.doc", "A/a1.doc", "A/A1/deep.doc"};
    EXPECT_EQ(queued(), once + once);
}

TEST_F(IntakeScan, PathsAreFullAndFolded)
{
    scan(QStringLiteral("doc"), R + QDir::separator());
    ASSERT_EQ(form->ListView1->Count(), 3);
    EXPECT_EQ(form->ListView1->Text(1), R + QDir::separator() + QStringLiteral("report.doc"));
}

TEST_F(IntakeScan, BusyPointerDuringTheWalkAndDefaultAfter)
{
    std::vector<int> seen;
    for (int i = 0; i < 3; ++i) tp.windows.pendingEvents.push_back([&] { seen.push_back(form->MousePointer()); });
    scan(QStringLiteral("doc"), R);
    EXPECT_EQ(seen, (std::vector<int>{11, 11, 11}));
    EXPECT_EQ(form->MousePointer(), app::pointer::defaultPointer);
    EXPECT_GT(tp.windows.processEventsCalls, 3);
}

TEST_F(IntakeScan, PointerIsRestoredAfterAReportedFailure)
{
    tp.settings.failWrites = true;
    scan(QStringLiteral("doc"), R);
    EXPECT_EQ(errorLines(), (std::vector<int>{100, 104, 334}));
    for (const QString& t : tp.windows.errorTexts())
        EXPECT_TRUE(t.contains(QStringLiteral("\r\nin Folioquill2021/08/31.Form1.PushButton3_Click at line ")));
    EXPECT_EQ(queued(), (QStringList{"report.doc", "A/a1.doc", "A/A1/deep.doc"}));
    EXPECT_EQ(form->MousePointer(), app::pointer::defaultPointer);
}

TEST_F(IntakeScan, FolderThatCannotBeListedContributesNoFiles)
{
    ScriptedFileSystem scripted;
    scripted.listingFailures.insert(QDir::fromNativeSeparators(tree.path(QStringLiteral("R/A"))),
                                    platform::errors::permissionDenied);
    tp.files = &scripted;
    makeForm();
    scan(QStringLiteral("doc"), R);
    EXPECT_EQ(queued(), QStringList{"report.doc"});
    EXPECT_TRUE(tp.windows.messages.empty());
}

TEST_F(IntakeScan, ClosingTheWindowDuringTheWalkEndsTheScan)
{
    tp.windows.pendingEvents.push_back([&] { tp.windows.endProgram(); });
    EXPECT_THROW(scan(QStringLiteral("doc"), R), platform::ProgramEnding);
    EXPECT_EQ(form->ListView1->Count(), 0);
    EXPECT_TRUE(tp.windows.messages.empty());
}

TEST_F(IntakeScan, TypedWildcardsActAsWildcards)
{
    tree.file(QStringLiteral("R/x.dec"));
    scan(QStringLiteral("d?c"), R);
    EXPECT_EQ(queued(), (QStringList{"report.doc", "x.dec", "A/a1.doc", "A/A1/deep.doc"}));
}

TEST_F(IntakeScan, HiddenSystemSubFolderContributesNoFiles)
{
    ScriptedFileSystem scripted;
    scripted.folderAttributes.insert(QDir::fromNativeSeparators(tree.path(QStringLiteral("R/A"))), 22);
    tp.files = &scripted;
    makeForm();
    scan(QStringLiteral("doc"), R);
    EXPECT_EQ(queued(), QStringList{"report.doc"});
}

TEST_F(IntakeScan, ChosenFolderWith22IsSearchedButNotWalked)
{
    ScriptedFileSystem scripted;
    scripted.folderAttributes.insert(QDir::fromNativeSeparators(R), 22);
    tp.files = &scripted;
    makeForm();
    scan(QStringLiteral("doc"), R);
    EXPECT_EQ(queued(), QStringList{"report.doc"});
}

TEST_F(IntakeScan, ButtonClickRunsTheScan)
{
    tp.windows.inputAnswers.push_back(QStringLiteral("txt"));
    tp.shell.browseAnswers.push_back(R);
    form->PushButton3->click();
    EXPECT_EQ(queued(), (QStringList{"list.txt", "B/b.txt"}));
}

} // namespace
} // namespace fq::test
