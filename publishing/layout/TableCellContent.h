// The content of one table cell as the table layout places it: its
// paragraphs measured at the cell's inner width, inline pictures and
// shapes as paragraphs that keep their height free (the picture or shape
// itself is placed over that space, a shape with its text), nested tables
// as lines of text (TableText). Content that does not fit where the cell
// ends on a page is cut between lines (keeping lines together and leaving
// no widow or orphan where a paragraph asks so) and continues in the
// cell's next piece.
#pragma once

#include "publishing/layout/ParagraphMeasure.h"
#include "publishing/model/Document.h"

#include <optional>
#include <vector>

namespace fq::layout {

// An inline picture, or an inline drawn shape (then picture only gives
// the alignment).
struct CellPicture {
    model::Picture picture;
    std::optional<model::DrawingShape> shape;
    double offsetPt = 0.0;                  // from the top of the part's content
    double widthPt = 0.0;
    double heightPt = 0.0;
};

// What goes into one piece of a cell.
struct CellPart {
    std::vector<model::Paragraph> paragraphs;
    std::vector<CellPicture> pictures;
    double heightPt = 0.0;                  // of the content, margins excluded
};

class CellContent {
public:
    // cells: the cell and the cells that continue its vertical merge.
    // Pictures are scaled to fit widthPt and maxHeightPt.
    CellContent(const std::vector<const model::TableCell*>& cells, double widthPt, double maxHeightPt);

    double heightPt() const;
    bool empty() const { return items_.empty(); }
    // Takes from the front what fits into heightPt. With force, at least
    // one line (or picture) is taken, so that a cell on an otherwise empty
    // page always makes progress.
    CellPart take(double heightPt, bool force);
    CellPart takeAll() { return take(1e12, false); }
    // Floating pictures and shapes found in the cell; they keep their page position.
    std::vector<model::Block> takeAnchored() { return std::move(anchored_); }

private:
    struct Item {
        model::Paragraph paragraph;         // as written; for a picture, the paragraph holding its space
        MeasuredParagraph measured;
        int firstLine = 0;                  // lines before it went into an earlier piece
        std::optional<CellPicture> picture;
        double heightPt() const;
        model::Paragraph rest() const;      // the paragraph from firstLine on
    };

    void collect(const std::vector<model::Block>& blocks, double widthPt, double maxHeightPt);
    void addInline(CellPicture placed, double widthPt);

    std::vector<Item> items_;
    std::vector<model::Block> anchored_;
};

} // namespace fq::layout
