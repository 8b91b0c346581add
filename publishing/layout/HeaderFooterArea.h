// The shapes a header or footer puts on each page: its paragraphs in text
// frames of the header's (footer's) role, written with the heights Word
// gives their lines (see FrameLines), with its tables between them as
// table pieces of their own (a text frame cannot hold a table, a page can),
// stacked from the area's top. A table in a header is never broken: the
// header grows with it. The pictures and shapes of a stretch of paragraphs
// stand as HeaderFooterContent places them; those in table cells over
// their cells, or where their anchors put them when they float.
#pragma once

#include "publishing/layout/Anchored.h"
#include "publishing/model/Publication.h"

#include <vector>

namespace fq::layout {

struct HeaderFooterArea {
    // Paragraphs between tables: where their frame stands (without the
    // lift of its first line) and what they hold besides text.
    struct Stretch {
        double yPt = 0.0;
        double heightPt = 0.0;
        HeaderFooterContent content;
    };
    // A floating picture or shape of a table's cell; topPt: where the
    // cell's content begins.
    struct CellDrawing {
        model::Block block;
        double topPt = 0.0;
    };

    std::vector<model::Shape> shapes;       // frames, table pieces, pictures over cells; y from the area's top
    std::vector<Stretch> stretches;
    std::vector<CellDrawing> cellDrawings;
    double heightPt = 0.0;

    // The shapes for an area at area (text frames end where it ends, when
    // it was cut to leave the body its room).
    std::vector<model::Shape> placed(const model::Rect& area) const;
    // The pictures and shapes of its paragraphs, and the floating ones of
    // its tables' cells, on a page where the area stands at area.
    std::vector<PlacedDrawing> drawings(const model::Rect& area, double pageWidth, double pageHeight) const;
    // The boxes of its bordered and shaded paragraphs.
    std::vector<model::Shape> paragraphBoxes(const model::Rect& area) const;
};

HeaderFooterArea layOutHeaderFooter(const std::vector<model::Block>& blocks, model::FrameRole role, double leftPt,
                                    double widthPt, double pageWidthPt);

} // namespace fq::layout
