// Assembling the tables of a Word 97-2003 story. The text only marks where
// cells and rows end (cell marks U+0007, and for nested tables paragraph
// marks flagged as inner cell or row ends); every row's layout comes from
// the TAP of its end mark. The converter tells the assembler where the
// paragraphs it builds belong and when a cell or a row ends; the assembler
// turns each finished table into a model table.
#pragma once

#include "publishing/doc/Tap.h"
#include "publishing/model/Document.h"

#include <vector>

namespace fq::doc {

// A row as read: the blocks of each text cell, and the row's TAP.
struct TableRowSource {
    std::vector<std::vector<model::Block>> cells;
    Tap tap;
};

class TableAssembler {
public:
    // Where the blocks of a paragraph at nesting depth `depth` go: `outer`
    // at depth 0, otherwise the current cell of the table at that depth.
    // Tables deeper than `depth` are finished first; missing levels start.
    std::vector<model::Block>& enter(int depth, std::vector<model::Block>& outer);
    // The current cell of the table at `depth` is complete.
    void endCell(int depth);
    // The current row of the table at `depth` is complete; tap describes it.
    // Blocks left over since the last cell mark join the row's last cell.
    void endRow(int depth, const Tap& tap);
    // Finishes every table under way, appending the outermost to `outer`.
    void finish(std::vector<model::Block>& outer);
    int depth() const { return static_cast<int>(levels_.size()); }

private:
    struct Level {
        std::vector<TableRowSource> rows;
        std::vector<std::vector<model::Block>> cells;   // of the row under way
        std::vector<model::Block> cell;                 // of the cell under way
    };
    void closeDeepest(std::vector<model::Block>& outer);

    std::vector<Level> levels_;
};

// The model table of rows as read.
model::Table buildTable(std::vector<TableRowSource> rows);

} // namespace fq::doc
