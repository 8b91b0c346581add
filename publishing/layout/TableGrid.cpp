// Resolving a Word table onto its grid.
#include "publishing/layout/TableGrid.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace fq::layout {

namespace {

constexpr double kMinColumnPt = 2.0;

bool usable(double v) { return std::isfinite(v) && v > 0.0; }

// A cell of a row before vertical merges are resolved.
struct Slot {
    const model::TableCell* cell;
    int column;
    int span;
};

std::vector<std::vector<Slot>> slotsOf(const model::Table& table) {
    std::vector<std::vector<Slot>> rows;
    for (const auto& row : table.rows) {
        std::vector<Slot> slots;
        int column = std::max(0, row.gridBefore);
        for (const auto& cell : row.cells) {
            const int span = std::clamp(cell.gridSpan, 1, 1000);
            slots.push_back({&cell, column, span});
            column += span;
        }
        rows.push_back(std::move(slots));
    }
    return rows;
}

// Grid widths: Word's grid where it is usable, else the cells' preferred
// widths, else the average of the known columns, else an even share.
std::vector<double> columnWidths(const model::Table& table, const std::vector<std::vector<Slot>>& rows, double bodyWidth) {
    int count = static_cast<int>(table.gridPt.size());
    for (std::size_t r = 0; r < rows.size(); ++r) {
        int end = rows[r].empty() ? 0 : rows[r].back().column + rows[r].back().span;
        end += std::max(0, table.rows[r].gridAfter);
        count = std::max(count, end);
    }
    count = std::max(count, 1);
    std::vector<double> widths(count, 0.0);
    for (int c = 0; c < count && c < static_cast<int>(table.gridPt.size()); ++c)
        if (usable(table.gridPt[c])) widths[c] = table.gridPt[c];
    for (const auto& slots : rows)
        for (const auto& s : slots)
            if (s.span == 1 && widths[s.column] == 0.0 && s.cell->widthPt && usable(*s.cell->widthPt))
                widths[s.column] = *s.cell->widthPt;
    double known = 0.0;
    int knownCount = 0;
    for (double w : widths)
        if (w > 0.0) {
            known += w;
            ++knownCount;
        }
    const double fallback = knownCount ? known / knownCount : bodyWidth / count;
    for (double& w : widths) w = std::max(kMinColumnPt, w > 0.0 ? w : fallback);
    return widths;
}

double weight(const model::Border& b) {
    if (!b.visible()) return 0.0;
    const double factor = b.style == model::BorderStyle::Double ? 3.0 : b.style == model::BorderStyle::Triple ? 5.0 : 1.0;
    return b.widthPt * factor;
}

const model::Border& heavier(const model::Border& a, const model::Border& b) { return weight(b) > weight(a) ? b : a; }

enum Side { Top, Left, Bottom, Right };

// Margins as a document may give them, kept to what a cell can hold: the
// top and bottom ones leave a cell room on a page.
model::CellMargins sane(model::CellMargins m, double bodyHeight) {
    const double vertical = std::max(0.0, bodyHeight / 4.0);
    auto clamp = [](double v, double limit) { return std::isfinite(v) ? std::clamp(v, 0.0, limit) : 0.0; };
    return {clamp(m.topPt, vertical), clamp(m.leftPt, 1000.0), clamp(m.bottomPt, vertical), clamp(m.rightPt, 1000.0)};
}

model::Border& side(model::CellBorders& borders, Side s) {
    std::optional<model::Border>* sides[] = {&borders.top, &borders.left, &borders.bottom, &borders.right};
    if (!*sides[s]) *sides[s] = model::Border{model::BorderStyle::None, 0.0, std::nullopt, 0.0};
    return **sides[s];
}

} // namespace

double TableGrid::widthPt() const { return std::accumulate(columnsPt.begin(), columnsPt.end(), 0.0); }

double TableGrid::columnOffset(int c) const {
    double x = 0.0;
    for (int i = 0; i < c && i < static_cast<int>(columnsPt.size()); ++i) x += columnsPt[i];
    return x;
}

double TableGrid::spanWidth(const GridCell& cell) const {
    return columnOffset(cell.column + cell.columnSpan) - columnOffset(cell.column);
}

TableGrid resolveGrid(const model::Table& table, const model::Rect& body, double pageWidthPt) {
    TableGrid grid;
    const auto rows = slotsOf(table);
    grid.rows = static_cast<int>(rows.size());
    grid.columnsPt = columnWidths(table, rows, body.widthPt);
    const int columns = static_cast<int>(grid.columnsPt.size());

    // Placement: a table that does not fit on the page from where Word puts
    // it moves left to the margin, and if still too wide takes the body's
    // width.
    double width = grid.widthPt();
    double x = body.xPt;
    if (table.alignment == model::Alignment::Center) x += (body.widthPt - width) / 2.0;
    else if (table.alignment == model::Alignment::Right) x += body.widthPt - width;
    else if (std::isfinite(table.indentPt)) x += table.indentPt;
    x = std::max(0.0, x);
    if (x + width > pageWidthPt) x = std::max(std::min(x, body.xPt), pageWidthPt - width);
    if (x + width > pageWidthPt) {
        const double scale = body.widthPt / width;
        for (double& w : grid.columnsPt) w *= scale;
        width = body.widthPt;
        x = body.xPt;
    }
    grid.xPt = x;

    // Cells, with each vertical merge as one cell over its rows. A cell that
    // continues a merge joins the cell above at its column; one with nothing
    // above to join stays a cell of its own.
    std::vector<std::vector<int>> owner(rows.size(), std::vector<int>(columns, -1));
    grid.startingIn.assign(rows.size(), {});
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (const auto& slot : rows[r]) {
            const int end = std::min(columns, slot.column + slot.span);
            if (slot.column >= columns) continue;
            const int above = r > 0 ? owner[r - 1][slot.column] : -1;
            if (slot.cell->verticalMerge == model::VerticalMerge::Continue && above >= 0 &&
                grid.cells[above].column == slot.column) {
                GridCell& merged = grid.cells[above];
                merged.rowSpan = static_cast<int>(r) - merged.row + 1;
                merged.continuations.push_back(slot.cell);
                for (int c = slot.column; c < end; ++c) owner[r][c] = above;
                continue;
            }
            GridCell cell;
            cell.source = slot.cell;
            cell.row = static_cast<int>(r);
            cell.column = slot.column;
            cell.columnSpan = end - slot.column;
            cell.margins = sane(slot.cell->margins.value_or(table.cellMargins), body.heightPt);
            cell.shading = slot.cell->shading ? slot.cell->shading : table.shading;
            cell.verticalAlignment = slot.cell->verticalAlignment;
            grid.cells.push_back(cell);
            for (int c = slot.column; c < end; ++c) owner[r][c] = static_cast<int>(grid.cells.size() - 1);
        }
    }

    // Each side's own border: the cell's where it states one, else the
    // table's outer or inner line.
    const int lastRow = grid.rows - 1;
    std::vector<model::CellBorders> own(grid.cells.size());
    for (std::size_t i = 0; i < grid.cells.size(); ++i) {
        const GridCell& c = grid.cells[i];
        const model::CellBorders& b = c.source->borders;
        const auto& rowOwner = owner[c.row];
        const bool firstInRow = std::none_of(rowOwner.begin(), rowOwner.begin() + c.column, [](int o) { return o >= 0; });
        const bool lastInRow = std::none_of(rowOwner.begin() + c.column + c.columnSpan, rowOwner.end(),
                                            [](int o) { return o >= 0; });
        own[i].top = b.top.value_or(c.row == 0 ? table.borders.top : table.borders.insideH);
        own[i].bottom = b.bottom.value_or(c.row + c.rowSpan - 1 == lastRow ? table.borders.bottom : table.borders.insideH);
        own[i].left = b.left.value_or(firstInRow ? table.borders.left : table.borders.insideV);
        own[i].right = b.right.value_or(lastInRow ? table.borders.right : table.borders.insideV);
    }
    // Where two cells meet, the heavier of their lines is drawn for both.
    for (std::size_t i = 0; i < grid.cells.size(); ++i) {
        GridCell& c = grid.cells[i];
        c.borders = own[i];
        const int bottom = c.row + c.rowSpan - 1, right = c.column + c.columnSpan - 1;
        for (int col = c.column; col <= right; ++col) {
            if (c.row > 0 && owner[c.row - 1][col] >= 0)
                side(c.borders, Top) = heavier(side(c.borders, Top), *own[owner[c.row - 1][col]].bottom);
            if (bottom < lastRow && owner[bottom + 1][col] >= 0)
                side(c.borders, Bottom) = heavier(side(c.borders, Bottom), *own[owner[bottom + 1][col]].top);
        }
        for (int row = c.row; row <= bottom; ++row) {
            if (c.column > 0 && owner[row][c.column - 1] >= 0)
                side(c.borders, Left) = heavier(side(c.borders, Left), *own[owner[row][c.column - 1]].right);
            if (right + 1 < columns && owner[row][right + 1] >= 0)
                side(c.borders, Right) = heavier(side(c.borders, Right), *own[owner[row][right + 1]].left);
        }
    }
    // Grid positions no cell covers (cells left out before or after a row's
    // cells, or a row shorter than the others) get an empty cell without
    // lines, so that every piece is a full grid.
    for (std::size_t r = 0; r < owner.size(); ++r) {
        for (int c = 0; c < columns;) {
            if (owner[r][c] >= 0) {
                ++c;
                continue;
            }
            GridCell filler;
            filler.row = static_cast<int>(r);
            filler.column = c;
            while (c < columns && owner[r][c] < 0) ++c;
            filler.columnSpan = c - filler.column;
            filler.margins = sane(table.cellMargins, body.heightPt);
            const model::Border none{model::BorderStyle::None, 0.0, std::nullopt, 0.0};
            filler.borders = {none, none, none, none};
            grid.cells.push_back(filler);
        }
    }
    std::vector<std::size_t> order(grid.cells.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return grid.cells[a].column < grid.cells[b].column;
    });
    for (std::size_t i : order) grid.startingIn[grid.cells[i].row].push_back(i);
    return grid;
}

} // namespace fq::layout
