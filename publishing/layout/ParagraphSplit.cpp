// Splitting runs at UTF-16 offsets that the text layout reported.
#include "publishing/layout/ParagraphSplit.h"

#include <algorithm>

namespace fq::layout {

model::Paragraph paragraphPart(const model::Paragraph& paragraph, const MeasuredParagraph& measured,
                               int from, int to) {
    model::Paragraph part;
    part.props = paragraph.props;
    if (from > 0) {
        part.props.firstLineIndentPt = 0.0;
        part.props.spaceBeforePt = 0.0;
    }
    const int total = measured.text.size();
    for (std::size_t i = 0; i < paragraph.runs.size(); ++i) {
        const auto& run = paragraph.runs[i];
        const int runStart = measured.runStarts[i];
        const int runEnd = i + 1 < paragraph.runs.size() ? measured.runStarts[i + 1] : total;
        if (runStart == runEnd) {
            // Empty runs go with the part that holds their position.
            if ((runStart >= from && runStart < to) || (runStart == total && to == total && from <= total))
                part.runs.push_back(run);
            continue;
        }
        const int a = std::max(runStart, from);
        const int b = std::min(runEnd, to);
        if (a >= b) continue;
        if (a == runStart && b == runEnd) {
            part.runs.push_back(run);
            continue;
        }
        const QString text = QString::fromUtf8(run.text.data(), static_cast<qsizetype>(run.text.size()));
        model::Run piece;
        piece.props = run.props;
        piece.link = run.link;
        piece.text = text.mid(a - runStart, b - a).toStdString();
        part.runs.push_back(std::move(piece));
    }
    if (part.runs.empty() && !paragraph.runs.empty()) {
        model::Run empty;
        empty.props = paragraph.runs.front().props;
        part.runs.push_back(std::move(empty));
    }
    return part;
}

} // namespace fq::layout
