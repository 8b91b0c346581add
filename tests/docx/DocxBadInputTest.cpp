// Input the reader cannot use ends in one of the user messages, never in a
// crash, a hang or an unbounded allocation.
#include "DocxFixture.h"
#include "DocxTestUtil.h"

#include "publishing/docx/DocxReader.h"
#include "publishing/docx/ZipPackage.h"
#include "publishing/model/ConversionError.h"

#include <gtest/gtest.h>

#include <zip.h>

#include <filesystem>
#include <fstream>

using namespace fq;
using namespace fq::docx::test;
namespace fs = std::filesystem;

namespace {

// The message of the ConversionError the reader throws, or "" when it reads.
std::string errorOf(const fs::path& path) {
    try {
        docx::readDocx(path);
        return {};
    } catch (const model::ConversionError& e) {
        return e.what();
    }
}

bool startsWith(const std::string& s, const std::string& prefix) { return s.rfind(prefix, 0) == 0; }

} // namespace

TEST(DocxBadInput, MissingFileAndNonZipAreNotWordDocuments) {
    DocxFixture f;
    EXPECT_EQ(errorOf(f.folder() / "nothing-here.docx"), model::messages::notAWordDocument);
    EXPECT_EQ(errorOf(writeFile(f.folder(), "text.docx", "just some text, no archive")), model::messages::notAWordDocument);
    EXPECT_EQ(errorOf(writeFile(f.folder(), "empty.docx", "")), model::messages::notAWordDocument);
}

TEST(DocxBadInput, ZipWithoutMainDocumentIsNotAWordDocument) {
    DocxFixture f;
    f.withoutPart("word/document.xml");
    EXPECT_EQ(errorOf(f.write()), model::messages::notAWordDocument);
}

TEST(DocxBadInput, MainPartFoundThroughRelationshipsOrTheUsualName) {
    DocxFixture moved;
    moved.withoutPart("word/document.xml")
        .rawPart("content/main.xml", std::string("<w:document ") + wordNamespaces + "><w:body>" + p("moved") +
                                         "</w:body></w:document>")
        .rawPart("_rels/.rels",
                 "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                 "<Relationship Id=\"r\" Type=\"http://purl.oclc.org/ooxml/officeDocument/relationships/officeDocument\" "
                 "Target=\"/content/main.xml\"/></Relationships>");
    EXPECT_EQ(texts(docx::readDocx(moved.write())), (std::vector<std::string>{"moved"}));

    DocxFixture noRels;
    noRels.body(p("found")).withoutPart("_rels/.rels");
    EXPECT_EQ(texts(docx::readDocx(noRels.write())), (std::vector<std::string>{"found"}));
}

TEST(DocxBadInput, OtherOfficeFilesAreNotWordDocuments) {
    DocxFixture f;
    f.withoutPart("word/document.xml")
        .rawPart("xl/workbook.xml", "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"/>")
        .rawPart("_rels/.rels",
                 "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                 "<Relationship Id=\"r\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
                 "officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>");
    EXPECT_EQ(errorOf(f.write()), model::messages::notAWordDocument);
}

TEST(DocxBadInput, DamagedXmlNamesThePart) {
    DocxFixture f;
    f.rawPart("word/document.xml", std::string("<w:document ") + wordNamespaces + "><w:body><w:p><w:r><w:t>cut");
    const std::string e = errorOf(f.write());
    EXPECT_TRUE(startsWith(e, model::messages::damagedPrefix)) << e;
    EXPECT_NE(e.find("word/document.xml"), std::string::npos) << e;

    DocxFixture styles;
    styles.styles("<w:style w:styleId=\"x\">");
    styles.rawPart("word/styles.xml", "<w:styles><w:style></w:styles>");
    const std::string s = errorOf(styles.write());
    EXPECT_TRUE(startsWith(s, model::messages::damagedPrefix)) << s;
    EXPECT_NE(s.find("word/styles.xml"), std::string::npos) << s;
}

TEST(DocxBadInput, TruncatedArchiveIsDamaged) {
    DocxFixture f;
    f.body(p(std::string(5000, 'x')));
    const fs::path good = f.write();
    std::ifstream in(good, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const fs::path cut = writeFile(f.folder(), "cut.docx", bytes.substr(0, bytes.size() / 2));
    const std::string e = errorOf(cut);
    EXPECT_TRUE(startsWith(e, model::messages::damagedPrefix)) << e;
}

TEST(DocxBadInput, CorruptedEntryDataIsDamaged) {
    DocxFixture f;
    f.body(p(std::string(4000, 'y'))).uncompressed();
    const fs::path good = f.write();
    std::ifstream in(good, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // Change the stored text of the main part: its CRC no longer matches.
    std::size_t pos = bytes.find("yyyyyyyy");
    ASSERT_NE(pos, std::string::npos);
    for (std::size_t i = 0; i < 8; ++i) bytes[pos + i] = 'z';
    const std::string e = errorOf(writeFile(f.folder(), "crc.docx", bytes));
    EXPECT_TRUE(startsWith(e, model::messages::damagedPrefix)) << e;
    EXPECT_NE(e.find("word/document.xml"), std::string::npos) << e;
}

TEST(DocxBadInput, DoctypeIsAcceptedAndEntitiesAreNotExpanded) {
    DocxFixture f;
    f.rawPart("word/document.xml",
              std::string("<?xml version=\"1.0\"?>\n<!DOCTYPE w:document [\n<!ENTITY secret SYSTEM \"file:///etc/passwd\">\n]>\n"
                          "<w:document ") + wordNamespaces + "><w:body>" +
                  "<w:p><w:r><w:t>before &secret; after</w:t></w:r></w:p></w:body></w:document>");
    auto doc = docx::readDocx(f.write());
    auto t = texts(doc);
    ASSERT_EQ(t.size(), 1u);
    EXPECT_EQ(t[0].find("root:"), std::string::npos);
    EXPECT_NE(t[0].find("before"), std::string::npos);
    EXPECT_NE(t[0].find("after"), std::string::npos);
}

TEST(DocxBadInput, DecompressionBudgetStopsArchiveBombs) {
    DocxFixture f;
    f.rawPart("word/media/huge.bin", std::string(2 * 1024 * 1024, '\0'));
    const fs::path path = f.write();
    docx::ZipPackage small(path, 1024 * 1024);
    try {
        small.read("word/media/huge.bin");
        FAIL() << "a part larger than the budget was read";
    } catch (const model::ConversionError& e) {
        EXPECT_TRUE(startsWith(e.what(), model::messages::damagedPrefix)) << e.what();
    }
    docx::ZipPackage enough(path);
    auto data = enough.read("word/media/huge.bin");
    ASSERT_TRUE(data.has_value());
    EXPECT_EQ(data->size(), 2u * 1024 * 1024);
    EXPECT_TRUE(enough.read("WORD/DOCUMENT.XML").has_value()) << "part names match without regard to case";
    EXPECT_FALSE(enough.read("word/missing.xml").has_value());
}

TEST(DocxBadInput, TooManyEntriesIsDamaged) {
    DocxFixture f;
    for (int i = 0; i < 40; ++i) f.rawPart("filler/" + std::to_string(i) + ".xml", "<x/>");
    const fs::path path = f.write();
    EXPECT_THROW(docx::ZipPackage(path, docx::ZipPackage::defaultMaxTotalBytes, 30), model::ConversionError);
    EXPECT_NO_THROW(docx::ZipPackage(path, docx::ZipPackage::defaultMaxTotalBytes, 100));
}

TEST(DocxBadInput, DeepNestingDoesNotExhaustTheStack) {
    DocxFixture f;
    std::string body;
    for (int i = 0; i < 20000; ++i) body += "<w:sdt><w:sdtContent>";
    body += p("deep");
    for (int i = 0; i < 20000; ++i) body += "</w:sdtContent></w:sdt>";
    body += p("shallow");
    std::string tables;
    for (int i = 0; i < 5000; ++i) tables += "<w:tbl><w:tr><w:tc>";
    for (int i = 0; i < 5000; ++i) tables += "<w:p/></w:tc></w:tr></w:tbl>";
    f.body(body + tables);
    auto doc = docx::readDocx(f.write());
    auto t = texts(doc);
    ASSERT_FALSE(t.empty());
    EXPECT_NE(std::find(t.begin(), t.end(), "shallow"), t.end());
}

TEST(DocxBadInput, BrokenReferencesAndValuesAreTolerated) {
    DocxFixture f;
    f.styles("<w:style w:type=\"paragraph\" w:styleId=\"A\"><w:basedOn w:val=\"B\"/></w:style>"
             "<w:style w:type=\"paragraph\" w:styleId=\"B\"><w:basedOn w:val=\"A\"/><w:rPr><w:b/></w:rPr></w:style>");
    f.numbering("<w:num w:numId=\"1\"><w:abstractNumId w:val=\"99\"/></w:num>");
    f.body(p("cycle", "<w:pStyle w:val=\"A\"/><w:numPr><w:ilvl w:val=\"42\"/><w:numId w:val=\"1\"/></w:numPr>"
                      "<w:ind w:left=\"abc\" w:hanging=\"-99999999999999\"/><w:spacing w:line=\"0\"/>") +
           "<w:p><w:r><w:rPr><w:sz w:val=\"-4\"/><w:color w:val=\"zzzzzz\"/></w:rPr><w:t>odd</w:t></w:r>"
           "<w:r><w:footnoteReference w:id=\"77\"/></w:r><w:hyperlink r:id=\"nope\"><w:r><w:t>link</w:t></w:r>"
           "</w:hyperlink></w:p><w:sectPr><w:pgSz w:w=\"-5\" w:h=\"0\"/><w:headerReference r:id=\"none\"/></w:sectPr>");
    auto doc = docx::readDocx(f.write());
    EXPECT_EQ(texts(doc), (std::vector<std::string>{"cycle", "odd1link"}));
    EXPECT_DOUBLE_EQ(doc.sections.at(0).page.widthPt, 612.0);
}
