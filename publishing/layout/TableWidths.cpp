// Word's column widths: the grid, the preferred widths, and autofit.
#include "publishing/layout/TableWidths.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <optional>

namespace fq::layout {

namespace {

constexpr double kMinColumnPt = 2.0;
constexpr double kMaxWidthPt = 100000.0;
constexpr double kEpsilon = 0.01;

bool usable(double v) { return std::isfinite(v) && v > 0.0; }

double sum(const std::vector<double>& v, int from, int to) {
    return std::accumulate(v.begin() + from, v.begin() + to, 0.0);
}

// A stretch of grid columns a row asks a width for: a cell, or the room
// before or after its cells.
struct Claim {
    const model::TableCell* cell = nullptr;
    int column = 0;
    int span = 1;
    std::optional<double> widthPt;
};

// A preferred width in points; percentages of `whole`.
std::optional<double> resolve(const model::PreferredWidth& w, double whole) {
    if (!w.stated()) return std::nullopt;
    const double v = w.unit == model::PreferredWidth::Unit::Percent ? whole * w.value / 100.0 : w.value;
    if (!usable(v)) return std::nullopt;
    return std::min(v, kMaxWidthPt);
}

int columnCount(const model::Table& table) {
    int count = static_cast<int>(table.gridPt.size());
    for (const auto& row : table.rows) {
        int end = std::max(0, row.gridBefore);
        for (const auto& cell : row.cells) end += std::clamp(cell.gridSpan, 1, 1000);
        count = std::max(count, end + std::max(0, row.gridAfter));
    }
    return std::clamp(count, 1, 10000);
}

std::vector<std::vector<Claim>> claimsOf(const model::Table& table, double available, double tableWidth) {
    std::vector<std::vector<Claim>> rows;
    for (const auto& row : table.rows) {
        std::vector<Claim> claims;
        const int before = std::max(0, row.gridBefore);
        if (before > 0) claims.push_back({nullptr, 0, before, resolve(row.widthBefore, available)});
        int column = before;
        for (const auto& cell : row.cells) {
            const int span = std::clamp(cell.gridSpan, 1, 1000);
            std::optional<double> w = resolve(cell.preferredWidth, tableWidth);
            if (!w && cell.widthPt && usable(*cell.widthPt)) w = std::min(*cell.widthPt, kMaxWidthPt);
            claims.push_back({&cell, column, span, w});
            column += span;
        }
        if (row.gridAfter > 0) claims.push_back({nullptr, column, row.gridAfter, resolve(row.widthAfter, available)});
        rows.push_back(std::move(claims));
    }
    return rows;
}

// Word's grid where it is usable, else the cells' preferred widths, else
// the average of the known columns, else an even share.
std::vector<double> gridWidths(const model::Table& table, int count, double available,
                               const std::vector<std::vector<Claim>>& rows) {
    std::vector<double> widths(count, 0.0);
    for (int c = 0; c < count && c < static_cast<int>(table.gridPt.size()); ++c)
        if (usable(table.gridPt[c])) widths[c] = std::min(table.gridPt[c], kMaxWidthPt);
    for (const auto& claims : rows)
        for (const auto& claim : claims)
            if (claim.cell && claim.span == 1 && claim.column < count && widths[claim.column] == 0.0 &&
                claim.cell->widthPt && usable(*claim.cell->widthPt))
                widths[claim.column] = std::min(*claim.cell->widthPt, kMaxWidthPt);
    double known = 0.0;
    int knownCount = 0;
    for (double w : widths)
        if (w > 0.0) {
            known += w;
            ++knownCount;
        }
    const double fallback = knownCount ? known / knownCount : available / count;
    for (double& w : widths) w = std::max(kMinColumnPt, w > 0.0 ? w : fallback);
    return widths;
}

// A row asks for width w over columns [from, to): the first width given
// for a column sets it (columns already set keep theirs and the others
// share the rest in proportion to their grid widths); a later, larger
// width widens the stretch at its last column.
void claim(std::vector<double>& cols, std::vector<bool>& sized, int from, int to, double w) {
    double fixed = 0.0, open = 0.0;
    int openCount = 0;
    for (int i = from; i < to; ++i) {
        if (sized[i]) {
            fixed += cols[i];
        } else {
            open += cols[i];
            ++openCount;
        }
    }
    if (openCount > 0) {
        const double rest = w - fixed;
        if (rest > kEpsilon)
            for (int i = from; i < to; ++i)
                if (!sized[i]) cols[i] = open > kEpsilon ? cols[i] * rest / open : rest / openCount;
    } else if (w > fixed + kEpsilon) {
        cols[to - 1] += w - fixed;
    }
    for (int i = from; i < to; ++i)
        if (cols[i] > 0.0) sized[i] = true;
}

double horizontalMargins(const model::Table& table, const model::TableCell& cell) {
    const model::CellMargins& m = cell.margins ? *cell.margins : table.cellMargins;
    auto side = [](double v) { return std::isfinite(v) ? std::clamp(v, 0.0, 1000.0) : 0.0; };
    return side(m.leftPt) + side(m.rightPt);
}

// Spreads extra width over columns [from, to) in proportion to weights
// (evenly where they are all zero).
void spread(std::vector<double>& target, const std::vector<double>& weights, int from, int to, double extra) {
    const double total = sum(weights, from, to);
    for (int i = from; i < to; ++i)
        target[i] += total > kEpsilon ? extra * weights[i] / total : extra / (to - from);
}

struct ColumnContent {
    std::vector<double> min, max;
};

// The narrowest and widest each column's content asks for, cells that span
// several columns sharing theirs out where the columns fall short.
ColumnContent columnContent(const model::Table& table, int count, const std::vector<std::vector<Claim>>& rows,
                            const CellMeasure& measure) {
    ColumnContent out{std::vector<double>(count, 0.0), std::vector<double>(count, 0.0)};
    struct Spanning {
        int from, to;
        ContentWidths widths;
    };
    std::vector<Spanning> spanning;
    for (const auto& claims : rows)
        for (const auto& claim : claims) {
            if (!claim.cell || claim.column >= count) continue;
            ContentWidths w = measure(*claim.cell);
            const double margins = horizontalMargins(table, *claim.cell);
            w.minPt = std::clamp(std::isfinite(w.minPt) ? w.minPt : 0.0, 0.0, kMaxWidthPt) + margins;
            w.maxPt = std::max(w.minPt, std::clamp(std::isfinite(w.maxPt) ? w.maxPt : 0.0, 0.0, kMaxWidthPt) + margins);
            const int to = std::min(count, claim.column + claim.span);
            if (to - claim.column == 1) {
                out.min[claim.column] = std::max(out.min[claim.column], w.minPt);
                out.max[claim.column] = std::max(out.max[claim.column], w.maxPt);
            } else {
                spanning.push_back({claim.column, to, w});
            }
        }
    std::stable_sort(spanning.begin(), spanning.end(),
                     [](const Spanning& a, const Spanning& b) { return a.to - a.from < b.to - b.from; });
    for (const auto& s : spanning) {
        const double min = sum(out.min, s.from, s.to), max = sum(out.max, s.from, s.to);
        if (s.widths.minPt > min) spread(out.min, out.max, s.from, s.to, s.widths.minPt - min);
        if (s.widths.maxPt > max) spread(out.max, out.max, s.from, s.to, s.widths.maxPt - max);
    }
    for (int c = 0; c < count; ++c) out.max[c] = std::max(out.max[c], out.min[c]);
    return out;
}

// Columns narrower than their content's minimum widen: first the other
// columns give up what they have beyond their own minimum, in proportion
// to it, then the table grows up to limit; what is still missing is shared
// out in proportion to what each column lacks.
void keepMinimums(std::vector<double>& cols, const std::vector<double>& min, double limit) {
    const int count = static_cast<int>(cols.size());
    std::vector<double> lack(count, 0.0), spare(count, 0.0);
    for (int c = 0; c < count; ++c) {
        if (min[c] > cols[c] + kEpsilon) lack[c] = min[c] - cols[c];
        else spare[c] = std::max(0.0, cols[c] - min[c]);
    }
    const double need = sum(lack, 0, count);
    if (need <= kEpsilon) return;
    const double spareTotal = sum(spare, 0, count);
    const double taken = std::min(need, spareTotal);
    const double total = sum(cols, 0, count);
    if (spareTotal > kEpsilon)
        for (int c = 0; c < count; ++c) cols[c] -= spare[c] * taken / spareTotal;
    const double grown = std::clamp(limit - total, 0.0, need - taken);
    const double share = std::min(1.0, (taken + grown) / need);
    for (int c = 0; c < count; ++c) cols[c] += lack[c] * share;
}

std::vector<double> preferredWidths(const model::Table& table, int count, double available,
                                    const std::vector<std::vector<Claim>>& rows, const std::optional<double>& tableWidth,
                                    const CellMeasure& measure) {
    const bool autoFit = table.widthRule == model::TableWidthRule::AutoFit;
    std::vector<double> cols(count, 0.0);
    for (int c = 0; c < count && c < static_cast<int>(table.gridPt.size()); ++c)
        if (usable(table.gridPt[c])) cols[c] = std::min(table.gridPt[c], kMaxWidthPt);
    std::vector<bool> sized(count, false);
    for (const auto& claims : rows)
        for (const auto& c : claims) {
            const int to = std::min(count, c.column + c.span);
            if (c.widthPt && c.column < to) claim(cols, sized, c.column, to, *c.widthPt);
        }

    std::optional<ColumnContent> content;
    if (autoFit && measure) content = columnContent(table, count, rows, measure);
    // Columns neither the grid nor a preferred width sizes: as wide as their
    // content in an autofit table, else a share of what is left.
    std::vector<int> unknown;
    for (int c = 0; c < count; ++c)
        if (cols[c] <= 0.0) unknown.push_back(c);
    if (!unknown.empty()) {
        if (content) {
            for (int c : unknown) cols[c] = std::max({content->max[c], content->min[c], kMinColumnPt});
            const double total = sum(cols, 0, count);
            const double limit = tableWidth ? *tableWidth : available;
            if (total > limit) {
                // Too wide for the room: those columns give up width down to their minimum.
                double spare = 0.0;
                for (int c : unknown) spare += std::max(0.0, cols[c] - content->min[c]);
                const double cut = std::min(spare, total - limit);
                if (spare > kEpsilon)
                    for (int c : unknown) cols[c] -= std::max(0.0, cols[c] - content->min[c]) * cut / spare;
            }
        } else {
            const double known = sum(cols, 0, count);
            const int knownCount = count - static_cast<int>(unknown.size());
            double share = tableWidth ? (*tableWidth - known) / static_cast<double>(unknown.size()) : 0.0;
            if (share <= kMinColumnPt) share = knownCount ? known / knownCount : available / count;
            for (int c : unknown) cols[c] = share;
        }
    }
    // The table's preferred width: all columns shrink or stretch alike. An
    // autofit table without one keeps within the room it has.
    const double total = sum(cols, 0, count);
    std::optional<double> target = tableWidth;
    if (!target && autoFit && total > available) target = available;
    if (target && total > kEpsilon && std::fabs(total - *target) > kEpsilon)
        for (double& w : cols) w *= *target / total;
    if (content) keepMinimums(cols, content->min, std::max(available, sum(cols, 0, count)));
    return cols;
}

} // namespace

std::vector<double> tableColumnWidths(const model::Table& table, double availablePt, const CellMeasure& measure) {
    const double available = usable(availablePt) ? std::min(availablePt, kMaxWidthPt) : 468.0;
    const int count = columnCount(table);
    const std::optional<double> tableWidth = resolve(table.preferredWidth, available);
    double gridTotal = 0.0;
    for (double g : table.gridPt)
        if (usable(g)) gridTotal += g;
    // Cells' percentages are of the table's width: the preferred one, else the grid's.
    const double whole = tableWidth ? *tableWidth : gridTotal > 0.0 ? gridTotal : available;
    const auto rows = claimsOf(table, available, whole);
    std::vector<double> widths = table.widthRule == model::TableWidthRule::Grid
                                     ? gridWidths(table, count, available, rows)
                                     : preferredWidths(table, count, available, rows, tableWidth, measure);
    for (double& w : widths) w = std::isfinite(w) ? std::clamp(w, kMinColumnPt, kMaxWidthPt) : kMinColumnPt;
    return widths;
}

} // namespace fq::layout
