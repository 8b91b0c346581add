// Converts the OfficeArt shapes of a .doc into the neutral model: a floating
// shape anchored in the text (FSPA) becomes a picture, a drawn shape (preset
// or custom outline, fill, line, arrowheads, rotation, flips, WordArt, the
// text of its text box) or, for a group, its members placed by the group's
// coordinate space; its anchor carries the position, wrap, layer and
// z-order.
#pragma once

#include "publishing/doc/DocFile.h"
#include "publishing/model/Document.h"

#include <functional>
#include <vector>

namespace fq::doc {

// The blocks of a text box's story, by the shape that shows it (empty when
// it has none).
using TextBoxText = std::function<std::vector<model::Block>(std::uint32_t spid)>;

// The blocks the shape anchored by a becomes, each with its anchor.
// zOrder orders the document's floating shapes.
std::vector<model::Block> floatingShapeBlocks(const ShapeAnchor& a, const Drawing& drawing,
                                              const model::PageGeometry& page, const TextBoxText& text, int zOrder);

// An OfficeArt colour (0x00BBGGRR; other kinds fall back).
model::Color officeArtColor(std::uint32_t value, model::Color fallback);

} // namespace fq::doc
