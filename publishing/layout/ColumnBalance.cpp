// The smallest column height that takes all lines, by bisection.
#include "publishing/layout/ColumnBalance.h"

#include <algorithm>

namespace fq::layout {

namespace {

// Fills the columns in order with at most limit each; false when the lines
// need more columns than there are.
bool fill(const std::vector<BalanceLine>& lines, std::size_t columns, double limit, BalancedColumns* out) {
    std::size_t column = 0;
    double used = 0.0, pendingAfter = 0.0;
    bool empty = true;
    if (out) {
        out->columnOf.assign(lines.size(), 0);
        out->heightsPt.assign(columns, 0.0);
    }
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const BalanceLine& l = lines[i];
        const double need = empty ? l.heightPt : pendingAfter + l.beforePt + l.heightPt;
        if (!empty && used + need > limit + 0.01) {
            ++column;
            if (column >= columns) return false;
            used = 0.0;
            empty = true;
        }
        used += empty ? l.heightPt : pendingAfter + l.beforePt + l.heightPt;
        empty = false;
        pendingAfter = l.afterPt;
        if (out) {
            out->columnOf[i] = column;
            out->heightsPt[column] = used;
        }
    }
    return true;
}

} // namespace

BalancedColumns balanceColumns(const std::vector<BalanceLine>& lines, std::size_t columns, double room) {
    // The lines came from columns of at most room each: the bisection starts there.
    BalancedColumns out;
    if (lines.empty() || columns == 0) return out;
    double tallest = 0.0, total = 0.0;
    for (const auto& l : lines) {
        tallest = std::max(tallest, l.heightPt);
        total += l.beforePt + l.heightPt + l.afterPt;
    }
    double lo = std::max(tallest, total / static_cast<double>(columns)) - 0.02, hi = std::max({room, total, tallest});
    if (!fill(lines, columns, hi, nullptr)) return out;
    for (int i = 0; i < 40 && hi - lo > 0.01; ++i) {
        const double mid = (lo + hi) / 2.0;
        if (fill(lines, columns, mid, nullptr)) hi = mid;
        else lo = mid;
    }
    fill(lines, columns, hi, &out);
    return out;
}

std::size_t firstIndexOf(const std::vector<BalanceLine>& lines, std::size_t group) {
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i].group == group) return i;
    return lines.size();
}

} // namespace fq::layout
