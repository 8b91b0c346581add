// DrawingML shape properties.
#include "publishing/docx/DrawingMl.h"

#include "publishing/docx/XmlUtil.h"

#include <algorithm>
#include <cstdlib>

namespace fq::docx {

namespace {

constexpr std::string_view kColorElements[] = {"srgbClr", "schemeClr", "prstClr", "sysClr", "scrgbClr", "hslClr"};

double number(const pugi::xml_node& node, std::string_view attr, double fallback = 0.0) {
    const auto v = xml::text(node, attr);
    if (!v) return fallback;
    char* end = nullptr;
    const double d = std::strtod(v->c_str(), &end);
    return end == v->c_str() ? fallback : d;
}

// A point of a custom path: its coordinates, which may name a guide (only
// numbers are understood; a guide name counts as 0).
std::pair<double, double> point(const pugi::xml_node& pt) { return {number(pt, "x"), number(pt, "y")}; }

void parsePath(const pugi::xml_node& path, DmlPath& out) {
    out.w = number(path, "w");
    out.h = number(path, "h");
    if (auto fill = xml::text(path, "fill")) out.fill = *fill != "none";
    if (pugi::xml_attribute a = xml::attr(path, "stroke")) out.stroke = a.as_bool(true);
    for (pugi::xml_node c = path.first_child(); c; c = c.next_sibling()) {
        if (c.type() != pugi::node_element) continue;
        const std::string_view n = xml::localName(c);
        DmlPathStep step;
        if (n == "moveTo") step.op = 'M';
        else if (n == "lnTo") step.op = 'L';
        else if (n == "cubicBezTo") step.op = 'C';
        else if (n == "quadBezTo") step.op = 'Q';
        else if (n == "close") step.op = 'Z';
        else if (n == "arcTo") step.op = 'A';
        else continue;
        if (step.op == 'A') {
            step.arc[0] = number(c, "wR");
            step.arc[1] = number(c, "hR");
            step.arc[2] = number(c, "stAng");
            step.arc[3] = number(c, "swAng");
        }
        for (pugi::xml_node pt = c.first_child(); pt; pt = pt.next_sibling())
            if (xml::is(pt, "pt")) step.points.push_back(point(pt));
        out.steps.push_back(std::move(step));
    }
}

void parseGeometry(const pugi::xml_node& spPr, DrawnShape& shape) {
    if (pugi::xml_node prst = xml::child(spPr, "prstGeom")) {
        shape.preset = xml::text(prst, "prst").value_or("rect");
        for (pugi::xml_node gd = xml::child(prst, "avLst").first_child(); gd; gd = gd.next_sibling()) {
            if (!xml::is(gd, "gd")) continue;
            const std::string fmla = xml::text(gd, "fmla").value_or("");
            if (fmla.rfind("val ", 0) != 0) continue;
            shape.adjust.emplace_back(xml::text(gd, "name").value_or(""), std::atoll(fmla.c_str() + 4));
        }
    } else if (pugi::xml_node cust = xml::child(spPr, "custGeom")) {
        shape.preset.clear();
        for (pugi::xml_node path = xml::child(cust, "pathLst").first_child(); path; path = path.next_sibling()) {
            if (!xml::is(path, "path")) continue;
            DmlPath p;
            parsePath(path, p);
            shape.paths.push_back(std::move(p));
        }
    }
}

} // namespace

DmlColor parseDmlColor(const pugi::xml_node& node) {
    DmlColor c;
    for (pugi::xml_node e = node.first_child(); e; e = e.next_sibling()) {
        const std::string_view n = xml::localName(e);
        if (std::find(std::begin(kColorElements), std::end(kColorElements), n) == std::end(kColorElements)) continue;
        c.kind = std::string(n);
        if (n == "sysClr") c.value = xml::text(e, "lastClr").value_or(xml::text(e, "val").value_or(""));
        else c.value = xml::text(e, "val").value_or("");
        for (pugi::xml_node m = e.first_child(); m; m = m.next_sibling())
            if (m.type() == pugi::node_element)
                c.mods.emplace_back(std::string(xml::localName(m)), xml::int32(m, "val").value_or(0));
        break;
    }
    return c;
}

DmlFill parseDmlFill(const pugi::xml_node& node, const PartResolver& resolve) {
    DmlFill f;
    for (pugi::xml_node e = node.first_child(); e; e = e.next_sibling()) {
        const std::string_view n = xml::localName(e);
        if (n == "noFill") {
            f.kind = DmlFill::Kind::None;
        } else if (n == "solidFill") {
            f.kind = DmlFill::Kind::Solid;
            f.color = parseDmlColor(e);
        } else if (n == "gradFill") {
            f.kind = DmlFill::Kind::Gradient;
            for (pugi::xml_node gs = xml::child(e, "gsLst").first_child(); gs; gs = gs.next_sibling())
                if (xml::is(gs, "gs")) f.stops.emplace_back(xml::int32(gs, "pos").value_or(0), parseDmlColor(gs));
            if (pugi::xml_node lin = xml::child(e, "lin")) f.angle = xml::int32(lin, "ang").value_or(0);
        } else if (n == "blipFill") {
            f.kind = DmlFill::Kind::Picture;
            if (auto id = xml::text(xml::child(e, "blip"), "embed")) f.picturePart = resolve(*id);
        } else if (n == "pattFill") {
            f.kind = DmlFill::Kind::Pattern;
            f.color = parseDmlColor(xml::child(e, "fgClr"));
        } else {
            continue;
        }
        break;
    }
    return f;
}

DmlLine parseDmlLine(const pugi::xml_node& ln, const PartResolver& resolve) {
    DmlLine l;
    if (!ln) return l;
    l.set = true;
    if (auto w = xml::integer(ln, "w")) l.width = *w;
    l.fill = parseDmlFill(ln, resolve);
    l.dash = xml::text(xml::child(ln, "prstDash"), "val").value_or("");
    if (pugi::xml_node h = xml::child(ln, "headEnd")) {
        l.headType = xml::text(h, "type").value_or("");
        l.headWidth = xml::text(h, "w").value_or("");
        l.headLength = xml::text(h, "len").value_or("");
    }
    if (pugi::xml_node t = xml::child(ln, "tailEnd")) {
        l.tailType = xml::text(t, "type").value_or("");
        l.tailWidth = xml::text(t, "w").value_or("");
        l.tailLength = xml::text(t, "len").value_or("");
    }
    return l;
}

void parseShapeProperties(const pugi::xml_node& spPr, DrawnShape& shape, const PartResolver& resolve) {
    if (pugi::xml_node xfrm = xml::child(spPr, "xfrm")) {
        shape.rotation = xml::int32(xfrm, "rot").value_or(0);
        if (pugi::xml_attribute a = xml::attr(xfrm, "flipH")) shape.flipH = a.as_bool();
        if (pugi::xml_attribute a = xml::attr(xfrm, "flipV")) shape.flipV = a.as_bool();
        if (pugi::xml_node off = xml::child(xfrm, "off")) {
            shape.x = xml::integer(off, "x").value_or(0);
            shape.y = xml::integer(off, "y").value_or(0);
        }
        if (pugi::xml_node ext = xml::child(xfrm, "ext")) {
            shape.cx = xml::integer(ext, "cx").value_or(0);
            shape.cy = xml::integer(ext, "cy").value_or(0);
        }
        if (pugi::xml_node off = xml::child(xfrm, "chOff")) {
            shape.childX = xml::integer(off, "x").value_or(0);
            shape.childY = xml::integer(off, "y").value_or(0);
        }
        if (pugi::xml_node ext = xml::child(xfrm, "chExt")) {
            shape.childCx = xml::integer(ext, "cx").value_or(0);
            shape.childCy = xml::integer(ext, "cy").value_or(0);
        }
    }
    parseGeometry(spPr, shape);
    shape.fill = parseDmlFill(spPr, resolve);
    shape.line = parseDmlLine(xml::child(spPr, "ln"), resolve);
}

void parseBodyProperties(const pugi::xml_node& bodyPr, DrawnShape& shape) {
    if (!bodyPr) return;
    if (auto v = xml::integer(bodyPr, "lIns")) shape.insetLeft = *v;
    if (auto v = xml::integer(bodyPr, "tIns")) shape.insetTop = *v;
    if (auto v = xml::integer(bodyPr, "rIns")) shape.insetRight = *v;
    if (auto v = xml::integer(bodyPr, "bIns")) shape.insetBottom = *v;
    shape.textAnchor = xml::text(bodyPr, "anchor").value_or("");
}

ShapeStyleRefs parseStyleRefs(const pugi::xml_node& style) {
    ShapeStyleRefs r;
    if (pugi::xml_node ln = xml::child(style, "lnRef")) {
        r.lineIndex = xml::int32(ln, "idx").value_or(0);
        r.lineColor = parseDmlColor(ln);
    }
    if (pugi::xml_node fill = xml::child(style, "fillRef")) {
        r.fillIndex = xml::int32(fill, "idx").value_or(0);
        r.fillColor = parseDmlColor(fill);
    }
    if (pugi::xml_node font = xml::child(style, "fontRef")) r.fontColor = parseDmlColor(font);
    return r;
}

void parseThemeColors(const pugi::xml_node& themeRoot, ThemeFonts& theme) {
    pugi::xml_node scheme = xml::child(xml::child(themeRoot, "themeElements"), "clrScheme");
    for (pugi::xml_node e = scheme.first_child(); e; e = e.next_sibling()) {
        if (e.type() != pugi::node_element) continue;
        const DmlColor c = parseDmlColor(e);
        if (c.set() && c.value.size() == 6) theme.colors[std::string(xml::localName(e))] = c.value;
    }
}

} // namespace fq::docx
