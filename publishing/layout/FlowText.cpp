// Preparing, measuring and cutting paragraphs for the flow.
#include "publishing/layout/FlowText.h"

#include "publishing/layout/ParagraphSplit.h"
#include "publishing/layout/TabLeaders.h"

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

} // namespace

double FlowParagraph::height(std::size_t first, std::size_t end) const {
    double h = 0.0;
    for (std::size_t i = first; i < end && i < measured->lines.size(); ++i) h += measured->lines[i].heightPt;
    return h;
}

model::Paragraph prepared(const model::Paragraph& paragraph) {
    model::Paragraph p = paragraph;
    if (p.runs.empty()) p.runs.push_back(model::Run{std::string(), markProps(paragraph)});
    if (needsIndentStop(p.props)) {
        p.props.tabStopsPt.insert(p.props.tabStopsPt.begin(), 0.0);
        if (!p.props.tabs.empty()) p.props.tabs.insert(p.props.tabs.begin(), model::TabStop{});
    }
    return p;
}

FlowParagraph flowParagraph(const model::Paragraph& paragraph, double width, double gridPitchPt) {
    FlowParagraph f;
    auto p = std::make_shared<model::Paragraph>(prepared(paragraph));
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
