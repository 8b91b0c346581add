// Exact line heights, and the spacing that keeps every paragraph's text in
// its place.
#include "publishing/layout/FrameLines.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace fq::layout {

namespace {

// The height most lines of the paragraph after the first have (the
// second line's on a tie): the first line is put in place by the space
// before the paragraph whatever its height.
double usualHeight(const std::vector<double>& heights) {
    if (heights.size() == 1) return heights.front();
    std::map<long long, int> counts;
    for (std::size_t i = 1; i < heights.size(); ++i) ++counts[std::llround(heights[i] * 100.0)];
    double best = heights[1];
    int bestCount = counts[std::llround(best * 100.0)];
    for (std::size_t i = 1; i < heights.size(); ++i) {
        const double h = heights[i];
        const int n = counts[std::llround(h * 100.0)];
        if (n > bestCount) {
            best = h;
            bestCount = n;
        }
    }
    return best;
}

} // namespace

WrittenFrame writeFrameLines(const std::vector<FrameParagraph>& paragraphs) {
    WrittenFrame out;
    out.paragraphs.reserve(paragraphs.size());
    // How far below Word's the text that follows would stand when nothing
    // were done about it (negative: above).
    double late = 0.0;
    for (const FrameParagraph& fp : paragraphs) {
        model::Paragraph p = fp.paragraph;
        const auto& heights = fp.lineHeightsPt;
        if (heights.empty()) {
            out.paragraphs.push_back(std::move(p));
            continue;
        }
        const double exact = usualHeight(heights);
        const double drop = fp.textDropsPt.empty() ? 0.0 : fp.textDropsPt.front();
        double total = 0.0;
        for (double h : heights) total += h;
        // Written with lines of the exact height, the first line's text
        // stands at its foot; in Word it stands drop above the foot of a
        // line of heights.front(). Moving the paragraph's start down by
        // start puts the two together.
        const double start = heights.front() - drop - exact;
        double before = p.props.spaceBeforePt + start - late;
        if (out.paragraphs.empty()) {
            // Readers of the publication do not all give the first
            // paragraph of a frame its space before: the frame's top moves
            // instead.
            out.raisePt = -before;
            before = 0.0;
        } else if (before < 0.0) {
            // Taken from the space after the paragraph before, as far as it has any.
            model::ParaProps& prev = out.paragraphs.back().props;
            const double take = std::min(prev.spaceAfterPt, -before);
            prev.spaceAfterPt -= take;
            before += take;
        }
        late = before < 0.0 ? -before : 0.0;   // what could not be taken back
        p.props.spaceBeforePt = std::max(0.0, before);
        p.props.lineSpacing = {model::LineSpacing::Rule::Exact, exact};
        // Where the written paragraph ends against Word's end.
        late += start + exact * static_cast<double>(heights.size()) - total;
        out.paragraphs.push_back(std::move(p));
    }
    return out;
}

} // namespace fq::layout
