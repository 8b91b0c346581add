// Code page tables and UTF-8 output.
#include "publishing/doc/TextEncoding.h"

#include <iconv.h>

#include <string>

namespace fq::doc {

namespace {

constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

} // namespace

CodePage::CodePage(int codePage) : number_(codePage) {
    for (int i = 0; i < 256; ++i) table_[i] = static_cast<char16_t>(i);
    if (codePage == 1252 || codePage <= 0) {
        number_ = 1252;
        for (int i = 0; i < 32; ++i) table_[0x80 + i] = kCp1252High[i];
        return;
    }
    const std::string name = "CP" + std::to_string(codePage);
    iconv_t cd = iconv_open("UTF-16LE", name.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        number_ = 1252;
        for (int i = 0; i < 32; ++i) table_[0x80 + i] = kCp1252High[i];
        return;
    }
    for (int i = 0x80; i < 256; ++i) {
        char in[1] = {static_cast<char>(i)};
        char out[8] = {};
        char* pin = in;
        char* pout = out;
        std::size_t inLeft = 1, outLeft = sizeof out;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        if (iconv(cd, &pin, &inLeft, &pout, &outLeft) != static_cast<std::size_t>(-1) && outLeft == sizeof out - 2)
            table_[i] = static_cast<char16_t>(static_cast<unsigned char>(out[0]) | (static_cast<unsigned char>(out[1]) << 8));
        else
            table_[i] = u'\uFFFD';
    }
    iconv_close(cd);
}

int codePageForLanguage(std::uint16_t lid) {
    switch (lid & 0x3FF) {
    case 0x02: case 0x19: case 0x22: case 0x23: case 0x2F: case 0x44: case 0x3F: case 0x40: case 0x50:
        return 1251;
    case 0x05: case 0x0E: case 0x15: case 0x18: case 0x1B: case 0x24: case 0x1C:
        return 1250;
    case 0x1A:
        return (lid == 0x0C1A || lid == 0x1C1A) ? 1251 : 1250;
    case 0x08: return 1253;
    case 0x1F: case 0x2C: return 1254;
    case 0x0D: return 1255;
    case 0x01: case 0x20: case 0x29: return 1256;
    case 0x25: case 0x26: case 0x27: return 1257;
    case 0x2A: return 1258;
    case 0x1E: return 874;
    default: return 1252;
    }
}

int codePageForCharset(std::uint8_t chs) {
    switch (chs) {
    case 0: return 1252;
    case 238: return 1250;
    case 204: return 1251;
    case 161: return 1253;
    case 162: return 1254;
    case 177: return 1255;
    case 178: return 1256;
    case 186: return 1257;
    case 163: return 1258;
    case 222: return 874;
    default: return 0;
    }
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::string utf16ToUtf8(const std::u16string& s) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        char32_t c = s[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (s[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c < 0xE000) {
            c = 0xFFFD;
        }
        appendUtf8(out, c);
    }
    return out;
}

} // namespace fq::doc
