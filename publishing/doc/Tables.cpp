// Table assembly: cells and rows into model tables.
#include "publishing/doc/Tables.h"

#include "publishing/word/TableMerges.h"

#include <algorithm>

namespace fq::doc {

namespace {

// Deeper nesting than this is kept at this depth.
constexpr int kMaxDepth = 16;
// Cell boundaries this close (twips) are one grid line.
constexpr int kSnap = 5;

std::optional<model::Color> color(std::optional<std::uint32_t> cv) {
    if (!cv) return std::nullopt;
    return model::Color{static_cast<std::uint8_t>(*cv & 0xFF), static_cast<std::uint8_t>((*cv >> 8) & 0xFF),
                        static_cast<std::uint8_t>((*cv >> 16) & 0xFF)};
}

model::BorderStyle borderStyle(std::uint8_t type) {
    using S = model::BorderStyle;
    switch (type) {
    case 0: return S::None;
    case 2: return S::Thick;
    case 3: return S::Double;
    case 6: return S::Dotted;
    case 7: case 22: return S::Dashed;
    case 8: case 23: return S::DotDash;
    case 9: return S::DotDotDash;
    case 10: return S::Triple;
    case 20: case 21: return S::Wave;
    default:
        // Thin-thick combinations draw two lines.
        if (type >= 11 && type <= 19) return S::Double;
        return S::Single;
    }
}

model::Border border(const Brc& b) {
    model::Border m;
    if (b.nil || b.type == 0) return m;
    m.style = borderStyle(b.type);
    m.widthPt = b.width > 0 ? b.width / 8.0 : 0.25;
    m.color = b.cv ? color(b.cv) : color(icoColorRef(b.ico));
    m.spacePt = b.space;
    return m;
}

// The share of the fore colour in a shading pattern, in percent.
double patternPercent(std::uint16_t ipat) {
    static constexpr double percents[14] = {0, 100, 5, 10, 20, 25, 30, 40, 50, 60, 70, 75, 80, 90};
    if (ipat < 14) return percents[ipat];
    if (ipat <= 19) return 50;   // dark hatches
    if (ipat <= 25) return 25;   // light hatches
    if (ipat >= 35 && ipat <= 62) return 2.5 + (ipat - 35) * 3.5;   // the finer percentages
    return 0;
}

std::optional<model::Color> shading(const std::optional<Shd>& s) {
    if (!s || s->nil) return std::nullopt;
    return word::shadingColor(color(s->fore), color(s->back), patternPercent(s->ipat));
}

model::CellMargins tableMargins(const Tap& tap) {
    model::CellMargins m;
    if (tap.gapHalf) m.leftPt = m.rightPt = std::max<int>(0, *tap.gapHalf) / 20.0;
    double* sides[4] = {&m.topPt, &m.leftPt, &m.bottomPt, &m.rightPt};
    for (int i = 0; i < 4; ++i)
        if (tap.padding[i]) *sides[i] = std::max<int>(0, *tap.padding[i]) / 20.0;
    return m;
}

// The grid lines of all rows: sorted boundaries, close ones joined.
std::vector<int> gridLines(const std::vector<TableRowSource>& rows) {
    std::vector<int> all;
    for (const auto& r : rows) all.insert(all.end(), r.tap.centers.begin(), r.tap.centers.end());
    std::sort(all.begin(), all.end());
    std::vector<int> lines;
    for (int x : all)
        if (lines.empty() || x - lines.back() > kSnap) lines.push_back(x);
    return lines;
}

int lineIndex(const std::vector<int>& lines, int x) {
    auto it = std::lower_bound(lines.begin(), lines.end(), x - kSnap);
    if (it == lines.end()) return static_cast<int>(lines.size()) - 1;
    return static_cast<int>(it - lines.begin());
}

// Rows that define no cells take the definition of the row before them.
void completeDefinitions(std::vector<TableRowSource>& rows) {
    const Tap* previous = nullptr;
    for (auto& r : rows) {
        if (!r.tap.defined || r.tap.centers.size() < 2) {
            if (previous) {
                r.tap.centers = previous->centers;
                r.tap.cells = previous->cells;
            } else {
                r.tap.centers = {0};
                r.tap.cells.clear();
            }
            while (r.tap.cells.size() < std::max<std::size_t>(1, r.cells.size())) {
                r.tap.centers.push_back(static_cast<std::int16_t>(r.tap.centers.back() + 1440));
                r.tap.cells.emplace_back();
            }
        }
        previous = &r.tap;
    }
}

void moveContent(std::vector<model::Block>& from, std::vector<model::Block>& to) {
    if (!word::holdsContent(from)) return;
    for (auto& b : from) to.push_back(std::move(b));
    from.clear();
}

model::TableRow buildRow(TableRowSource& source, const std::vector<int>& lines, const model::CellMargins& margins) {
    const Tap& tap = source.tap;
    model::TableRow row;
    row.header = tap.header;
    row.cantSplit = tap.cantSplit;
    if (tap.rowHeight > 0) {
        row.heightRule = model::RowHeightRule::AtLeast;
        row.heightPt = tap.rowHeight / 20.0;
    } else if (tap.rowHeight < 0) {
        row.heightRule = model::RowHeightRule::Exact;
        row.heightPt = -tap.rowHeight / 20.0;
    }
    std::vector<int> ends;                  // grid line where each model cell ends
    std::vector<model::Block> carried;      // content of zero-width cells before the first real one
    for (std::size_t i = 0; i < tap.cells.size(); ++i) {
        const TapCell& tc = tap.cells[i];
        std::vector<model::Block> blocks = i < source.cells.size() ? std::move(source.cells[i]) : std::vector<model::Block>{};
        const int start = lineIndex(lines, tap.centers[i]);
        const int end = lineIndex(lines, tap.centers[i + 1]);
        const bool joinsPrevious = (tc.merged && !tc.firstMerged) || end <= start;
        if (joinsPrevious && !row.cells.empty()) {
            ends.back() = std::max(ends.back(), end);
            moveContent(blocks, row.cells.back().blocks);
            continue;
        }
        if (end <= start) {
            moveContent(blocks, carried);
            continue;
        }
        if (row.cells.empty()) row.gridBefore = start;
        else if (start > ends.back()) ends.back() = start;   // no gap between cells
        model::TableCell cell;
        cell.blocks = std::move(carried);
        carried.clear();
        for (auto& b : blocks) cell.blocks.push_back(std::move(b));
        cell.widthPt = std::max(0, tap.centers[i + 1] - tap.centers[i]) / 20.0;
        std::optional<model::Border>* sides[4] = {&cell.borders.top, &cell.borders.left, &cell.borders.bottom,
                                                  &cell.borders.right};
        for (int s = 0; s < 4; ++s)
            if (tc.borders[s]) *sides[s] = border(*tc.borders[s]);
        cell.shading = shading(tc.shading);
        cell.verticalAlignment = tc.vertAlign == 1   ? model::VerticalAlignment::Center
                                 : tc.vertAlign == 2 ? model::VerticalAlignment::Bottom
                                                     : model::VerticalAlignment::Top;
        cell.verticalMerge = tc.vertRestart ? model::VerticalMerge::Restart
                             : tc.vertMerge ? model::VerticalMerge::Continue
                                            : model::VerticalMerge::None;
        if (std::any_of(tc.padding.begin(), tc.padding.end(), [](const auto& p) { return p.has_value(); })) {
            model::CellMargins m = margins;
            double* out[4] = {&m.topPt, &m.leftPt, &m.bottomPt, &m.rightPt};
            for (int s = 0; s < 4; ++s)
                if (tc.padding[s]) *out[s] = std::max<int>(0, *tc.padding[s]) / 20.0;
            cell.margins = m;
        }
        row.cells.push_back(std::move(cell));
        ends.push_back(end);
    }
    if (row.cells.empty()) {
        // Only zero-width cells: one cell over the first grid column keeps their text.
        model::TableCell cell;
        cell.blocks = std::move(carried);
        row.cells.push_back(std::move(cell));
        ends.push_back(std::min<int>(1, static_cast<int>(lines.size()) - 1));
        row.gridBefore = 0;
    }
    // Text cells beyond the row's definition join its last cell.
    for (std::size_t i = tap.cells.size(); i < source.cells.size(); ++i) moveContent(source.cells[i], row.cells.back().blocks);
    int column = row.gridBefore;
    for (std::size_t i = 0; i < row.cells.size(); ++i) {
        row.cells[i].gridSpan = std::max(1, ends[i] - column);
        column += row.cells[i].gridSpan;
    }
    row.gridAfter = std::max(0, static_cast<int>(lines.size()) - 1 - column);
    return row;
}

} // namespace

std::vector<model::Block>& TableAssembler::enter(int depth, std::vector<model::Block>& outer) {
    depth = std::clamp(depth, 0, kMaxDepth);
    while (static_cast<int>(levels_.size()) > depth) closeDeepest(outer);
    while (static_cast<int>(levels_.size()) < depth) levels_.emplace_back();
    return depth == 0 ? outer : levels_.back().cell;
}

void TableAssembler::endCell(int depth) {
    if (depth < 1 || depth > static_cast<int>(levels_.size())) return;
    Level& level = levels_[static_cast<std::size_t>(depth - 1)];
    level.cells.push_back(std::move(level.cell));
    level.cell.clear();
}

void TableAssembler::endRow(int depth, const Tap& tap) {
    if (depth < 1 || depth > static_cast<int>(levels_.size())) return;
    Level& level = levels_[static_cast<std::size_t>(depth - 1)];
    if (!level.cell.empty()) {
        if (level.cells.empty()) level.cells.emplace_back();
        for (auto& b : level.cell) level.cells.back().push_back(std::move(b));
        level.cell.clear();
    }
    level.rows.push_back({std::move(level.cells), tap});
    level.cells.clear();
}

void TableAssembler::finish(std::vector<model::Block>& outer) {
    while (!levels_.empty()) closeDeepest(outer);
}

void TableAssembler::closeDeepest(std::vector<model::Block>& outer) {
    Level level = std::move(levels_.back());
    levels_.pop_back();
    std::vector<model::Block>& target = levels_.empty() ? outer : levels_.back().cell;
    // Cells whose row never ended form a last row like the one before.
    if (!level.cell.empty()) {
        level.cells.push_back(std::move(level.cell));
        level.cell.clear();
    }
    if (!level.cells.empty()) {
        if (level.rows.empty()) {
            // Text marked as in a table without a single row end: no table to speak of.
            for (auto& c : level.cells)
                for (auto& b : c) target.push_back(std::move(b));
            return;
        }
        TableRowSource row;
        row.cells = std::move(level.cells);
        row.tap = level.rows.back().tap;
        level.rows.push_back(std::move(row));
    }
    if (!level.rows.empty()) target.emplace_back(buildTable(std::move(level.rows)));
}

model::Table buildTable(std::vector<TableRowSource> rows) {
    model::Table table;
    if (rows.empty()) return table;
    completeDefinitions(rows);
    std::vector<int> lines = gridLines(rows);
    if (lines.size() < 2) lines.push_back(lines.front() + 1440);   // rows of zero width only
    for (std::size_t i = 1; i < lines.size(); ++i) table.gridPt.push_back((lines[i] - lines[i - 1]) / 20.0);
    const Tap& first = rows.front().tap;
    table.alignment = first.jc == 1 ? model::Alignment::Center
                      : first.jc == 2 ? model::Alignment::Right
                                      : model::Alignment::Left;
    table.indentPt = lines.front() / 20.0;
    model::Border* sides[6] = {&table.borders.top,    &table.borders.left,    &table.borders.bottom,
                               &table.borders.right,  &table.borders.insideH, &table.borders.insideV};
    for (int s = 0; s < 6; ++s)
        if (first.borders[s]) *sides[s] = border(*first.borders[s]);
    table.cellMargins = tableMargins(first);
    if (first.spacing) table.cellSpacingPt = std::max<int>(0, *first.spacing) / 20.0;
    table.shading = shading(first.shading);
    for (auto& r : rows) table.rows.push_back(buildRow(r, lines, table.cellMargins));
    word::settleVerticalMerges(table);
    return table;
}

} // namespace fq::doc
