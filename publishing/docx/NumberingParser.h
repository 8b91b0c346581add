// Reads numbering.xml: abstract numberings with their levels, and the
// numbering instances (w:num) with their level overrides.
#pragma once

#include "publishing/docx/DocxModel.h"

#include <pugixml.hpp>

namespace fq::docx {

Numbering parseNumbering(const pugi::xml_node& root);

} // namespace fq::docx
