// End to end: the real main window with the built-in publishing engine.
// Two corpus documents are queued, "Start Converting" is clicked, and the
// two publications are read back with pub2raw.
#include "app/Form1.h"
#include "platform/builtin/BuiltinPublishing.h"
#include "tests/support/Pub2Raw.h"
#include "tests/support/TestPlatform.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>

namespace fq::test {
namespace {

TEST(ConversionEndToEnd, StartConvertingWritesReadablePublications)
{
    QTemporaryDir temp;
    ASSERT_TRUE(temp.isValid());
    TestPlatform tp;
    platform::BuiltinPublishingFactory builtin;
    tp.publishing = &builtin;
    app::Form1 form(tp.get());
    form.show();

    const QString corpus = QStringLiteral(FQ_SHARED_DIR "/corpus/docx/");
    form.ListView1->Add(corpus + QStringLiteral("pandoc-already_auto_ident.docx"));
    form.ListView1->Add(corpus + QStringLiteral("pandoc-lists.docx"));
    form.Option1->click();
    form.Text1->setText(temp.path());

    QTest::mouseClick(form.PushButton2, Qt::LeftButton);

    ASSERT_TRUE(tp.windows.errorTexts().isEmpty()) << tp.windows.errorTexts().join(u'\n').toStdString();
    ASSERT_FALSE(tp.windows.messages.empty());
    EXPECT_EQ(tp.windows.messages.back().text, QStringLiteral("Done."));

    const std::filesystem::path first = temp.filePath(QStringLiteral("pandoc-already_auto_ident.pub")).toStdString();
    const std::filesystem::path second = temp.filePath(QStringLiteral("pandoc-lists.pub")).toStdString();
    ASSERT_TRUE(std::filesystem::exists(first));
    ASSERT_TRUE(std::filesystem::exists(second));
    EXPECT_EQ(QDir(temp.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot).size(), 2);

    const RawDocument a = runPub2Raw(first);
    EXPECT_TRUE(a.started) << a.output;
    EXPECT_NE(a.allText().find("Anchor Header"), std::string::npos) << a.output;
    EXPECT_NE(a.allText().find("A link"), std::string::npos) << a.output;
    const RawDocument b = runPub2Raw(second);
    EXPECT_TRUE(b.started) << b.output;
    EXPECT_NE(b.allText().find("Some nested lists"), std::string::npos) << b.output;
    EXPECT_NE(b.allText().find("Different list adjacent to the one above."), std::string::npos) << b.output;

    EXPECT_EQ(form.ListView1->Count(), 2);
    EXPECT_EQ(form.ProgressBar1->Text(), QStringLiteral("Progress Bar"));
}

TEST(ConversionEndToEnd, BesideTheSourcesWithOneUnreadableDocument)
{
    QTemporaryDir temp;
    ASSERT_TRUE(temp.isValid());
    const QString shared = QStringLiteral(FQ_SHARED_DIR "/corpus/");
    const QString good = temp.filePath(QStringLiteral("Report.doc"));
    const QString locked = temp.filePath(QStringLiteral("Locked.doc"));
    ASSERT_TRUE(QFile::copy(shared + QStringLiteral("doc/poi-47304.doc"), good));
    ASSERT_TRUE(QFile::copy(shared + QStringLiteral("bad/poi-PasswordProtected.doc"), locked));

    TestPlatform tp;
    platform::BuiltinPublishingFactory builtin;
    tp.publishing = &builtin;
    app::Form1 form(tp.get());
    form.ListView1->Add(locked);
    form.ListView1->Add(good);
    form.Option2->click();
    form.PushButton2->click();

    const QStringList errors = tp.windows.errorTexts();
    ASSERT_EQ(errors.size(), 3) << errors.join(u'\n').toStdString();
    EXPECT_TRUE(errors[0].contains(QStringLiteral("Locked.doc"))) << errors[0].toStdString();
    EXPECT_TRUE(errors[0].contains(QStringLiteral("The document is password-protected."))) << errors[0].toStdString();
    EXPECT_TRUE(errors[0].contains(QStringLiteral("at line 132")));
    EXPECT_TRUE(errors[1].contains(QStringLiteral("at line 134")));
    EXPECT_TRUE(errors[2].contains(QStringLiteral("at line 136")));
    EXPECT_EQ(tp.windows.messages.back().text, QStringLiteral("Done."));

    EXPECT_FALSE(QFile::exists(temp.filePath(QStringLiteral("Locked.pub"))));
    const std::filesystem::path written = temp.filePath(QStringLiteral("Report.pub")).toStdString();
    ASSERT_TRUE(std::filesystem::exists(written));
    const RawDocument raw = runPub2Raw(written);
    EXPECT_TRUE(raw.started) << raw.output;
    EXPECT_NE(raw.allText().find("test"), std::string::npos) << raw.output;
}

} // namespace
} // namespace fq::test
