// Boxes around and behind bordered and shaded paragraphs.
#include "publishing/layout/ParagraphDecor.h"

#include <algorithm>
#include <cmath>

namespace fq::layout {

namespace {

bool decorated(const model::ParaProps& p) { return p.borders.any() || p.shading.has_value(); }

bool sameBox(const model::ParaProps& a, const model::ParaProps& b) {
    return a.borders == b.borders && a.shading == b.shading && a.leftIndentPt == b.leftIndentPt &&
           a.rightIndentPt == b.rightIndentPt;
}

double room(const model::Border& b) {
    if (!b.visible()) return 0.0;
    const double space = std::isfinite(b.spacePt) ? std::clamp(b.spacePt, 0.0, 31.0) : 0.0;
    return space + b.widthPt / 2.0;
}

model::DrawingFrame lineFrame(const model::Border& b) {
    model::DrawingFrame d;
    d.geometry.preset = model::PresetShape::Line;
    d.line.visible = true;
    d.line.color = b.color.value_or(model::Color{});
    d.line.widthPt = std::clamp(b.widthPt, 0.25, 12.0);
    switch (b.style) {
    case model::BorderStyle::Dotted: d.line.dash = model::LineDash::Dot; break;
    case model::BorderStyle::Dashed: d.line.dash = model::LineDash::Dash; break;
    case model::BorderStyle::DotDash: d.line.dash = model::LineDash::DashDot; break;
    case model::BorderStyle::DotDotDash: d.line.dash = model::LineDash::DashDotDot; break;
    default: break;
    }
    return d;
}

model::Shape line(double x1, double y1, double x2, double y2, const model::Border& b) {
    return {{std::min(x1, x2), std::min(y1, y2), std::fabs(x2 - x1), std::fabs(y2 - y1)}, lineFrame(b)};
}

} // namespace

void ParagraphDecor::paragraph(const model::ParaProps& props, double left, double right, double top) {
    inParagraph_ = true;
    if (group_ && sameBox(group_->props, props) && std::fabs(group_->left - left) < 0.01 &&
        std::fabs(group_->right - right) < 0.01) {
        group_->between.push_back(top);
        group_->bottom = std::max(group_->bottom, top);
        return;
    }
    close();
    if (!decorated(props)) return;
    Group g;
    g.props = props;
    g.left = left;
    g.right = right;
    g.top = g.bottom = top;
    group_ = std::move(g);
}

void ParagraphDecor::extend(double bottom) {
    if (group_) group_->bottom = std::max(group_->bottom, bottom);
}

void ParagraphDecor::interrupt() {
    inParagraph_ = false;
    close();
}

void ParagraphDecor::pageEnds() {
    const std::optional<Group> open = inParagraph_ ? group_ : std::nullopt;
    close();
    group_ = open;
    if (group_) group_->between.clear();
}

void ParagraphDecor::pageBegins(double top) {
    if (!group_) return;
    group_->top = group_->bottom = top;
}

void ParagraphDecor::columnBegins(double left, double right, double top) {
    if (!group_) return;
    group_->left = left;
    group_->right = right;
    group_->top = group_->bottom = top;
}

std::vector<model::Shape> ParagraphDecor::take() {
    std::vector<model::Shape> out;
    out.swap(shapes_);
    return out;
}

void ParagraphDecor::close() {
    if (!group_) return;
    const Group g = *group_;
    group_.reset();
    if (g.bottom - g.top < 0.5) return;
    const model::ParagraphBorders& b = g.props.borders;
    const double left = g.left + g.props.leftIndentPt - room(b.left);
    const double right = g.right - g.props.rightIndentPt + room(b.right);
    const double top = g.top - room(b.top);
    const double bottom = g.bottom + room(b.bottom);
    if (right - left < 1.0) return;
    const bool box = b.top.visible() && b.top == b.left && b.top == b.bottom && b.top == b.right;
    if (g.props.shading || box) {
        model::DrawingFrame d = box ? lineFrame(b.top) : model::DrawingFrame{};
        d.geometry.preset = model::PresetShape::Rectangle;
        if (g.props.shading) {
            d.fill.kind = model::ShapeFill::Kind::Solid;
            d.fill.color = *g.props.shading;
        }
        shapes_.push_back({{left, top, right - left, bottom - top}, std::move(d)});
    }
    if (!box) {
        if (b.top.visible()) shapes_.push_back(line(left, top, right, top, b.top));
        if (b.bottom.visible()) shapes_.push_back(line(left, bottom, right, bottom, b.bottom));
        if (b.left.visible()) shapes_.push_back(line(left, top, left, bottom, b.left));
        if (b.right.visible()) shapes_.push_back(line(right, top, right, bottom, b.right));
    }
    if (b.between.visible())
        for (double y : g.between) shapes_.push_back(line(left, y - room(b.between), right, y - room(b.between), b.between));
}

} // namespace fq::layout
