// Property elements of WordprocessingML: run, paragraph and section.
#include "publishing/docx/PropertyParser.h"

#include "publishing/docx/BorderProperties.h"
#include "publishing/docx/XmlUtil.h"

#include <algorithm>

namespace fq::docx {

namespace {

template <typename Optional>
void take(Optional& base, const Optional& over) {
    if (over) base = over;
}

} // namespace

void parseNoteProps(const pugi::xml_node& notePr, std::optional<std::string>& format, std::optional<int>& start,
                    std::optional<std::string>& restart) {
    if (!notePr) return;
    format = xml::text(xml::child(notePr, "numFmt"), "val");
    start = xml::int32(xml::child(notePr, "numStart"), "val");
    restart = xml::text(xml::child(notePr, "numRestart"), "val");
}

RunProps parseRunProps(const pugi::xml_node& rPr) {
    RunProps p;
    if (!rPr) return p;
    p.styleId = xml::text(xml::child(rPr, "rStyle"), "val");
    if (pugi::xml_node f = xml::child(rPr, "rFonts")) {
        RunFonts& fonts = p.fonts.emplace();
        fonts.ascii = xml::text(f, "ascii");
        fonts.hAnsi = xml::text(f, "hAnsi");
        fonts.eastAsia = xml::text(f, "eastAsia");
        fonts.cs = xml::text(f, "cs");
        fonts.asciiTheme = xml::text(f, "asciiTheme");
        fonts.hAnsiTheme = xml::text(f, "hAnsiTheme");
        fonts.eastAsiaTheme = xml::text(f, "eastAsiaTheme");
        fonts.csTheme = xml::text(f, "cstheme");
    }
    if (auto sz = xml::int32(xml::child(rPr, "sz"), "val"); sz && *sz > 0) p.sizeHalfPt = sz;
    p.bold = xml::onOff(rPr, "b");
    p.italic = xml::onOff(rPr, "i");
    p.strike = xml::onOff(rPr, "strike");
    p.doubleStrike = xml::onOff(rPr, "dstrike");
    p.smallCaps = xml::onOff(rPr, "smallCaps");
    p.caps = xml::onOff(rPr, "caps");
    p.vanish = xml::onOff(rPr, "vanish");
    if (pugi::xml_node u = xml::child(rPr, "u")) p.underline = xml::text(u, "val").value_or("single");
    p.color = xml::text(xml::child(rPr, "color"), "val");
    p.vertAlign = xml::text(xml::child(rPr, "vertAlign"), "val");
    parseRunShading(rPr, p);
    return p;
}

SectionProps parseSectionProps(const pugi::xml_node& sectPr, const Relationships& rels) {
    SectionProps s;
    if (pugi::xml_node sz = xml::child(sectPr, "pgSz")) {
        s.pageWidth = xml::int32(sz, "w");
        s.pageHeight = xml::int32(sz, "h");
        s.orient = xml::text(sz, "orient");
    }
    if (pugi::xml_node m = xml::child(sectPr, "pgMar")) {
        s.marginTop = xml::int32(m, "top");
        s.marginBottom = xml::int32(m, "bottom");
        s.marginLeft = xml::int32(m, "left");
        if (!s.marginLeft) s.marginLeft = xml::int32(m, "start");
        s.marginRight = xml::int32(m, "right");
        if (!s.marginRight) s.marginRight = xml::int32(m, "end");
        s.marginHeader = xml::int32(m, "header");
        s.marginFooter = xml::int32(m, "footer");
        s.gutter = xml::int32(m, "gutter");
    }
    s.breakType = xml::text(xml::child(sectPr, "type"), "val");
    s.titlePage = xml::onOff(sectPr, "titlePg").value_or(false);
    if (pugi::xml_node cols = xml::child(sectPr, "cols")) {
        s.columnCount = xml::int32(cols, "num");
        s.columnSpace = xml::int32(cols, "space");
        if (pugi::xml_attribute a = xml::attr(cols, "equalWidth")) s.columnsEqualWidth = a.as_bool() || std::string_view(a.value()) == "on";
        if (pugi::xml_attribute a = xml::attr(cols, "sep")) s.columnSeparator = a.as_bool() || std::string_view(a.value()) == "on";
        for (pugi::xml_node c = cols.first_child(); c; c = c.next_sibling())
            if (xml::is(c, "col")) s.columns.emplace_back(xml::int32(c, "w").value_or(0), xml::int32(c, "space").value_or(0));
    }
    if (pugi::xml_node pg = xml::child(sectPr, "pgNumType")) {
        s.pageNumberStart = xml::int32(pg, "start");
        s.pageNumberFormat = xml::text(pg, "fmt");
    }
    if (pugi::xml_node grid = xml::child(sectPr, "docGrid")) {
        s.gridType = xml::text(grid, "type");
        s.gridLinePitch = xml::int32(grid, "linePitch");
    }
    parseNoteProps(xml::child(sectPr, "footnotePr"), s.footnoteFormat, s.footnoteStart, s.footnoteRestart);
    parseNoteProps(xml::child(sectPr, "endnotePr"), s.endnoteFormat, s.endnoteStart, s.endnoteRestart);
    parsePageBorders(sectPr, s);
    for (pugi::xml_node c = sectPr.first_child(); c; c = c.next_sibling()) {
        bool header = xml::is(c, "headerReference");
        if (!header && !xml::is(c, "footerReference")) continue;
        HeaderFooterRef ref;
        ref.kind = xml::text(c, "type").value_or("default");
        auto id = xml::text(c, "id");
        if (!id) continue;
        auto rel = rels.find(*id);
        if (rel == rels.end() || rel->second.external) continue;
        ref.partName = rel->second.target;
        (header ? s.headers : s.footers).push_back(ref);
    }
    return s;
}

ParaProps parseParaProps(const pugi::xml_node& pPr, const Relationships& rels) {
    ParaProps p;
    if (!pPr) return p;
    p.styleId = xml::text(xml::child(pPr, "pStyle"), "val");
    p.justification = xml::text(xml::child(pPr, "jc"), "val");
    if (pugi::xml_node ind = xml::child(pPr, "ind")) {
        p.indLeft = xml::int32(ind, "left");
        if (!p.indLeft) p.indLeft = xml::int32(ind, "start");
        p.indRight = xml::int32(ind, "right");
        if (!p.indRight) p.indRight = xml::int32(ind, "end");
        p.indFirstLine = xml::int32(ind, "firstLine");
        p.indHanging = xml::int32(ind, "hanging");
    }
    if (pugi::xml_node sp = xml::child(pPr, "spacing")) {
        p.spaceBefore = xml::int32(sp, "before");
        p.spaceAfter = xml::int32(sp, "after");
        if (pugi::xml_attribute a = xml::attr(sp, "beforeAutospacing")) p.beforeAutospacing = a.as_bool();
        if (pugi::xml_attribute a = xml::attr(sp, "afterAutospacing")) p.afterAutospacing = a.as_bool();
        p.line = xml::int32(sp, "line");
        p.lineRule = xml::text(sp, "lineRule");
    }
    p.keepNext = xml::onOff(pPr, "keepNext");
    p.dropCap = xml::text(xml::child(pPr, "framePr"), "dropCap");
    p.pageBreakBefore = xml::onOff(pPr, "pageBreakBefore");
    p.contextualSpacing = xml::onOff(pPr, "contextualSpacing");
    p.keepLines = xml::onOff(pPr, "keepLines");
    p.widowControl = xml::onOff(pPr, "widowControl");
    p.snapToGrid = xml::onOff(pPr, "snapToGrid");
    if (pugi::xml_node tabs = xml::child(pPr, "tabs")) {
        p.hasTabs = true;
        for (pugi::xml_node t = tabs.first_child(); t; t = t.next_sibling()) {
            if (!xml::is(t, "tab")) continue;
            TabStop stop;
            stop.kind = xml::text(t, "val").value_or("left");
            stop.posTwips = xml::int32(t, "pos").value_or(0);
            stop.leader = xml::text(t, "leader").value_or("none");
            p.tabs.push_back(stop);
        }
    }
    if (pugi::xml_node num = xml::child(pPr, "numPr")) {
        NumberingRef ref;
        ref.numId = xml::int32(xml::child(num, "numId"), "val");
        ref.ilvl = xml::int32(xml::child(num, "ilvl"), "val");
        p.numbering = ref;
    }
    parseParagraphBorders(pPr, p);
    p.markRunProps = parseRunProps(xml::child(pPr, "rPr"));
    if (pugi::xml_node sect = xml::child(pPr, "sectPr")) p.section = parseSectionProps(sect, rels);
    return p;
}

void overlay(RunProps& b, const RunProps& o) {
    take(b.styleId, o.styleId);
    // A font given directly replaces the theme font of the same slot.
    if (o.fonts) {
        const RunFonts& of = *o.fonts;
        RunFonts& bf = b.fonts ? *b.fonts : b.fonts.emplace();
        if (of.ascii) { bf.ascii = of.ascii; if (!of.asciiTheme) bf.asciiTheme.reset(); }
        if (of.hAnsi) { bf.hAnsi = of.hAnsi; if (!of.hAnsiTheme) bf.hAnsiTheme.reset(); }
        if (of.eastAsia) { bf.eastAsia = of.eastAsia; if (!of.eastAsiaTheme) bf.eastAsiaTheme.reset(); }
        if (of.cs) { bf.cs = of.cs; if (!of.csTheme) bf.csTheme.reset(); }
        take(bf.asciiTheme, of.asciiTheme);
        take(bf.hAnsiTheme, of.hAnsiTheme);
        take(bf.eastAsiaTheme, of.eastAsiaTheme);
        take(bf.csTheme, of.csTheme);
    }
    take(b.sizeHalfPt, o.sizeHalfPt);
    take(b.bold, o.bold);
    take(b.italic, o.italic);
    take(b.strike, o.strike);
    take(b.doubleStrike, o.doubleStrike);
    take(b.smallCaps, o.smallCaps);
    take(b.caps, o.caps);
    take(b.vanish, o.vanish);
    take(b.underline, o.underline);
    take(b.color, o.color);
    take(b.vertAlign, o.vertAlign);
    overlayShading(b, o);
}

void overlay(ParaProps& b, const ParaProps& o) {
    take(b.styleId, o.styleId);
    take(b.justification, o.justification);
    take(b.indLeft, o.indLeft);
    take(b.indRight, o.indRight);
    // firstLine and hanging exclude each other: the later one wins.
    if (o.indFirstLine || o.indHanging) {
        b.indFirstLine = o.indFirstLine;
        b.indHanging = o.indHanging;
    }
    take(b.spaceBefore, o.spaceBefore);
    take(b.spaceAfter, o.spaceAfter);
    take(b.beforeAutospacing, o.beforeAutospacing);
    take(b.afterAutospacing, o.afterAutospacing);
    take(b.line, o.line);
    take(b.lineRule, o.lineRule);
    take(b.keepNext, o.keepNext);
    take(b.pageBreakBefore, o.pageBreakBefore);
    take(b.contextualSpacing, o.contextualSpacing);
    take(b.keepLines, o.keepLines);
    take(b.widowControl, o.widowControl);
    take(b.snapToGrid, o.snapToGrid);
    if (o.hasTabs) {
        b.hasTabs = true;
        for (const TabStop& t : o.tabs) {
            auto same = [&](const TabStop& x) { return x.posTwips == t.posTwips; };
            b.tabs.erase(std::remove_if(b.tabs.begin(), b.tabs.end(), same), b.tabs.end());
            if (t.kind != "clear") b.tabs.push_back(t);
        }
        std::sort(b.tabs.begin(), b.tabs.end(),
                  [](const TabStop& x, const TabStop& y) { return x.posTwips < y.posTwips; });
    }
    if (o.numbering) {
        NumberingRef n = b.numbering.value_or(NumberingRef{});
        if (o.numbering->numId) n.numId = o.numbering->numId;
        if (o.numbering->ilvl) n.ilvl = o.numbering->ilvl;
        b.numbering = n;
    }
    overlayBorders(b, o);
    overlay(b.markRunProps, o.markRunProps);
    if (o.section) b.section = o.section;
}

} // namespace fq::docx
