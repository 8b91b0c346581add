// Small .doc fixtures for the reader tests: each is written as a .docx
// (word/document.xml and its companions, zipped with libzip) into a temporary
// folder, and all of them are turned into .doc by one LibreOffice call.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace fq::doc::test {

struct DocxSource {
    std::string name;                 // file name without extension
    std::string body;                 // the content of <w:body>, sectPr included
    std::string title, author;        // core properties, if not empty
    std::string styles;               // <w:style> elements, if any
    std::string header, footer;       // <w:p> elements of the default header/footer
    std::string footnotes;            // <w:footnote w:id="1"> ... elements
    std::map<std::string, std::vector<unsigned char>> media;  // "image1.png" -> bytes, rId = file stem
};

void writeDocx(const DocxSource& src, const std::filesystem::path& file);

// Converts every .docx to .doc in one soffice run. Returns the .doc paths
// by source name; a missing entry means LibreOffice did not produce it.
std::map<std::string, std::filesystem::path> convertWithLibreOffice(const std::vector<DocxSource>& sources,
                                                                    const std::filesystem::path& workDir,
                                                                    std::string* log);

// A small PNG and JPEG made with QImage.
std::vector<unsigned char> makeImage(const char* format, int width, int height);

} // namespace fq::doc::test
