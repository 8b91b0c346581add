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
            }
            out.push_back(static_cast<std::uint8_t>(to & 0xFF));
            out.push_back(static_cast<std::uint8_t>(to >> 8));
            if ((to >> 13) == 6) out.push_back(static_cast<std::uint8_t>(operand.size()));
            out.insert(out.end(), operand.begin(), operand.end());
        }
        off = start + len;
    }
    return out;
}

} // namespace fq::doc
