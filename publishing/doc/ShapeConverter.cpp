// OfficeArt shapes of a .doc into the neutral model.
#include "publishing/doc/ShapeConverter.h"

#include "publishing/doc/TextEncoding.h"

#include <algorithm>
#include <cmath>

namespace fq::doc {

namespace {

constexpr double kEmuPerPoint = 12700.0;

// Shape properties read here.
namespace prop {
inline constexpr std::uint16_t Rotation = 0x0004, TextLeft = 0x0081, TextTop = 0x0082, TextRight = 0x0083,
                               TextBottom = 0x0084, AnchorText = 0x0087, WordArtText = 0x00C0,
                               GeoLeft = 0x0140, GeoTop = 0x0141, GeoRight = 0x0142, GeoBottom = 0x0143,
                               Vertices = 0x0145, Segments = 0x0146, Adjust1 = 0x0147, FillType = 0x0180,
                               FillColor = 0x0181, FillOpacity = 0x0182, FillBackColor = 0x0183,
                               FillAngle = 0x018B, FillBlip = 0x0186, FillBools = 0x01BF, LineColor = 0x01C0,
                               LineWidth = 0x01CB, LineDashing = 0x01CE, StartArrow = 0x01D0, EndArrow = 0x01D1,
                               StartArrowWidth = 0x01D2, StartArrowLength = 0x01D3, EndArrowWidth = 0x01D4,
                               EndArrowLength = 0x01D5, LineBools = 0x01FF, WrapLeft = 0x0384, WrapTop = 0x0385,
                               WrapRight = 0x0386, WrapBottom = 0x0387, GroupBools = 0x03BF;
} // namespace prop

constexpr std::uint32_t kFlipH = 0x40, kFlipV = 0x80, kGroupFlag = 0x01;

// A boolean of a property set: its value where its "use" bit is set, the
// default otherwise.
bool flag(const ShapeInfo& s, std::uint16_t id, int bit, bool fallback) {
    const auto v = s.property(id);
    if (!v) return fallback;
    if (!(*v & (1u << (bit + 16)))) return fallback;
    return (*v >> bit) & 1u;
}

double fixed16(std::uint32_t v) { return static_cast<std::int32_t>(v) / 65536.0; }

// IMsoArray: element count, allocated count, element size, then the elements.
struct MsoArray {
    std::size_t count = 0;
    std::size_t size = 0;
    const Bytes* data = nullptr;
    std::int32_t at(std::size_t i, int half) const {
        const std::size_t off = 6 + i * size + (size == 8 ? 4 : 2) * half;
        if (!data || off + (size == 8 ? 4 : 2) > data->size()) return 0;
        const auto* p = data->data() + off;
        if (size == 8) return static_cast<std::int32_t>(le32(p));
        return static_cast<std::int16_t>(le16(p));
    }
    std::uint16_t u16(std::size_t i) const {
        const std::size_t off = 6 + i * 2;
        return data && off + 2 <= data->size() ? le16(data->data() + off) : 0;
    }
};

std::optional<MsoArray> msoArray(const ShapeInfo& s, std::uint16_t id) {
    auto it = s.complex.find(id);
    if (it == s.complex.end() || it->second.size() < 6) return std::nullopt;
    MsoArray a;
    a.data = &it->second;
    a.count = le16(it->second.data());
    a.size = le16(it->second.data() + 4);
    if (a.size == 0xFFF0) a.size = 4;
    if (a.size != 4 && a.size != 8 && a.size != 2) return std::nullopt;
    return a;
}

// The shape's custom outline from its vertices and segments.
bool customGeometry(const ShapeInfo& s, model::ShapeGeometry& g) {
    const auto vertices = msoArray(s, prop::Vertices);
    if (!vertices || vertices->size == 2 || vertices->count == 0) return false;
    const auto segments = msoArray(s, prop::Segments);
    const double left = static_cast<std::int32_t>(s.property(prop::GeoLeft).value_or(0));
    const double top = static_cast<std::int32_t>(s.property(prop::GeoTop).value_or(0));
    const double right = static_cast<std::int32_t>(s.property(prop::GeoRight).value_or(21600));
    const double bottom = static_cast<std::int32_t>(s.property(prop::GeoBottom).value_or(21600));
    if (!(right > left) || !(bottom > top)) return false;
    g.preset = model::PresetShape::Custom;
    g.pathWidth = right - left;
    g.pathHeight = bottom - top;
    model::ShapePath path;
    std::size_t v = 0;
    using Op = model::PathCommand::Op;
    auto point = [&](model::PathCommand& c, int k) {
        c.x[k] = vertices->at(v, 0) - left;
        c.y[k] = vertices->at(v, 1) - top;
        ++v;
    };
    auto finish = [&]() {
        if (!path.commands.empty()) g.paths.push_back(std::move(path));
        path = model::ShapePath{};
    };
    if (!segments || segments->size != 2) {
        // Without segments the vertices are one open polyline.
        for (std::size_t i = 0; i < vertices->count; ++i) {
            model::PathCommand c;
            c.op = i == 0 ? Op::MoveTo : Op::LineTo;
            point(c, 0);
            path.commands.push_back(c);
        }
        finish();
        return !g.paths.empty();
    }
    for (std::size_t i = 0; i < segments->count && v <= vertices->count; ++i) {
        const std::uint16_t seg = segments->u16(i);
        const int type = seg >> 13;
        const std::size_t n = std::max<std::size_t>(1, seg & 0x1FFF);
        switch (type) {
        case 0:  // lines
            for (std::size_t k = 0; k < n && v < vertices->count; ++k) {
                model::PathCommand c;
                c.op = Op::LineTo;
                point(c, 0);
                path.commands.push_back(c);
            }
            break;
        case 1:  // curves
            for (std::size_t k = 0; k < n && v + 2 < vertices->count; ++k) {
                model::PathCommand c;
                c.op = Op::CubicTo;
                for (int q = 0; q < 3; ++q) point(c, q);
                path.commands.push_back(c);
            }
            break;
        case 2: {  // move
            if (v >= vertices->count) break;
            model::PathCommand c;
            c.op = Op::MoveTo;
            point(c, 0);
            path.commands.push_back(c);
            break;
        }
        case 3:
            path.commands.push_back({Op::Close, {}, {}});
            break;
        case 4:
            finish();
            break;
        case 5:
            // Escapes: no fill (0xAA), no stroke (0xAB); others carry no outline.
            if ((seg >> 8) == 0xAA) path.filled = false;
            else if ((seg >> 8) == 0xAB) path.stroked = false;
            break;
        default:
            break;
        }
    }
    finish();
    if (g.paths.empty()) g.preset = model::PresetShape::Rectangle;
    return !g.paths.empty();
}

model::LineEnd lineEnd(const ShapeInfo& s, std::uint16_t head, std::uint16_t width, std::uint16_t length) {
    model::LineEnd e;
    switch (s.property(head).value_or(0)) {
    case 1: e.head = model::ArrowHead::Triangle; break;
    case 2: e.head = model::ArrowHead::Stealth; break;
    case 3: e.head = model::ArrowHead::Diamond; break;
    case 4: e.head = model::ArrowHead::Oval; break;
    case 5: e.head = model::ArrowHead::Open; break;
    default: break;
    }
    e.width = static_cast<int>(std::min<std::uint32_t>(2, s.property(width).value_or(1)));
    e.length = static_cast<int>(std::min<std::uint32_t>(2, s.property(length).value_or(1)));
    return e;
}

model::LineDash dash(std::uint32_t v) {
    switch (v) {
    case 0: return model::LineDash::Solid;
    case 2: case 5: return model::LineDash::Dot;
    case 1: case 6: return model::LineDash::Dash;
    case 3: case 8: return model::LineDash::DashDot;
    case 4: return model::LineDash::DashDotDot;
    case 7: return model::LineDash::LongDash;
    case 9: return model::LineDash::LongDashDot;
    case 10: return model::LineDash::LongDashDotDot;
    default: return model::LineDash::Dash;
    }
}

std::string wordArtText(const ShapeInfo& s) {
    auto it = s.complex.find(prop::WordArtText);
    if (it == s.complex.end()) return {};
    std::u16string text;
    for (std::size_t k = 0; k + 1 < it->second.size(); k += 2) {
        const char16_t c = le16(it->second.data() + k);
        if (!c) break;
        text += c;
    }
    return utf16ToUtf8(text);
}

model::DrawingShape drawnShape(std::uint32_t spid, const ShapeInfo& s, double widthPt, double heightPt,
                               const TextBoxText& text) {
    model::DrawingShape m;
    m.widthPt = widthPt;
    m.heightPt = heightPt;
    m.flipH = s.flags & kFlipH;
    m.flipV = s.flags & kFlipV;
    m.rotationDeg = fixed16(s.property(prop::Rotation).value_or(0));
    m.description = s.description;
    if (!customGeometry(s, m.geometry)) {
        const std::uint16_t t = s.type;
        m.geometry.preset = (t == 0 || t == 75 || t == 100 || t > 202) ? model::PresetShape::Rectangle
                                                                       : static_cast<model::PresetShape>(t);
    }
    for (std::uint16_t i = 0; i < 10; ++i)
        if (auto adj = s.property(static_cast<std::uint16_t>(prop::Adjust1 + i))) {
            m.geometry.adjust.resize(i + 1, 0);
            m.geometry.adjust[i] = static_cast<int>(*adj);
        }
    // Fill and line are on unless the shape turns them off.
    if (flag(s, prop::FillBools, 4, true)) {
        const std::uint32_t type = s.property(prop::FillType).value_or(0);
        m.fill.kind = model::ShapeFill::Kind::Solid;
        m.fill.color = officeArtColor(s.property(prop::FillColor).value_or(0xFFFFFF), {255, 255, 255});
        if (auto o = s.property(prop::FillOpacity)) m.fill.opacity = std::clamp(fixed16(*o), 0.0, 1.0);
        if (type >= 4 && type <= 8) {
            m.fill.kind = model::ShapeFill::Kind::Gradient;
            m.fill.color2 = officeArtColor(s.property(prop::FillBackColor).value_or(0xFFFFFF), {255, 255, 255});
            m.fill.gradientAngleDeg = fixed16(s.property(prop::FillAngle).value_or(0)) - 90.0;
        }
    }
    if (flag(s, prop::LineBools, 3, true)) {
        m.line.visible = true;
        m.line.color = officeArtColor(s.property(prop::LineColor).value_or(0), {0, 0, 0});
        m.line.widthPt = s.property(prop::LineWidth).value_or(9525) / kEmuPerPoint;
        m.line.dash = dash(s.property(prop::LineDashing).value_or(0));
        m.line.start = lineEnd(s, prop::StartArrow, prop::StartArrowWidth, prop::StartArrowLength);
        m.line.end = lineEnd(s, prop::EndArrow, prop::EndArrowWidth, prop::EndArrowLength);
    }
    m.insets.leftPt = s.property(prop::TextLeft).value_or(91440) / kEmuPerPoint;
    m.insets.topPt = s.property(prop::TextTop).value_or(45720) / kEmuPerPoint;
    m.insets.rightPt = s.property(prop::TextRight).value_or(91440) / kEmuPerPoint;
    m.insets.bottomPt = s.property(prop::TextBottom).value_or(45720) / kEmuPerPoint;
    switch (s.property(prop::AnchorText).value_or(0)) {
    case 1: case 4: case 7: m.textAlignment = model::VerticalAlignment::Center; break;
    case 2: case 5: case 8: m.textAlignment = model::VerticalAlignment::Bottom; break;
    default: break;
    }
    m.textBox = s.type == 202;
    m.text = text(spid);
    if (const std::string art = wordArtText(s); !art.empty()) {
        // WordArt: its string set large in a text box, in the colour of its fill.
        model::Paragraph p;
        p.props.alignment = model::Alignment::Center;
        model::Run r;
        r.text = art;
        r.props.font = "Arial";
        r.props.bold = true;
        r.props.sizePt = std::clamp(std::min(heightPt * 0.75, widthPt / std::max<double>(1, art.size()) * 1.6), 6.0, 400.0);
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
    return m;
}

struct Placement {
    const ShapeAnchor* anchor = nullptr;
    const model::PageGeometry* page = nullptr;
    const Drawing* drawing = nullptr;
    const TextBoxText* text = nullptr;
    int zOrder = 0;
};

model::FloatingAnchor anchorAt(const Placement& p, const ShapeInfo& s, double xPt, double yPt) {
    const ShapeAnchor& a = *p.anchor;
    model::FloatingAnchor f;
    f.xPt = xPt + (a.bx == 1 ? 0.0 : p.page->marginLeftPt);
    if (a.by == 2) {
        f.yFromParagraph = true;
        f.yPt = yPt;
    } else {
        f.yPt = yPt + (a.by == 1 ? 0.0 : p.page->marginTopPt);
    }
    switch (a.wr) {
    case 1: f.wrap = model::TextWrap::TopAndBottom; break;
    case 3: f.wrap = model::TextWrap::None; break;
    case 4: f.wrap = model::TextWrap::Tight; break;
    case 5: f.wrap = model::TextWrap::Through; break;
    default: f.wrap = model::TextWrap::Square; break;
    }
    f.behindText = a.belowText || flag(s, prop::GroupBools, 5, false);
    f.zOrder = p.zOrder;
    f.wrapLeftPt = s.property(prop::WrapLeft).value_or(114300) / kEmuPerPoint;
    f.wrapTopPt = s.property(prop::WrapTop).value_or(0) / kEmuPerPoint;
    f.wrapRightPt = s.property(prop::WrapRight).value_or(114300) / kEmuPerPoint;
    f.wrapBottomPt = s.property(prop::WrapBottom).value_or(0) / kEmuPerPoint;
    return f;
}

// The shape spid standing at (x, y) points from the anchor's origin, w x h.
void place(const Placement& p, std::uint32_t spid, double x, double y, double w, double h,
           std::vector<model::Block>& out, int depth) {
    auto it = p.drawing->shapes.find(spid);
    if (it == p.drawing->shapes.end() || depth > 10) return;
    const ShapeInfo& s = it->second;
    if (s.flags & kGroupFlag) {
        // Members stand in the group's own space, stretched over its place.
        auto members = p.drawing->groupMembers.find(spid);
        if (members == p.drawing->groupMembers.end()) return;
        const double gw = double(s.groupRect[2]) - s.groupRect[0], gh = double(s.groupRect[3]) - s.groupRect[1];
        const double sx = gw > 0 ? w / gw : 1.0, sy = gh > 0 ? h / gh : 1.0;
        for (std::uint32_t m : members->second) {
            auto child = p.drawing->shapes.find(m);
            if (child == p.drawing->shapes.end() || !child->second.hasChildRect) continue;
            const std::int32_t* r = child->second.childRect;
            place(p, m, x + (r[0] - s.groupRect[0]) * sx, y + (r[1] - s.groupRect[1]) * sy,
                  std::max(0.0, (double(r[2]) - r[0]) * sx), std::max(0.0, (double(r[3]) - r[1]) * sy), out, depth + 1);
        }
        return;
    }
    const std::uint32_t pib = s.pib ? s.pib : (s.property(prop::FillType).value_or(0) == 3 ? s.property(prop::FillBlip).value_or(0) : 0);
    if (pib > 0 && pib <= p.drawing->blips.size() && p.drawing->blips[pib - 1]) {
        const auto& blip = *p.drawing->blips[pib - 1];
        model::Picture pic;
        pic.format = blip.format;
        pic.data = blip.data;
        pic.widthPt = w;
        pic.heightPt = h;
        pic.description = s.description;
        pic.anchor = anchorAt(p, s, x, y);
        out.emplace_back(std::move(pic));
        return;
    }
    model::DrawingShape m = drawnShape(spid, s, w, h, *p.text);
    m.anchor = anchorAt(p, s, x, y);
    out.emplace_back(std::move(m));
}

} // namespace

model::Color officeArtColor(std::uint32_t value, model::Color fallback) {
    // 0x10: an RGB value all the same; other high bytes name palette, scheme
    // or system colours this reader does not have.
    const std::uint8_t kind = static_cast<std::uint8_t>(value >> 24);
    if (kind != 0 && kind != 0x10 && kind != 0x02) return fallback;
    return {static_cast<std::uint8_t>(value & 0xFF), static_cast<std::uint8_t>((value >> 8) & 0xFF),
            static_cast<std::uint8_t>((value >> 16) & 0xFF)};
}

std::vector<model::Block> floatingShapeBlocks(const ShapeAnchor& a, const Drawing& drawing,
                                              const model::PageGeometry& page, const TextBoxText& text, int zOrder) {
    std::vector<model::Block> out;
    Placement p{&a, &page, &drawing, &text, zOrder};
    const double w = std::max(0, a.xaRight - a.xaLeft) / 20.0, h = std::max(0, a.yaBottom - a.yaTop) / 20.0;
    place(p, a.spid, a.xaLeft / 20.0, a.yaTop / 20.0, w, h, out, 0);
    return out;
}

} // namespace fq::doc
