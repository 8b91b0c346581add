// Symbol-font characters and their Unicode look-alikes.
#include "publishing/word/SymbolFonts.h"

#include "publishing/word/Utf8.h"

#include <algorithm>
#include <cctype>

namespace fq::word {

namespace {

std::string lower(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return std::tolower(c); });
    return out;
}

// The Symbol font's characters 0x20..0xFF (the Adobe Symbol encoding, with
// the euro sign Windows adds at 0xA0); 0 where the font has no glyph.
constexpr char32_t kSymbol[224] = {
    // 0x20
    0x0020, 0x0021, 0x2200, 0x0023, 0x2203, 0x0025, 0x0026, 0x220B, 0x0028, 0x0029, 0x2217, 0x002B, 0x002C, 0x2212, 0x002E, 0x002F,
    0x0030, 0x0031, 0x0032, 0x0033, 0x0034, 0x0035, 0x0036, 0x0037, 0x0038, 0x0039, 0x003A, 0x003B, 0x003C, 0x003D, 0x003E, 0x003F,
    // 0x40
    0x2245, 0x0391, 0x0392, 0x03A7, 0x0394, 0x0395, 0x03A6, 0x0393, 0x0397, 0x0399, 0x03D1, 0x039A, 0x039B, 0x039C, 0x039D, 0x039F,
    0x03A0, 0x0398, 0x03A1, 0x03A3, 0x03A4, 0x03A5, 0x03C2, 0x03A9, 0x039E, 0x03A8, 0x0396, 0x005B, 0x2234, 0x005D, 0x22A5, 0x005F,
    // 0x60
    0x203E, 0x03B1, 0x03B2, 0x03C7, 0x03B4, 0x03B5, 0x03C6, 0x03B3, 0x03B7, 0x03B9, 0x03D5, 0x03BA, 0x03BB, 0x03BC, 0x03BD, 0x03BF,
    0x03C0, 0x03B8, 0x03C1, 0x03C3, 0x03C4, 0x03C5, 0x03D6, 0x03C9, 0x03BE, 0x03C8, 0x03B6, 0x007B, 0x007C, 0x007D, 0x223C, 0,
    // 0x80
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    // 0xA0
    0x20AC, 0x03D2, 0x2032, 0x2264, 0x2044, 0x221E, 0x0192, 0x2663, 0x2666, 0x2665, 0x2660, 0x2194, 0x2190, 0x2191, 0x2192, 0x2193,
    0x00B0, 0x00B1, 0x2033, 0x2265, 0x00D7, 0x221D, 0x2202, 0x2022, 0x00F7, 0x2260, 0x2261, 0x2248, 0x2026, 0x23D0, 0x23AF, 0x21B5,
    // 0xC0
    0x2135, 0x2111, 0x211C, 0x2118, 0x2297, 0x2295, 0x2205, 0x2229, 0x222A, 0x2283, 0x2287, 0x2284, 0x2282, 0x2286, 0x2208, 0x2209,
    0x2220, 0x2207, 0x00AE, 0x00A9, 0x2122, 0x220F, 0x221A, 0x22C5, 0x00AC, 0x2227, 0x2228, 0x21D4, 0x21D0, 0x21D1, 0x21D2, 0x21D3,
    // 0xE0
    0x25CA, 0x2329, 0x00AE, 0x00A9, 0x2122, 0x2211, 0x239B, 0x239C, 0x239D, 0x23A1, 0x23A2, 0x23A3, 0x23A7, 0x23A8, 0x23A9, 0x23AA,
    0, 0x232A, 0x222B, 0x2320, 0x23AE, 0x2321, 0x239E, 0x239F, 0x23A0, 0x23A4, 0x23A5, 0x23A6, 0x23AB, 0x23AC, 0x23AD, 0,
};

// The Wingdings characters lists use as bullets.
char32_t wingdings(unsigned code) {
    switch (code) {
    case 0x6C: return 0x25CF;   // black circle
    case 0x6D: return 0x274D;   // shadowed white circle
    case 0x6E: return 0x25A0;   // black square
    case 0x6F: return 0x25A1;   // white square
    case 0x70: return 0x25A0;
    case 0x71: return 0x2751;
    case 0x72: return 0x2752;
    case 0x73: return 0x2B27;
    case 0x74: return 0x29EB;
    case 0x75: return 0x25C6;   // black diamond
    case 0x76: return 0x2756;
    case 0x77: return 0x2B25;
    case 0x9F: return 0x2022;
    case 0xA1: return 0x25CB;   // white circle
    case 0xA7: return 0x25AA;   // small black square
    case 0xA8: return 0x25FB;   // white medium square
    case 0xD8: return 0x27A2;   // arrowhead
    case 0xE0: return 0x2192;
    case 0xE8: return 0x2794;
    case 0xF0: return 0x21E8;
    case 0xFB: return 0x2717;   // ballot x
    case 0xFC: return 0x2713;   // check mark
    case 0xFE: return 0x2611;
    default: return 0;
    }
}

} // namespace

bool isSymbolFont(std::string_view font) {
    const std::string f = lower(font);
    for (const char* name : {"symbol", "wingdings", "webdings", "marlett", "mt extra", "zapf dingbats", "zapfdingbats",
                             "monotype sorts"})
        if (f.find(name) != std::string::npos) return true;
    return false;
}

std::optional<char32_t> symbolToUnicode(std::string_view font, char32_t code) {
    const bool privateUse = code >= 0xF020 && code <= 0xF0FF;
    if (privateUse) code -= 0xF000;
    if (code < 0x20 || code > 0xFF || (!privateUse && !isSymbolFont(font))) return std::nullopt;
    const std::string f = lower(font);
    char32_t mapped = 0;
    if (f.find("wingdings") != std::string::npos) {
        if (f.find('2') == std::string::npos && f.find('3') == std::string::npos) mapped = wingdings(code);
    } else if (f.find("symbol") != std::string::npos || !isSymbolFont(font)) {
        // A private-use character without a symbol font is Symbol's.
        mapped = kSymbol[code - 0x20];
    }
    if (mapped == 0) return std::nullopt;
    return mapped;
}

std::string bulletText(std::string_view text, std::string_view font, int level) {
    static const char32_t levelBullets[] = {0x2022, 0x25E6, 0x25AA};
    const char32_t usual = levelBullets[(level < 0 ? 0 : level) % 3];
    const bool symbolFont = isSymbolFont(font);
    std::string out;
    if (text == "o" && lower(font).find("courier") != std::string::npos) {
        appendUtf8(out, 0x25E6);                  // "o" in Courier New shows a white bullet
        return out;
    }
    for (std::size_t i = 0; i < text.size();) {
        const char32_t c = nextCodePoint(text, i);
        const bool privateUse = c >= 0xF000 && c <= 0xF0FF;
        if (privateUse || (symbolFont && c < 0x100)) appendUtf8(out, symbolToUnicode(font, c).value_or(usual));
        else appendUtf8(out, c);
    }
    return out;
}

} // namespace fq::word
