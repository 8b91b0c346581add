// Vertical merges and shading colours of Word tables.
#include "publishing/word/TableMerges.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

namespace fq::word {

bool holdsContent(const std::vector<model::Block>& blocks) {
    for (const auto& b : blocks) {
        const auto* p = std::get_if<model::Paragraph>(&b);
        if (!p) return true;
        for (const auto& r : p->runs)
            if (!r.text.empty() || r.field != model::FieldKind::None) return true;
    }
    return false;
}

void settleVerticalMerges(model::Table& table) {
    using model::VerticalMerge;
    // Grid column -> (row, cell) of the merge a Continue cell in that column joins.
    std::map<int, std::pair<std::size_t, std::size_t>> open;
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        std::map<int, std::pair<std::size_t, std::size_t>> next;
        int column = table.rows[r].gridBefore;
        for (std::size_t ci = 0; ci < table.rows[r].cells.size(); ++ci) {
            model::TableCell& cell = table.rows[r].cells[ci];
            const int start = column;
            column += std::max(1, cell.gridSpan);
            cell.rowSpan = 1;
            if (cell.verticalMerge == VerticalMerge::Restart) {
                next[start] = {r, ci};
                continue;
            }
            if (cell.verticalMerge != VerticalMerge::Continue) continue;
            const auto joined = open.find(start);
            if (joined == open.end()) {
                cell.verticalMerge = VerticalMerge::None;
                continue;
            }
            next[start] = joined->second;
            auto& [row, index] = joined->second;
            model::TableCell& first = table.rows[row].cells[index];
            ++first.rowSpan;
            if (holdsContent(cell.blocks))
                for (auto& b : cell.blocks) first.blocks.push_back(std::move(b));
            cell.blocks.clear();
        }
        open = std::move(next);
    }
    for (auto& row : table.rows)
        for (auto& cell : row.cells)
            if (cell.verticalMerge == VerticalMerge::Restart && cell.rowSpan == 1) cell.verticalMerge = VerticalMerge::None;
}

std::optional<model::Color> shadingColor(std::optional<model::Color> pattern, std::optional<model::Color> background,
                                         double percent) {
    if (!(percent > 0.0)) return background;
    const model::Color fore = pattern.value_or(model::Color{0, 0, 0});
    if (percent >= 100.0) return fore;
    const model::Color back = background.value_or(model::Color{255, 255, 255});
    auto mix = [&](std::uint8_t f, std::uint8_t b) {
        return static_cast<std::uint8_t>(std::lround(b + (f - b) * percent / 100.0));
    };
    return model::Color{mix(fore.r, back.r), mix(fore.g, back.g), mix(fore.b, back.b)};
}

} // namespace fq::word
