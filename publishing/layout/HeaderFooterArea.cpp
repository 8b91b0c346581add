// Headers and footers with tables.
#include "publishing/layout/HeaderFooterArea.h"

#include "publishing/layout/ParagraphMeasure.h"
#include "publishing/layout/TableLayout.h"

#include <algorithm>
#include <cmath>

namespace fq::layout {

namespace {

// Far more room than a header takes: its tables are never broken.
constexpr double kRoomPt = 100000.0;

double spacing(double v) { return std::isfinite(v) ? std::clamp(v, 0.0, 1000.0) : 0.0; }

// As the body's frames write paragraphs: the mark's properties in a run of
// its own when there is no other, the tab stop a hanging first line jumps to.
model::Paragraph asWritten(const model::Paragraph& given) {
    model::Paragraph p = given;
    if (p.runs.empty()) p.runs.push_back(model::Run{std::string(), markProps(given)});
    if (p.props.firstLineIndentPt < 0.0 &&
        std::none_of(p.props.tabStopsPt.begin(), p.props.tabStopsPt.end(), [](double t) { return t == 0.0; }))
        p.props.tabStopsPt.insert(p.props.tabStopsPt.begin(), 0.0);
    return p;
}

class Stacker {
public:
    Stacker(model::FrameRole role, double left, double width, double pageWidth)
        : role_(role), left_(left), width_(width), pageWidth_(pageWidth) {}

    void add(const std::vector<model::Block>& blocks) {
        for (const auto& block : blocks) {
            if (const auto* p = std::get_if<model::Paragraph>(&block)) {
                const model::Paragraph paragraph = asWritten(*p);
                paragraphsHeight_ += spacing(paragraph.props.spaceBeforePt) +
                                     linesHeight(measureParagraph(paragraph, width_)) +
                                     spacing(paragraph.props.spaceAfterPt);
                paragraphs_.push_back(paragraph);
            } else if (const auto* t = std::get_if<model::Table>(&block)) {
                table(*t);
            } else if (const auto* d = std::get_if<model::DrawingShape>(&block)) {
                add(d->text);
            }
        }
    }

    HeaderFooterArea finish() {
        closeFrame();
        area_.heightPt = y_;
        return std::move(area_);
    }

private:
    void closeFrame() {
        if (paragraphs_.empty()) return;
        model::TextFrame frame;
        frame.paragraphs = std::move(paragraphs_);
        frame.role = role_;
        area_.shapes.push_back({{left_, y_, width_, paragraphsHeight_}, std::move(frame)});
        y_ += paragraphsHeight_;
        paragraphs_.clear();
        paragraphsHeight_ = 0.0;
    }

    void table(const model::Table& table) {
        closeFrame();
        struct Flow final : TableFlow {
            Stacker& s;
            explicit Flow(Stacker& stacker) : s(stacker) {}
            model::Rect body() const override { return {s.left_, 0.0, s.width_, kRoomPt}; }
            double pageWidth() const override { return s.pageWidth_; }
            double cursor() const override { return s.y_; }
            bool atPageTop() const override { return s.y_ <= 0.0; }
            void newPage() override {}
            void place(model::Shape shape) override { s.area_.shapes.push_back(std::move(shape)); }
            void placeAnchored(const model::Picture&) override {}
            void end(double bottom) override { s.y_ = std::max(s.y_, bottom); }
        } flow(*this);
        layOutTable(table, flow);
    }

    model::FrameRole role_;
    double left_, width_, pageWidth_;
    HeaderFooterArea area_;
    double y_ = 0.0;
    std::vector<model::Paragraph> paragraphs_;
    double paragraphsHeight_ = 0.0;
};

} // namespace

HeaderFooterArea layOutHeaderFooter(const std::vector<model::Block>& blocks, model::FrameRole role, double leftPt,
                                    double widthPt, double pageWidthPt) {
    Stacker stacker(role, leftPt, widthPt, pageWidthPt);
    stacker.add(blocks);
    return stacker.finish();
}

} // namespace fq::layout
