// Reads the drawing Word stores for a SmartArt diagram (dsp:drawing): its
// shapes with their geometry, look and text, as drawn shapes of the typed
// model in the diagram's own space (EMU from its top left corner).
#pragma once

#include "publishing/docx/DocxModel.h"
#include "publishing/docx/DrawingMl.h"

#include <pugixml.hpp>

#include <vector>

namespace fq::docx {

std::vector<DrawnShape> parseDiagramDrawing(const pugi::xml_node& drawing, const PartResolver& resolve);

// The relationship id of a SmartArt data part's stored drawing (the
// dataModelExt in its extension list), empty when it names none.
std::string diagramDrawingId(const pugi::xml_node& dataModel);

} // namespace fq::docx
