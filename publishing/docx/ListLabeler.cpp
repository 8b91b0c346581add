// List levels of numbering.xml, counted by the shared list numbering.
#include "publishing/docx/ListLabeler.h"

#include <array>

namespace fq::docx {

word::ListLevelDef toListLevelDef(const NumberingLevel& l, int ilvl) {
    word::ListLevelDef d;
    d.start = l.start;
    d.format = word::numberFormatFromName(l.format);
    if (l.runProps.fonts) d.font = l.runProps.fonts->ascii.value_or(l.runProps.fonts->hAnsi.value_or(""));
    if (d.format == word::NumberFormat::Bullet) {
        d.label = {{l.text, -1}};
    } else if (l.hasText) {
        d.label = word::parsePercentTemplate(l.text);
    } else {
        d.label = {{{}, ilvl}, {".", -1}};       // Word's default: the level's number and a full stop
    }
    if (l.restart) d.restartLimit = std::max(0, *l.restart);
    d.legal = l.legal;
    d.suffix.clear();
    if (l.suffix == "space") d.suffix += ' ';
    else if (l.suffix != "nothing") d.suffix += '\t';
    return d;
}

ListLabeler::ListLabeler(const Numbering& numbering, const Styles* styles) : numbering_(numbering), styles_(styles) {}

const AbstractNumbering* ListLabeler::abstractFor(const NumberingInstance& num) const {
    auto abs = numbering_.abstracts.find(num.abstractId);
    if (abs == numbering_.abstracts.end()) return nullptr;
    // A list that refers to a numbering style takes its levels from the
    // list the style names (followed a few times at most).
    for (int hop = 0; hop < 4 && abs->second.levels.empty() && abs->second.numStyleLink && styles_; ++hop) {
        auto style = styles_->styles.find(*abs->second.numStyleLink);
        if (style == styles_->styles.end() || !style->second.paraProps.numbering ||
            !style->second.paraProps.numbering->numId)
            return nullptr;
        auto linked = numbering_.instances.find(*style->second.paraProps.numbering->numId);
        if (linked == numbering_.instances.end()) return nullptr;
        abs = numbering_.abstracts.find(linked->second.abstractId);
        if (abs == numbering_.abstracts.end()) return nullptr;
    }
    return &abs->second;
}

const NumberingLevel* ListLabeler::level(int numId, int ilvl) const {
    if (ilvl < 0 || ilvl > 8) return nullptr;
    auto num = numbering_.instances.find(numId);
    if (num == numbering_.instances.end()) return nullptr;
    auto ov = num->second.overrides.find(ilvl);
    if (ov != num->second.overrides.end() && ov->second.level) return &*ov->second.level;
    const AbstractNumbering* abs = abstractFor(num->second);
    if (!abs) return nullptr;
    auto lvl = abs->levels.find(ilvl);
    return lvl == abs->levels.end() ? nullptr : &lvl->second;
}

std::optional<ListLabel> ListLabeler::next(int numId, int ilvl) {
    const NumberingLevel* lv = level(numId, ilvl);
    if (!lv) return std::nullopt;
    const NumberingInstance& num = numbering_.instances.at(numId);
    const AbstractNumbering* abs = abstractFor(num);
    std::array<word::ListLevelDef, word::kListLevels> defs;
    word::ListInstance in;
    in.listId = "a" + std::to_string(abs ? abs->id : num.abstractId);
    in.instanceId = std::to_string(numId);
    for (int l = 0; l < word::kListLevels; ++l) {
        const auto i = static_cast<std::size_t>(l);
        if (const NumberingLevel* d = level(numId, l)) {
            defs[i] = toListLevelDef(*d, l);
            in.levels[i] = &defs[i];
        }
        auto ov = num.overrides.find(l);
        if (ov != num.overrides.end() && ov->second.startOverride) in.startOverrides[i] = *ov->second.startOverride;
    }
    ListLabel label;
    label.level = lv;
    label.text = counters_.next(in, ilvl);
    return label;
}

} // namespace fq::docx
