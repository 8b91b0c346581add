// Table properties (TAP) of one Word 97-2003 table row, as the format keeps
// them: the table sprms in the paragraph properties of the row's end mark.
// Lengths stay in twips, borders and shading in their stored form; the
// table assembly (Tables.h) turns them into the model's units.
#pragma once

#include "publishing/doc/Borders.h"
#include "publishing/doc/ByteReader.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace fq::doc {

// Cell shading (Shd80 or Shd): a pattern of the fore colour over the back colour.
struct Shd {
    std::optional<std::uint32_t> fore, back;   // 0x00BBGGRR; unset: automatic
    std::uint16_t ipat = 0;                    // 0 clear, 1 solid, 2.. percentages and hatches
    bool nil = false;
};

// A preferred width (FtsWWidth): its unit (ftsWidth: 1 auto, 2 fiftieths
// of a percent, 3 and 0x13 twips; 0 none) and value.
struct FtsWidth {
    std::uint8_t fts = 0;
    std::int16_t value = 0;
};

enum BrcSide { kTop = 0, kLeft = 1, kBottom = 2, kRight = 3, kInsideH = 4, kInsideV = 5 };

// One cell's descriptor (TC) with what later sprms change in it.
struct TapCell {
    bool firstMerged = false, merged = false;      // horizontal merge (older files)
    bool vertMerge = false, vertRestart = false;
    std::uint8_t vertAlign = 0;                    // 0 top, 1 centre, 2 bottom
    std::array<std::optional<Brc>, 4> borders;     // top, left, bottom, right; unset: zero
    std::optional<Shd> shading;
    std::array<std::optional<std::int16_t>, 4> padding;   // top, left, bottom, right, twips
    FtsWidth width;                                // preferred width
};

struct Tap {
    bool defined = false;                          // a sprmTDefTable was read
    std::vector<std::int16_t> centers;             // cell boundaries from the left margin (cells + 1)
    std::vector<TapCell> cells;
    std::uint8_t jc = 0;                           // 0 left, 1 centred, 2 right
    std::optional<std::int16_t> gapHalf;           // half the space between cells' text
    std::int16_t rowHeight = 0;                    // > 0 at least, < 0 exactly, 0 automatic
    bool cantSplit = false, header = false;
    std::array<std::optional<Brc>, 6> borders;     // top, left, bottom, right, inside H, inside V
    std::array<std::optional<std::int16_t>, 4> padding;   // default cell margins, twips
    std::optional<std::int16_t> spacing;           // default cell spacing, twips
    std::optional<Shd> shading;                    // the table's background
    FtsWidth width, widthBefore, widthAfter;       // preferred widths of the table and around the row's cells
    bool autofit = false;
};

// Applies the table sprms of grpprl to tap; other sprms are skipped. The
// Data stream, when given, serves sprmPHugePapx.
void applyTap(Tap& tap, std::span<const std::uint8_t> grpprl, const ByteReader* dataStream = nullptr);

Shd readShd80(std::uint16_t v);
Shd readShd(const std::uint8_t* p);

// The colour of a colour index (Brc80, Shd80) as 0x00BBGGRR; unset for 0
// (automatic) and unknown indices.
std::optional<std::uint32_t> icoColorRef(std::uint8_t ico);

} // namespace fq::doc
