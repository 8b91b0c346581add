// Reads settings.xml: the document-wide page and note settings.
#pragma once

#include "publishing/docx/DocxModel.h"

#include <pugixml.hpp>

namespace fq::docx {

Settings parseSettings(const pugi::xml_node& root);

} // namespace fq::docx
