// "Add Word File(s)" with the dialog double: one file, several files, a
// drive root and a network folder under the Windows style, the POSIX root,
// cancelling, the too-many-files message and other dialog failures.
#include "tests/support/FormFixture.h"

#include <QPushButton>

#include <gtest/gtest.h>

using namespace fq;
using fq::test::FormFixture;

namespace {

QString joined(std::initializer_list<const char*> parts)
{
    QStringList list;
    for (const char* p : parts) list << QString::fromLatin1(p);
    return list.join(QChar(0));
}

class FileListAddFiles : public ::testing::Test {
protected:
    void SetUp() override { f.load(); }
    void answer(const QString& selection) { f.windows().openAnswers.push_back({selection, 0}); }
    void fail(int number) { f.windows().openAnswers.push_back({QString(), number}); }
    void click() { f.form->PushButton1_Click(); }
    FormFixture f;
};

} // namespace

TEST_F(FileListAddFiles, DialogIsAskedForWithTitleFilterFlagsAndBuffer)
{
    answer(QString());
    click();
    ASSERT_EQ(f.windows().openRequests.size(), 1u);
    const auto& r = f.windows().openRequests[0];
    EXPECT_EQ(r.title, QStringLiteral("Add File(s) - Hold Ctrl to select multiple files"));
    EXPECT_EQ(r.filter, QStringLiteral("Word Files (*.doc*)|*.doc*|"));
    EXPECT_EQ(r.flags, 2621953u);
    EXPECT_EQ(r.bufferChars, 30000);
}

TEST_F(FileListAddFiles, OneFileIsTakenExactlyAsReturned)
{
    answer(QStringLiteral("/home/ann//Docs/report.docx"));
    click();
    EXPECT_EQ(f.listTexts(), QStringList{QStringLiteral("/home/ann//Docs/report.docx")});
    EXPECT_TRUE(f.windows().messages.empty());
}

TEST_F(FileListAddFiles, TwoFilesInOneFolderKeepTheDialogsOrder)
{
    answer(joined({"/home/ann/Docs", "b.docx", "a.doc"}));
    click();
    EXPECT_EQ(f.listTexts(), (QStringList{"/home/ann/Docs/b.docx", "/home/ann/Docs/a.doc"}));
}

TEST_F(FileListAddFiles, WindowsStyleFolderDriveRootAndNetworkFolder)
{
    f.form->pathStyle = conversion::PathStyle::Windows;
    answer(joined({"C:\\Users\\Ann\\Docs", "a.doc", "b.docx"}));
    answer(joined({"C:\\", "a.doc", "b.doc"}));
    answer(joined({"\\\\server\\share\\Docs", "x.doc", "y.doc"}));
    click();
    click();
    click();
    EXPECT_EQ(f.listTexts(), (QStringList{"C:\\Users\\Ann\\Docs\\a.doc", "C:\\Users\\Ann\\Docs\\b.docx", "C:\\a.doc",
                                          "C:\\b.doc", "\\\\server\\share\\Docs\\x.doc", "\\\\server\\share\\Docs\\y.doc"}));
}

TEST_F(FileListAddFiles, PosixRootGetsOneSeparator)
{
    f.form->pathStyle = conversion::PathStyle::Posix;
    answer(joined({"/", "a.doc", "b.doc"}));
    click();
    EXPECT_EQ(f.listTexts(), (QStringList{"/a.doc", "/b.doc"}));
}

TEST_F(FileListAddFiles, AlreadyListedFileIsAddedAgain)
{
    answer(QStringLiteral("/docs/a.doc"));
    answer(joined({"/docs", "a.doc", "a.doc"}));
    click();
    click();
    EXPECT_EQ(f.listTexts(), (QStringList{"/docs/a.doc", "/docs/a.doc", "/docs/a.doc"}));
}

TEST_F(FileListAddFiles, CancelAddsNothingAndShowsNothing)
{
    f.form->ListView1->Add(QStringLiteral("/docs/kept.doc"));
    answer(QString());
    click();
    EXPECT_EQ(f.listTexts(), QStringList{QStringLiteral("/docs/kept.doc")});
    EXPECT_TRUE(f.windows().messages.empty());
}

TEST_F(FileListAddFiles, TooManyFilesShowsItsOwnMessageAndAddsNothing)
{
    fail(platform::errors::bufferTooSmall);
    click();
    EXPECT_EQ(f.form->ListView1->Count(), 0);
    ASSERT_EQ(f.windows().messages.size(), 1u);
    const auto& m = f.windows().messages[0];
    EXPECT_EQ(m.text, QStringLiteral("You've selected too many files to add.\r\rPlease try adding via the \"Add All\" button."));
    EXPECT_EQ(m.buttons, platform::Buttons::Ok);
    EXPECT_EQ(m.icon, platform::Icon::None);
    EXPECT_EQ(m.title, f.form->ApplicationTitle);
    EXPECT_TRUE(f.windows().errorTexts().isEmpty());
}

TEST_F(FileListAddFiles, OtherDialogFailureIsReportedAtLine112)
{
    fail(platform::errors::invalidArgument);
    click();
    EXPECT_EQ(f.form->ListView1->Count(), 0);
    ASSERT_EQ(f.windows().errorTexts().size(), 1);
    EXPECT_TRUE(f.windows().errorTexts()[0].contains(
        QStringLiteral("in Folioquill2021/08/31.Form1.PushButton1_Click at line 112")));
}

TEST_F(FileListAddFiles, ButtonClickOpensTheDialog)
{
    f.show();
    answer(QStringLiteral("/docs/a.doc"));
    QTest::mouseClick(f.form->PushButton1, Qt::LeftButton);
    EXPECT_EQ(f.listTexts(), QStringList{QStringLiteral("/docs/a.doc")});
}
