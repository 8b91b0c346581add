// Drawn shapes in the Escher and Contents streams.
#include "publishing/pub/ShapeWriter.h"

#include "publishing/pub/EscherRecords.h"
#include "publishing/pub/PubConstants.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace fq::pub {

namespace {

// Shape properties beyond the ones every shape carries (PubConstants). The
// outline's arrays carry the 0x4000 bit as Publisher writes them.
namespace prop {
inline constexpr std::uint16_t Rotation = 0x0004, GeoLeft = 0x0140, GeoTop = 0x0141, GeoRight = 0x0142,
                               GeoBottom = 0x0143, ShapePath = 0x0144, Vertices = 0x4145, Segments = 0x4146,
                               Adjust1 = 0x0147, FillType = 0x0180, FillOpacity = 0x0182, FillAngle = 0x018B,
                               FillBlip = 0x4186, LineDashing = 0x01CE, StartArrow = 0x01D0, EndArrow = 0x01D1,
                               StartArrowWidth = 0x01D2, StartArrowLength = 0x01D3, EndArrowWidth = 0x01D4,
                               EndArrowLength = 0x01D5;
} // namespace prop

// Fill types and the segment codes of custom outlines.
inline constexpr std::uint32_t kFillPicture = 3, kFillShade = 7;
inline constexpr std::uint16_t kSegMoveTo = 0x4000, kSegLineTo = 0x0000, kSegCurveTo = 0x2000, kSegClose = 0x6001,
                               kSegEnd = 0x8000, kSegNoFill = 0xAA00, kSegNoStroke = 0xAB00;
inline constexpr std::uint32_t kPathComplex = 4;
inline constexpr std::int32_t kPathSpace = 21600;          // custom outlines are written in this space
inline constexpr std::uint32_t kSpFlagFlipH = 0x040, kSpFlagFlipV = 0x080;
inline constexpr std::uint32_t kFilled = 0x00100010, kNotFilled = 0x00100000;
inline constexpr std::uint32_t kLineOn = 0x00080008, kLineOff = 0x00080000;

std::uint32_t bgr(const model::Color& c) {
    return std::uint32_t(c.r) | (std::uint32_t(c.g) << 8) | (std::uint32_t(c.b) << 16);
}

std::int32_t emu(double pt) {
    if (!std::isfinite(pt)) return 0;
    return static_cast<std::int32_t>(std::lround(std::clamp(pt, -1e6, 1e6) * kEmuPerPoint));
}

std::uint32_t fixed16(double v) { return static_cast<std::uint32_t>(static_cast<std::int32_t>(std::lround(v * 65536.0))); }

// Rotation in [0, 360).
double normalizedRotation(double deg) {
    if (!std::isfinite(deg)) return 0.0;
    double r = std::fmod(deg, 360.0);
    if (r < 0) r += 360.0;
    return r;
}

// Readers store the anchor of a shape turned by about a quarter turn with
// width and height exchanged about its centre.
bool quarterTurned(double deg) {
    const double r = normalizedRotation(deg);
    return (r >= 45.0 && r < 135.0) || (r >= 225.0 && r < 315.0);
}

std::uint32_t dashCode(model::LineDash d) {
    switch (d) {
    case model::LineDash::Solid: return 0;
    case model::LineDash::Dot: return 2;
    case model::LineDash::Dash: return 6;
    case model::LineDash::DashDot: return 8;
    case model::LineDash::DashDotDot: return 4;
    case model::LineDash::LongDash: return 7;
    case model::LineDash::LongDashDot: return 9;
    case model::LineDash::LongDashDotDot: return 10;
    }
    return 0;
}

std::uint32_t arrowCode(model::ArrowHead h) {
    switch (h) {
    case model::ArrowHead::None: return 0;
    case model::ArrowHead::Triangle: return 1;
    case model::ArrowHead::Stealth: return 2;
    case model::ArrowHead::Diamond: return 3;
    case model::ArrowHead::Oval: return 4;
    case model::ArrowHead::Open: return 5;
    }
    return 0;
}

std::uint32_t arrowSize(int v) { return static_cast<std::uint32_t>(std::clamp(v, 0, 2)); }

void vertex(std::vector<std::uint8_t>& out, std::int32_t x, std::int32_t y) {
    for (std::int32_t v : {x, y})
        for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>((static_cast<std::uint32_t>(v) >> (8 * i)) & 0xFF));
}

void u16le(std::vector<std::uint8_t>& out, std::uint16_t v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

// An array property: element count (twice) and element size, then the elements.
std::vector<std::uint8_t> arrayProperty(std::size_t count, std::uint16_t elementSize,
                                        const std::vector<std::uint8_t>& elements) {
    std::vector<std::uint8_t> out;
    u16le(out, static_cast<std::uint16_t>(count));
    u16le(out, static_cast<std::uint16_t>(count));
    u16le(out, elementSize);
    out.insert(out.end(), elements.begin(), elements.end());
    return out;
}

// Vertices and segments of a custom outline, stretched over kPathSpace.
bool customPath(const model::ShapeGeometry& g, PropertyTable& opt) {
    if (g.paths.empty() || !(g.pathWidth > 0) || !(g.pathHeight > 0)) return false;
    std::vector<std::uint8_t> vertices, segments;
    std::size_t vertexCount = 0, segmentCount = 0;
    auto point = [&](double x, double y) {
        const auto sx = static_cast<std::int32_t>(std::lround(std::clamp(x / g.pathWidth, -4.0, 5.0) * kPathSpace));
        const auto sy = static_cast<std::int32_t>(std::lround(std::clamp(y / g.pathHeight, -4.0, 5.0) * kPathSpace));
        vertex(vertices, sx, sy);
        ++vertexCount;
    };
    auto segment = [&](std::uint16_t code) {
        u16le(segments, code);
        ++segmentCount;
    };
    using Op = model::PathCommand::Op;
    for (const auto& path : g.paths) {
        if (path.commands.empty()) continue;
        std::size_t i = 0;
        bool open = false;
        while (i < path.commands.size()) {
            const auto& c = path.commands[i];
            if (c.op == Op::MoveTo) {
                if (open) segment(kSegEnd);
                point(c.x[0], c.y[0]);
                segment(kSegMoveTo);
                open = true;
                ++i;
                continue;
            }
            if (!open) {
                // A path that does not begin with a move starts at its first point.
                point(c.x[c.op == Op::CubicTo ? 2 : 0], c.y[c.op == Op::CubicTo ? 2 : 0]);
                segment(kSegMoveTo);
                open = true;
                if (c.op != Op::Close) {
                    ++i;
                    continue;
                }
            }
            if (c.op == Op::Close) {
                segment(kSegClose);
                ++i;
                continue;
            }
            // A run of the same kind of step is one segment with a count.
            std::size_t n = 0;
            while (i < path.commands.size() && path.commands[i].op == c.op && n < 0x1FFF) {
                const auto& s = path.commands[i];
                if (c.op == Op::LineTo) {
                    point(s.x[0], s.y[0]);
                } else {
                    for (int k = 0; k < 3; ++k) point(s.x[k], s.y[k]);
                }
                ++n;
                ++i;
            }
            segment(static_cast<std::uint16_t>((c.op == Op::LineTo ? kSegLineTo : kSegCurveTo) | n));
        }
        if (!path.filled) segment(kSegNoFill);
        if (!path.stroked) segment(kSegNoStroke);
        if (open) segment(kSegEnd);
    }
    if (vertexCount == 0) return false;
    opt.set(prop::GeoLeft, 0);
    opt.set(prop::GeoTop, 0);
    opt.set(prop::GeoRight, kPathSpace);
    opt.set(prop::GeoBottom, kPathSpace);
    opt.set(prop::ShapePath, kPathComplex);
    opt.setComplex(prop::Vertices, arrayProperty(vertexCount, 8, vertices));
    opt.setComplex(prop::Segments, arrayProperty(segmentCount, 2, segments));
    return true;
}

// The direction of a gradient as the drawing format counts it: 0 runs from
// the bottom up, 90 from left to right (readers turn it counter-clockwise).
std::uint32_t gradientAngle(double deg) {
    double a = std::fmod(90.0 + deg, 360.0);
    if (a <= -180.0) a += 360.0;
    if (a > 180.0) a -= 360.0;
    return fixed16(std::round(a));
}

void fillProperties(const model::ShapeFill& f, std::uint32_t fillPib, PropertyTable& opt) {
    using K = model::ShapeFill::Kind;
    opt.set(esc::op::FillBackColor, esc::kPaletteWhite);
    if (f.kind == K::Solid || f.kind == K::Gradient) {
        opt.set(esc::op::FillColor, bgr(f.color));
        if (f.opacity < 0.999) opt.set(prop::FillOpacity, fixed16(std::clamp(f.opacity, 0.0, 1.0)));
        if (f.kind == K::Gradient) {
            opt.set(prop::FillType, kFillShade);
            opt.set(esc::op::FillBackColor, bgr(f.color2));
            opt.set(prop::FillAngle, gradientAngle(f.gradientAngleDeg));
        }
        opt.set(esc::op::FillBools, kFilled);
    } else if (f.kind == K::Picture && fillPib) {
        opt.set(esc::op::FillColor, esc::kPaletteWhite);
        opt.set(prop::FillType, kFillPicture);
        opt.set(prop::FillBlip, fillPib);
        opt.set(esc::op::FillBools, kFilled);
    } else {
        opt.set(esc::op::FillColor, esc::kPaletteWhite);
        opt.set(esc::op::FillBools, kNotFilled);
    }
}

void lineProperties(const model::ShapeLine& l, bool openOutline, PropertyTable& opt) {
    opt.set(esc::op::LineBackColor, esc::kPaletteWhite);
    if (!l.visible) {
        opt.set(esc::op::LineColor, esc::kPaletteBlack);
        opt.set(esc::op::LineWidth, 0);
        opt.set(esc::op::LineBools, kLineOff);
        return;
    }
    opt.set(esc::op::LineColor, bgr(l.color));
    opt.set(esc::op::LineWidth, static_cast<std::uint32_t>(std::max(0, emu(l.widthPt))));
    if (l.dash != model::LineDash::Solid) opt.set(prop::LineDashing, dashCode(l.dash));
    if (openOutline) {
        // Arrowheads only sit on the ends of open outlines.
        if (l.start.head != model::ArrowHead::None) {
            opt.set(prop::StartArrow, arrowCode(l.start.head));
            opt.set(prop::StartArrowWidth, arrowSize(l.start.width));
            opt.set(prop::StartArrowLength, arrowSize(l.start.length));
        }
        if (l.end.head != model::ArrowHead::None) {
            opt.set(prop::EndArrow, arrowCode(l.end.head));
            opt.set(prop::EndArrowWidth, arrowSize(l.end.width));
            opt.set(prop::EndArrowLength, arrowSize(l.end.length));
        }
    }
    opt.set(esc::op::LineBools, kLineOn);
}

bool openOutline(const model::DrawingFrame& d) {
    using model::PresetShape;
    const PresetShape p = d.geometry.preset;
    if (p == PresetShape::Line || p == PresetShape::StraightConnector || p == PresetShape::BentConnector3 ||
        p == PresetShape::CurvedConnector3 || p == PresetShape::Arc)
        return true;
    if (p != PresetShape::Custom) return false;
    for (const auto& path : d.geometry.paths)
        for (const auto& c : path.commands)
            if (c.op == model::PathCommand::Op::Close) return false;
    return true;
}

// The anchor of a shape turned by the given angle, as readers store it.
void writeTurnedAnchor(RecordWriter& w, RectEmu r, double rotation) {
    if (quarterTurned(rotation)) {
        const std::int64_t width = r.width(), height = r.height();
        const std::int64_t left = (std::int64_t(r.left) + r.right - height) / 2;
        const std::int64_t top = (std::int64_t(r.top) + r.bottom - width) / 2;
        r = RectEmu{static_cast<std::int32_t>(left), static_cast<std::int32_t>(top),
                    static_cast<std::int32_t>(left + height), static_cast<std::int32_t>(top + width)};
    }
    writeAnchor(w, r);
}

} // namespace

bool isDrawnShape(const PlannedShape& s) {
    return s.drawing && (s.kind == ShapeKind::Drawing || s.kind == ShapeKind::Line || s.kind == ShapeKind::TextBox);
}

void writeDrawingShape(ByteBuffer& out, const PlannedShape& s) {
    using namespace esc::op;
    const model::DrawingFrame& d = *s.drawing;
    const bool text = s.kind == ShapeKind::TextBox;
    RecordWriter w(out);
    const auto sp = w.open(esc::SpContainer, 0xF, 0);

    PropertyTable opt;
    const bool custom = !text && d.geometry.preset == model::PresetShape::Custom && customPath(d.geometry, opt);
    const std::uint16_t type = custom ? 0 : (text ? esc::kShapeTypeTextBox
                                                  : static_cast<std::uint16_t>(d.geometry.preset == model::PresetShape::Custom
                                                                                   ? model::PresetShape::Rectangle
                                                                                   : d.geometry.preset));
    std::uint32_t flags = esc::kSpFlagHaveAnchor | esc::kSpFlagHaveShapeType;
    if (d.flipH) flags |= kSpFlagFlipH;
    if (d.flipV) flags |= kSpFlagFlipV;
    writeSp(w, type, s.spid, flags);

    const double rotation = normalizedRotation(d.rotationDeg);
    if (rotation != 0.0) opt.set(prop::Rotation, fixed16(rotation));
    if (text) {
        opt.set(TextId, s.textId);
        opt.set(TextLeft, static_cast<std::uint32_t>(std::max(0, emu(d.insets.leftPt))));
        opt.set(TextTop, static_cast<std::uint32_t>(std::max(0, emu(d.insets.topPt))));
        opt.set(TextRight, static_cast<std::uint32_t>(std::max(0, emu(d.insets.rightPt))));
        opt.set(TextBottom, static_cast<std::uint32_t>(std::max(0, emu(d.insets.bottomPt))));
        opt.set(TextBools, 0x00170014);
    } else {
        const std::uint32_t m = esc::kDefaultTextMargin;
        for (std::uint16_t id : {TextLeft, TextTop, TextRight, TextBottom}) opt.set(id, m);
        for (std::size_t i = 0; i < d.geometry.adjust.size() && i < 10; ++i)
            opt.set(static_cast<std::uint16_t>(prop::Adjust1 + i), static_cast<std::uint32_t>(d.geometry.adjust[i]));
    }
    if (s.overlay) {
        // The outline below draws fill and line; the text box only its text.
        fillProperties(model::ShapeFill{}, 0, opt);
        lineProperties(model::ShapeLine{}, false, opt);
    } else {
        fillProperties(d.fill, s.fillPib, opt);
        lineProperties(d.line, openOutline(d), opt);
    }
    opt.set(ShadowColor, esc::kPaletteShadow);
    const std::uint32_t dist = esc::kDefaultWrapDistance;
    for (std::uint16_t id : {WrapLeft, WrapTop, WrapRight, WrapBottom}) opt.set(id, dist);
    opt.set(GroupBools, 0x00100000);
    if (!s.description.empty()) opt.setText(Description, s.description);
    opt.write(w, esc::Opt);

    PropertyTable tertiary;
    if (text) tertiary.set(ColumnSpacing, 72390);
    tertiary.set(FillBools, 0x00200000);
    if (s.kind != ShapeKind::Line) tertiary.set(LineBools, 0x00400040);
    if (text) tertiary.set(GeometryBools, 0x00400040);
    tertiary.set(sideBorders());
    if (text) {
        tertiary.set(0x064B, 0);
        tertiary.set(0x067F, 0x00080000);
    }
    tertiary.write(w, esc::TertiaryOpt);

    writeTurnedAnchor(w, s.anchor, rotation);
    writeClient(w, esc::ClientData, esc::kClientDataSeq, s.seq);
    if (text) writeClient(w, esc::ClientTextbox, esc::kClientTextboxId, s.textId);
    w.close(sp);
}

std::uint16_t shapeChunkType(const PlannedShape& s) {
    constexpr std::uint16_t kAltShape = 0x20;
    return s.drawing && s.kind == ShapeKind::Line ? kAltShape : chunk::Shape;
}

std::uint16_t shapeChunkFlags(const PlannedShape& s) {
    if (!s.drawing) return shape::kShapeFlags;
    return s.drawing->wrap == model::TextWrap::None ? shape::kShapeFlagsNoWrap : shape::kShapeFlags;
}

int shapeChunkVerticalAlignment(const PlannedShape& s) {
    if (!s.drawing || s.kind != ShapeKind::TextBox) return -1;
    switch (s.drawing->textAlignment) {
    case model::VerticalAlignment::Top: return -1;
    case model::VerticalAlignment::Center: return 1;
    case model::VerticalAlignment::Bottom: return 2;
    }
    return -1;
}

} // namespace fq::pub
