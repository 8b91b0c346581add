// Chart helpers.
#include "publishing/chart/Chart.h"

#include <algorithm>

namespace fq::chart {

std::vector<std::string> categories(const Chart& chart) {
    for (const auto& s : chart.series)
        if (!s.categories.empty()) return s.categories;
    std::size_t n = 0;
    for (const auto& s : chart.series) n = std::max(n, s.values.size());
    std::vector<std::string> out;
    for (std::size_t i = 0; i < n; ++i) out.push_back(std::to_string(i + 1));
    return out;
}

} // namespace fq::chart
