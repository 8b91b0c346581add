// Drawn shapes of WordprocessingML stories: DrawingML shapes (wps:wsp) and
// groups (wpg:wgp), VML shapes (v:rect, v:roundrect, v:oval, v:line,
// v:polyline, v:shape with a type or a path, v:textpath WordArt) and groups,
// with their text boxes' content, and how an anchored drawing sits among
// the text (wrap, behind the text, z-order, distances).
#include "publishing/docx/BodyParser.h"

#include "publishing/docx/Vml.h"
#include "publishing/docx/XmlUtil.h"

#include <cmath>
#include <cstdlib>
#include <sstream>

namespace fq::docx {

namespace {

constexpr int maxDepth = 64;
constexpr std::int64_t kEmuPerPoint = 12700;

std::string attribute(const pugi::xml_node& n, std::string_view name) { return xml::text(n, name).value_or(""); }

bool falseValue(const std::string& v) { return v == "f" || v == "false" || v == "0" || v == "off"; }

// "x,y" lengths of v:line's from and to, in EMU.
std::pair<std::int64_t, std::int64_t> vmlPoint(const std::string& v) {
    const std::size_t comma = v.find(',');
    if (comma == std::string::npos) return {0, 0};
    auto length = [](std::string s) -> std::int64_t {
        const double n = std::strtod(s.c_str(), nullptr);
        if (s.find_first_not_of("0123456789.- ") == std::string::npos) return static_cast<std::int64_t>(n * kEmuPerPoint);
        return vmlLengthEmu(s) * (n < 0 ? -1 : 1);
    };
    return {length(v.substr(0, comma)), length(v.substr(comma + 1))};
}

// A length of a VML style in the shape's parent space: plain numbers in a
// group's coordinate space, lengths (pt, in, ...) in EMU at the top level.
std::int64_t styleLength(const std::string& v, bool inGroup) {
    if (v.empty()) return 0;
    if (inGroup) return static_cast<std::int64_t>(std::lround(std::strtod(v.c_str(), nullptr)));
    const double n = std::strtod(v.c_str(), nullptr);
    const std::int64_t magnitude = vmlLengthEmu(v[0] == '-' ? v.substr(1) : v);
    return n < 0 ? -magnitude : magnitude;
}

std::string arrowName(const std::string& vml) {
    if (vml == "block") return "triangle";
    if (vml == "classic") return "stealth";
    if (vml == "diamond" || vml == "oval") return vml;
    if (vml == "open") return "arrow";
    return "";
}

std::string dashName(const std::string& vml) {
    const std::string v = vml;
    if (v.empty() || v == "solid") return "";
    if (v == "dot" || v == "shortdot" || v == "1 1") return "sysDot";
    if (v == "dash" || v == "shortdash") return "dash";
    if (v == "dashdot" || v == "shortdashdot") return "dashDot";
    if (v == "longdash") return "lgDash";
    if (v == "longdashdot") return "lgDashDot";
    if (v == "longdashdotdot" || v == "shortdashdotdot") return "lgDashDotDot";
    return "dash";
}

std::string lowered(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

void vmlFill(const pugi::xml_node& shape, DrawnShape& out, const PartResolver& resolve) {
    const std::string filled = attribute(shape, "filled");
    const std::string color = attribute(shape, "fillcolor");
    if (falseValue(filled)) {
        out.fill.kind = DmlFill::Kind::None;
    } else {
        out.fill.kind = DmlFill::Kind::Solid;
        out.fill.color = parseVmlColor(color.empty() ? "white" : color);
    }
    pugi::xml_node fill = xml::child(shape, "fill");
    if (!fill) return;
    if (falseValue(attribute(fill, "on"))) {
        out.fill.kind = DmlFill::Kind::None;
        return;
    }
    if (const std::string c = attribute(fill, "color"); !c.empty()) out.fill.color = parseVmlColor(c);
    if (const std::string o = attribute(fill, "opacity"); !o.empty())
        out.fill.opacity = static_cast<int>(std::lround(parseVmlNumber(o) * 100000.0));
    const std::string type = attribute(fill, "type");
    if (type == "gradient" || type == "gradientRadial" || type == "gradientradial") {
        out.fill.kind = DmlFill::Kind::Gradient;
        DmlColor second = parseVmlColor(attribute(fill, "color2"));
        if (!second.set()) second = parseVmlColor("white");
        out.fill.stops = {{0, out.fill.color}, {100000, second}};
        // VML counts the angle as the drawing format does: 0 from the bottom up.
        const double angle = parseVmlNumber(attribute(fill, "angle"));
        out.fill.angle = static_cast<int>(std::lround(std::fmod(angle - 90.0 + 720.0, 360.0) * 60000.0));
    } else if (type == "frame" || type == "tile" || type == "pattern") {
        std::string id = attribute(fill, "id");
        if (id.empty()) id = attribute(fill, "relid");
        if (!id.empty()) {
            out.fill.kind = type == "pattern" ? DmlFill::Kind::Pattern : DmlFill::Kind::Picture;
            out.fill.picturePart = resolve(id);
        }
    }
}

void vmlLine(const pugi::xml_node& shape, DrawnShape& out) {
    out.line.set = true;
    const std::string color = attribute(shape, "strokecolor");
    out.line.fill.kind = DmlFill::Kind::Solid;
    out.line.fill.color = parseVmlColor(color.empty() ? "black" : color);
    out.line.width = 9525;   // 0.75 pt
    if (const std::string w = attribute(shape, "strokeweight"); !w.empty()) out.line.width = vmlLengthEmu(w);
    if (falseValue(attribute(shape, "stroked"))) out.line.fill.kind = DmlFill::Kind::None;
    pugi::xml_node stroke = xml::child(shape, "stroke");
    if (!stroke) return;
    if (falseValue(attribute(stroke, "on"))) out.line.fill.kind = DmlFill::Kind::None;
    if (const std::string c = attribute(stroke, "color"); !c.empty()) out.line.fill.color = parseVmlColor(c);
    if (const std::string w = attribute(stroke, "weight"); !w.empty()) out.line.width = vmlLengthEmu(w);
    out.line.dash = dashName(lowered(attribute(stroke, "dashstyle")));
    out.line.headType = arrowName(attribute(stroke, "startarrow"));
    out.line.headWidth = attribute(stroke, "startarrowwidth");
    out.line.headLength = attribute(stroke, "startarrowlength");
    out.line.tailType = arrowName(attribute(stroke, "endarrow"));
    out.line.tailWidth = attribute(stroke, "endarrowwidth");
    out.line.tailLength = attribute(stroke, "endarrowlength");
}

// The insets of v:textbox ("l,t,r,b", lengths; an empty field keeps Word's default).
void vmlInsets(const std::string& inset, DrawnShape& out) {
    std::optional<std::int64_t>* sides[] = {&out.insetLeft, &out.insetTop, &out.insetRight, &out.insetBottom};
    std::istringstream in(inset);
    std::string field;
    for (auto* side : sides) {
        if (!std::getline(in, field, ',')) break;
        if (field.find_first_not_of(' ') == std::string::npos) continue;
        const std::string f = field.substr(field.find_first_not_of(' '));
        *side = f.find_first_not_of("0123456789.") == std::string::npos ? 0 : vmlLengthEmu(f);
        if (std::strtod(f.c_str(), nullptr) == 0.0) *side = 0;
    }
}

} // namespace

PartResolver BodyParser::resolver() {
    return [this](const std::string& id) { return imagePart(id); };
}

void BodyParser::anchorLayout(const pugi::xml_node& anchor, Drawing& d) {
    for (pugi::xml_node c = anchor.first_child(); c; c = c.next_sibling()) {
        const std::string_view n = xml::localName(c);
        if (n == "wrapNone") d.wrap = "none";
        else if (n == "wrapSquare") d.wrap = "square";
        else if (n == "wrapTight") d.wrap = "tight";
        else if (n == "wrapThrough") d.wrap = "through";
        else if (n == "wrapTopAndBottom") d.wrap = "topAndBottom";
    }
    if (pugi::xml_attribute a = xml::attr(anchor, "behindDoc")) d.behindDoc = a.as_bool();
    d.zOrder = xml::integer(anchor, "relativeHeight").value_or(0);
    d.distLeft = xml::integer(anchor, "distL").value_or(0);
    d.distTop = xml::integer(anchor, "distT").value_or(0);
    d.distRight = xml::integer(anchor, "distR").value_or(0);
    d.distBottom = xml::integer(anchor, "distB").value_or(0);
    if (pugi::xml_node rel = xml::child(anchor, "sizeRelH")) {
        d.widthRelativeFrom = attribute(rel, "relativeFrom");
        d.percentWidth = static_cast<int>(xml::parseInteger(xml::child(rel, "pctWidth").text().get()).value_or(0));
    }
    if (pugi::xml_node rel = xml::child(anchor, "sizeRelV")) {
        d.heightRelativeFrom = attribute(rel, "relativeFrom");
        d.percentHeight = static_cast<int>(xml::parseInteger(xml::child(rel, "pctHeight").text().get()).value_or(0));
    }
}

DrawnShape BodyParser::wordShape(const pugi::xml_node& wsp, int depth) {
    DrawnShape s;
    parseShapeProperties(xml::child(wsp, "spPr"), s, resolver());
    if (pugi::xml_node style = xml::child(wsp, "style")) s.style = parseStyleRefs(style);
    if (pugi::xml_attribute a = xml::attr(xml::child(wsp, "cNvSpPr"), "txBox")) s.textBox = a.as_bool();
    if (pugi::xml_node txbx = xml::child(wsp, "txbx"); txbx && depth < maxDepth)
        blocks(xml::child(txbx, "txbxContent"), s.text, depth + 1);
    parseBodyProperties(xml::child(wsp, "bodyPr"), s);
    if (pugi::xml_node pr = xml::child(wsp, "cNvPr")) s.description = attribute(pr, "descr");
    return s;
}

DrawnShape BodyParser::wordGroup(const pugi::xml_node& group, int depth) {
    DrawnShape g;
    g.group = true;
    parseShapeProperties(xml::child(group, "grpSpPr"), g, resolver());
    if (depth > maxDepth) return g;
    for (pugi::xml_node c = group.first_child(); c; c = c.next_sibling()) {
        const std::string_view n = xml::localName(c);
        if (n == "wsp") {
            g.children.push_back(wordShape(c, depth + 1));
        } else if (n == "grpSp") {
            g.children.push_back(wordGroup(c, depth + 1));
        } else if (n == "pic") {
            DrawnShape p;
            parseShapeProperties(xml::child(c, "spPr"), p, resolver());
            if (auto id = xml::text(xml::child(xml::child(c, "blipFill"), "blip"), "embed")) p.picturePart = imagePart(*id);
            g.children.push_back(std::move(p));
        }
    }
    return g;
}

bool BodyParser::isVmlShape(const pugi::xml_node& node) const {
    const std::string_view n = xml::localName(node);
    const bool kind = n == "rect" || n == "roundrect" || n == "oval" || n == "line" || n == "polyline" ||
                      n == "shape" || n == "group" || n == "arc" || n == "curve";
    if (!kind || xml::prefix(node) == "w") return false;
    // Pictures keep their own path (v:imagedata).
    return n == "group" || !xml::child(node, "imagedata");
}

void BodyParser::vmlPlacement(const pugi::xml_node& shape, Drawing& d) {
    const auto style = parseVmlStyle(attribute(shape, "style"));
    auto get = [&](const char* key) {
        auto it = style.find(key);
        return it == style.end() ? std::string() : it->second;
    };
    d.cx = std::max<std::int64_t>(0, styleLength(get("width"), false));
    d.cy = std::max<std::int64_t>(0, styleLength(get("height"), false));
    if (xml::is(shape, "line")) {
        const auto from = vmlPoint(attribute(shape, "from")), to = vmlPoint(attribute(shape, "to"));
        d.cx = std::llabs(to.first - from.first);
        d.cy = std::llabs(to.second - from.second);
        d.horizontal.offset = std::min(from.first, to.first);
        d.vertical.offset = std::min(from.second, to.second);
    }
    d.anchored = get("position") == "absolute";
    if (!d.anchored) return;
    std::string left = get("margin-left");
    if (left.empty()) left = get("left");
    std::string top = get("margin-top");
    if (top.empty()) top = get("top");
    if (!xml::is(shape, "line") || !left.empty()) d.horizontal.offset = d.horizontal.offset.value_or(0) + styleLength(left, false);
    if (!xml::is(shape, "line") || !top.empty()) d.vertical.offset = d.vertical.offset.value_or(0) + styleLength(top, false);
    const std::string hr = get("mso-position-horizontal-relative"), vr = get("mso-position-vertical-relative");
    d.horizontal.relativeFrom = hr == "page" ? "page" : hr == "margin" ? "margin"
                              : hr == "left-margin-area" ? "leftMargin" : hr == "right-margin-area" ? "rightMargin"
                              : hr == "char" ? "character" : "column";
    d.vertical.relativeFrom = vr == "page" ? "page" : vr == "margin" ? "margin"
                            : vr == "top-margin-area" ? "topMargin" : vr == "bottom-margin-area" ? "bottomMargin"
                            : vr == "line" ? "line" : "paragraph";
    if (const std::string h = get("mso-position-horizontal"); !h.empty() && h != "absolute") d.horizontal.align = h;
    if (const std::string v = get("mso-position-vertical"); !v.empty() && v != "absolute") d.vertical.align = v;
    const std::string z = get("z-index");
    d.zOrder = std::atoll(z.c_str());
    d.behindDoc = d.zOrder < 0;
    d.wrap = "none";
    for (pugi::xml_node c = shape.first_child(); c; c = c.next_sibling())
        if (xml::is(c, "wrap") && xml::prefix(c) != "v") {
            const std::string type = attribute(c, "type");
            d.wrap = type.empty() ? "square" : type;
        }
    d.distLeft = styleLength(get("mso-wrap-distance-left"), false);
    d.distTop = styleLength(get("mso-wrap-distance-top"), false);
    d.distRight = styleLength(get("mso-wrap-distance-right"), false);
    d.distBottom = styleLength(get("mso-wrap-distance-bottom"), false);
    if (d.description.empty()) d.description = attribute(shape, "alt");
}

DrawnShape BodyParser::vmlShape(const pugi::xml_node& shape, int depth) {
    DrawnShape s;
    const std::string_view n = xml::localName(shape);
    const bool inGroup = xml::is(shape.parent(), "group");
    const auto style = parseVmlStyle(attribute(shape, "style"));
    auto get = [&](const char* key) {
        auto it = style.find(key);
        return it == style.end() ? std::string() : it->second;
    };
    s.x = inGroup ? styleLength(get("left"), true) : 0;
    s.y = inGroup ? styleLength(get("top"), true) : 0;
    s.cx = std::max<std::int64_t>(0, styleLength(get("width"), inGroup));
    s.cy = std::max<std::int64_t>(0, styleLength(get("height"), inGroup));
    if (const std::string r = get("rotation"); !r.empty())
        s.rotation = static_cast<int>(std::lround(parseVmlNumber(r) * 60000.0));
    const std::string flip = get("flip");
    s.flipH = flip.find('x') != std::string::npos;
    s.flipV = flip.find('y') != std::string::npos;
    s.textAnchor = get("v-text-anchor") == "middle" ? "ctr" : get("v-text-anchor") == "bottom" ? "b" : "";
    s.description = attribute(shape, "alt");

    if (n == "group") {
        s.group = true;
        std::istringstream size(attribute(shape, "coordsize")), origin(attribute(shape, "coordorigin"));
        char comma = 0;
        s.childCx = s.cx;
        s.childCy = s.cy;
        size >> s.childCx >> comma >> s.childCy;
        origin >> s.childX >> comma >> s.childY;
        if (depth > maxDepth) return s;
        for (pugi::xml_node c = shape.first_child(); c; c = c.next_sibling()) {
            if (isVmlShape(c)) {
                s.children.push_back(vmlShape(c, depth + 1));
            } else if (xml::child(c, "imagedata")) {
                DrawnShape p;
                const auto cs = parseVmlStyle(attribute(c, "style"));
                auto cget = [&](const char* key) {
                    auto it = cs.find(key);
                    return it == cs.end() ? std::string() : it->second;
                };
                p.x = styleLength(cget("left"), true);
                p.y = styleLength(cget("top"), true);
                p.cx = styleLength(cget("width"), true);
                p.cy = styleLength(cget("height"), true);
                pugi::xml_node img = xml::child(c, "imagedata");
                std::string id = attribute(img, "id");
                if (id.empty()) id = attribute(img, "relid");
                if (!id.empty()) p.picturePart = imagePart(id);
                s.children.push_back(std::move(p));
            }
        }
        return s;
    }

    if (n == "rect") s.preset = "rect";
    else if (n == "roundrect") s.preset = "roundRect";
    else if (n == "oval") s.preset = "ellipse";
    else if (n == "line") s.preset = "line";
    else if (n == "arc") s.preset = "arc";
    if (n == "roundrect") {
        // arcsize: the corner's share of the shorter side ("10%" or a fraction).
        const std::string a = attribute(shape, "arcsize");
        double share = a.empty() ? 0.2 : parseVmlNumber(a);
        if (a.find('%') != std::string::npos) share /= 100.0;
        s.vmlAdjust.push_back(static_cast<int>(std::lround(share * 21600.0)));
    }
    if (n == "line") {
        const auto from = vmlPoint(attribute(shape, "from")), to = vmlPoint(attribute(shape, "to"));
        s.cx = std::llabs(to.first - from.first);
        s.cy = std::llabs(to.second - from.second);
        s.flipH = to.first < from.first;
        s.flipV = to.second < from.second;
    }
    if (n == "polyline") {
        // points="x1,y1 x2,y2 ...": a custom outline in the shape's own lengths.
        std::vector<double> v;
        std::string pts = attribute(shape, "points");
        for (char& c : pts)
            if (c == ',') c = ' ';
        std::istringstream in(pts);
        std::string token;
        while (in >> token) v.push_back(static_cast<double>(vmlLengthEmu(token.find_first_not_of("0123456789.-") == std::string::npos ? token + "pt" : token)));
        DmlPath p;
        double minX = 1e300, minY = 1e300, maxX = -1e300, maxY = -1e300;
        for (std::size_t k = 0; k + 1 < v.size(); k += 2) {
            p.steps.push_back({k == 0 ? 'M' : 'L', {{v[k], v[k + 1]}}, {}});
            minX = std::min(minX, v[k]);
            maxX = std::max(maxX, v[k]);
            minY = std::min(minY, v[k + 1]);
            maxY = std::max(maxY, v[k + 1]);
        }
        if (!p.steps.empty() && maxX > minX && maxY > minY) {
            for (auto& step : p.steps)
                for (auto& pt : step.points) pt = {pt.first - minX, pt.second - minY};
            p.w = maxX - minX;
            p.h = maxY - minY;
            p.fill = !falseValue(attribute(shape, "filled"));
            s.paths.push_back(std::move(p));
        }
    }
    if (n == "shape") {
        s.officeArtType = vmlShapeType(attribute(shape, "type"));
        if (const std::string spt = attribute(shape, "spt"); !spt.empty()) s.officeArtType = std::atoi(spt.c_str());
        const std::string path = attribute(shape, "path");
        if (!path.empty() && (s.officeArtType <= 0 || s.officeArtType == 100)) {
            double w = 21600, h = 21600;
            std::istringstream size(attribute(shape, "coordsize"));
            char comma = 0;
            size >> w >> comma >> h;
            DmlPath p;
            if (w > 0 && h > 0 && parseVmlPath(path, w, h, p)) s.paths.push_back(std::move(p));
        }
        if (const std::string adj = attribute(shape, "adj"); !adj.empty()) {
            std::istringstream in(adj);
            std::string field;
            while (std::getline(in, field, ',')) s.vmlAdjust.push_back(std::atoi(field.c_str()));
        }
        if (s.officeArtType == 202) s.textBox = true;
    }
    vmlFill(shape, s, resolver());
    vmlLine(shape, s);
    if (pugi::xml_node box = xml::child(shape, "textbox")) {
        if (depth < maxDepth) blocks(xml::child(box, "txbxContent"), s.text, depth + 1);
        vmlInsets(attribute(box, "inset"), s);
        if (s.officeArtType < 0 && s.preset.empty()) s.textBox = true;
    }
    if (pugi::xml_node path = xml::child(shape, "textpath")) {
        s.wordArt = attribute(path, "string");
        if (s.officeArtType < 0 && s.preset.empty()) s.officeArtType = 136;
    }
    return s;
}

} // namespace fq::docx
