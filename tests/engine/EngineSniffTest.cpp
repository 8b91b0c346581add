// The format is told by the content, whatever the file is called.
#include "publishing/engine/Sniff.h"
#include "publishing/model/ConversionError.h"

#include "EngineTestFiles.h"

#include <gtest/gtest.h>

namespace fq::engine {
namespace {

using namespace test;

TEST(EngineSniff, ZipPackageIsDocxWhateverItsName) {
    ScratchFolder dir;
    const auto file = dir / "letter.doc";
    std::filesystem::copy_file(corpusFile("docx/pandoc-lists.docx"), file);
    EXPECT_EQ(sniffSource(file), SourceKind::Docx);
}

TEST(EngineSniff, CompoundFileIsDoc) {
    ScratchFolder dir;
    const auto file = dir / "letter.docx";
    std::filesystem::copy_file(corpusFile("doc/poi-Bug44431.doc"), file);
    EXPECT_EQ(sniffSource(file), SourceKind::Doc);
    EXPECT_EQ(sniffSource(corpusFile("bad/poi-PasswordProtected.doc")), SourceKind::Doc);
}

TEST(EngineSniff, CompoundFileWithEncryptedPackageIsAnEncryptedDocx) {
    EXPECT_EQ(sniffSource(corpusFile("bad/poi-bug53475-password-is-solrcell.docx")), SourceKind::EncryptedDocx);
}

TEST(EngineSniff, OldWordIsRecognized) {
    EXPECT_EQ(sniffSource(corpusFile("doc/poi-word2.doc")), SourceKind::OldWord);
}

TEST(EngineSniff, OtherContentIsNotWord) {
    ScratchFolder dir;
    writeFile(dir / "empty.docx", "");
    writeFile(dir / "text.docx", "Just some text, not a document at all.");
    writeFile(dir / "short.doc", std::string("\xD0\xCF\x11", 3));
    writeFile(dir / "pk.docx", "PK");
    EXPECT_EQ(sniffSource(dir / "empty.docx"), SourceKind::NotWord);
    EXPECT_EQ(sniffSource(dir / "text.docx"), SourceKind::NotWord);
    EXPECT_EQ(sniffSource(dir / "short.doc"), SourceKind::NotWord);
    EXPECT_EQ(sniffSource(dir / "pk.docx"), SourceKind::NotWord);
}

TEST(EngineSniff, MissingFileOrFolderCannotBeRead) {
    ScratchFolder dir;
    try {
        sniffSource(dir / "nothing-here.docx");
        FAIL() << "no error for a missing file";
    } catch (const model::ConversionError& e) {
        EXPECT_EQ(std::string(e.what()).rfind("The file cannot be read: ", 0), 0u) << e.what();
    }
    try {
        sniffSource(dir.path());
        FAIL() << "no error for a folder";
    } catch (const model::ConversionError& e) {
        EXPECT_EQ(std::string(e.what()), "The file cannot be read: it is a folder");
    }
}

} // namespace
} // namespace fq::engine
