// Style inheritance and conversion of Word units into points.
#include "publishing/docx/PropertyResolver.h"

#include "publishing/docx/BorderProperties.h"
#include "publishing/docx/PropertyParser.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

namespace fq::docx {

namespace {

constexpr double twipsToPt(int twips) { return twips / 20.0; }

// The toggle properties of a run, each as (inherited value in one chain).
struct Toggles {
    std::optional<bool> bold, italic, strike, doubleStrike, smallCaps, caps, vanish;
};

Toggles togglesOf(const std::vector<const RunProps*>& chain) {
    Toggles t;
    for (const RunProps* rp : chain) {   // root first: nearer styles override
        const RunProps& r = *rp;
        if (r.bold) t.bold = r.bold;
        if (r.italic) t.italic = r.italic;
        if (r.strike) t.strike = r.strike;
        if (r.doubleStrike) t.doubleStrike = r.doubleStrike;
        if (r.smallCaps) t.smallCaps = r.smallCaps;
        if (r.caps) t.caps = r.caps;
        if (r.vanish) t.vanish = r.vanish;
    }
    return t;
}

void applyToggle(std::optional<bool>& value, const std::optional<bool>& fromStyle) {
    if (fromStyle && *fromStyle) value = !value.value_or(false);
}

std::optional<model::Color> parseColor(const std::optional<std::string>& v) {
    if (!v || v->size() != 6 || *v == "auto") return std::nullopt;
    char* end = nullptr;
    unsigned long rgb = std::strtoul(v->c_str(), &end, 16);
    if (end != v->c_str() + 6) return std::nullopt;
    return model::Color{static_cast<std::uint8_t>(rgb >> 16), static_cast<std::uint8_t>(rgb >> 8),
                        static_cast<std::uint8_t>(rgb)};
}

model::Underline underlineKind(const std::string& v) {
    using U = model::Underline;
    if (v == "none" || v.empty()) return U::None;
    if (v == "words") return U::Words;
    if (v == "double") return U::Double;
    if (v == "thick") return U::Thick;
    if (v == "dotted" || v == "dottedHeavy") return U::Dotted;
    if (v == "dash" || v == "dashedHeavy" || v == "dashLong" || v == "dashLongHeavy") return U::Dash;
    if (v == "dotDash" || v == "dashDotHeavy") return U::DotDash;
    if (v == "dotDotDash" || v == "dashDotDotHeavy") return U::DotDotDash;
    if (v == "wave" || v == "wavyHeavy" || v == "wavyDouble") return U::Wave;
    return U::Single;
}

model::TabAlignment tabAlignment(const std::string& kind) {
    if (kind == "center") return model::TabAlignment::Center;
    if (kind == "right" || kind == "end") return model::TabAlignment::Right;
    if (kind == "decimal") return model::TabAlignment::Decimal;
    return model::TabAlignment::Left;
}

model::TabLeader tabLeader(const std::string& leader) {
    if (leader == "dot") return model::TabLeader::Dots;
    if (leader == "hyphen") return model::TabLeader::Dashes;
    if (leader == "underscore") return model::TabLeader::Underline;
    if (leader == "heavy") return model::TabLeader::Heavy;
    if (leader == "middleDot") return model::TabLeader::MiddleDots;
    return model::TabLeader::None;
}

} // namespace

PropertyResolver::PropertyResolver(const Styles& styles, const ThemeFonts& theme)
    : styles_(styles), theme_(theme) {}

std::vector<const Style*> PropertyResolver::chain(const std::string& id) const {
    std::vector<const Style*> out;
    std::string current = id;
    for (int guard = 0; guard < 32 && !current.empty(); ++guard) {
        auto it = styles_.styles.find(current);
        if (it == styles_.styles.end()) break;
        if (std::find(out.begin(), out.end(), &it->second) != out.end()) break;   // a cycle
        out.push_back(&it->second);
        current = it->second.basedOn.value_or("");
    }
    std::reverse(out.begin(), out.end());
    return out;
}

std::string PropertyResolver::paragraphStyle(const ParaProps& direct) const {
    if (direct.styleId && styles_.styles.count(*direct.styleId)) return *direct.styleId;
    return styles_.defaultParagraphStyle.value_or("");
}

ParaProps PropertyResolver::mergedParagraph(const ParaProps& direct) const {
    return mergedParagraph(direct, nullptr);
}

PropertyResolver::TableLayers PropertyResolver::setTableLayers(TableLayers layers) {
    std::swap(table_, layers);
    return layers;
}

std::vector<const Style*> PropertyResolver::tableStyleChain(const std::string& id) const {
    auto c = chain(id);
    if (!c.empty() && c.back()->type != "table") c.clear();
    return c;
}

ParaProps PropertyResolver::mergedParagraph(const ParaProps& direct, const ParaProps* level) const {
    ParaProps p = styles_.defaultParaProps;
    for (const ParaProps* layer : table_.para) {
        ParaProps tp = *layer;
        tp.numbering.reset();
        overlay(p, tp);
    }
    for (const Style* s : chain(paragraphStyle(direct))) overlay(p, s->paraProps);
    if (level) {
        ParaProps lv = *level;
        lv.numbering.reset();
        overlay(p, lv);
    }
    overlay(p, direct);
    return p;
}

model::ParaProps PropertyResolver::toModel(const ParaProps& p) const {
    model::ParaProps m;
    const std::string jc = p.justification.value_or("left");
    if (jc == "center") m.alignment = model::Alignment::Center;
    else if (jc == "right" || jc == "end") m.alignment = model::Alignment::Right;
    else if (jc == "both" || jc == "distribute" || jc == "lowKashida" || jc == "mediumKashida" ||
             jc == "highKashida" || jc == "thaiDistribute")
        m.alignment = model::Alignment::Justify;
    else m.alignment = model::Alignment::Left;
    m.leftIndentPt = twipsToPt(p.indLeft.value_or(0));
    m.rightIndentPt = twipsToPt(p.indRight.value_or(0));
    if (p.indHanging) m.firstLineIndentPt = -twipsToPt(*p.indHanging);
    else m.firstLineIndentPt = twipsToPt(p.indFirstLine.value_or(0));
    // Automatic spacing (HTML-like paragraphs) is 14 points in Word.
    m.spaceBeforePt = p.beforeAutospacing.value_or(false) ? 14.0 : twipsToPt(std::max(0, p.spaceBefore.value_or(0)));
    m.spaceAfterPt = p.afterAutospacing.value_or(false) ? 14.0 : twipsToPt(std::max(0, p.spaceAfter.value_or(0)));
    if (p.line) {
        const std::string rule = p.lineRule.value_or("auto");
        if (rule == "exact") m.lineSpacing = {model::LineSpacing::Rule::Exact, twipsToPt(std::abs(*p.line))};
        else if (rule == "atLeast") m.lineSpacing = {model::LineSpacing::Rule::AtLeast, twipsToPt(std::abs(*p.line))};
        else if (*p.line > 0) m.lineSpacing = {model::LineSpacing::Rule::Multiple, *p.line / 240.0};
    }
    m.keepWithNext = p.keepNext.value_or(false);
    m.keepLinesTogether = p.keepLines.value_or(false);
    m.pageBreakBefore = p.pageBreakBefore.value_or(false);
    // Word controls widows and orphans unless told not to.
    m.widowControl = p.widowControl.value_or(true);
    m.contextualSpacing = p.contextualSpacing.value_or(false);
    m.snapToGrid = p.snapToGrid.value_or(true);
    m.spaceBeforeAuto = p.beforeAutospacing.value_or(false);
    m.spaceAfterAuto = p.afterAutospacing.value_or(false);
    for (const TabStop& t : p.tabs) {
        if (t.kind == "clear" || t.kind == "bar") continue;
        double pos = twipsToPt(t.posTwips) - m.leftIndentPt;
        if (pos < 0) continue;   // the model cannot hold stops left of the indent
        m.tabStopsPt.push_back(pos);
        m.tabs.push_back(model::TabStop{pos, tabAlignment(t.kind), tabLeader(t.leader)});
    }
    bordersToModel(p, m);
    return m;
}

std::string PropertyResolver::styleName(const std::string& id) const {
    auto it = styles_.styles.find(id);
    if (it == styles_.styles.end()) return {};
    // As Word shows a style with other names: "heading 1,h1,Level 1 Topic Heading".
    return it->second.aliases.empty() ? it->second.name : it->second.name + "," + it->second.aliases;
}

std::string PropertyResolver::fontName(const RunProps& r, bool eastAsian) const {
    auto themeFont = [&](const std::optional<std::string>& slot) -> std::string {
        if (!slot) return {};
        const std::string& s = *slot;
        if (s == "majorHAnsi" || s == "majorAscii") return theme_.majorLatin;
        if (s == "minorHAnsi" || s == "minorAscii") return theme_.minorLatin;
        if (s == "majorEastAsia") return theme_.majorEastAsia;
        if (s == "minorEastAsia") return theme_.minorEastAsia;
        if (s == "majorBidi") return theme_.majorCs;
        if (s == "minorBidi") return theme_.minorCs;
        return {};
    };
    static const RunFonts none;
    const RunFonts& fonts = r.fonts ? *r.fonts : none;
    if (eastAsian) {
        std::string f = themeFont(fonts.eastAsiaTheme);
        if (!f.empty()) return f;
        if (fonts.eastAsia && !fonts.eastAsia->empty()) return *fonts.eastAsia;
    }
    for (const auto* slot : {&fonts.asciiTheme, &fonts.hAnsiTheme}) {
        std::string f = themeFont(*slot);
        if (!f.empty()) return f;
    }
    for (const auto* slot : {&fonts.ascii, &fonts.hAnsi, &fonts.eastAsia, &fonts.cs})
        if (*slot && !(*slot)->empty()) return **slot;
    for (const auto* slot : {&fonts.eastAsiaTheme, &fonts.csTheme}) {
        std::string f = themeFont(*slot);
        if (!f.empty()) return f;
    }
    // Word's font when nothing names one.
    return "Times New Roman";
}

model::CharProps PropertyResolver::resolveRun(const std::string& paraStyle, const RunProps& direct,
                                              const RunProps* extra, bool eastAsian) const {
    RunProps r = styles_.defaultRunProps;
    const auto pChain = chain(paraStyle);
    std::string charStyle = direct.styleId.value_or(styles_.defaultCharacterStyle.value_or(""));
    auto cChain = chain(charStyle);
    // A character style id that names a paragraph style is ignored.
    if (!cChain.empty() && cChain.back()->type != "character") cChain.clear();

    auto runsOf = [](const std::vector<const Style*>& styles) {
        std::vector<const RunProps*> out;
        for (const Style* s : styles) out.push_back(&s->runProps);
        return out;
    };

    // Non-toggle properties: plain inheritance, table, paragraph and then character chain.
    for (const RunProps* layer : table_.run) overlay(r, *layer);
    for (const Style* s : pChain) overlay(r, s->runProps);
    for (const Style* s : cChain) overlay(r, s->runProps);

    // Toggle properties: the defaults, then each chain toggles.
    RunProps t = styles_.defaultRunProps;
    Toggles tt = togglesOf(table_.run), tp = togglesOf(runsOf(pChain)), tc = togglesOf(runsOf(cChain));
    applyToggle(t.bold, tt.bold);           applyToggle(t.italic, tt.italic);
    applyToggle(t.strike, tt.strike);       applyToggle(t.doubleStrike, tt.doubleStrike);
    applyToggle(t.smallCaps, tt.smallCaps); applyToggle(t.caps, tt.caps);
    applyToggle(t.vanish, tt.vanish);
    applyToggle(t.bold, tp.bold);           applyToggle(t.bold, tc.bold);
    applyToggle(t.italic, tp.italic);       applyToggle(t.italic, tc.italic);
    applyToggle(t.strike, tp.strike);       applyToggle(t.strike, tc.strike);
    applyToggle(t.doubleStrike, tp.doubleStrike); applyToggle(t.doubleStrike, tc.doubleStrike);
    applyToggle(t.smallCaps, tp.smallCaps); applyToggle(t.smallCaps, tc.smallCaps);
    applyToggle(t.caps, tp.caps);           applyToggle(t.caps, tc.caps);
    applyToggle(t.vanish, tp.vanish);       applyToggle(t.vanish, tc.vanish);
    r.bold = t.bold; r.italic = t.italic; r.strike = t.strike; r.doubleStrike = t.doubleStrike;
    r.smallCaps = t.smallCaps; r.caps = t.caps; r.vanish = t.vanish;

    if (extra) overlay(r, *extra);
    RunProps d = direct;
    d.styleId.reset();
    overlay(r, d);

    model::CharProps c;
    c.font = fontName(r, eastAsian);
    c.sizePt = r.sizeHalfPt ? *r.sizeHalfPt / 2.0 : 10.0;
    c.bold = r.bold.value_or(false);
    c.italic = r.italic.value_or(false);
    c.strike = r.strike.value_or(false) || r.doubleStrike.value_or(false);
    c.smallCaps = r.smallCaps.value_or(false);
    c.allCaps = r.caps.value_or(false);
    c.underline = underlineKind(r.underline.value_or("none"));
    c.color = parseColor(r.color);
    const std::string va = r.vertAlign.value_or("baseline");
    c.vertical = va == "superscript" ? model::VerticalPosition::Superscript
               : va == "subscript"   ? model::VerticalPosition::Subscript
                                     : model::VerticalPosition::Baseline;
    c.highlight = runBackground(r);
    return c;
}

} // namespace fq::docx
