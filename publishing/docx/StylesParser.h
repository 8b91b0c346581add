// Reads styles.xml (document defaults, paragraph, character and table styles)
// and the major/minor fonts of the theme part.
#pragma once

#include "publishing/docx/DocxModel.h"

#include <pugixml.hpp>

namespace fq::docx {

Styles parseStyles(const pugi::xml_node& root);
ThemeFonts parseThemeFonts(const pugi::xml_node& root);

} // namespace fq::docx
