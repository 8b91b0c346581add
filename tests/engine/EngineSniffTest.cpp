// The format is told by the content, whatever the file is called.
#include "publishing/engine/Sniff.h"
#include "publishing/model/ConversionError.h"

#include "EngineTestFiles.h"

#include <gtest/gtest.h>
#include <zip.h>

#include <utility>
#include <vector>

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

namespace fq::engine {
namespace {

using namespace test;

// A ZIP archive holding the given entries (name, content).
void writeZip(const std::filesystem::path& path, const std::vector<std::pair<std::string, std::string>>& entries) {
    int error = 0;
    zip_t* archive = zip_open(path.string().c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    ASSERT_NE(archive, nullptr);
    for (const auto& [name, content] : entries) {
        zip_source_t* source = zip_source_buffer(archive, content.data(), content.size(), 0);
        ASSERT_GE(zip_file_add(archive, name.c_str(), source, ZIP_FL_OVERWRITE), 0);
    }
    ASSERT_EQ(zip_close(archive), 0);
}

std::string contentTypes(const std::string& partName, const std::string& type) {
    return "<?xml version=\"1.0\"?><Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
           "<Override PartName=\"/" + partName + "\" ContentType=\"" + type + "\"/></Types>";
}

TEST(EngineWordDocument, EveryCorpusDocumentIsTakenAndPublicationsAreNot) {
    int documents = 0;
    for (const char* folder : {"docx", "doc"}) {
        for (const auto& e : std::filesystem::directory_iterator(corpusFile(folder))) {
            EXPECT_TRUE(isWordDocument(e.path())) << e.path();
            ++documents;
        }
    }
    EXPECT_GT(documents, 100);
    int publications = 0;
    for (const auto& e : std::filesystem::directory_iterator(std::filesystem::path(FQ_SHARED_DIR) / "reference" / "genuine")) {
        if (e.path().extension() != ".pub") continue;
        EXPECT_FALSE(isWordDocument(e.path())) << e.path();
        ++publications;
    }
    EXPECT_GT(publications, 3);
    EXPECT_TRUE(isWordDocument(corpusFile("bad/poi-bug53475-password-is-solrcell.docx")));
    EXPECT_TRUE(isWordDocument(corpusFile("doc/poi-word2.doc")));
}

TEST(EngineWordDocument, ContentDecidesAndTheNameOnlyForDamagedFiles) {
    ScratchFolder dir;
    const std::string wordMain = "application/vnd.ms-word.document.macroEnabled.main+xml";
    writeZip(dir / "elsewhere.bin", {{"[Content_Types].xml", contentTypes("text/main.xml", wordMain)},
                                     {"text/main.xml", "<w:document/>"}});
    writeZip(dir / "plain.zip", {{"word/document.xml", "<w:document/>"}});
    writeZip(dir / "sheet.docx",
             {{"[Content_Types].xml",
               contentTypes("xl/workbook.xml",
                            "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml")},
              {"xl/workbook.xml", "<workbook/>"}});
    writeZip(dir / "text.docx", {{"mimetype", "application/vnd.oasis.opendocument.text"}, {"content.xml", "<x/>"}});
    const std::string brokenZip = std::string("PK\x03\x04", 4) + std::string(200, 'x');
    const std::string brokenCompound = std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + std::string(600, '\0');
    writeFile(dir / "broken.DOCX", brokenZip);
    writeFile(dir / "broken.zip", brokenZip);
    writeFile(dir / "broken.doc", brokenCompound);
    writeFile(dir / "broken.xls", brokenCompound);
    writeFile(dir / "notes.docx", "plain text");
    std::filesystem::create_directory(dir / "folder.docx");
    const std::pair<const char*, bool> cases[] = {
        {"elsewhere.bin", true}, {"plain.zip", true},   {"sheet.docx", false}, {"text.docx", false},
        {"broken.DOCX", true},   {"broken.zip", false}, {"broken.doc", true},  {"broken.xls", false},
        {"notes.docx", false},   {"folder.docx", false}, {"missing.docx", false},
    };
    for (const auto& [name, expected] : cases) EXPECT_EQ(isWordDocument(dir / name), expected) << name;
}

} // namespace
} // namespace fq::engine
