// Converts the drawn shapes and floating anchors of the typed model into the
// neutral model: DrawingML preset names and VML shape types to presets,
// custom paths, colours (theme colours and their modifications resolved),
// fills and lines (with the theme references of wps:style), text boxes,
// WordArt, groups (flattened, each member placed by the group's transform)
// and the anchor of a floating drawing against its section's page.
#pragma once

#include "publishing/docx/DocxModel.h"
#include "publishing/model/Document.h"

#include <functional>
#include <vector>

namespace fq::docx {

// Converts a story's blocks (a text box's content) into model blocks.
using StoryConverter = std::function<std::vector<model::Block>(const std::vector<Block>&)>;

// One converted member of a drawing and its offset from the drawing's
// top left corner (points), for the anchor.
struct ConvertedShape {
    model::Block block;
    double dxPt = 0.0, dyPt = 0.0;
};

class ShapeConverter {
public:
    explicit ShapeConverter(const WordDocument& doc) : doc_(doc) {}

    // The drawing's shapes, groups flattened, in drawing order. Floating
    // drawings' members carry an anchor to be resolved with floatingAnchor.
    std::vector<ConvertedShape> convert(const Drawing& d, const StoryConverter& text) const;

    // A colour with the theme and its modifications resolved; alpha goes to
    // opacity when given.
    model::Color color(const DmlColor& c, model::Color fallback, double* opacity = nullptr) const;

private:
    void shape(const DrawnShape& s, double x, double y, double scaleX, double scaleY, const Drawing& d,
               const StoryConverter& text, std::vector<ConvertedShape>& out, int depth) const;
    model::ShapeFill fill(const DmlFill& f) const;

    const WordDocument& doc_;
};

// The anchor of a floating drawing of the given size on the section's page:
// offsets from the page (or from the top of the anchoring paragraph, for
// drawings placed relative to their paragraph or line), how the text wraps
// around it, whether it stands behind the text, its z-order and distances.
model::FloatingAnchor floatingAnchor(const Drawing& d, double widthPt, double heightPt, const model::PageGeometry& g);

// The size of a drawing on the section's page (points): its extent, or its
// share of the page or margins when it is given as a percentage.
std::pair<double, double> drawingSize(const Drawing& d, const model::PageGeometry& g);

// The model's preset for a DrawingML preset name (Rectangle when unknown).
model::PresetShape presetFromName(const std::string& name);

} // namespace fq::docx
