// Parsing list tables and numbering list items.
#include "publishing/doc/Lists.h"

namespace fq::doc {

namespace {

std::u16string ascii(const std::string& s) { return std::u16string(s.begin(), s.end()); }

std::u16string romanNumber(std::int32_t n, bool upper) {
    static const std::pair<int, const char*> table[] = {{1000, "m"}, {900, "cm"}, {500, "d"}, {400, "cd"},
                                                        {100, "c"},  {90, "xc"},  {50, "l"},  {40, "xl"},
                                                        {10, "x"},   {9, "ix"},   {5, "v"},   {4, "iv"}, {1, "i"}};
    std::string s;
    for (const auto& [v, t] : table)
        while (n >= v && s.size() < 64) s += t, n -= v;
    if (upper)
        for (auto& c : s) c = static_cast<char>(c - 'a' + 'A');
    return ascii(s);
}

std::u16string letters(std::int32_t n, bool upper) {
    if (n <= 0) return u"";
    const char16_t base = upper ? u'A' : u'a';
    const int repeat = (n - 1) / 26 + 1;
    return std::u16string(static_cast<std::size_t>(std::min(repeat, 32)), static_cast<char16_t>(base + (n - 1) % 26));
}

char16_t bulletFor(char16_t c) {
    if (c >= 0xF000 && c <= 0xF0FF) {
        switch (c & 0xFF) {
        case 0xA7: return 0x25AA;
        case 0xA8: return 0x25CB;
        case 0xD8: return 0x27A2;
        case 0xFC: return 0x2713;
        case 0x6F: return u'o';
        case 0x2D: return u'-';
        default: return 0x2022;
        }
    }
    return c;
}

} // namespace

std::u16string formatNumber(std::int32_t n, std::uint8_t nfc) {
    switch (nfc) {
    case 1: return romanNumber(n, true);
    case 2: return romanNumber(n, false);
    case 3: return letters(n, true);
    case 4: return letters(n, false);
    case 5: {
        const int m = n % 100;
        const char* suf = (m >= 11 && m <= 13) ? "th" : n % 10 == 1 ? "st" : n % 10 == 2 ? "nd" : n % 10 == 3 ? "rd" : "th";
        return ascii(std::to_string(n) + suf);
    }
    case 22: return ascii((n < 10 ? "0" : "") + std::to_string(n));
    case 23: case 255: return u"";
    default: return ascii(std::to_string(n));
    }
}

const ListDef* ListTables::listFor(std::uint16_t ilfo) const {
    if (ilfo == 0 || ilfo > overrides.size()) return nullptr;
    const std::uint32_t lsid = overrides[ilfo - 1];
    if (indexed_ != lists.size()) {
        byLsid_.clear();
        for (std::size_t i = lists.size(); i-- > 0;) byLsid_[lists[i].lsid] = i;  // the first of equal ids wins
        indexed_ = lists.size();
    }
    const auto it = byLsid_.find(lsid);
    return it == byLsid_.end() ? nullptr : &lists[it->second];
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
                lvl.startAt = r.i32(off);
                lvl.nfc = r.u8(off + 4);
                lvl.legal = r.u8(off + 5) & 0x04;
                lvl.follow = r.u8(off + 15);
                const std::size_t cbChpx = r.u8(off + 24);
                const std::size_t cbPapx = r.u8(off + 25);
                lvl.papx = r.copy(off + 28, cbPapx);
                off += 28 + cbPapx;
                lvl.chpx = r.copy(off, cbChpx);
                off += cbChpx;
                const std::size_t cch = r.u16(off);
                r.require(off + 2, cch * 2);
                for (std::size_t k = 0; k < cch; ++k) lvl.text += static_cast<char16_t>(r.u16(off + 2 + k * 2));
                off += 2 + cch * 2;
                t.lists[i].levels.push_back(std::move(lvl));
            }
        }
    }
    if (plfLfo.lcb >= 4 && table.has(plfLfo.fc, plfLfo.lcb)) {
        const ByteReader r = table.sub(plfLfo.fc, plfLfo.lcb, "the list override table");
        const std::uint32_t count = r.u32(0);
        for (std::uint32_t i = 0; i < count && r.has(4 + std::size_t(i) * 16, 16); ++i)
            t.overrides.push_back(r.u32(4 + std::size_t(i) * 16));
    }
    return t;
}

std::u16string ListNumbering::next(std::uint16_t ilfo, std::uint8_t ilvl, const ListLevel** levelOut) {
    const ListDef* def = tables_.listFor(ilfo);
    if (!def || def->levels.empty()) return u"";
    if (ilvl >= def->levels.size()) ilvl = static_cast<std::uint8_t>(def->levels.size() - 1);
    auto& counters = counters_[def->lsid];
    if (counters.size() < def->levels.size()) counters.resize(def->levels.size(), 0);
    const ListLevel& lvl = def->levels[ilvl];
    std::int32_t& c = counters[ilvl];
    c = c == 0 ? std::max(lvl.startAt, 0) + 1 : c + 1;  // stored one above the number, 0 = unset
    for (std::size_t k = ilvl + 1; k < counters.size(); ++k) counters[k] = 0;
    if (levelOut) *levelOut = &lvl;
    std::u16string label;
    for (char16_t ch : lvl.text) {
        if (ch < 9) {
            const std::size_t level = ch;
            if (level >= def->levels.size()) continue;
            const std::int32_t value = counters[level] == 0 ? def->levels[level].startAt : counters[level] - 1;
            const std::uint8_t nfc = (lvl.legal && level != ilvl) ? 0 : def->levels[level].nfc;
            label += formatNumber(value, nfc);
        } else {
            label += lvl.nfc == 23 ? bulletFor(ch) : ch;
        }
    }
    if (label.empty()) return label;
    if (lvl.follow == 0) label += u'\t';
    else if (lvl.follow == 1) label += u' ';
    return label;
}

} // namespace fq::doc
