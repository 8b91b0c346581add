// The widths of a table's grid columns as Word works them out. Tables
// whose grid is Word's own result (TableWidthRule::Grid) keep it. Fixed
// tables start from the grid, let the preferred widths of the rows' cells
// and of the room before and after them decide over it (the first width
// given for a column sets it, later rows only widen it) and then take the
// table's preferred width, shrinking or stretching all columns alike.
// AutoFit tables do the same (without a preferred width of their own they
// keep within the room they have), give columns that nothing sizes the
// width of their content, and then widen every column too narrow for its
// longest word (or picture) at the expense of the others' spare room, and
// past that of the table's width up to the room available.
#pragma once

#include "publishing/model/Document.h"

#include <functional>
#include <vector>

namespace fq::layout {

// The widths a cell's content needs, its margins left out: the narrowest
// it can be set in without breaking a word, and the width it takes when no
// line breaks but its own.
struct ContentWidths {
    double minPt = 0.0;
    double maxPt = 0.0;
};

using CellMeasure = std::function<ContentWidths(const model::TableCell&)>;

// availablePt: the room the table has (percentages of the table refer to
// it). measure is asked only for the cells of AutoFit tables.
std::vector<double> tableColumnWidths(const model::Table& table, double availablePt, const CellMeasure& measure);

} // namespace fq::layout
