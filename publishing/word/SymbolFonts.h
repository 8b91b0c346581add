// Fonts whose characters are pictures rather than letters (Symbol,
// Wingdings, Webdings, ...). Word stores their characters either as
// private-use code points U+F020..U+F0FF or as the byte values 0x20..0xFF
// with the font set on the run; the glyph depends on the font.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace fq::word {

bool isSymbolFont(std::string_view font);

// The Unicode character that shows what the symbol font draws for the
// code (either form), when one is known.
std::optional<char32_t> symbolToUnicode(std::string_view font, char32_t code);

// A bullet's text as Unicode characters a text font can show: symbol-font
// characters mapped to their look-alikes, unknown ones to the usual bullet
// of the list level (0-based).
std::string bulletText(std::string_view text, std::string_view font, int level);

} // namespace fq::word
