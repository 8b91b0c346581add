// List counters and label formatting.
#include "publishing/docx/ListLabeler.h"

#include "publishing/docx/XmlUtil.h"

#include <algorithm>
#include <cctype>

namespace fq::docx {

namespace {

std::string roman(int v, bool upper) {
    if (v <= 0 || v >= 4000) return std::to_string(v);
    static const struct { int n; const char* s; } table[] = {
        {1000, "m"}, {900, "cm"}, {500, "d"}, {400, "cd"}, {100, "c"}, {90, "xc"},
        {50, "l"}, {40, "xl"}, {10, "x"}, {9, "ix"}, {5, "v"}, {4, "iv"}, {1, "i"}};
    std::string out;
    for (const auto& e : table)
        while (v >= e.n) { out += e.s; v -= e.n; }
    if (upper) std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return std::toupper(c); });
    return out;
}

std::string letters(int v, bool upper) {
    if (v <= 0) return std::to_string(v);
    // Word repeats the letter: 27 -> "aa", 53 -> "aaa".
    int repeat = (v - 1) / 26 + 1;
    char c = static_cast<char>((upper ? 'A' : 'a') + (v - 1) % 26);
    return std::string(static_cast<std::size_t>(std::min(repeat, 50)), c);
}

std::string ordinalSuffix(int v) {
    int t = v % 100;
    if (t >= 11 && t <= 13) return "th";
    switch (v % 10) {
    case 1: return "st";
    case 2: return "nd";
    case 3: return "rd";
    default: return "th";
    }
}

// Decodes one UTF-8 sequence; returns the code point and advances i.
char32_t decode(const std::string& s, std::size_t& i) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    int len = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 1;
    if (i + static_cast<std::size_t>(len) > s.size()) len = 1;
    char32_t cp = len == 1 ? c : len == 2 ? (c & 0x1F) : len == 3 ? (c & 0x0F) : (c & 0x07);
    for (int k = 1; k < len; ++k) cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    i += static_cast<std::size_t>(len);
    return cp;
}

} // namespace

std::string formatNumber(int value, const std::string& f) {
    if (f == "lowerRoman") return roman(value, false);
    if (f == "upperRoman") return roman(value, true);
    if (f == "lowerLetter") return letters(value, false);
    if (f == "upperLetter") return letters(value, true);
    if (f == "ordinal") return std::to_string(value) + ordinalSuffix(value);
    if (f == "decimalZero") return (value >= 0 && value < 10 ? "0" : "") + std::to_string(value);
    if (f == "none") return {};
    if (f == "decimalEnclosedCircle" && value >= 1 && value <= 20) {
        std::string out;
        xml::appendUtf8(out, static_cast<char32_t>(0x2460 + value - 1));
        return out;
    }
    if (f == "decimalEnclosedParen") return "(" + std::to_string(value) + ")";
    return std::to_string(value);
}

std::string bulletText(const std::string& lvlText, const std::string& font, int level) {
    std::string lf = font;
    std::transform(lf.begin(), lf.end(), lf.begin(), [](unsigned char c) { return std::tolower(c); });
    const bool symbolFont = lf.find("symbol") != std::string::npos || lf.find("wingdings") != std::string::npos ||
                            lf.find("webdings") != std::string::npos;
    std::string out;
    for (std::size_t i = 0; i < lvlText.size();) {
        char32_t cp = decode(lvlText, i);
        char32_t low = cp >= 0xF000 && cp <= 0xF0FF ? cp - 0xF000 : cp;
        if ((cp >= 0xF000 && cp <= 0xF0FF) || (symbolFont && cp < 0x100)) {
            // Anything unknown shows the usual bullet of its level.
            static const char32_t levelBullets[] = {0x2022, 0x25E6, 0x25AA};
            char32_t mapped = levelBullets[(level < 0 ? 0 : level) % 3];
            if (low == 0xB7) mapped = 0x2022;
            if (lf.find("wingdings") != std::string::npos) {
                switch (low) {
                case 0xA7: mapped = 0x25AA; break;    // small black square
                case 0x6C: mapped = 0x25CF; break;    // black circle
                case 0x6E: mapped = 0x25A0; break;    // black square
                case 0x71: mapped = 0x2751; break;
                case 0x76: mapped = 0x2756; break;
                case 0xA8: mapped = 0x25FB; break;
                case 0xD8: mapped = 0x27A2; break;
                case 0xFC: mapped = 0x2713; break;
                case 0xFB: mapped = 0x2717; break;
                default: break;
                }
            }
            xml::appendUtf8(out, mapped);
        } else if (cp == 'o' && lvlText.size() == 1 && lf.find("courier") != std::string::npos) {
            xml::appendUtf8(out, 0x25E6);             // white bullet, as "o" in Courier New shows
        } else {
            xml::appendUtf8(out, cp);
        }
    }
    return out;
}

ListLabeler::ListLabeler(const Numbering& numbering, const Styles* styles) : numbering_(numbering), styles_(styles) {}

const NumberingLevel* ListLabeler::level(int numId, int ilvl) const {
    if (ilvl < 0 || ilvl > 8) return nullptr;
    auto num = numbering_.instances.find(numId);
    if (num == numbering_.instances.end()) return nullptr;
    auto ov = num->second.overrides.find(ilvl);
    if (ov != num->second.overrides.end() && ov->second.level) return &*ov->second.level;
    auto abs = numbering_.abstracts.find(num->second.abstractId);
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
    auto lvl = abs->second.levels.find(ilvl);
    if (lvl == abs->second.levels.end()) return nullptr;
    return &lvl->second;
}

std::optional<ListLabel> ListLabeler::next(int numId, int ilvl) {
    const NumberingLevel* lv = level(numId, ilvl);
    if (!lv) return std::nullopt;
    const NumberingInstance& num = numbering_.instances.at(numId);
    const bool overrides = !num.overrides.empty();
    // Instances without overrides share the counters of their abstract numbering.
    const std::string key = overrides ? "n" + std::to_string(numId) : "a" + std::to_string(num.abstractId);
    Counters& c = counters_[key];

    if (overrides && !overrideApplied_[numId]) {
        overrideApplied_[numId] = true;
        for (const auto& [i, o] : num.overrides)
            if (o.startOverride && i >= 0 && i <= 8) c.value[i] = *o.startOverride - 1;
    }

    int start = lv->start;
    c.value[ilvl] = c.value[ilvl] ? *c.value[ilvl] + 1 : start;
    for (int deeper = ilvl + 1; deeper < 9; ++deeper) {
        const NumberingLevel* d = level(numId, deeper);
        int restartAfter = d && d->restart ? *d->restart : deeper;   // 1-based level that restarts it
        if (restartAfter == 0) continue;
        if (ilvl + 1 <= restartAfter) c.value[deeper].reset();
    }
    // Levels above that were never used show their start value.
    for (int above = 0; above < ilvl; ++above)
        if (!c.value[above]) {
            const NumberingLevel* a = level(numId, above);
            c.value[above] = a ? a->start : 1;
        }

    ListLabel label;
    label.level = lv;
    if (lv->format == "bullet") {
        label.text = bulletText(lv->text, lv->runProps.fonts.ascii.value_or(lv->runProps.fonts.hAnsi.value_or("")), ilvl);
    } else {
        const std::string& t = lv->hasText ? lv->text : std::string("%") + std::to_string(ilvl + 1) + ".";
        for (std::size_t i = 0; i < t.size(); ++i) {
            if (t[i] == '%' && i + 1 < t.size() && t[i + 1] >= '1' && t[i + 1] <= '9') {
                int which = t[i + 1] - '1';
                const NumberingLevel* wl = level(numId, which);
                int v = c.value[which].value_or(wl ? wl->start : 1);
                std::string fmt = wl ? wl->format : "decimal";
                if (lv->legal && fmt != "none") fmt = "decimal";
                label.text += formatNumber(v, fmt);
                ++i;
            } else {
                label.text += t[i];
            }
        }
    }
    if (label.text.empty()) return label;
    if (lv->suffix == "tab") label.text += '\t';
    else if (lv->suffix == "space") label.text += ' ';
    return label;
}

} // namespace fq::docx
