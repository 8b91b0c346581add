// Drawn shapes and anchors into the neutral model.
#include "publishing/docx/ShapeConverter.h"

#include "publishing/docx/ImageSniffer.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>

namespace fq::docx {

namespace {

constexpr double kEmuPerPoint = 12700.0;
constexpr double emuToPt(double emu) { return emu / kEmuPerPoint; }

struct Rgb {
    double r = 0, g = 0, b = 0;    // 0..1
};

Rgb fromHex(const std::string& hex) {
    if (hex.size() != 6) return {};
    const long v = std::strtol(hex.c_str(), nullptr, 16);
    return {((v >> 16) & 0xFF) / 255.0, ((v >> 8) & 0xFF) / 255.0, (v & 0xFF) / 255.0};
}

void toHsl(const Rgb& c, double& h, double& s, double& l) {
    const double mx = std::max({c.r, c.g, c.b}), mn = std::min({c.r, c.g, c.b});
    l = (mx + mn) / 2;
    if (mx == mn) {
        h = s = 0;
        return;
    }
    const double d = mx - mn;
    s = l > 0.5 ? d / (2 - mx - mn) : d / (mx + mn);
    if (mx == c.r) h = (c.g - c.b) / d + (c.g < c.b ? 6 : 0);
    else if (mx == c.g) h = (c.b - c.r) / d + 2;
    else h = (c.r - c.g) / d + 4;
    h /= 6;
}

Rgb fromHsl(double h, double s, double l) {
    if (s == 0) return {l, l, l};
    auto hue = [](double p, double q, double t) {
        if (t < 0) t += 1;
        if (t > 1) t -= 1;
        if (t < 1.0 / 6) return p + (q - p) * 6 * t;
        if (t < 0.5) return q;
        if (t < 2.0 / 3) return p + (q - p) * (2.0 / 3 - t) * 6;
        return p;
    };
    const double q = l < 0.5 ? l * (1 + s) : l + s - l * s;
    const double p = 2 * l - q;
    return {hue(p, q, h + 1.0 / 3), hue(p, q, h), hue(p, q, h - 1.0 / 3)};
}

// Office's default theme, for documents without one.
const std::map<std::string, std::string>& defaultScheme() {
    static const std::map<std::string, std::string> s = {
        {"dk1", "000000"},     {"lt1", "FFFFFF"},     {"dk2", "1F497D"},     {"lt2", "EEECE1"},
        {"accent1", "4F81BD"}, {"accent2", "C0504D"}, {"accent3", "9BBB59"}, {"accent4", "8064A2"},
        {"accent5", "4BACC6"}, {"accent6", "F79646"}, {"hlink", "0000FF"},   {"folHlink", "800080"}};
    return s;
}

const std::map<std::string, std::string>& presetColors() {
    static const std::map<std::string, std::string> s = {
        {"black", "000000"}, {"white", "FFFFFF"}, {"red", "FF0000"},   {"green", "008000"}, {"blue", "0000FF"},
        {"yellow", "FFFF00"}, {"gray", "808080"}, {"grey", "808080"},  {"silver", "C0C0C0"}, {"navy", "000080"},
        {"orange", "FFA500"}, {"lime", "00FF00"}, {"cyan", "00FFFF"}, {"magenta", "FF00FF"}, {"darkBlue", "00008B"},
        {"darkRed", "8B0000"}, {"darkGreen", "006400"}, {"lightGray", "D3D3D3"}, {"purple", "800080"}};
    return s;
}

model::PresetShape fromOfficeArt(int type) {
    if (type == 75 || type < 1 || type > 202) return model::PresetShape::Rectangle;   // picture frames, unknown
    return static_cast<model::PresetShape>(type);
}

model::LineDash dashOf(const std::string& d) {
    if (d.empty() || d == "solid") return model::LineDash::Solid;
    if (d == "dot" || d == "sysDot") return model::LineDash::Dot;
    if (d == "dash" || d == "sysDash") return model::LineDash::Dash;
    if (d == "dashDot" || d == "sysDashDot") return model::LineDash::DashDot;
    if (d == "sysDashDotDot" || d == "lgDashDotDot") return model::LineDash::DashDotDot;
    if (d == "lgDash") return model::LineDash::LongDash;
    if (d == "lgDashDot") return model::LineDash::LongDashDot;
    return model::LineDash::Dash;
}

model::LineEnd lineEnd(const std::string& type, const std::string& w, const std::string& len) {
    model::LineEnd e;
    if (type == "triangle") e.head = model::ArrowHead::Triangle;
    else if (type == "stealth") e.head = model::ArrowHead::Stealth;
    else if (type == "diamond") e.head = model::ArrowHead::Diamond;
    else if (type == "oval") e.head = model::ArrowHead::Oval;
    else if (type == "arrow") e.head = model::ArrowHead::Open;
    auto size = [](const std::string& v) {
        if (v == "sm" || v == "narrow" || v == "short") return 0;
        if (v == "lg" || v == "wide" || v == "long") return 2;
        return 1;
    };
    e.width = size(w);
    e.length = size(len);
    return e;
}

// A custom outline: DrawingML or VML paths into the model's commands; arcs
// become their chord. Quadratic curves become cubic ones.
void customPaths(const std::vector<DmlPath>& paths, double cx, double cy, model::ShapeGeometry& g) {
    g.pathWidth = 0;
    g.pathHeight = 0;
    // All paths are stretched over the shape: use one space.
    g.pathWidth = cx > 0 ? cx : 1;
    g.pathHeight = cy > 0 ? cy : 1;
    for (const DmlPath& p : paths) {
        const double sx = p.w > 0 ? g.pathWidth / p.w : 1.0, sy = p.h > 0 ? g.pathHeight / p.h : 1.0;
        model::ShapePath out;
        out.filled = p.fill;
        out.stroked = p.stroke;
        double lastX = 0, lastY = 0, startX = 0, startY = 0;
        using Op = model::PathCommand::Op;
        for (const DmlPathStep& s : p.steps) {
            model::PathCommand c;
            auto pt = [&](std::size_t i, int k) {
                c.x[k] = i < s.points.size() ? s.points[i].first * sx : lastX;
                c.y[k] = i < s.points.size() ? s.points[i].second * sy : lastY;
            };
            switch (s.op) {
            case 'M': c.op = Op::MoveTo; pt(0, 0); startX = c.x[0]; startY = c.y[0]; lastX = c.x[0]; lastY = c.y[0]; break;
            case 'L': c.op = Op::LineTo; pt(0, 0); lastX = c.x[0]; lastY = c.y[0]; break;
            case 'C': c.op = Op::CubicTo; pt(0, 0); pt(1, 1); pt(2, 2); lastX = c.x[2]; lastY = c.y[2]; break;
            case 'Q': {
                c.op = Op::CubicTo;
                const double qx = s.points.empty() ? lastX : s.points[0].first * sx;
                const double qy = s.points.empty() ? lastY : s.points[0].second * sy;
                const double ex = s.points.size() > 1 ? s.points[1].first * sx : qx;
                const double ey = s.points.size() > 1 ? s.points[1].second * sy : qy;
                c.x[0] = lastX + 2.0 / 3 * (qx - lastX); c.y[0] = lastY + 2.0 / 3 * (qy - lastY);
                c.x[1] = ex + 2.0 / 3 * (qx - ex);       c.y[1] = ey + 2.0 / 3 * (qy - ey);
                c.x[2] = ex; c.y[2] = ey; lastX = ex; lastY = ey;
                break;
            }
            case 'A': {
                // The arc's end point: on the ellipse through the current point.
                const double wr = s.arc[0] * sx, hr = s.arc[1] * sy;
                const double st = s.arc[2] / 60000.0 * M_PI / 180.0, sw = s.arc[3] / 60000.0 * M_PI / 180.0;
                const double cx0 = lastX - wr * std::cos(st), cy0 = lastY - hr * std::sin(st);
                c.op = Op::LineTo;
                c.x[0] = cx0 + wr * std::cos(st + sw);
                c.y[0] = cy0 + hr * std::sin(st + sw);
                lastX = c.x[0];
                lastY = c.y[0];
                break;
            }
            case 'Z': c.op = Op::Close; lastX = startX; lastY = startY; break;
            default: continue;
            }
            out.commands.push_back(c);
        }
        if (!out.commands.empty()) g.paths.push_back(std::move(out));
    }
}

double insetPt(const std::optional<std::int64_t>& v, double fallback) {
    return v ? std::clamp(emuToPt(static_cast<double>(*v)), 0.0, 288.0) : fallback;
}

} // namespace

model::PresetShape presetFromName(const std::string& name) {
    using P = model::PresetShape;
    static const std::map<std::string, P> names = {
        {"rect", P::Rectangle}, {"roundRect", P::RoundRectangle}, {"ellipse", P::Ellipse}, {"diamond", P::Diamond},
        {"triangle", P::Triangle}, {"rtTriangle", P::RightTriangle}, {"parallelogram", P::Parallelogram},
        {"trapezoid", P::Trapezoid}, {"hexagon", P::Hexagon}, {"octagon", P::Octagon}, {"plus", P::Plus},
        {"star5", P::Star5}, {"rightArrow", P::RightArrow}, {"homePlate", P::HomePlate}, {"cube", P::Cube},
        {"arc", P::Arc}, {"line", P::Line}, {"straightConnector1", P::StraightConnector}, {"plaque", P::Plaque},
        {"can", P::Can}, {"donut", P::Donut}, {"bentConnector3", P::BentConnector3},
        {"curvedConnector3", P::CurvedConnector3}, {"ribbon", P::Ribbon}, {"chevron", P::Chevron},
        {"pentagon", P::Pentagon}, {"noSmoking", P::NoSmoking}, {"star8", P::Star8}, {"star16", P::Star16},
        {"star32", P::Star32}, {"wave", P::Wave}, {"foldedCorner", P::FoldedCorner}, {"leftArrow", P::LeftArrow},
        {"downArrow", P::DownArrow}, {"upArrow", P::UpArrow}, {"leftRightArrow", P::LeftRightArrow},
        {"upDownArrow", P::UpDownArrow}, {"lightningBolt", P::LightningBolt}, {"heart", P::Heart},
        {"quadArrow", P::QuadArrow}, {"bevel", P::Bevel}, {"leftBracket", P::LeftBracket},
        {"rightBracket", P::RightBracket}, {"leftBrace", P::LeftBrace}, {"rightBrace", P::RightBrace},
        {"star24", P::Star24}, {"blockArc", P::BlockArc}, {"smileyFace", P::SmileyFace},
        {"circularArrow", P::CircularArrow}, {"flowChartProcess", P::FlowChartProcess},
        {"flowChartDecision", P::FlowChartDecision}, {"flowChartTerminator", P::FlowChartTerminator},
        {"flowChartConnector", P::FlowChartConnector}, {"flowChartAlternateProcess", P::FlowChartAlternateProcess},
        {"sun", P::Sun}, {"moon", P::Moon}, {"bracketPair", P::BracketPair}, {"bracePair", P::BracePair},
        {"star4", P::Star4}, {"doubleWave", P::DoubleWave}, {"frame", P::Bevel},
        {"snip1Rect", P::Rectangle}, {"round1Rect", P::RoundRectangle}, {"round2SameRect", P::RoundRectangle},
        {"wedgeRectCallout", static_cast<P>(61)}, {"wedgeRoundRectCallout", static_cast<P>(62)},
        {"wedgeEllipseCallout", static_cast<P>(63)}, {"cloudCallout", static_cast<P>(106)},
        {"borderCallout1", static_cast<P>(47)}, {"callout1", static_cast<P>(41)}, {"flowChartDocument", static_cast<P>(114)},
        {"flowChartInputOutput", static_cast<P>(111)}, {"flowChartPredefinedProcess", static_cast<P>(112)},
        {"flowChartManualInput", static_cast<P>(118)}, {"flowChartPreparation", static_cast<P>(117)},
        {"notchedRightArrow", static_cast<P>(94)}, {"stripedRightArrow", static_cast<P>(93)},
        {"bentArrow", static_cast<P>(91)}, {"uturnArrow", static_cast<P>(101)}, {"curvedRightArrow", static_cast<P>(102)},
        {"verticalScroll", static_cast<P>(97)}, {"horizontalScroll", static_cast<P>(98)}, {"irregularSeal1", static_cast<P>(71)},
        {"irregularSeal2", static_cast<P>(72)}, {"star6", P::Hexagon}, {"star7", P::Star8}, {"star10", P::Star8},
        {"star12", P::Star16}, {"teardrop", P::Ellipse}, {"pie", P::Ellipse}, {"chord", P::Ellipse},
        {"decagon", P::Octagon}, {"dodecagon", P::Octagon}, {"heptagon", P::Hexagon}, {"cloud", P::Ellipse}};
    auto it = names.find(name);
    return it == names.end() ? P::Rectangle : it->second;
}

model::Color ShapeConverter::color(const DmlColor& c, model::Color fallback, double* opacity) const {
    if (!c.set()) return fallback;
    std::string hex;
    if (c.kind == "srgbClr" || c.kind == "sysClr") {
        hex = c.value;
    } else if (c.kind == "schemeClr") {
        std::string name = c.value;
        if (name == "tx1") name = "dk1";
        else if (name == "bg1") name = "lt1";
        else if (name == "tx2") name = "dk2";
        else if (name == "bg2") name = "lt2";
        auto it = doc_.theme.colors.find(name);
        if (it != doc_.theme.colors.end()) hex = it->second;
        else if (auto d = defaultScheme().find(name); d != defaultScheme().end()) hex = d->second;
    } else if (c.kind == "prstClr") {
        if (auto it = presetColors().find(c.value); it != presetColors().end()) hex = it->second;
    }
    if (hex.size() != 6) return fallback;
    Rgb rgb = fromHex(hex);
    for (const auto& [mod, val] : c.mods) {
        const double v = val / 100000.0;
        if (mod == "lumMod" || mod == "lumOff") {
            double h, s, l;
            toHsl(rgb, h, s, l);
            l = std::clamp(mod == "lumMod" ? l * v : l + v, 0.0, 1.0);
            rgb = fromHsl(h, s, l);
        } else if (mod == "tint") {
            rgb = {rgb.r + (1 - rgb.r) * (1 - v), rgb.g + (1 - rgb.g) * (1 - v), rgb.b + (1 - rgb.b) * (1 - v)};
        } else if (mod == "shade") {
            rgb = {rgb.r * v, rgb.g * v, rgb.b * v};
        } else if (mod == "alpha" && opacity) {
            *opacity = std::clamp(v, 0.0, 1.0);
        }
    }
    auto byte = [](double x) { return static_cast<std::uint8_t>(std::lround(std::clamp(x, 0.0, 1.0) * 255.0)); };
    return {byte(rgb.r), byte(rgb.g), byte(rgb.b)};
}

model::ShapeFill ShapeConverter::fill(const DmlFill& f) const {
    model::ShapeFill out;
    switch (f.kind) {
    case DmlFill::Kind::Unset:
    case DmlFill::Kind::None:
        break;
    case DmlFill::Kind::Solid:
    case DmlFill::Kind::Pattern:
        // Patterns are approximated by their foreground colour.
        out.kind = model::ShapeFill::Kind::Solid;
        out.color = color(f.color, {255, 255, 255}, &out.opacity);
        break;
    case DmlFill::Kind::Gradient:
        out.kind = model::ShapeFill::Kind::Gradient;
        if (!f.stops.empty()) {
            // Approximated by its first and last stops.
            out.color = color(f.stops.front().second, {255, 255, 255}, &out.opacity);
            out.color2 = color(f.stops.back().second, out.color);
        }
        out.gradientAngleDeg = f.angle ? *f.angle / 60000.0 : 90.0;
        break;
    case DmlFill::Kind::Picture: {
        auto media = f.picturePart.empty() ? doc_.media.end() : doc_.media.find(f.picturePart);
        if (media != doc_.media.end() && !media->second.empty()) {
            out.kind = model::ShapeFill::Kind::Picture;
            out.picture = media->second;
            out.pictureFormat = sniffImageFormat(out.picture);
        }
        break;
    }
    }
    if (f.opacity) out.opacity = std::clamp(*f.opacity / 100000.0, 0.0, 1.0);
    return out;
}

std::vector<ConvertedShape> ShapeConverter::convert(const Drawing& d, const StoryConverter& text) const {
    std::vector<ConvertedShape> out;
    for (const DrawnShape& s : d.shapes) {
        // A drawing's top-level shape fills the drawing's extent.
        DrawnShape top = s;
        if (d.cx > 0 && d.cy >= 0 && (top.cx <= 0 || !top.group)) {
            top.cx = d.cx > 0 ? d.cx : top.cx;
            top.cy = d.cy > 0 ? d.cy : top.cy;
        }
        top.x = top.y = 0;
        shape(top, 0.0, 0.0, 1.0, 1.0, d, text, out, 0);
    }
    return out;
}

void ShapeConverter::shape(const DrawnShape& s, double x, double y, double scaleX, double scaleY, const Drawing& d,
                           const StoryConverter& text, std::vector<ConvertedShape>& out, int depth) const {
    if (depth > 16) return;
    const double left = x + s.x * scaleX, top = y + s.y * scaleY;
    const double width = std::max(0.0, s.cx * scaleX), height = std::max(0.0, s.cy * scaleY);
    if (s.group) {
        // Children are placed in the group's own space, stretched over its extent.
        const double sx = s.childCx > 0 ? width / s.childCx : scaleX;
        const double sy = s.childCy > 0 ? height / s.childCy : scaleY;
        for (const DrawnShape& c : s.children)
            shape(c, left - s.childX * sx, top - s.childY * sy, sx, sy, d, text, out, depth + 1);
        return;
    }
    ConvertedShape placed;
    placed.dxPt = emuToPt(left);
    placed.dyPt = emuToPt(top);
    if (!s.picturePart.empty()) {
        auto media = doc_.media.find(s.picturePart);
        if (media == doc_.media.end() || media->second.empty()) return;
        model::Picture pic;
        pic.data = media->second;
        pic.format = sniffImageFormat(pic.data);
        pic.widthPt = emuToPt(width);
        pic.heightPt = emuToPt(height);
        pic.description = s.description;
        if (d.anchored) pic.anchor = model::FloatingAnchor{};
        placed.block = std::move(pic);
        out.push_back(std::move(placed));
        return;
    }
    model::DrawingShape m;
    m.widthPt = emuToPt(width);
    m.heightPt = emuToPt(height);
    m.rotationDeg = s.rotation / 60000.0;
    m.flipH = s.flipH;
    m.flipV = s.flipV;
    m.description = s.description.empty() ? d.description : s.description;
    if (!s.paths.empty()) {
        m.geometry.preset = model::PresetShape::Custom;
        customPaths(s.paths, m.widthPt, m.heightPt, m.geometry);
        if (m.geometry.paths.empty()) m.geometry.preset = model::PresetShape::Rectangle;
    } else if (!s.preset.empty()) {
        m.geometry.preset = presetFromName(s.preset);
        // DrawingML's adjustments run to 100000 where the drawing format's run to 21600.
        for (const auto& [name, value] : s.adjust)
            if (name == "adj" || name == "adj1") m.geometry.adjust.push_back(static_cast<int>(value * 21600 / 100000));
        if (s.preset == "trapezoid") {
            // DrawingML's trapezoid is narrow at the top, the drawing format's at the
            // bottom; its inset is a share of the shorter side, not of the width.
            m.flipV = !m.flipV;
            double inset = 0.25;
            for (const auto& [name, value] : s.adjust)
                if (name == "adj") inset = value / 100000.0;
            const double shorter = std::min(m.widthPt, m.heightPt);
            m.geometry.adjust = {static_cast<int>(std::lround(
                std::clamp(m.widthPt > 0 ? inset * shorter / m.widthPt : 0.25, 0.0, 0.5) * 21600))};
        }
    } else {
        m.geometry.preset = fromOfficeArt(s.officeArtType);
        m.geometry.adjust = s.vmlAdjust;
    }
    if (s.preset == "roundRect" && !s.vmlAdjust.empty()) m.geometry.adjust = s.vmlAdjust;

    m.fill = fill(s.fill);
    if (s.fill.kind == DmlFill::Kind::Unset && s.style && s.style->fillIndex > 0) {
        m.fill.kind = model::ShapeFill::Kind::Solid;
        m.fill.color = color(s.style->fillColor, {255, 255, 255}, &m.fill.opacity);
    }
    const bool styledLine = s.style && s.style->lineIndex > 0;
    if (s.line.set || styledLine) {
        const bool hidden = s.line.fill.kind == DmlFill::Kind::None ||
                            (s.line.fill.kind == DmlFill::Kind::Unset && !styledLine && !s.line.set);
        m.line.visible = !hidden;
        DmlColor lc = s.line.fill.kind == DmlFill::Kind::Unset && s.style ? s.style->lineColor : s.line.fill.color;
        if (s.line.fill.kind == DmlFill::Kind::Gradient && !s.line.fill.stops.empty()) lc = s.line.fill.stops.front().second;
        m.line.color = color(lc, {0, 0, 0});
        // The theme's three line widths stand behind lnRef.
        const double themeWidth = styledLine ? std::array<double, 3>{0.75, 2.0, 3.0}[std::clamp(s.style->lineIndex, 1, 3) - 1] : 0.75;
        m.line.widthPt = s.line.width ? emuToPt(static_cast<double>(*s.line.width)) : themeWidth;
        m.line.dash = dashOf(s.line.dash);
        m.line.start = lineEnd(s.line.headType, s.line.headWidth, s.line.headLength);
        m.line.end = lineEnd(s.line.tailType, s.line.tailWidth, s.line.tailLength);
    }

    m.insets.leftPt = insetPt(s.insetLeft, 7.2);
    m.insets.topPt = insetPt(s.insetTop, 3.6);
    m.insets.rightPt = insetPt(s.insetRight, 7.2);
    m.insets.bottomPt = insetPt(s.insetBottom, 3.6);
    m.textAlignment = s.textAnchor == "ctr"  ? model::VerticalAlignment::Center
                      : s.textAnchor == "b" ? model::VerticalAlignment::Bottom
                                            : model::VerticalAlignment::Top;
    m.textBox = s.textBox;
    if (!s.text.empty()) {
        m.text = text(s.text);
        // The theme's font colour of the shape's style colours text that has none.
        if (s.style && s.style->fontColor.set()) {
            const model::Color fontColor = color(s.style->fontColor, {0, 0, 0});
            for (auto& block : m.text)
                if (auto* p = std::get_if<model::Paragraph>(&block))
                    for (auto& r : p->runs)
                        if (!r.props.color) r.props.color = fontColor;
        }
    }
    if (!s.wordArt.empty()) {
        // WordArt: its string set large in a text box, in the colour of its fill.
        model::Paragraph p;
        p.props.alignment = model::Alignment::Center;
        model::Run r;
        r.text = s.wordArt;
        r.props.font = "Arial";
        r.props.bold = true;
        const double longest = std::max(1.0, static_cast<double>(s.wordArt.size()));
        r.props.sizePt = std::clamp(std::min(m.heightPt * 0.75, m.widthPt / longest * 1.6), 6.0, 400.0);
        if (m.fill.kind != model::ShapeFill::Kind::None) r.props.color = m.fill.color;
        p.runs.push_back(std::move(r));
        m.text = {std::move(p)};
        m.geometry = {};
        m.fill = {};
        m.line = {};
        m.textBox = true;
        m.textAlignment = model::VerticalAlignment::Center;
        m.insets = {0, 0, 0, 0};
    }
    if (d.anchored) m.anchor = model::FloatingAnchor{};
    placed.block = std::move(m);
    out.push_back(std::move(placed));
}

std::pair<double, double> drawingSize(const Drawing& d, const model::PageGeometry& g) {
    double w = emuToPt(static_cast<double>(d.cx)), h = emuToPt(static_cast<double>(d.cy));
    auto reference = [&](const std::string& from, bool across) {
        const double page = across ? g.widthPt : g.heightPt;
        const double margins = across ? g.marginLeftPt + g.marginRightPt : g.marginTopPt + g.marginBottomPt;
        if (from == "page") return page;
        if (from == "leftMargin" || from == "insideMargin") return across ? g.marginLeftPt : g.marginTopPt;
        if (from == "rightMargin" || from == "outsideMargin") return across ? g.marginRightPt : g.marginBottomPt;
        if (from == "topMargin") return g.marginTopPt;
        if (from == "bottomMargin") return g.marginBottomPt;
        return std::max(0.0, page - margins);
    };
    if (d.percentWidth > 0) w = reference(d.widthRelativeFrom, true) * d.percentWidth / 100000.0;
    if (d.percentHeight > 0) h = reference(d.heightRelativeFrom, false) * d.percentHeight / 100000.0;
    return {w, h};
}

model::FloatingAnchor floatingAnchor(const Drawing& d, double widthPt, double heightPt, const model::PageGeometry& g) {
    model::FloatingAnchor a;
    const std::string& w = d.wrap;
    a.wrap = w == "square" ? model::TextWrap::Square
           : w == "tight" ? model::TextWrap::Tight
           : w == "through" ? model::TextWrap::Through
           : w == "topAndBottom" ? model::TextWrap::TopAndBottom
                                 : model::TextWrap::None;
    a.behindText = d.behindDoc;
    a.zOrder = static_cast<int>(std::clamp<std::int64_t>(d.zOrder, -1000000000, 1000000000));
    a.wrapLeftPt = emuToPt(static_cast<double>(d.distLeft));
    a.wrapTopPt = emuToPt(static_cast<double>(d.distTop));
    a.wrapRightPt = emuToPt(static_cast<double>(d.distRight));
    a.wrapBottomPt = emuToPt(static_cast<double>(d.distBottom));
    if (d.simplePos) {
        a.xPt = emuToPt(static_cast<double>(d.simplePos->first));
        a.yPt = emuToPt(static_cast<double>(d.simplePos->second));
        return a;
    }
    const double textWidth = std::max(0.0, g.widthPt - g.marginLeftPt - g.marginRightPt);
    const double textHeight = std::max(0.0, g.heightPt - g.marginTopPt - g.marginBottomPt);
    double origin = g.marginLeftPt, extent = textWidth;
    const std::string& rh = d.horizontal.relativeFrom;
    if (rh == "page") { origin = 0; extent = g.widthPt; }
    else if (rh == "leftMargin" || rh == "insideMargin") { origin = 0; extent = g.marginLeftPt; }
    else if (rh == "rightMargin" || rh == "outsideMargin") { origin = g.widthPt - g.marginRightPt; extent = g.marginRightPt; }
    if (d.horizontal.percentOffset) {
        a.xPt = origin + extent * *d.horizontal.percentOffset / 100000.0;
    } else if (d.horizontal.align) {
        const std::string& al = *d.horizontal.align;
        a.xPt = al == "center" ? origin + (extent - widthPt) / 2
              : (al == "right" || al == "outside") ? origin + extent - widthPt
                                                   : origin;
    } else {
        a.xPt = origin + emuToPt(static_cast<double>(d.horizontal.offset.value_or(0)));
    }
    const std::string& rv = d.vertical.relativeFrom;
    if (rv == "paragraph" || rv == "line") {
        // Measured from the top of the paragraph that anchors it, which the layout knows.
        a.yFromParagraph = true;
        a.yPt = emuToPt(static_cast<double>(d.vertical.offset.value_or(0)));
        return a;
    }
    origin = g.marginTopPt;
    extent = textHeight;
    if (rv == "page") { origin = 0; extent = g.heightPt; }
    else if (rv == "topMargin" || rv == "insideMargin") { origin = 0; extent = g.marginTopPt; }
    else if (rv == "bottomMargin" || rv == "outsideMargin") { origin = g.heightPt - g.marginBottomPt; extent = g.marginBottomPt; }
    if (d.vertical.percentOffset) {
        a.yPt = origin + extent * *d.vertical.percentOffset / 100000.0;
    } else if (d.vertical.align) {
        const std::string& al = *d.vertical.align;
        a.yPt = al == "center" ? origin + (extent - heightPt) / 2
              : (al == "bottom" || al == "outside") ? origin + extent - heightPt
                                                    : origin;
    } else {
        a.yPt = origin + emuToPt(static_cast<double>(d.vertical.offset.value_or(0)));
    }
    return a;
}

} // namespace fq::docx
