// The output folder choice: the radio buttons, the folder text and the
// browse button, each change stored at once.
#include "conversion/OutputChoice.h"
#include "tests/conversion/ConversionFixture.h"

#include <QFrame>
#include <QPushButton>
#include <QTest>

namespace fq::test {
namespace {

using ConversionOutputChoice = ConversionFixture;

TEST_F(ConversionOutputChoice, RadioButtonsStoreBothKeysAndSwitchTheFrame)
{
    form->show();
    QTest::mouseClick(form->Option2, Qt::LeftButton, {}, QPoint(8, form->Option2->height() / 2));
    EXPECT_TRUE(form->Option2->isChecked());
    EXPECT_FALSE(form->Option1->isChecked());
    EXPECT_EQ(tp.settings.saves, (QStringList{u"Option1=False"_qs, u"Option2=True"_qs}));
    EXPECT_FALSE(form->Frame1->isEnabled());
    EXPECT_FALSE(form->Text1->isEnabled());
    EXPECT_FALSE(form->PushButton7->isEnabled());

    tp.settings.saves.clear();
    QTest::mouseClick(form->Option1, Qt::LeftButton, {}, QPoint(8, form->Option1->height() / 2));
    EXPECT_EQ(tp.settings.saves, (QStringList{u"Option1=True"_qs, u"Option2=False"_qs}));
    EXPECT_TRUE(form->Frame1->isEnabled());
    EXPECT_TRUE(form->Text1->isEnabled());
    EXPECT_TRUE(form->PushButton7->isEnabled());

    // Clicking the selected one again stores both keys again.
    tp.settings.saves.clear();
    form->Option1->click();
    EXPECT_EQ(tp.settings.saves, (QStringList{u"Option1=True"_qs, u"Option2=False"_qs}));
}

TEST_F(ConversionOutputChoice, FailedStoreStillSwitchesTheFrame)
{
    tp.settings.failWrites = true;
    form->Option2->click();
    EXPECT_FALSE(form->Frame1->isEnabled());
    form->Option1->click();
    EXPECT_TRUE(form->Frame1->isEnabled());
    EXPECT_TRUE(tp.windows.messages.empty());
}

TEST_F(ConversionOutputChoice, EveryTextChangeIsStored)
{
    form->show();
    form->Text1->setFocus();
    QTest::keyClicks(form->Text1, u"/o"_qs);
    QTest::keyClick(form->Text1, Qt::Key_Backspace);
    QTest::keyClick(form->Text1, Qt::Key_Backspace);
    EXPECT_EQ(tp.settings.saves,
              (QStringList{u"Output Folder=/"_qs, u"Output Folder=/o"_qs, u"Output Folder=/"_qs, u"Output Folder="_qs}));
    EXPECT_EQ(tp.settings.values.value(u"Output Folder"_qs), QString());
}

TEST_F(ConversionOutputChoice, BrowsingAppendsTheSeparator)
{
    tp.shell.browseAnswers.push_back(u"/data/out"_qs);
    form->PushButton7->click();

    EXPECT_EQ(form->Text1->text(), u"/data/out/"_qs);
    EXPECT_EQ(tp.settings.values.value(u"LastFolderDot"_qs), u"/data/out"_qs);
    EXPECT_EQ(tp.settings.values.value(u"Output Folder"_qs), u"/data/out/"_qs);
    EXPECT_EQ(conversion::LastFolderDotValue, u"/data/out"_qs);
    ASSERT_EQ(tp.shell.browseRequests.size(), 1u);
    EXPECT_EQ(tp.shell.browseRequests[0].title, u"Please select folder:"_qs);
    EXPECT_EQ(tp.shell.browseRequests[0].initialFolder, QString());
    EXPECT_TRUE(tp.windows.messages.empty());
}

TEST_F(ConversionOutputChoice, BrowsingToTheRootKeepsIt)
{
    tp.shell.browseAnswers.push_back(u"/"_qs);
    form->PushButton7->click();
    EXPECT_EQ(form->Text1->text(), u"/"_qs);
    EXPECT_EQ(tp.settings.values.value(u"LastFolderDot"_qs), u"/"_qs);
    EXPECT_EQ(tp.settings.values.value(u"Output Folder"_qs), u"/"_qs);
}

TEST_F(ConversionOutputChoice, BrowsingToTheSameTextStillStoresIt)
{
    form->Text1->setText(u"/data/out/"_qs);
    tp.settings.saves.clear();
    tp.shell.browseAnswers.push_back(u"/data/out"_qs);
    form->PushButton7->click();
    EXPECT_EQ(tp.settings.saves, (QStringList{u"LastFolderDot=/data/out"_qs, u"Output Folder=/data/out/"_qs}));
}

TEST_F(ConversionOutputChoice, CancelChangesNothing)
{
    form->Text1->setText(u"/kept/"_qs);
    tp.settings.values.insert(u"LastFolderDot"_qs, u"/before"_qs);
    tp.settings.saves.clear();

    form->PushButton7->click();

    EXPECT_EQ(form->Text1->text(), u"/kept/"_qs);
    EXPECT_TRUE(tp.settings.saves.isEmpty());
    EXPECT_EQ(tp.settings.values.value(u"LastFolderDot"_qs), u"/before"_qs);
    ASSERT_EQ(tp.shell.browseRequests.size(), 1u);
    EXPECT_EQ(tp.shell.browseRequests[0].initialFolder, u"/before"_qs);
}

TEST_F(ConversionOutputChoice, DialogOpensAtTheLastChosenFolder)
{
    tp.shell.browseAnswers.push_back(u"/first"_qs);
    form->PushButton7->click();
    form->Text1->setText(u"/edited/meanwhile/"_qs);
    form->PushButton7->click();
    ASSERT_EQ(tp.shell.browseRequests.size(), 2u);
    EXPECT_EQ(tp.shell.browseRequests[1].initialFolder, u"/first"_qs);
    EXPECT_EQ(form->Text1->text(), u"/edited/meanwhile/"_qs);
}

TEST_F(ConversionOutputChoice, DialogFollowsTheStoredSettingNotTheModuleValue)
{
    conversion::LastFolderDotValue = u"/stale"_qs;
    tp.settings.values.insert(u"LastFolderDot"_qs, u"/stored"_qs);
    form->PushButton7->click();
    EXPECT_EQ(tp.shell.browseRequests.at(0).initialFolder, u"/stored"_qs);
}

TEST_F(ConversionOutputChoice, FailedStoreOfTheFolderIsReportedAndTheTextStillSet)
{
    tp.settings.failWrites = true;
    tp.shell.browseAnswers.push_back(u"/data/out"_qs);
    form->PushButton7->click();
    ASSERT_EQ(errorLines(), std::vector<int>{104});
    EXPECT_TRUE(tp.windows.errorTexts()[0].contains(u"Form1.PushButton7_Click at line 104"_qs));
    EXPECT_EQ(form->Text1->text(), u"/data/out/"_qs);
    EXPECT_EQ(conversion::LastFolderDotValue, u"/data/out"_qs);
}

} // namespace
} // namespace fq::test
