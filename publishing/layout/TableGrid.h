// Where the cells of a Word table sit: the grid columns as they are laid out
// on the page, every cell's grid position and spans (vertical merges
// resolved), and what each cell looks like once the table's defaults are
// applied (borders after conflicts with the neighbouring cells, shading,
// margins).
#pragma once

#include "publishing/model/Document.h"
#include "publishing/model/Publication.h"

#include <vector>

namespace fq::layout {

struct GridCell {
    const model::TableCell* source = nullptr;
    // The cells below that continue a vertical merge: Word keeps their
    // content, which goes after the first cell's.
    std::vector<const model::TableCell*> continuations;
    int row = 0;
    int column = 0;
    int rowSpan = 1;
    int columnSpan = 1;
    model::CellBorders borders;             // every side set; style None where there is no line
    std::optional<model::Color> shading;
    model::CellMargins margins;
    model::VerticalAlignment verticalAlignment = model::VerticalAlignment::Top;
};

struct TableGrid {
    double xPt = 0.0;                       // the table's left edge on the page
    std::vector<double> columnsPt;          // widths of the grid columns, as laid out
    int rows = 0;
    std::vector<GridCell> cells;            // by starting row, then column
    std::vector<std::vector<std::size_t>> startingIn;   // per row: the cells that begin there

    double widthPt() const;
    // Left edge of grid column c, from the table's left edge.
    double columnOffset(int c) const;
    double spanWidth(const GridCell& cell) const;
};

// Lays the table's grid out in the body's width on a page pageWidthPt
// wide: Word's column widths are kept while the table fits on the page
// (it may reach into the right margin); a wider table is scaled to the
// body's width. Left-aligned tables keep their indent; centred and
// right-aligned ones are placed in the body.
TableGrid resolveGrid(const model::Table& table, const model::Rect& body, double pageWidthPt);

} // namespace fq::layout
