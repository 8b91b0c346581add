// numbering.xml.
#include "publishing/docx/NumberingParser.h"

#include "publishing/docx/PropertyParser.h"
#include "publishing/docx/XmlUtil.h"

namespace fq::docx {

namespace {

NumberingLevel parseLevel(const pugi::xml_node& lvl) {
    const Relationships noRels;
    NumberingLevel l;
    l.start = xml::int32(xml::child(lvl, "start"), "val").value_or(1);
    l.format = xml::text(xml::child(lvl, "numFmt"), "val").value_or("decimal");
    if (pugi::xml_node t = xml::child(lvl, "lvlText")) {
        l.hasText = true;
        l.text = xml::text(t, "val").value_or("");
    }
    l.restart = xml::int32(xml::child(lvl, "lvlRestart"), "val");
    l.legal = xml::onOff(lvl, "isLgl").value_or(false);
    l.suffix = xml::text(xml::child(lvl, "suff"), "val").value_or("tab");
    l.paraProps = parseParaProps(xml::child(lvl, "pPr"), noRels);
    l.runProps = parseRunProps(xml::child(lvl, "rPr"));
    return l;
}

int levelIndex(const pugi::xml_node& lvl) {
    int i = xml::int32(lvl, "ilvl").value_or(0);
    return i < 0 ? 0 : (i > 8 ? 8 : i);
}

} // namespace

Numbering parseNumbering(const pugi::xml_node& root) {
    Numbering n;
    for (pugi::xml_node c = root.first_child(); c; c = c.next_sibling()) {
        if (xml::is(c, "abstractNum")) {
            AbstractNumbering a;
            a.id = xml::int32(c, "abstractNumId").value_or(0);
            a.numStyleLink = xml::text(xml::child(c, "numStyleLink"), "val");
            for (pugi::xml_node l = c.first_child(); l; l = l.next_sibling())
                if (xml::is(l, "lvl")) a.levels.emplace(levelIndex(l), parseLevel(l));
            n.abstracts.emplace(a.id, std::move(a));
        } else if (xml::is(c, "num")) {
            NumberingInstance num;
            num.id = xml::int32(c, "numId").value_or(0);
            num.abstractId = xml::int32(xml::child(c, "abstractNumId"), "val").value_or(-1);
            for (pugi::xml_node o = c.first_child(); o; o = o.next_sibling()) {
                if (!xml::is(o, "lvlOverride")) continue;
                LevelOverride ov;
                ov.startOverride = xml::int32(xml::child(o, "startOverride"), "val");
                if (pugi::xml_node l = xml::child(o, "lvl")) ov.level = parseLevel(l);
                num.overrides[levelIndex(o)] = ov;
            }
            n.instances.emplace(num.id, std::move(num));
        }
    }
    return n;
}

} // namespace fq::docx
