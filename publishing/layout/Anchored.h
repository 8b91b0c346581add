// Floating pictures and drawn shapes as the page builder places them: the
// drawn frame a shape becomes, the rectangle a floating anchor resolves to,
// the page border of a section, and the drawings of headers and footers
// (inline pictures stand in their paragraph's place, floating ones where
// their anchor puts them, on every page).
#pragma once

#include "publishing/model/Publication.h"

#include <optional>
#include <span>
#include <vector>

namespace fq::layout {

struct SectionFrames;

// The drawn frame of a shape: its look, and its text as paragraphs (tables
// inside give a line per row, see TableText). Pictures
// and shapes inside stand where their paragraphs leave room for them (see
// HeaderFooterContent, which lays out a shape's text as a header's).
model::DrawingFrame drawingFrame(const model::DrawingShape& shape);

// The size a shape is drawn at: its stated size, at least a hairline.
model::Rect shapeSize(const model::DrawingShape& shape);

// Where a floating object of the given size stands on the page: the
// anchor's offsets, the vertical one from paragraphTop when the object moves
// with its paragraph; scaled down to the page when larger, and kept on it.
model::Rect floatingRect(const model::FloatingAnchor& anchor, double widthPt, double heightPt,
                         double paragraphTop, double pageWidth, double pageHeight);

// The shapes of the section's page border, for the page of the section
// with the given index (0 = its first page); none when it has none there.
std::vector<model::Shape> pageBorderShapes(const model::PageBorders& borders, const model::PageGeometry& geometry,
                                           const SectionFrames& frames, int pageInSection);

// One floating picture or shape of a header or footer, with where it sits.
struct PlacedDrawing {
    model::Shape shape;
    bool behindText = true;
    int zOrder = 0;
    std::optional<model::FloatingAnchor> anchor;   // floating ones: how the body's text makes room
};

// What a header or footer holds besides its text: the paragraphs of its
// frame (inline pictures and shapes leave room in the paragraph that
// follows them, or in a paragraph of their own; those with nothing between
// them, as in the cells of a table row, stand side by side), and the
// drawings it places. A table gives a line per row (see TableText), below
// the drawings of the row's cells (a header's or footer's own tables stand
// as tables between its stretches of paragraphs, see HeaderFooterArea).
struct HeaderFooterContent {
    std::vector<model::Paragraph> paragraphs;
    bool hasDrawings = false;
    // Drawings placed relative to the frame's top left corner (inline ones)
    // or to the page (floating ones); see place().
    struct Item {
        const model::Block* block = nullptr;
        bool inlineItem = false;
        std::size_t paragraph = 0;          // inline: the paragraph whose room it takes
        bool startsRow = true;              // inline items with nothing between them stand side by side
        model::Alignment alignment = model::Alignment::Left;
    };
    std::vector<Item> items;
    // The drawings on a page whose frame stands at frame (the frame of the
    // header or footer, or where it would stand).
    std::vector<PlacedDrawing> place(const model::Rect& frame, double pageWidth, double pageHeight) const;
    // The boxes of its bordered and shaded paragraphs in a frame at frame.
    std::vector<model::Shape> paragraphBoxes(const model::Rect& frame) const;
};

HeaderFooterContent headerFooterContent(std::span<const model::Block> blocks);

} // namespace fq::layout
