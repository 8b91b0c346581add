// Reads styles.xml (document defaults, paragraph, character and table styles)
// the major/minor fonts of the theme part and the font table's symbol fonts.
#pragma once

#include "publishing/docx/DocxModel.h"

#include <pugixml.hpp>

namespace fq::docx {

Styles parseStyles(const pugi::xml_node& root);
ThemeFonts parseThemeFonts(const pugi::xml_node& root);
// The names of the font table's fonts of the symbol character set (w:charset
// 02): their characters are pictures at the codes F020..F0FF.
std::set<std::string> parseSymbolCharsetFonts(const pugi::xml_node& root);

} // namespace fq::docx
