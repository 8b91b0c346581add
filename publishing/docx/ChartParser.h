// Reads a chart part (c:chartSpace) into the typed model: the first plot,
// its series with their cached names, categories and values, colours,
// title and legend.
#pragma once

#include "publishing/docx/DocxModel.h"

#include <pugixml.hpp>

namespace fq::docx {

ChartPart parseChartPart(const pugi::xml_node& chartSpace);

} // namespace fq::docx
