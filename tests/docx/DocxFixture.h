// Builds small .docx packages for the tests: the caller gives the XML of the
// parts (document, styles, numbering, headers, notes, relationships) and the
// bytes of media files; the builder adds content types and the package
// relationships and zips everything with libzip into a temporary folder.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace fq::docx::test {

// WordprocessingML namespaces for the root elements of fixture parts.
extern const char* const wordNamespaces;

class DocxFixture {
public:
    DocxFixture();
    ~DocxFixture();
    DocxFixture(const DocxFixture&) = delete;
    DocxFixture& operator=(const DocxFixture&) = delete;

    // Body content (w:p, w:tbl, w:sectPr ...) wrapped in w:document/w:body.
    DocxFixture& body(const std::string& xml);
    DocxFixture& styles(const std::string& innerXml);        // inside w:styles
    DocxFixture& numbering(const std::string& innerXml);     // inside w:numbering
    DocxFixture& settings(const std::string& innerXml);      // inside w:settings
    DocxFixture& theme(const std::string& majorLatin, const std::string& minorLatin);
    DocxFixture& fontTable(const std::string& innerXml);     // inside w:fonts
    DocxFixture& footnotes(const std::string& innerXml);     // inside w:footnotes
    DocxFixture& endnotes(const std::string& innerXml);
    // A header or footer part named word/<name>, referenced from the
    // document relationships with the id rId<name>.
    DocxFixture& header(const std::string& name, const std::string& innerXml);
    DocxFixture& footer(const std::string& name, const std::string& innerXml);
    // A media part word/media/<name> with relationship id `relId`.
    DocxFixture& media(const std::string& relId, const std::string& name, const std::vector<std::uint8_t>& bytes);
    DocxFixture& hyperlink(const std::string& relId, const std::string& url);
    // A part word/<name> with the given XML, referenced from the document
    // relationships with id `relId` and the full relationship type.
    DocxFixture& related(const std::string& relId, const std::string& type, const std::string& name,
                         const std::string& xml);
    DocxFixture& core(const std::string& title, const std::string& author);
    // Any part as given (also replaces generated ones, e.g. "word/document.xml").
    DocxFixture& rawPart(const std::string& name, const std::string& data);
    DocxFixture& withoutPart(const std::string& name);
    // Stores every entry without compression (tests that patch bytes).
    DocxFixture& uncompressed() { store_ = true; return *this; }

    // Writes the package and returns its path.
    std::filesystem::path write(const std::string& fileName = "fixture.docx");
    const std::filesystem::path& folder() const { return folder_; }

private:
    std::filesystem::path folder_;
    std::map<std::string, std::string> parts_;
    std::vector<std::string> documentRels_;
    std::vector<std::string> dropped_;
    bool hasCore_ = false;
    bool store_ = false;
};

// A valid 2x2 PNG and a minimal JPEG header, for picture tests.
std::vector<std::uint8_t> tinyPng();
std::vector<std::uint8_t> tinyJpeg();

// Writes bytes into a file inside the folder and returns its path.
std::filesystem::path writeFile(const std::filesystem::path& folder, const std::string& name, const std::string& bytes);

} // namespace fq::docx::test
