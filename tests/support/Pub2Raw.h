// Test helpers that read publications back through the .pub readers:
// runPub2Raw() runs libmspub's pub2raw on a file and parses what it prints
// into pages, text objects (paragraphs, spans and their properties) and
// pictures; convertToPdf() runs LibreOffice once on a set of files and
// reports each PDF's page count (pdfinfo). Lengths are in inches, as
// pub2raw prints them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace fq::test {

using RawProps = std::map<std::string, std::string>;

// "1.2500in" -> 1.25, "50.0000%" -> 50, "12pt" -> 12; nullopt when the
// property is missing or not a number.
std::optional<double> rawNumber(const RawProps& props, const std::string& key);

struct RawSpan {
    RawProps props;
    std::string text;          // insertText joined without paragraph marks; tab = "\t", line break = "\n", space = " "
};

struct RawParagraph {
    RawProps props;
    std::vector<RawSpan> spans;
    std::string text() const;
};

struct RawTextObject {
    RawProps props;
    double x = 0, y = 0, width = 0, height = 0;
    std::vector<RawParagraph> paragraphs;
    std::string text() const;  // paragraphs joined with "\n"
};

// libmspub reads each picture 17 bytes past the end of its record (it
// forgets the bytes it skipped at the start), so the data of a picture that
// is not the last one carries up to 17 bytes of the next record after the
// image itself; image decoders ignore them. Compare with carriesImage().
struct RawPicture {
    std::string mimeType;
    RawProps style;            // the setStyle before the polygon (without the image data)
    double x = 0, y = 0, width = 0, height = 0;   // bounding box of the polygon
    std::vector<std::uint8_t> data;               // decoded image bytes
    std::string md5;                              // hex digest of data
    // True when data is the original image, followed by at most the
    // 17 bytes the reader over-reads.
    bool carriesImage(const std::vector<std::uint8_t>& original) const;
};

// A cell as openTableCell or insertCoveredTableCell gives it.
struct RawTableCell {
    int row = 0, column = 0;
    int rowSpan = 1, columnSpan = 1;
    bool covered = false;
    std::vector<RawParagraph> paragraphs;
    std::string text() const;  // paragraphs joined with "\n"
};

struct RawTable {
    RawProps props;
    double x = 0, y = 0, width = 0, height = 0;
    std::vector<double> columnWidths;
    std::vector<double> rowHeights;
    std::vector<RawTableCell> cells;          // covered cells included, in the order printed
    std::size_t textObjectsBefore = 0;        // text objects of the page printed before the table
    std::string text() const;  // the cells' text, one cell after the other, joined with "\n"
};

struct RawPage {
    double width = 0, height = 0;
    std::vector<RawTextObject> textObjects;
    std::vector<RawTable> tables;
    std::vector<RawPicture> pictures;
    std::size_t polygons = 0;  // every drawPolygon, pictures included
};

struct RawDocument {
    bool started = false;      // startDocument() seen: pub2raw accepted the file
    int exitCode = -1;
    RawProps metadata;
    std::vector<RawPage> pages;
    std::string output;        // what pub2raw printed
    std::string allText() const;   // text objects and tables in the order printed
};

// Parses pub2raw's output (exposed for tests of the parser itself).
RawDocument parsePub2Raw(const std::string& output);

// Runs pub2raw on the file (60 s at most) and parses the output.
RawDocument runPub2Raw(const std::filesystem::path& file);

struct PdfConversion {
    bool ran = false;                                // soffice ran and exited
    std::string log;                                 // its output
    std::map<std::string, int> pageCounts;           // input file name -> PDF pages (-1: no PDF)
};

// Converts all files to PDF with one soffice run into outDir, using a
// private LibreOffice profile under outDir, and counts each PDF's pages.
PdfConversion convertToPdf(const std::vector<std::filesystem::path>& files, const std::filesystem::path& outDir);

// Page count of a PDF by pdfinfo, -1 when it cannot be read.
int pdfPageCount(const std::filesystem::path& pdf);

} // namespace fq::test
