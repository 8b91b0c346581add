// Parsing list tables and numbering list items.
#include "publishing/doc/Lists.h"

#include "publishing/word/Utf8.h"

namespace fq::doc {

namespace {

// One LVL: its LVLF, the paragraph and character sprms, the number text.
// Returns the offset after it.
std::size_t parseLevel(const ByteReader& r, std::size_t off, ListLevel& lvl) {
    lvl.startAt = r.i32(off);
    lvl.nfc = r.u8(off + 4);
    const std::uint8_t flags = r.u8(off + 5);
    lvl.legal = flags & 0x04;
    lvl.noRestart = flags & 0x08;
    lvl.follow = r.u8(off + 15);
    const std::size_t cbChpx = r.u8(off + 24);
    const std::size_t cbPapx = r.u8(off + 25);
    lvl.restartLimit = r.u8(off + 26);
    lvl.papx = r.copy(off + 28, cbPapx);
    off += 28 + cbPapx;
    lvl.chpx = r.copy(off, cbChpx);
    off += cbChpx;
    const std::size_t cch = r.u16(off);
    r.require(off + 2, cch * 2);
    for (std::size_t k = 0; k < cch; ++k) lvl.text += static_cast<char16_t>(r.u16(off + 2 + k * 2));
    return off + 2 + cch * 2;
}

} // namespace

const ListDef* ListTables::listFor(std::uint16_t ilfo) const {
    const ListOverride* o = overrideFor(ilfo);
    if (!o) return nullptr;
    if (indexed_ != lists.size()) {
        byLsid_.clear();
        for (std::size_t i = lists.size(); i-- > 0;) byLsid_[lists[i].lsid] = i;  // the first of equal ids wins
        indexed_ = lists.size();
    }
    const auto it = byLsid_.find(o->lsid);
    return it == byLsid_.end() ? nullptr : &lists[it->second];
}

const ListOverride* ListTables::overrideFor(std::uint16_t ilfo) const {
    if (ilfo == 0 || ilfo > overrides.size()) return nullptr;
    return &overrides[ilfo - 1];
}

const ListLevel* ListTables::level(std::uint16_t ilfo, std::uint8_t ilvl) const {
    const ListDef* def = listFor(ilfo);
    if (!def || def->levels.empty()) return nullptr;
    const std::size_t l = std::min<std::size_t>(ilvl, def->levels.size() - 1);
    const ListOverride* o = overrideFor(ilfo);
    if (o && l < o->levels.size() && o->levels[l].level) return &*o->levels[l].level;
    return &def->levels[l];
}

ListTables parseListTables(const ByteReader& table, FcLcb plfLst, FcLcb plfLfo) {
    ListTables t;
    if (plfLst.lcb >= 2 && table.has(plfLst.fc, plfLst.lcb)) {
        // The level definitions follow the counted part directly.
        const ByteReader r = table.sub(plfLst.fc, table.size() - plfLst.fc, "the list table");
        const std::size_t count = static_cast<std::size_t>(std::max<std::int16_t>(0, r.i16(0)));
        std::vector<bool> simple;
        for (std::size_t i = 0; i < count; ++i) {
            const std::size_t at = 2 + i * 28;
            ListDef def;
            def.lsid = r.u32(at);
            simple.push_back(r.u8(at + 26) & 1);
            t.lists.push_back(def);
        }
        std::size_t off = 2 + count * 28;
        for (std::size_t i = 0; i < count; ++i) {
            const int levels = simple[i] ? 1 : 9;
            for (int l = 0; l < levels; ++l) {
                ListLevel lvl;
                off = parseLevel(r, off, lvl);
                t.lists[i].levels.push_back(std::move(lvl));
            }
        }
    }
    if (plfLfo.lcb >= 4 && table.has(plfLfo.fc, plfLfo.lcb)) {
        const ByteReader r = table.sub(plfLfo.fc, plfLfo.lcb, "the list override table");
        const std::uint32_t count = r.u32(0);
        std::vector<std::size_t> levelCounts;
        for (std::uint32_t i = 0; i < count && r.has(4 + std::size_t(i) * 16, 16); ++i) {
            t.overrides.push_back({r.u32(4 + std::size_t(i) * 16), {}});
            levelCounts.push_back(r.u8(4 + std::size_t(i) * 16 + 12));
        }
        // Each override's level overrides follow all overrides, in the same
        // order: a CP (unused), then clfolvl LFOLVLs (none at all for some), each with an LVL when
        // it replaces the level's formatting. A damaged tail keeps what came before.
        try {
            std::size_t off = 4 + t.overrides.size() * 16;
            for (std::size_t i = 0; i < t.overrides.size(); ++i) {
                off += 4;
                for (std::size_t k = 0; k < levelCounts[i]; ++k) {
                    const std::int32_t startAt = r.i32(off);
                    const std::uint8_t flags = r.u8(off + 4);
                    off += 8;
                    LevelOverride ov;
                    if (flags & 0x10) ov.startAt = startAt;
                    if (flags & 0x20) {
                        ListLevel lvl;
                        off = parseLevel(r, off, lvl);
                        ov.level = std::move(lvl);
                    }
                    const std::size_t ilvl = flags & 0x0F;
                    if (ilvl < 9) t.overrides[i].levels[ilvl] = std::move(ov);
                }
            }
        } catch (const model::ConversionError&) {
        }
    }
    return t;
}

word::ListLevelDef toListLevelDef(const ListLevel& level, const std::string& font) {
    word::ListLevelDef d;
    d.start = level.startAt;
    d.format = word::numberFormatFromCode(level.nfc);
    d.legal = level.legal;
    d.restartLimit = level.noRestart ? level.restartLimit : -1;
    d.suffix.clear();
    if (level.follow == 0) d.suffix += '\t';
    else if (level.follow == 1) d.suffix += ' ';
    d.font = font;
    std::u16string literal;
    auto flush = [&]() {
        if (!literal.empty()) d.label.push_back({word::utf16ToUtf8(literal), -1});
        literal.clear();
    };
    for (char16_t ch : level.text) {
        if (ch < 9 && d.format != word::NumberFormat::Bullet) {
            flush();
            d.label.push_back({{}, static_cast<int>(ch)});
        } else {
            literal += ch;
        }
    }
    flush();
    return d;
}

std::u16string ListNumbering::next(std::uint16_t ilfo, std::uint8_t ilvl, const ListLevel** levelOut,
                                   const std::function<std::string(const ListLevel&)>& fontOf) {
    const ListDef* def = tables_.listFor(ilfo);
    if (!def || def->levels.empty()) return u"";
    const std::uint8_t last = static_cast<std::uint8_t>(def->levels.size() - 1);
    if (ilvl > last) ilvl = last;
    const ListOverride* ov = tables_.overrideFor(ilfo);
    std::array<word::ListLevelDef, word::kListLevels> defs;
    word::ListInstance in;
    in.listId = std::to_string(def->lsid);
    in.instanceId = std::to_string(ilfo);
    for (std::size_t l = 0; l < def->levels.size() && l < defs.size(); ++l) {
        const ListLevel* lvl = tables_.level(ilfo, static_cast<std::uint8_t>(l));
        defs[l] = toListLevelDef(*lvl, fontOf ? fontOf(*lvl) : std::string());
        in.levels[l] = &defs[l];
        if (ov && ov->levels[l].startAt) in.startOverrides[l] = *ov->levels[l].startAt;
    }
    if (levelOut) *levelOut = tables_.level(ilfo, ilvl);
    return word::utf8ToUtf16(counters_.next(in, ilvl));
}

} // namespace fq::doc
