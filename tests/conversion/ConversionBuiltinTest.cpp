// The built-in publishing application on the real engine: open, save as,
// close and quit, the refusals, and the choice of application.
#include "platform/PublishingApplicationChoice.h"
#include "platform/builtin/BuiltinPublishing.h"
#include "platform/builtin/WorkerPublishing.h"
#include "tests/support/Pub2Raw.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <filesystem>
#include <fstream>
#include <string>

namespace fq::platform {
namespace {

namespace fs = std::filesystem;

const std::string corpus = std::string(FQ_SHARED_DIR) + "/corpus/docx/";

std::string readAll(const std::string& path)
{
    std::ifstream in(fs::path(std::u8string(path.begin(), path.end())), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class ConversionBuiltin : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(temp.isValid()); }
    std::string in(const char* name) { return temp.filePath(QString::fromUtf8(name)).toStdString(); }
    std::string copyOf(const std::string& source, const char* name)
    {
        const std::string target = in(name);
        fs::copy_file(source, target);
        return target;
    }

    QTemporaryDir temp;
    BuiltinPublishingFactory factory;
};

TEST_F(ConversionBuiltin, OpensSavesAndClosesAWordDocument)
{
    auto app = factory.create();
    std::string source = corpus + "pandoc-already_auto_ident.docx";
    auto document = app->Open(source);
    ASSERT_TRUE(document);
    std::string target = in("out.pub");
    document->SaveAs(target);
    ASSERT_TRUE(fs::exists(target));
    const test::RawDocument raw = test::runPub2Raw(target);
    EXPECT_TRUE(raw.started) << raw.output;
    EXPECT_NE(raw.allText().find("Anchor Header"), std::string::npos) << raw.output;
    document->Close();
    app->quit();
    // Nothing but the publication is left in the folder (no temporary file).
    EXPECT_EQ(QDir(temp.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("out.pub")});
}

TEST_F(ConversionBuiltin, SavesTheOpenedModelEvenAfterTheSourceIsGone)
{
    const std::string source = copyOf(corpus + "pandoc-lists.docx", "lists.docx");
    auto app = factory.create();
    std::string path = source;
    auto document = app->Open(path);
    fs::remove(source);
    std::string target = in("lists.pub");
    document->SaveAs(target);
    EXPECT_NE(test::runPub2Raw(target).allText().find("Some nested lists"), std::string::npos);
}

TEST_F(ConversionBuiltin, OpenOfANonWordFileFailsReadably)
{
    const std::string text = in("notes.docx");
    std::ofstream(text) << "just some text";
    auto app = factory.create();
    std::string path = text;
    try {
        app->Open(path);
        FAIL() << "a text file was opened";
    } catch (const std::exception& e) {
        const std::string what = e.what();
        EXPECT_NE(what.find("notes.docx"), std::string::npos) << what;
        EXPECT_NE(what.find("The file is not a Word document."), std::string::npos) << what;
    }
    std::string missing = in("missing.docx");
    EXPECT_THROW(app->Open(missing), std::exception);
}

TEST_F(ConversionBuiltin, RefusesToReplaceTheSource)
{
    const std::string source = copyOf(corpus + "pandoc-already_auto_ident.docx", "doc.pub");
    const std::string before = readAll(source);
    auto app = factory.create();
    std::string path = source;
    auto document = app->Open(path);
    std::string target = source;
    EXPECT_THROW(document->SaveAs(target), std::exception);
    EXPECT_EQ(readAll(source), before);
    // The same file through another spelling of its path.
    std::string other = temp.path().toStdString() + "/./doc.pub";
    EXPECT_THROW(document->SaveAs(other), std::exception);
    EXPECT_EQ(readAll(source), before);
}

TEST_F(ConversionBuiltin, FailedSaveWritesNothingAndKeepsAnExistingFile)
{
    auto app = factory.create();
    std::string source = corpus + "pandoc-already_auto_ident.docx";
    auto document = app->Open(source);
    std::string intoMissingFolder = in("missing/out.pub");
    EXPECT_THROW(document->SaveAs(intoMissingFolder), std::exception);
    EXPECT_FALSE(fs::exists(in("missing")));
    // A folder in the way of the output name stays a folder.
    QDir(temp.path()).mkdir(QStringLiteral("taken.pub"));
    std::string ontoFolder = in("taken.pub");
    EXPECT_THROW(document->SaveAs(ontoFolder), std::exception);
    EXPECT_TRUE(fs::is_directory(ontoFolder));
    // An existing file is replaced by a complete publication.
    const std::string existing = in("old.pub");
    std::ofstream(existing) << "old";
    std::string target = existing;
    document->SaveAs(target);
    EXPECT_TRUE(test::runPub2Raw(existing).started);
    EXPECT_EQ(QDir(temp.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("old.pub")});
}

TEST_F(ConversionBuiltin, ClosedDocumentsAndEndedApplicationsRefuse)
{
    auto app = factory.create();
    std::string source = corpus + "pandoc-already_auto_ident.docx";
    auto document = app->Open(source);
    document->Close();
    std::string target = in("late.pub");
    EXPECT_THROW(document->SaveAs(target), std::exception);
    EXPECT_FALSE(fs::exists(target));
    EXPECT_THROW(document->Close(), std::exception);
    app->quit();
    EXPECT_THROW(app->Open(source), std::exception);
    EXPECT_THROW(app->quit(), std::exception);
}

TEST_F(ConversionBuiltin, ApplicationsOfOneFactoryAreIndependent)
{
    auto first = factory.create();
    auto second = factory.create();
    first->quit();
    std::string source = corpus + "pandoc-already_auto_ident.docx";
    EXPECT_NO_THROW(second->Open(source));
}

TEST(ConversionChoice, BuiltinWherePublisherIsAbsent)
{
    auto chosen = choosePublishingApplication();
    ASSERT_TRUE(chosen);
#ifndef _WIN32
    EXPECT_NE(dynamic_cast<WorkerPublishingFactory*>(chosen.get()), nullptr);
#endif
}

} // namespace
} // namespace fq::platform
