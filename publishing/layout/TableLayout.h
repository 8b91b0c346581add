// Lays a table out at the flow's position: rows as tall as their cells'
// content (and the row's height rule), vertically merged cells over their
// rows, and a table longer than the space left continued on the next page
// as a new piece that repeats the header rows. A row, or a band of rows
// that vertically merged cells tie together, that does not fit in the
// space left but fits on a page goes to the next page whole, so that its
// cells read on; a band taller than a page is broken where the page ends,
// between rows or inside a row (its cells' paragraphs cut between lines),
// a row that must stay whole moving on when it fits on a page.
#pragma once

#include "publishing/model/Publication.h"

namespace fq::layout {

// The page side of the table layout, given by the page builder.
class TableFlow {
public:
    virtual ~TableFlow() = default;
    virtual model::Rect body() const = 0;          // the text area of the current page
    virtual double pageWidth() const = 0;
    virtual double cursor() const = 0;             // where the table may begin on the current page
    // Nothing of the flow stands above the cursor on this page: a new page
    // would not give more room.
    virtual bool atPageTop() const = 0;
    virtual void newPage() = 0;
    // Puts a shape (a table piece, then the pictures over its cells) on the
    // current page, in front of what is there.
    virtual void place(model::Shape shape) = 0;
    // A floating picture or shape of a cell, placed as floating objects of
    // the body are; topPt: where the cell's content begins, for objects that
    // move with their paragraph.
    virtual void placeAnchored(const model::Block& block, double topPt) = 0;
    // The table ends here on the current page.
    virtual void end(double bottomPt) = 0;
};

void layOutTable(const model::Table& table, TableFlow& flow);

// The height of the table's first row (what a paragraph kept with the
// table needs to share its page with) when laid out in body on a page
// pageWidthPt wide.
double firstRowHeight(const model::Table& table, const model::Rect& body, double pageWidthPt);

} // namespace fq::layout
