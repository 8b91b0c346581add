// Paragraphs as the flow places them: prepared for writing (a mark run for
// empty ones, the indent stop of hanging ones), measured once for the width
// of their column, and cut into the parts that go into different frames.
#pragma once

#include "publishing/layout/FrameLines.h"
#include "publishing/layout/ParagraphMeasure.h"
#include "publishing/model/Document.h"

#include <memory>
#include <vector>

namespace fq::layout {

struct FlowParagraph {
    std::shared_ptr<const model::Paragraph> paragraph;
    std::shared_ptr<const MeasuredParagraph> measured;
    std::size_t lineCount() const { return measured->lines.size(); }
    double height(std::size_t first, std::size_t end) const;
};

// A paragraph without runs gets an empty run with the properties it is
// measured with, so that whoever reads the frame sets its mark as it was
// measured; a hanging paragraph gets the tab stop at its left indent
// written out (the measuring jumps there by itself); an inline picture's
// run gets the text that leaves the picture's room in the line (pictures
// wider than the line of widthPt are shown at its width).
model::Paragraph prepared(const model::Paragraph& paragraph, double widthPt = 0.0);

FlowParagraph flowParagraph(const model::Paragraph& paragraph, double width, double gridPitchPt = 0.0);

// The paragraph from its line `line` on, measured again at the width (the
// rest of a paragraph that goes on beside or below a floating object).
FlowParagraph restOf(const FlowParagraph& flow, std::size_t line, double width, double gridPitchPt = 0.0);

// Lines first..end of the paragraph as a part for a frame, with the space
// before and after the layout gave it.
FrameParagraph framePart(const FlowParagraph& flow, std::size_t first, std::size_t end, double before, double after);

// Space before or after a paragraph: never negative, never more than limit.
double spacing(double v, double limit);

} // namespace fq::layout
