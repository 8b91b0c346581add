// readDocument hands each format to its reader and reports unusable files
// with the user messages.
#include "publishing/engine/Engine.h"

#include "EngineTestFiles.h"

#include <gtest/gtest.h>

namespace fq::engine {
namespace {

using namespace test;

std::string readError(const std::filesystem::path& file) {
    try {
        readDocument(file);
    } catch (const model::ConversionError& e) {
        return e.what();
    }
    return "(no error)";
}

std::string allText(const model::Document& doc) {
    std::string s;
    for (const auto& sec : doc.sections)
        for (const auto& b : sec.blocks)
            if (const auto* p = std::get_if<model::Paragraph>(&b)) s += p->plainText() + "\n";
    return s;
}

TEST(EngineRead, ReadsDocxAndDocByContent) {
    ScratchFolder dir;
    std::filesystem::copy_file(corpusFile("docx/pandoc-lists.docx"), dir / "lists.doc");
    const auto docx = readDocument(dir / "lists.doc");
    EXPECT_NE(allText(docx).find("nested lists"), std::string::npos);
    std::filesystem::copy_file(corpusFile("doc/poi-Bug44431.doc"), dir / "old.docx");
    EXPECT_FALSE(readDocument(dir / "old.docx").sections.empty());
}

TEST(EngineRead, ContentThatIsNoWordDocumentIsRefused) {
    ScratchFolder dir;
    writeFile(dir / "notes.docx", "plain text pretending to be a document");
    writeFile(dir / "empty.doc", "");
    EXPECT_EQ(readError(dir / "notes.docx"), model::messages::notAWordDocument);
    EXPECT_EQ(readError(dir / "empty.doc"), model::messages::notAWordDocument);
}

TEST(EngineRead, PasswordProtectedDocumentsAreNamedSo) {
    EXPECT_EQ(readError(corpusFile("bad/poi-bug53475-password-is-solrcell.docx")), model::messages::passwordProtected);
    EXPECT_EQ(readError(corpusFile("bad/poi-PasswordProtected.doc")), model::messages::passwordProtected);
}

TEST(EngineRead, DamagedPackagesAreReportedAsDamaged) {
    ScratchFolder dir;
    std::string bytes = readFile(corpusFile("docx/pandoc-lists.docx"));
    writeFile(dir / "cut.docx", bytes.substr(0, bytes.size() / 3));
    EXPECT_EQ(readError(dir / "cut.docx").rfind(model::messages::damagedPrefix, 0), 0u) << readError(dir / "cut.docx");
}

TEST(EngineRead, OldWordVersionsAreNotSupported) {
    EXPECT_EQ(readError(corpusFile("doc/poi-word2.doc")), model::messages::versionNotSupported);
}

TEST(EngineRead, MissingFileGivesAClearError) {
    ScratchFolder dir;
    EXPECT_EQ(readError(dir / "gone.docx").rfind("The file cannot be read: ", 0), 0u);
}

} // namespace
} // namespace fq::engine
