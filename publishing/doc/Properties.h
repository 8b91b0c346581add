// The character (CHP), paragraph (PAP) and section (SEP) properties as the
// format holds them (twips, half-points, colour indices), and how each sprm
// changes them. Converting to points and model enums happens in the converter.
#pragma once

#include "publishing/doc/AutoNumbering.h"
#include "publishing/doc/Borders.h"
#include "publishing/doc/ByteReader.h"
#include "publishing/doc/Sprm.h"

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <utility>
#include <vector>

namespace fq::doc {

struct Chp {
    bool bold = false, italic = false, strike = false, dstrike = false, smallCaps = false, caps = false;
    bool vanish = false, special = false, ole2 = false, object = false, data = false, deleted = false;
    std::uint16_t hps = 20;            // half-points
    std::uint16_t ftc[3] = {0, 0, 0};  // ASCII, East Asian, other
    std::uint8_t kul = 0;              // underline kind
    std::uint8_t ico = 0;              // colour index, 0 = auto
    std::optional<std::uint32_t> cv;   // 0x00BBGGRR, set by sprmCCv
    std::uint8_t iss = 0;              // 1 superscript, 2 subscript
    std::int16_t hpsPos = 0;
    std::optional<std::uint32_t> picLocation;
    std::optional<std::pair<std::uint16_t, char16_t>> symbol;   // sprmCSymbol: font index and character
    std::uint16_t istd = 10;           // character style
    std::optional<std::uint32_t> highlight, shading;   // 0x00BBGGRR
};

struct Pap {
    std::uint16_t istd = 0;
    std::uint8_t jc = 0;
    std::int32_t dxaLeft = 0, dxaRight = 0, dxaLeft1 = 0;
    std::uint16_t dyaBefore = 0, dyaAfter = 0;
    bool beforeAuto = false, afterAuto = false;  // "auto" spacing: 14 points
    std::int16_t dyaLine = 240;
    bool multLine = true;
    bool keep = false, keepFollow = false, pageBreakBefore = false;
    bool widowControl = true, contextualSpacing = false;
    bool inTable = false, ttp = false, innerCell = false, innerTtp = false;
    std::int32_t itap = 0;
    std::vector<std::int16_t> tabs;    // twips from the paragraph's left edge
    // The alignment (jc, low 3 bits) and leader (tlc, next 3 bits) of the
    // stops that have any, by position.
    std::map<std::int16_t, std::uint8_t> tabDescriptors;
    std::uint16_t ilfo = 0;
    std::uint8_t ilvl = 0;
    BorderSet borders;
    std::optional<std::uint32_t> shading;   // 0x00BBGGRR
    std::uint8_t nLvlAnm = 0;          // Word 6.0/95 numbering level
    Anld anld;                         // Word 6.0/95 label description
    std::uint8_t dropCap = 0;          // DCS fdct: 1 dropped, 2 in the margin
};

struct Sep {
    std::uint8_t bkc = 2;              // 0 continuous, 1 column, 2 new page, 3 even, 4 odd
    bool titlePage = false;
    std::uint32_t xaPage = 12240, yaPage = 15840;
    std::int32_t dxaLeft = 1800, dxaRight = 1800;
    std::int32_t dyaTop = 1440, dyaBottom = 1440;
    std::uint32_t dyaHdrTop = 720, dyaHdrBottom = 720;
    std::uint16_t ccolM1 = 0;          // columns less one
    std::int32_t dxaColumns = 720;     // room between evenly spaced columns
    bool evenlySpaced = true, lineBetween = false;
    std::map<std::uint8_t, std::pair<std::uint16_t, std::uint16_t>> columnSizes;   // index -> width, space after
    std::uint8_t nfcPgn = 0;
    bool pgnRestart = false;
    std::uint16_t pgnStart = 1;
    std::uint16_t clm = 0;             // line grid: 0 none
    std::int32_t dyaLinePitch = 0;
    std::uint8_t rncFtn = 0, rncEdn = 0;   // 0 continuous, 1 per section, 2 per page
    std::uint16_t nFtn = 1, nEdn = 1;
    std::uint16_t nfcFtnRef = 0, nfcEdnRef = 2;
    BorderSet pageBorders;
    std::uint16_t pageBorderOptions = 0;   // sprmSPgbProp: pages shown on, offset origin
};

// Applies every character sprm of grpprl. Toggle operands 0x80/0x81 refer
// to styleChp (the value the style gives).
void applyChp(Chp& chp, const Chp& styleChp, std::span<const std::uint8_t> grpprl);
// Applies every paragraph sprm; dataStream serves sprmPHugePapx.
void applyPap(Pap& pap, std::span<const std::uint8_t> grpprl, const ByteReader* dataStream = nullptr);
void applySep(Sep& sep, std::span<const std::uint8_t> grpprl);

} // namespace fq::doc
