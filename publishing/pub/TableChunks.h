// The records of a table in Contents and Quill: the table chunk's blocks
// (after the blocks every shape has), the 0x63 chunk listing the cells,
// and the TCD chunk with the ends of the cells' text.
#pragma once

#include "publishing/pub/BlockWriter.h"
#include "publishing/pub/PubPlan.h"
#include "publishing/pub/TextStories.h"

namespace fq::pub {

void writeTableBlocks(BlockWriter& w, const PlannedShape& shape, const PlannedTable& table);
void writeTableCellsBlocks(BlockWriter& w, const PlannedTable& table);

// TCD: u32 cells - 1, u32 0, u32 0xFF00, then per cell where its text
// ends: the position of its last paragraph mark, and for the last cell the
// story's length (as Publisher writes it and libmspub reads it).
ByteBuffer tableCellEnds(const Story& story);

} // namespace fq::pub
