// Table records of Contents and Quill.
#include "publishing/pub/TableChunks.h"

#include "publishing/pub/PubConstants.h"

namespace fq::pub {

void writeTableBlocks(BlockWriter& w, const PlannedShape& shape, const PlannedTable& table) {
    w.u32(shape::TextId, bt::Long, shape.textId);
    w.flag(shape::Flag2B, bt::Flag);
    w.flag(shape::Flag2C, bt::Flag);
    w.u32(tbl::Rows, bt::Long, static_cast<std::uint32_t>(table.rowsEmu.size()));
    w.u32(tbl::Columns, bt::Long, static_cast<std::uint32_t>(table.columnsEmu.size()));
    w.u32(tbl::Width, bt::Long, static_cast<std::uint32_t>(shape.anchor.width()));
    w.u32(tbl::Height, bt::Long, static_cast<std::uint32_t>(shape.anchor.height()));
    w.u32(tbl::Cells, bt::ObjectRef, table.cellsSeq);
    // The columns' sizes, then the rows', each with where it ends.
    const auto sizes = w.open(tbl::Sizes, bt::Array90);
    for (const auto* list : {&table.columnsEmu, &table.rowsEmu}) {
        std::uint32_t offset = 0;
        for (std::int32_t size : *list) {
            offset += static_cast<std::uint32_t>(size);
            const auto e = w.open(0x00, bt::Container);
            w.u32(tbl::SizeEnd, bt::Long, offset);
            w.u32(tbl::Size, bt::Long, static_cast<std::uint32_t>(size));
            w.close(e);
        }
    }
    w.close(sizes);
    w.u32(tbl::Value70, bt::Long, 0);
}

void writeTableCellsBlocks(BlockWriter& w, const PlannedTable& table) {
    w.u16(tbl::CellCount, bt::Short, static_cast<std::uint16_t>(table.cells.size()));
    const auto list = w.open(tbl::CellList, bt::Array);
    for (const auto& c : table.cells) {
        const auto e = w.open(0x00, bt::Container);
        // First and last row and column; zeros are left out.
        const std::pair<std::uint8_t, int> span[] = {{tbl::FirstRow, c.row},
                                                     {tbl::LastRow, c.row + c.rowSpan - 1},
                                                     {tbl::FirstColumn, c.column},
                                                     {tbl::LastColumn, c.column + c.columnSpan - 1}};
        for (const auto& [id, v] : span)
            if (v) w.u32(id, bt::Long, static_cast<std::uint32_t>(v));
        w.i32(tbl::MarginLeft, bt::Long, c.marginLeftEmu);
        w.i32(tbl::MarginRight, bt::Long, c.marginRightEmu);
        w.i32(tbl::MarginTop, bt::Long, c.marginTopEmu);
        w.i32(tbl::MarginBottom, bt::Long, c.marginBottomEmu);
        w.close(e);
    }
    w.close(list);
}

ByteBuffer tableCellEnds(const Story& story) {
    ByteBuffer out;
    const auto n = static_cast<std::uint32_t>(story.cells.size());
    out.u32(n ? n - 1 : 0);
    out.u32(0);
    out.u32(0xFF00);
    for (std::uint32_t i = 0; i < n; ++i) out.u32(i + 1 < n ? story.cells[i].end - 1 : story.cells[i].end);
    return out;
}

} // namespace fq::pub
