// The Word 6.0/95 sprm sizes and their Word 97 equivalents.
#include "publishing/doc/Word6Sprms.h"

#include "publishing/doc/Sprm.h"

#include <array>

namespace fq::doc {

namespace {

constexpr int kVar = -1;      // a length byte follows
constexpr int kVar16 = -2;    // a 16-bit length follows
constexpr int kTabs = -3;     // the tab change layout
constexpr int kUnknown = -4;  // size unknown: the walk stops

struct Sizes {
    std::array<int, 256> size{};
    constexpr Sizes() {
        for (auto& s : size) s = kUnknown;
        auto set = [&](int from, int to, int n) { for (int i = from; i <= to; ++i) size[i] = n; };
        size[0] = 0;
        size[2] = 2; size[3] = kVar; set(4, 11, 1); size[12] = kVar; set(13, 14, 1); size[15] = kVar;
        set(16, 19, 2); size[20] = 4; set(21, 22, 2); size[23] = kTabs; set(24, 25, 1); set(26, 28, 2);
        size[29] = 1; set(30, 36, 2); size[37] = 1; set(38, 43, 2); size[44] = 1; set(45, 49, 2);
        set(50, 51, 1); size[52] = kVar; set(53, 58, 1); set(59, 60, 2);
        set(65, 67, 1); size[68] = kVar; size[69] = 2; size[70] = 4; size[71] = 1; size[72] = 2; size[73] = 3;
        size[74] = kVar; size[75] = 1; size[80] = 2; size[81] = kVar; size[82] = kVar; size[83] = 0;
        set(85, 92, 1); size[93] = 2; size[94] = 1; size[95] = 3; set(96, 97, 2); size[98] = 1; size[99] = 2;
        size[100] = 1; size[101] = 2; size[102] = 1; size[103] = kVar; size[104] = 1; set(105, 106, kVar);
        size[107] = 2; size[108] = kVar; set(109, 110, 2); set(117, 119, 1); size[120] = kVar; set(121, 124, 2);
        set(131, 132, 1); size[133] = kVar; set(136, 137, 3); set(138, 139, 1); set(140, 141, 2);
        set(142, 143, 1); set(144, 145, 2); set(146, 147, 1); set(148, 149, 2); set(150, 153, 1);
        set(154, 157, 2); set(158, 159, 1); set(160, 161, 2); size[162] = 1; set(164, 171, 2);
        set(182, 184, 2); set(185, 186, 1); size[187] = 12; size[188] = kVar16; size[189] = 2; size[190] = kVar16;
        size[191] = kVar; size[192] = 4; size[193] = 5; size[194] = 4; size[195] = 2; size[196] = 4;
        set(197, 198, 2); size[199] = 5; size[200] = 4;
    }
};

constexpr Sizes kSizes;

std::uint16_t word97Opcode(std::uint8_t op) {
    switch (op) {
    case 2: return sprm::PIstd;
    case 5: return sprm::PJc80;
    case 7: return sprm::PFKeep;
    case 8: return sprm::PFKeepFollow;
    case 9: return sprm::PFPageBreakBefore;
    case 12: return sprm::PAnld;
    case 13: return sprm::PNLvlAnm;
    case 15: return sprm::PChgTabsPapx;
    case 16: return sprm::PDxaRight80;
    case 17: return sprm::PDxaLeft80;
    case 19: return sprm::PDxaLeft180;
    case 20: return sprm::PDyaLine;
    case 21: return sprm::PDyaBefore;
    case 22: return sprm::PDyaAfter;
    case 23: return sprm::PChgTabs;
    case 24: return sprm::PFInTable;
    case 25: return sprm::PFTtp;
    case 46: return sprm::PDcs;
    case 68: return sprm::CPicLocation;
    case 65: return sprm::CFRMarkDel;
    case 71: return sprm::CFData;
    case 74: return sprm::CSymbol;
    case 75: return sprm::CFOle2;
    case 80: return sprm::CIstd;
    case 85: return sprm::CFBold;
    case 86: return sprm::CFItalic;
    case 87: return sprm::CFStrike;
    case 90: return sprm::CFSmallCaps;
    case 91: return sprm::CFCaps;
    case 92: return sprm::CFVanish;
    case 93: return sprm::CRgFtc0;
    case 94: return sprm::CKul;
    case 98: return sprm::CIco;
    case 99: return sprm::CHps;
    case 101: return sprm::CHpsPos;
    case 104: return sprm::CIss;
    case 117: return sprm::CFSpec;
    case 118: return sprm::CFObj;
    case 182: return sprm::TJc90;
    case 184: return sprm::TDxaGapHalf;
    case 185: return sprm::TFCantSplit90;
    case 186: return sprm::TTableHeader;
    case 187: return sprm::TTableBorders80;
    case 189: return sprm::TDyaRowHeight;
    case 190: return sprm::TDefTable;
    case 191: return sprm::TDefTableShd80;
    case 193: return sprm::TSetBrc80;
    case 194: return sprm::TInsert;
    case 195: return sprm::TDelete;
    case 196: return sprm::TDxaCol;
    case 197: return sprm::TMerge;
    case 198: return sprm::TSplit;
    case 142: return sprm::SBkc;
    case 143: return sprm::SFTitlePage;
    case 156: return sprm::SDyaHdrTop;
    case 157: return sprm::SDyaHdrBottom;
    case 164: return sprm::SXaPage;
    case 165: return sprm::SYaPage;
    case 166: return sprm::SDxaLeft;
    case 167: return sprm::SDxaRight;
    case 168: return sprm::SDyaTop;
    case 169: return sprm::SDyaBottom;
    default: return 0;
    }
}

// A Word 6 border (16 bits: line width in 0.75 point steps, 6 and 7 for
// dotted and dashed; type; shadow; colour index; space) as a Word 97 Brc80.
void appendBrc80(Bytes& out, std::uint16_t brc) {
    unsigned width = brc & 0x7, type = (brc >> 3) & 0x3;
    if (type != 0 && width >= 6) {
        type = width == 6 ? 6 : 7;
        width = 1;
    }
    const unsigned ico = (brc >> 6) & 0x1F, space = (brc >> 11) & 0x1F;
    if (type == 0) width = 0;
    out.push_back(static_cast<std::uint8_t>(width * 6));
    out.push_back(static_cast<std::uint8_t>(type));
    out.push_back(static_cast<std::uint8_t>(type ? ico : 0));
    out.push_back(static_cast<std::uint8_t>(type ? space : 0));
}

// Word 6 table operands whose structures Word 97 widened: borders of two
// bytes become four, a cell descriptor of ten bytes one of twenty.
Bytes widenTableOperand(std::uint8_t op, std::span<const std::uint8_t> o) {
    Bytes out;
    auto brcAt = [&](std::size_t at) { return static_cast<std::uint16_t>(o[at] | (o[at + 1] << 8)); };
    if (op == 187) {
        for (std::size_t at = 0; at + 2 <= o.size() && at < 12; at += 2) appendBrc80(out, brcAt(at));
    } else if (op == 193) {
        if (o.size() < 5) return out;
        out.assign(o.begin(), o.begin() + 3);
        appendBrc80(out, brcAt(3));
    } else if (op == 190) {
        if (o.empty()) return out;
        const std::size_t cells = o[0], centers = 1 + (cells + 1) * 2;
        if (o.size() < centers) return out;
        out.assign(o.begin(), o.begin() + static_cast<std::ptrdiff_t>(centers));
        for (std::size_t at = centers; at + 10 <= o.size(); at += 10) {
            out.push_back(o[at] & 0x03);   // first merged, merged
            out.push_back(0);
            out.push_back(0);              // no preferred width
            out.push_back(0);
            for (std::size_t side = 0; side < 4; ++side) appendBrc80(out, brcAt(at + 2 + side * 2));
        }
    }
    return out;
}

} // namespace

Bytes translateWord6Grpprl(std::span<const std::uint8_t> g) {
    Bytes out;
    std::size_t off = 0;
    while (off < g.size()) {
        const std::uint8_t op = g[off++];
        const int size = kSizes.size[op];
        std::size_t start = off, len = 0;
        if (size >= 0) {
            len = static_cast<std::size_t>(size);
        } else if (size == kVar) {
            if (off >= g.size()) break;
            len = g[off];
            start = off + 1;
        } else if (size == kVar16) {
            if (off + 2 > g.size()) break;
            len = static_cast<std::size_t>(g[off] | (g[off + 1] << 8));
            start = off + 2;
        } else if (size == kTabs) {
            if (off >= g.size()) break;
            len = g[off];
            start = off + 1;
        } else {
            break;
        }
        if (start > g.size() || len > g.size() - start) break;
        const std::uint16_t to = word97Opcode(op);
        if (to != 0) {
            auto operand = g.subspan(start, len);
            if (op == 68 && len >= 4) operand = operand.subspan(0, 4);  // the picture's offset
            Bytes widened;
            if (op == 12) {
                // The ANLD's 32 one-byte characters widened to Word 97's UTF-16 ones.
                if (len < 20) {
                    off = start + len;
                    continue;
                }
                widened.assign(operand.begin(), operand.begin() + 20);
                for (std::size_t k = 20; k < len && k < 52; ++k) {
                    widened.push_back(operand[k]);
                    widened.push_back(0);
                }
                operand = widened;
            } else if (op == 74) {
                // The font index, then the character as one byte: widened to Word 97's two.
                if (len < 3) {
                    off = start + len;
                    continue;
                }
                widened = {operand[0], operand[1], operand[2], 0};
                operand = widened;
            } else if (op == 187 || op == 190 || op == 193) {
                widened = widenTableOperand(op, operand);
                operand = widened;
            }
            out.push_back(static_cast<std::uint8_t>(to & 0xFF));
            out.push_back(static_cast<std::uint8_t>(to >> 8));
            if (to == sprm::TDefTable) {
                // Its size is 16 bits and counts one byte more than follows.
                out.push_back(static_cast<std::uint8_t>((operand.size() + 1) & 0xFF));
                out.push_back(static_cast<std::uint8_t>((operand.size() + 1) >> 8));
            } else if ((to >> 13) == 6) {
                out.push_back(static_cast<std::uint8_t>(operand.size()));
            }
            out.insert(out.end(), operand.begin(), operand.end());
        }
        off = start + len;
    }
    return out;
}

} // namespace fq::doc
