// Character conversions the reader needs: 8-bit Windows code pages to
// UTF-16 (cp1252 built in, others through iconv), and UTF-16 to UTF-8.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace fq::doc {

// A table from the 256 byte values of one code page to UTF-16 code units.
class CodePage {
public:
    explicit CodePage(int codePage = 1252);
    char16_t operator[](std::uint8_t b) const { return table_[b]; }
    int number() const { return number_; }

private:
    std::array<char16_t, 256> table_{};
    int number_ = 1252;
};

// The ANSI code page Windows uses for a language id (LID).
int codePageForLanguage(std::uint16_t lid);
// The ANSI code page of a font character set (FFN chs), 0 when unknown.
int codePageForCharset(std::uint8_t chs);

void appendUtf8(std::string& out, char32_t c);
std::string utf16ToUtf8(const std::u16string& s);

} // namespace fq::doc
