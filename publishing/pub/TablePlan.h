// How the writer plans a table piece.
//
// As Publisher writes a table: a Contents chunk 0x10 in the page's shape
// list with rows, columns, size, the row and column sizes and a reference
// to a 0x63 chunk that lists the cells with their spans and margins; an
// Escher shape of type 201; one Quill story that holds one or more
// paragraphs per cell, with a TCD chunk giving where each cell's text ends
// and an MCLD record per cell. Cell shading and lines are, as in
// Publisher's files, rectangles in the drawing of Publisher's defaults
// that name the table and the cell.
//
// libmspub (and so LibreOffice) reads the table's grid and text but none of
// the cells' formatting, so each piece also gets plain shapes behind the
// table: a filled rectangle per shaded cell and a line per run of grid
// lines. They lie exactly under what Publisher draws for the cells.
#pragma once

#include "publishing/model/Publication.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace fq::pub {

struct PlannedPage;
struct PubPlan;
class StoryCollector;

// A line as Escher describes it.
struct PlainLine {
    bool visible = false;
    std::uint32_t colorBgr = 0;        // 0x00BBGGRR
    std::int32_t widthEmu = 0;
    std::uint32_t dashing = 0;         // MSOLINEDASHING
    std::uint32_t style = 0;           // MSOLINESTYLE (double, triple)
    friend bool operator==(const PlainLine&, const PlainLine&) = default;
};

struct PlannedCell {
    int row = 0, column = 0, rowSpan = 1, columnSpan = 1;
    std::int32_t marginLeftEmu = 0, marginRightEmu = 0, marginTopEmu = 0, marginBottomEmu = 0;
    std::optional<std::uint32_t> fillBgr;
    PlainLine top, left, bottom, right;
};

struct PlannedTable {
    std::uint32_t seq = 0;             // the table chunk
    std::uint32_t cellsSeq = 0;        // its 0x63 cells chunk
    std::vector<std::int32_t> columnsEmu;
    std::vector<std::int32_t> rowsEmu;
    std::vector<PlannedCell> cells;    // row by row, as the story's text
    // Whether the cells carry shading or lines, and so shapes of their own.
    bool formatted() const;
};

// The numbering the plan hands out.
struct TableNumbering {
    std::function<std::uint32_t()> nextSeq;
    std::function<std::uint32_t()> nextSpid;
};

// Adds the shapes of one table piece to the page, back to front: cell
// shading, grid lines, the table.
void planTable(const model::TableFrame& table, const model::Rect& rect, const TableNumbering& numbering,
               StoryCollector& stories, PubPlan& plan, PlannedPage& page);

} // namespace fq::pub
