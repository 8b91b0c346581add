// The first stage of the .doc reader: a faithful model of the file as Word
// stores it. Nothing here is resolved to points or model enums; the
// converter (Converter.h) does that.
#pragma once

#include "publishing/doc/ByteReader.h"
#include "publishing/doc/Fib.h"
#include "publishing/doc/FontTable.h"
#include "publishing/doc/Fkp.h"
#include "publishing/doc/Lists.h"
#include "publishing/doc/OfficeArt.h"
#include "publishing/doc/PieceTable.h"
#include "publishing/doc/Plc.h"
#include "publishing/doc/Sections.h"
#include "publishing/doc/StyleSheet.h"
#include "publishing/model/Document.h"

#include <cstdint>
#include <filesystem>
#include <vector>

namespace fq::doc {

// A stretch of CPs holding one sub-document.
struct CpRange {
    std::uint32_t start = 0;
    std::uint32_t end = 0;
};

// A shape anchored in the main text (PlcSpaMom) or a header (PlcSpaHdr;
// cp is then absolute too), in twips.
struct ShapeAnchor {
    std::uint32_t cp = 0;
    std::uint32_t spid = 0;
    std::int32_t xaLeft = 0, yaTop = 0, xaRight = 0, yaBottom = 0;
    std::uint8_t bx = 0, by = 0;  // 0 margin, 1 page, 2 column / paragraph
    std::uint8_t wr = 0;          // text wrap: 1 top and bottom, 2 square, 3 none, 4 tight, 5 through
    std::uint8_t wrk = 0;         // sides the text wraps on
    bool belowText = false;       // behind the text (with no wrap)
};

struct Notes {
    std::vector<std::uint32_t> refCps;   // where each note is referenced in the main text
    std::vector<CpRange> texts;          // its text, absolute CPs
    std::vector<bool> autoNumbered;      // false: the reference has a mark of its own
};

struct DocFile {
    std::string sourcePath;              // the file read, for FILENAME fields
    std::string sourceFileName;
    Fib fib;
    PieceTable pieces;
    DocText text;
    CpRange main, footnotes, headers, endnotes, textboxes, headerTextboxes;
    PropertyRuns chpx, papx;
    StyleSheet styles;
    std::vector<FontDef> fonts;
    ListTables lists;
    std::vector<SectionDesc> sections;
    std::vector<CpRange> headerStories;  // absolute CPs, in PlcfHdd order
    Notes footnoteTable, endnoteTable;
    bool facingPages = false;            // headers and footers differ on even and odd pages
    std::vector<CpRange> textboxStories;
    std::vector<std::uint32_t> textboxShapes;  // shape id of each story, 0 for a reusable entry
    std::vector<ShapeAnchor> anchors;
    std::vector<ShapeAnchor> headerAnchors;
    std::vector<CpRange> headerTextboxStories;
    std::vector<std::uint32_t> headerTextboxShapes;
    Drawing drawing;
    Bytes wordDocument, tableStream, dataStream;
    model::DocumentProperties properties;
};

// Opens the file and parses it; throws ConversionError with the user messages.
DocFile parseDocFile(const std::filesystem::path& path);

} // namespace fq::doc
