// Headers and footers: text frames and table pieces stacked in their area.
#include "publishing/layout/HeaderFooterArea.h"

#include "publishing/layout/FlowText.h"
#include "publishing/layout/TableLayout.h"

#include <algorithm>
#include <cmath>
#include <span>

namespace fq::layout {

namespace {

// Far more room than a header takes: its tables are never broken.
constexpr double kRoomPt = 100000.0;

class Stacker {
public:
    Stacker(model::FrameRole role, double left, double width, double pageWidth)
        : role_(role), left_(left), width_(width), pageWidth_(pageWidth) {}

    void add(const std::vector<model::Block>& blocks) {
        std::size_t from = 0;
        for (std::size_t i = 0; i < blocks.size(); ++i) {
            const auto* t = std::get_if<model::Table>(&blocks[i]);
            if (!t) continue;
            stretch(std::span<const model::Block>(blocks.data() + from, i - from));
            table(*t);
            from = i + 1;
        }
        stretch(std::span<const model::Block>(blocks.data() + from, blocks.size() - from));
    }

    HeaderFooterArea finish() {
        area_.heightPt = y_;
        return std::move(area_);
    }

private:
    // Paragraphs (and the drawings among them) in one frame, its lines
    // written with their measured heights.
    void stretch(std::span<const model::Block> blocks) {
        HeaderFooterArea::Stretch s;
        s.content = headerFooterContent(blocks);
        if (s.content.paragraphs.empty() && !s.content.hasDrawings) return;
        std::vector<FrameParagraph> stack;
        double h = 0.0;
        for (const auto& p : s.content.paragraphs) {
            const double before = spacing(p.props.spaceBeforePt, 1000.0), after = spacing(p.props.spaceAfterPt, 1000.0);
            const FlowParagraph flow = flowParagraph(p, width_);
            stack.push_back(framePart(flow, 0, flow.lineCount(), before, after));
            h += before + linesHeight(measureParagraph(p, width_)) + after;
        }
        WrittenFrame written = writeFrameLines(stack);
        const model::Rect rect{left_, y_ - written.raisePt, width_, std::max(1.0, h) + written.raisePt};
        area_.shapes.push_back({rect, model::TextFrame{std::move(written.paragraphs), role_}});
        s.yPt = y_;
        s.heightPt = h;
        area_.stretches.push_back(std::move(s));
        y_ += h;
    }

    void table(const model::Table& table) {
        struct Flow final : TableFlow {
            Stacker& s;
            explicit Flow(Stacker& stacker) : s(stacker) {}
            model::Rect body() const override { return {s.left_, 0.0, s.width_, kRoomPt}; }
            double pageWidth() const override { return s.pageWidth_; }
            double cursor() const override { return s.y_; }
            bool atPageTop() const override { return s.y_ <= 0.0; }
            void newPage() override {}
            void place(model::Shape shape) override { s.area_.shapes.push_back(std::move(shape)); }
            void placeAnchored(const model::Block& block, double topPt) override {
                s.area_.cellDrawings.push_back({block, topPt});
            }
            void end(double bottom) override { s.y_ = std::max(s.y_, bottom); }
        } flow(*this);
        layOutTable(table, flow);
    }

    model::FrameRole role_;
    double left_, width_, pageWidth_;
    HeaderFooterArea area_;
    double y_ = 0.0;
};

} // namespace

std::vector<model::Shape> HeaderFooterArea::placed(const model::Rect& area) const {
    std::vector<model::Shape> out;
    out.reserve(shapes.size());
    for (model::Shape shape : shapes) {
        shape.rect.yPt += area.yPt;
        // Text frames end where the area was cut to leave the body its room.
        if (std::holds_alternative<model::TextFrame>(shape.content))
            shape.rect.heightPt = std::max(1.0, std::min(shape.rect.heightPt, area.yPt + area.heightPt - shape.rect.yPt));
        out.push_back(std::move(shape));
    }
    return out;
}

std::vector<PlacedDrawing> HeaderFooterArea::drawings(const model::Rect& area, double pageWidth,
                                                      double pageHeight) const {
    std::vector<PlacedDrawing> out;
    auto add = [&](std::vector<PlacedDrawing> placed) {
        for (auto& d : placed) out.push_back(std::move(d));
    };
    for (const Stretch& s : stretches)
        add(s.content.place({area.xPt, area.yPt + s.yPt, area.widthPt, s.heightPt}, pageWidth, pageHeight));
    for (const CellDrawing& d : cellDrawings) {
        // Floating, measured from the top of its cell's content.
        HeaderFooterContent one;
        HeaderFooterContent::Item item;
        item.block = &d.block;
        item.inlineItem = false;
        one.items.push_back(item);
        add(one.place({area.xPt, area.yPt + d.topPt, area.widthPt, 0.0}, pageWidth, pageHeight));
    }
    return out;
}

std::vector<model::Shape> HeaderFooterArea::paragraphBoxes(const model::Rect& area) const {
    std::vector<model::Shape> out;
    for (const Stretch& s : stretches)
        for (auto& box : s.content.paragraphBoxes({area.xPt, area.yPt + s.yPt, area.widthPt, s.heightPt}))
            out.push_back(std::move(box));
    return out;
}

HeaderFooterArea layOutHeaderFooter(const std::vector<model::Block>& blocks, model::FrameRole role, double leftPt,
                                    double widthPt, double pageWidthPt) {
    Stacker stacker(role, leftPt, widthPt, pageWidthPt);
    stacker.add(blocks);
    return stacker.finish();
}

} // namespace fq::layout
