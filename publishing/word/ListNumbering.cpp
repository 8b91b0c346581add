// Counting list items and writing their labels.
#include "publishing/word/ListNumbering.h"

#include "publishing/word/SymbolFonts.h"

namespace fq::word {

std::vector<LabelPiece> parsePercentTemplate(const std::string& text) {
    std::vector<LabelPiece> pieces;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9') {
            pieces.push_back({{}, text[i + 1] - '1'});
            ++i;
            continue;
        }
        if (pieces.empty() || pieces.back().level >= 0) pieces.push_back({});
        pieces.back().text += text[i];
    }
    return pieces;
}

std::string ListCounters::next(const ListInstance& in, int level) {
    if (level < 0 || level >= kListLevels || !in.levels[static_cast<std::size_t>(level)]) return {};
    const auto lv = static_cast<std::size_t>(level);
    const ListLevelDef& def = *in.levels[lv];
    auto startOf = [&](std::size_t l) {
        if (in.startOverrides[l]) return *in.startOverrides[l];
        return in.levels[l] ? in.levels[l]->start : 1LL;
    };
    Counts& c = lists_[in.listId];

    // An instance that restarts levels does so when it is first used.
    if (startedInstances_.insert(in.listId + '\n' + in.instanceId).second)
        for (std::size_t l = 0; l < kListLevels; ++l)
            if (in.startOverrides[l]) c.value[l].reset();

    c.value[lv] = c.value[lv] ? *c.value[lv] + 1 : startOf(lv);
    for (std::size_t deeper = lv + 1; deeper < kListLevels; ++deeper) {
        const ListLevelDef* d = in.levels[deeper];
        const int limit = d && d->restartLimit >= 0 ? d->restartLimit : static_cast<int>(deeper);
        if (level < limit) c.value[deeper].reset();
    }
    for (std::size_t above = 0; above < lv; ++above)
        if (!c.value[above]) c.value[above] = startOf(above);

    std::string label;
    if (def.format == NumberFormat::Bullet) {
        std::string text;
        for (const LabelPiece& p : def.label) text += p.text;
        label = bulletText(text, def.font, level);
    } else {
        for (const LabelPiece& p : def.label) {
            if (p.level < 0) {
                label += p.text;
                continue;
            }
            if (p.level >= kListLevels) continue;
            const auto shown = static_cast<std::size_t>(p.level);
            const ListLevelDef* sd = in.levels[shown];
            NumberFormat f = sd ? sd->format : NumberFormat::Decimal;
            if (def.legal && shown != lv && f != NumberFormat::None && f != NumberFormat::Bullet) f = NumberFormat::Decimal;
            label += formatNumber(c.value[shown].value_or(startOf(shown)), f);
        }
    }
    if (label.empty()) return label;
    return label + def.suffix;
}

} // namespace fq::word
