// Preparing, measuring and cutting paragraphs for the flow.
#include "publishing/layout/FlowText.h"

#include "publishing/layout/FontResolver.h"
#include "publishing/layout/ParagraphSplit.h"
#include "publishing/layout/TabLeaders.h"

#include <QTextLayout>
#include <QTextOption>

#include <algorithm>
#include <cmath>

namespace fq::layout {

namespace {

bool needsIndentStop(const model::ParaProps& props) {
    if (!(props.firstLineIndentPt < 0.0)) return false;
    for (double t : props.tabStopsPt)
        if (t == 0.0) return false;
    return true;
}

constexpr char16_t kNoBreakSpace = 0x00A0;

// The width of one no-break space as the layout measures it.
double spaceAdvance(const model::CharProps& props) {
    QTextLayout layout(QString(QChar(kNoBreakSpace)), FontResolver::instance().font(props));
    QTextOption option;
    option.setUseDesignMetrics(true);
    layout.setTextOption(option);
    layout.setCacheEnabled(false);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(1000.0 * FontResolver::kUnitsPerPoint);
    layout.endLayout();
    return line.cursorToX(1) / FontResolver::kUnitsPerPoint;
}

// The text an inline picture leaves room with: no-break spaces (no line
// breaks between them, not widened in justified lines) no larger than the
// text's, so many that together they are as wide as the picture, the last
// one of the size that makes up the rest. Whole point sizes: those are set
// as wide as the layout measures them. Readers of the publication leave the
// same room, and the spaces neither raise nor lower the line's baseline.
// The picture's run holds the first of them; a run after it the last.
void makeRoom(const model::Run& run, double lineWidthPt, std::vector<model::Run>& out) {
    model::Run room = run;
    const auto& picture = run.picture;
    double width = std::isfinite(picture->widthPt) ? std::max(0.0, picture->widthPt) : 0.0;
    if (width > lineWidthPt && lineWidthPt > 0.0 && std::isfinite(picture->heightPt)) {
        // Shown at most as wide as the line, as the picture of a paragraph of its own.
        auto scaled = std::make_shared<model::Picture>(*picture);
        scaled->heightPt *= lineWidthPt / width;
        scaled->widthPt = width = lineWidthPt;
        room.picture = std::move(scaled);
    }
    model::CharProps& props = room.props;
    props.underline = model::Underline::None;
    props.strike = false;
    props.highlight.reset();
    props.vertical = model::VerticalPosition::Baseline;
    props.sizePt = std::max(1.0, std::floor(FontResolver::effectiveSizePt(props)));
    room.text.clear();
    const double advance = spaceAdvance(props);
    if (!(advance > 0.0)) {
        out.push_back(std::move(room));
        return;
    }
    const int count = static_cast<int>(std::clamp(std::floor(width / advance), 0.0, 2000.0));
    for (int i = 0; i < count; ++i) room.text += "\xC2\xA0";
    model::Run rest = room;
    rest.picture.reset();
    rest.props.sizePt = std::clamp(std::round((width - count * advance) / advance * props.sizePt), 0.0, props.sizePt);
    if (rest.props.sizePt >= 1.0) {
        rest.text = "\xC2\xA0";
        if (count == 0) {
            rest.picture = std::move(room.picture);
            room = std::move(rest);
        } else {
            out.push_back(std::move(room));
            room = std::move(rest);
        }
    }
    out.push_back(std::move(room));
}

} // namespace

double FlowParagraph::height(std::size_t first, std::size_t end) const {
    double h = 0.0;
    for (std::size_t i = first; i < end && i < measured->lines.size(); ++i) h += measured->lines[i].heightPt;
    return h;
}

model::Paragraph prepared(const model::Paragraph& paragraph, double widthPt) {
    model::Paragraph p = paragraph;
    const double line = widthPt - std::max(0.0, p.props.leftIndentPt) - std::max(0.0, p.props.rightIndentPt);
    if (std::any_of(p.runs.begin(), p.runs.end(), [](const model::Run& r) { return r.picture != nullptr; })) {
        std::vector<model::Run> runs;
        for (const model::Run& run : p.runs) {
            if (run.picture) makeRoom(run, line - std::max(0.0, p.props.firstLineIndentPt), runs);
            else runs.push_back(run);
        }
        p.runs = std::move(runs);
    }
    if (p.runs.empty()) p.runs.push_back(model::Run{std::string(), markProps(paragraph)});
    if (needsIndentStop(p.props)) {
        p.props.tabStopsPt.insert(p.props.tabStopsPt.begin(), 0.0);
        if (!p.props.tabs.empty()) p.props.tabs.insert(p.props.tabs.begin(), model::TabStop{});
    }
    return p;
}

FlowParagraph flowParagraph(const model::Paragraph& paragraph, double width, double gridPitchPt) {
    FlowParagraph f;
    auto p = std::make_shared<model::Paragraph>(prepared(paragraph, width));
    auto m = std::make_shared<MeasuredParagraph>(measureParagraph(*p, width, gridPitchPt));
    if (auto resolved = withResolvedTabs(*p, *m)) {
        // Measured again as written, so that the lines hold what the frame will.
        *p = std::move(*resolved);
        *m = measureParagraph(*p, width, gridPitchPt);
    }
    f.measured = std::move(m);
    f.paragraph = std::move(p);
    return f;
}

FlowParagraph restOf(const FlowParagraph& flow, std::size_t line, double width, double gridPitchPt) {
    const MeasuredParagraph& m = *flow.measured;
    const int from = line < m.lines.size() ? m.lines[line].start : m.text.size();
    FlowParagraph f;
    auto p = std::make_shared<model::Paragraph>(from == 0 ? *flow.paragraph
                                                          : paragraphPart(*flow.paragraph, m, from, m.text.size()));
    f.measured = std::make_shared<MeasuredParagraph>(measureParagraph(*p, width, gridPitchPt));
    f.paragraph = std::move(p);
    return f;
}

FrameParagraph framePart(const FlowParagraph& flow, std::size_t first, std::size_t end, double before, double after) {
    const MeasuredParagraph& m = *flow.measured;
    end = std::min(end, m.lines.size());
    FrameParagraph fp;
    const int from = first < m.lines.size() ? m.lines[first].start : m.text.size();
    const int to = end < m.lines.size() ? m.lines[end].start : m.text.size();
    fp.paragraph = from == 0 && to == m.text.size() ? *flow.paragraph : paragraphPart(*flow.paragraph, m, from, to);
    fp.paragraph.props.spaceBeforePt = before;
    fp.paragraph.props.spaceAfterPt = after;
    for (std::size_t k = first; k < end; ++k) {
        fp.lineHeightsPt.push_back(m.lines[k].heightPt);
        fp.textDropsPt.push_back(m.lines[k].textDropPt);
    }
    return fp;
}

double spacing(double v, double limit) {
    return std::isfinite(v) ? std::clamp(v, 0.0, std::max(0.0, limit)) : 0.0;
}

} // namespace fq::layout
