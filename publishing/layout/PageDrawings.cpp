// The page builder's drawings: drawn shapes in the flow and floating, the
// z-order of floating objects around the text, page borders, the drawings
// of headers and footers, and the boxes of bordered and shaded paragraphs.
#include "publishing/layout/PageBuilder.h"
#include "publishing/model/Budget.h"

#include <algorithm>
#include <cmath>

namespace fq::layout {

namespace {

constexpr double kEpsilon = 0.01;

// Pictures and shapes held by a shape's text stand inside it, in the room
// their paragraphs leave, within its inner margins.
void placeInside(const model::DrawingShape& shape, const model::Rect& rect, double pageWidth, double pageHeight,
                 std::vector<model::Shape>& out) {
    const HeaderFooterContent content = headerFooterContent(shape.text);
    if (!content.hasDrawings) return;
    const double left = std::max(0.0, shape.insets.leftPt), right = std::max(0.0, shape.insets.rightPt);
    const double top = std::max(0.0, shape.insets.topPt);
    const model::Rect inner{rect.xPt + left, rect.yPt + top, std::max(1.0, rect.widthPt - left - right),
                            std::max(1.0, rect.heightPt - top)};
    for (auto& placed : content.place(inner, pageWidth, pageHeight)) out.push_back(std::move(placed.shape));
}

} // namespace

double PageBuilder::anchoringTop(const model::Paragraph* anchoring) const {
    if (!anchoring) return paragraphTop_;
    const bool atTop = atColumnTop();
    const double before = std::isfinite(anchoring->props.spaceBeforePt) ? std::max(0.0, anchoring->props.spaceBeforePt) : 0.0;
    return cursor_ + (atTop && topByOverflow_ ? 0.0 : std::min(before, frames_.body.heightPt));
}

void PageBuilder::addShape(const model::DrawingShape& shape, const model::Paragraph* anchoring) {
    if (!pageOpen_) newPage(false);
    model::Rect r = shapeSize(shape);
    std::vector<model::Shape> shapes;
    if (shape.anchor) {
        r = floatingRect(*shape.anchor, r.widthPt, r.heightPt, anchoringTop(anchoring), frames_.pageWidth,
                         frames_.pageHeight);
        shapes.push_back({r, drawingFrame(shape)});
        placeInside(shape, r, frames_.pageWidth, frames_.pageHeight, shapes);
        for (auto& s : shapes) placeFloating(std::move(s), *shape.anchor);
        return;
    }
    // In the flow: the shape takes its height below the text before it, in
    // the current column.
    row_.clear();
    decor_.interrupt();
    const model::Rect area = columnArea();
    const double scale = std::min({1.0, area.widthPt / std::max(r.widthPt, kEpsilon),
                                   frames_.body.heightPt / std::max(r.heightPt, kEpsilon)});
    r.widthPt *= scale;
    r.heightPt *= scale;
    if (cursor_ + r.heightPt > columnBottom() + kEpsilon && bodyUsed_) nextColumn();
    closeFrame(cursor_);
    bandBalanceable_ = false;
    const model::Rect body = columnArea();
    r.xPt = body.xPt;
    r.yPt = cursor_;
    shapes.push_back({r, drawingFrame(shape)});
    placeInside(shape, r, frames_.pageWidth, frames_.pageHeight, shapes);
    for (auto& s : shapes) page().shapes.push_back(std::move(s));
    cursor_ += r.heightPt;
    frameTop_ = cursor_;
    bandReach_ = std::max(bandReach_, cursor_);
    bodyUsed_ = true;
}

void PageBuilder::placeFloating(model::Shape shape, const model::FloatingAnchor& anchor) {
    wrap_.add(shape.rect, anchor);
    if (auto* d = std::get_if<model::DrawingFrame>(&shape.content)) d->wrap = anchor.wrap;
    if (anchor.wrap == model::TextWrap::None && !anchor.behindText) {
        front_.emplace_back(anchor.zOrder, std::move(shape));
        return;
    }
    // Behind the text (and what the text wraps around), in z-order among
    // the page's other floating objects behind it.
    auto& shapes = page().shapes;
    // Objects behind the text stand behind those the text wraps around, as in Word.
    const std::pair<int, int> key{anchor.behindText ? 0 : 1, anchor.zOrder};
    const auto before = std::upper_bound(backOrder_.begin(), backOrder_.end(), key);
    const std::size_t at = floatsStart_ + static_cast<std::size_t>(before - backOrder_.begin());
    backOrder_.insert(before, key);
    shapes.insert(shapes.begin() + static_cast<std::ptrdiff_t>(std::min(at, shapes.size())), std::move(shape));
    if (at <= bandShapes_) ++bandShapes_;
    ++backShapes_;
    for (std::size_t& index : row_) ++index;
}

void PageBuilder::beginPageDrawings(const Variant& v) {
    ++pageInSection_;
    wrap_.clear();
    front_.clear();
    backOrder_.clear();
    floatsStart_ = backShapes_;
    paragraphTop_ = frames_.body.yPt;
    decor_.pageBegins(cursor_);
    if (!section_) return;
    auto& shapes = page().shapes;
    // Back to front: the page border, then the header's and footer's drawings.
    std::vector<model::Shape> back =
        pageBorderShapes(section_->pageBorders, section_->page, frames_, pageInSection_);
    std::vector<PlacedDrawing> placed;
    if (frames_.hasHeader)
        for (auto& d : v.header.drawings(frames_.header, frames_.pageWidth, frames_.pageHeight)) placed.push_back(std::move(d));
    if (frames_.hasFooter)
        for (auto& d : v.footer.drawings(frames_.footer, frames_.pageWidth, frames_.pageHeight)) placed.push_back(std::move(d));
    std::stable_sort(placed.begin(), placed.end(),
                     [](const PlacedDrawing& a, const PlacedDrawing& b) { return a.zOrder < b.zOrder; });
    for (auto& d : placed) {
        // The body's text makes room for a header's floating objects too.
        if (d.anchor) wrap_.add(d.shape.rect, *d.anchor);
        back.push_back(std::move(d.shape));
    }
    if (frames_.hasHeader)
        for (auto& box : v.header.paragraphBoxes(frames_.header)) back.push_back(std::move(box));
    if (frames_.hasFooter)
        for (auto& box : v.footer.paragraphBoxes(frames_.footer)) back.push_back(std::move(box));
    shapes.insert(shapes.begin(), std::make_move_iterator(back.begin()), std::make_move_iterator(back.end()));
    backShapes_ = back.size();
    floatsStart_ = backShapes_;
}

void PageBuilder::endPageDrawings() {
    model::checkBudget();
    decor_.pageEnds();
    auto& shapes = page().shapes;
    std::vector<model::Shape> boxes = decor_.take();
    const std::size_t at = std::min(backShapes_, shapes.size());
    shapes.insert(shapes.begin() + static_cast<std::ptrdiff_t>(at), std::make_move_iterator(boxes.begin()),
                  std::make_move_iterator(boxes.end()));
    backShapes_ = at + boxes.size();
    std::stable_sort(front_.begin(), front_.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (auto& [z, shape] : front_) shapes.push_back(std::move(shape));
    front_.clear();
}

} // namespace fq::layout
