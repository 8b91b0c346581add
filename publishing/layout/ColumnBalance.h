// Evening out the columns of a section that ends on a page with text after
// it (a continuous section break follows), as Word does: the lines are
// distributed in order over the columns at the smallest column height that
// holds them all.
#pragma once

#include <cstddef>
#include <vector>

namespace fq::layout {

struct BalanceLine {
    double heightPt = 0.0;
    double beforePt = 0.0;                  // space before it (the first line of a paragraph)
    double afterPt = 0.0;                   // space after it (the last line of a paragraph)
    std::size_t group = 0;                  // the paragraph (part) it belongs to
};

struct BalancedColumns {
    std::vector<std::size_t> columnOf;      // per line; empty when nothing fits
    std::vector<double> heightsPt;          // per column
};

// room: the most a column may hold. Space before at the top of a column
// and space after at its foot take no room.
BalancedColumns balanceColumns(const std::vector<BalanceLine>& lines, std::size_t columns, double room);

// The index of the first line of the group.
std::size_t firstIndexOf(const std::vector<BalanceLine>& lines, std::size_t group);

} // namespace fq::layout
