// Placing floating pictures and shapes, page borders and header drawings.
#include "publishing/layout/Anchored.h"

#include "publishing/layout/PageBuilder.h"
#include "publishing/layout/ParagraphDecor.h"
#include "publishing/layout/ParagraphMeasure.h"
#include "publishing/layout/TableText.h"

#include <algorithm>
#include <cmath>

namespace fq::layout {

namespace {

constexpr double kHairline = 0.25;

double finiteOr(double v, double fallback) { return std::isfinite(v) ? v : fallback; }

double spacing(double v) { return std::isfinite(v) ? std::clamp(v, 0.0, 1000.0) : 0.0; }

// A paragraph's height as a header or footer frame stacks it.
double stackedHeight(const model::Paragraph& p, double width) {
    return spacing(p.props.spaceBeforePt) + linesHeight(measureParagraph(p, width)) + spacing(p.props.spaceAfterPt);
}

model::Shape borderLine(double x1, double y1, double x2, double y2, const model::Border& b) {
    model::DrawingFrame d;
    d.geometry.preset = model::PresetShape::Line;
    d.line.visible = true;
    d.line.color = b.color.value_or(model::Color{});
    d.line.widthPt = std::max(kHairline, b.widthPt);
    if (b.style == model::BorderStyle::Dotted) d.line.dash = model::LineDash::Dot;
    else if (b.style == model::BorderStyle::Dashed) d.line.dash = model::LineDash::Dash;
    else if (b.style == model::BorderStyle::DotDash) d.line.dash = model::LineDash::DashDot;
    else if (b.style == model::BorderStyle::DotDotDash) d.line.dash = model::LineDash::DashDotDot;
    return {{std::min(x1, x2), std::min(y1, y2), std::fabs(x2 - x1), std::fabs(y2 - y1)}, std::move(d)};
}

} // namespace

model::DrawingFrame drawingFrame(const model::DrawingShape& s) {
    model::DrawingFrame d;
    d.geometry = s.geometry;
    d.fill = s.fill;
    d.line = s.line;
    d.rotationDeg = finiteOr(s.rotationDeg, 0.0);
    d.flipH = s.flipH;
    d.flipV = s.flipV;
    // Pictures in the shape's text leave room in its paragraphs (see placeInside).
    d.paragraphs = headerFooterContent(s.text).paragraphs;
    d.insets = s.insets;
    d.textAlignment = s.textAlignment;
    d.textBox = s.textBox;
    d.wrap = s.anchor ? s.anchor->wrap : model::TextWrap::TopAndBottom;
    d.description = s.description;
    return d;
}

model::Rect shapeSize(const model::DrawingShape& shape) {
    model::Rect r;
    r.widthPt = std::clamp(finiteOr(shape.widthPt, 0.0), 0.0, 1e5);
    r.heightPt = std::clamp(finiteOr(shape.heightPt, 0.0), 0.0, 1e5);
    // Lines have no height or no width; readers draw the hairline.
    if (r.widthPt < kHairline && r.heightPt < kHairline) r.widthPt = r.heightPt = kHairline;
    return r;
}

model::Rect floatingRect(const model::FloatingAnchor& anchor, double widthPt, double heightPt, double paragraphTop,
                         double pageWidth, double pageHeight) {
    model::Rect r{0, 0, std::max(0.0, finiteOr(widthPt, 0.0)), std::max(0.0, finiteOr(heightPt, 0.0))};
    const double scale = std::min({1.0, r.widthPt > 0 ? pageWidth / r.widthPt : 1.0,
                                   r.heightPt > 0 ? pageHeight / r.heightPt : 1.0});
    r.widthPt *= scale;
    r.heightPt *= scale;
    const double x = finiteOr(anchor.xPt, 0.0);
    const double y = finiteOr(anchor.yPt, 0.0) + (anchor.yFromParagraph ? finiteOr(paragraphTop, 0.0) : 0.0);
    r.xPt = std::clamp(x, 0.0, std::max(0.0, pageWidth - r.widthPt));
    r.yPt = std::clamp(y, 0.0, std::max(0.0, pageHeight - r.heightPt));
    return r;
}

std::vector<model::Shape> pageBorderShapes(const model::PageBorders& b, const model::PageGeometry& g,
                                           const SectionFrames& frames, int pageInSection) {
    std::vector<model::Shape> out;
    if (!b.any()) return out;
    if (b.pages == model::PageBorders::Pages::First && pageInSection != 0) return out;
    if (b.pages == model::PageBorders::Pages::AllButFirst && pageInSection == 0) return out;
    const double w = frames.pageWidth, h = frames.pageHeight;
    auto space = [](const model::Border& side) { return std::clamp(finiteOr(side.spacePt, 0.0), 0.0, 144.0); };
    // Each side's line runs at its distance from the page edge or outside the text area.
    double left, top, right, bottom;
    if (b.fromText) {
        left = std::max(0.0, finiteOr(g.marginLeftPt, 72.0) - space(b.left));
        top = std::max(0.0, finiteOr(g.marginTopPt, 72.0) - space(b.top));
        right = std::min(w, w - finiteOr(g.marginRightPt, 72.0) + space(b.right));
        bottom = std::min(h, h - finiteOr(g.marginBottomPt, 72.0) + space(b.bottom));
    } else {
        left = space(b.left);
        top = space(b.top);
        right = w - space(b.right);
        bottom = h - space(b.bottom);
    }
    if (right - left < 1.0 || bottom - top < 1.0) return out;
    const bool same = b.top == b.left && b.top == b.bottom && b.top == b.right && b.top.visible();
    if (same) {
        // One framed rectangle, as a page border is drawn.
        model::Shape s = borderLine(left, top, right, bottom, b.top);
        auto& d = std::get<model::DrawingFrame>(s.content);
        d.geometry.preset = model::PresetShape::Rectangle;
        out.push_back(std::move(s));
        return out;
    }
    if (b.top.visible()) out.push_back(borderLine(left, top, right, top, b.top));
    if (b.bottom.visible()) out.push_back(borderLine(left, bottom, right, bottom, b.bottom));
    if (b.left.visible()) out.push_back(borderLine(left, top, left, bottom, b.left));
    if (b.right.visible()) out.push_back(borderLine(right, top, right, bottom, b.right));
    return out;
}

namespace {

// Walks the blocks of a header, footer or shape in reading order.
class ContentWalker {
public:
    explicit ContentWalker(HeaderFooterContent& c) : c_(c) {}

    void walk(std::span<const model::Block> blocks, int depth) {
        if (depth > 16) return;
        for (const auto& block : blocks) {
            const auto* pic = std::get_if<model::Picture>(&block);
            const auto* shape = std::get_if<model::DrawingShape>(&block);
            if (pic || shape) {
                drawing(block, pic, shape);
            } else if (const auto* p = std::get_if<model::Paragraph>(&block)) {
                paragraph(*p);
            } else if (const auto* t = std::get_if<model::Table>(&block)) {
                // A row is a line of text (TableText) below the drawings of its
                // cells, which stand side by side as the cells do.
                const std::vector<model::Paragraph> lines = tableAsLines(*t);
                for (std::size_t r = 0; r < t->rows.size(); ++r) {
                    for (const auto& cell : t->rows[r].cells) drawingsOf(cell.blocks, depth + 1);
                    if (r < lines.size()) paragraph(lines[r]);
                }
            }
        }
    }

    void finish() {
        if (room() <= 0.0) return;
        // Drawings after the last paragraph: a paragraph of their height.
        model::Paragraph spacer;
        spacer.props.lineSpacing = {model::LineSpacing::Rule::Exact, 0.5};
        paragraph(spacer);
    }

private:
    double room() const { return rows_ + rowHeight_; }

    // The pictures and shapes among the blocks of a table's cell, nested tables' too.
    void drawingsOf(const std::vector<model::Block>& blocks, int depth) {
        if (depth > 16) return;
        for (const auto& block : blocks) {
            const auto* pic = std::get_if<model::Picture>(&block);
            const auto* shape = std::get_if<model::DrawingShape>(&block);
            if (pic || shape) {
                drawing(block, pic, shape);
            } else if (const auto* t = std::get_if<model::Table>(&block)) {
                for (const auto& row : t->rows)
                    for (const auto& cell : row.cells) drawingsOf(cell.blocks, depth + 1);
            }
        }
    }

    void drawing(const model::Block& block, const model::Picture* pic, const model::DrawingShape* shape) {
        HeaderFooterContent::Item item;
        item.block = &block;
        item.inlineItem = pic ? !pic->anchor : !shape->anchor;
        item.alignment = pic ? pic->alignment : model::Alignment::Left;
        c_.hasDrawings = true;
        if (item.inlineItem) {
            const double h = pic ? pictureSize(*pic).heightPt : shapeSize(*shape).heightPt;
            item.startsRow = !inRow_;
            if (item.startsRow) {
                rows_ += rowHeight_;
                rowHeight_ = 0.0;
            }
            rowHeight_ = std::max(rowHeight_, h);
            inRow_ = true;
            waiting_.push_back(c_.items.size());
        }
        c_.items.push_back(item);
    }

    // A paragraph closes the row of drawings before it and keeps their room.
    void paragraph(model::Paragraph p) {
        if (room() > 0.0) {
            p.props.spaceBeforePt = spacing(p.props.spaceBeforePt) + room();
            for (std::size_t i : waiting_) c_.items[i].paragraph = c_.paragraphs.size();
        }
        rows_ = rowHeight_ = 0.0;
        inRow_ = false;
        waiting_.clear();
        c_.paragraphs.push_back(std::move(p));
    }

    HeaderFooterContent& c_;
    double rows_ = 0.0, rowHeight_ = 0.0;   // room of the finished rows and of the open one
    bool inRow_ = false;
    std::vector<std::size_t> waiting_;      // inline items waiting for the paragraph that keeps their room
};

} // namespace

HeaderFooterContent headerFooterContent(std::span<const model::Block> blocks) {
    HeaderFooterContent c;
    ContentWalker walker(c);
    walker.walk(blocks, 0);
    walker.finish();
    return c;
}

std::vector<model::Shape> HeaderFooterContent::paragraphBoxes(const model::Rect& frame) const {
    ParagraphDecor decor;
    double y = frame.yPt;
    for (const auto& p : paragraphs) {
        const double top = y + spacing(p.props.spaceBeforePt);
        const double bottom = top + linesHeight(measureParagraph(p, frame.widthPt));
        decor.paragraph(p.props, frame.xPt, frame.xPt + frame.widthPt, top);
        decor.extend(bottom);
        decor.paragraphEnd();
        y = bottom + spacing(p.props.spaceAfterPt);
    }
    decor.interrupt();
    return decor.take();
}

std::vector<PlacedDrawing> HeaderFooterContent::place(const model::Rect& frame, double pageWidth,
                                                      double pageHeight) const {
    std::vector<PlacedDrawing> out;
    // The top of every paragraph in the frame, for the inline drawings.
    std::vector<double> tops;
    double y = frame.yPt;
    for (const auto& p : paragraphs) {
        tops.push_back(y);
        y += stackedHeight(p, frame.widthPt);
    }
    std::vector<double> used(paragraphs.size(), 0.0);
    // The open row of inline items: where it starts and how far it reaches.
    double rowTop = 0.0, rowX = 0.0, rowHeight = 0.0;
    std::vector<std::size_t> row;
    auto alignRow = [&](model::Alignment alignment) {
        // The row, placed left to right, moves as its first item's paragraph is aligned.
        const double roomLeft = std::max(0.0, frame.xPt + frame.widthPt - rowX);
        const double shift = alignment == model::Alignment::Center ? roomLeft / 2
                           : alignment == model::Alignment::Right  ? roomLeft
                                                                   : 0.0;
        for (std::size_t k : row) out[k].shape.rect.xPt += shift;
    };
    model::Alignment rowAlignment = model::Alignment::Left;
    for (const Item& item : items) {
        const auto* pic = std::get_if<model::Picture>(item.block);
        const auto* shape = std::get_if<model::DrawingShape>(item.block);
        model::Rect r = pic ? pictureSize(*pic) : shapeSize(*shape);
        PlacedDrawing placed;
        if (item.inlineItem) {
            if (item.paragraph >= tops.size()) continue;
            const double scale = r.widthPt > frame.widthPt && r.widthPt > 0 ? frame.widthPt / r.widthPt : 1.0;
            r.widthPt *= scale;
            r.heightPt *= scale;
            if (item.startsRow || rowX + r.widthPt > frame.xPt + frame.widthPt + 0.01) {
                alignRow(rowAlignment);
                used[item.paragraph] += rowHeight;
                rowTop = tops[item.paragraph] + used[item.paragraph];
                rowX = frame.xPt;
                rowHeight = 0.0;
                row.clear();
                rowAlignment = item.alignment;
            }
            row.push_back(out.size());
            r.xPt = rowX;
            r.yPt = rowTop;
            rowX += r.widthPt;
            rowHeight = std::max(rowHeight, r.heightPt);
        } else {
            const model::FloatingAnchor& a = pic ? *pic->anchor : *shape->anchor;
            r = floatingRect(a, r.widthPt, r.heightPt, frame.yPt, pageWidth, pageHeight);
            // A header's drawings stand behind the body's text, as in Word.
            placed.zOrder = a.zOrder;
            placed.anchor = a;
        }
        if (pic) {
            placed.shape = {r, model::PictureFrame{pic->format, pic->data, pic->description}};
        } else {
            model::DrawingFrame d = drawingFrame(*shape);
            placed.shape = {r, std::move(d)};
        }
        out.push_back(std::move(placed));
    }
    alignRow(rowAlignment);
    return out;
}

} // namespace fq::layout
