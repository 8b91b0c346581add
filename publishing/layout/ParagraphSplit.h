// Cuts a paragraph into the pieces that go into different frames when it
// is split at line boundaries.
#pragma once

#include "publishing/layout/ParagraphMeasure.h"
#include "publishing/model/Document.h"

namespace fq::layout {

// The part of the paragraph from UTF-16 offset from up to (not including)
// to, as a paragraph of its own. A part that does not start the paragraph
// has no first-line indent and no space before.
model::Paragraph paragraphPart(const model::Paragraph& paragraph, const MeasuredParagraph& measured,
                               int from, int to);

} // namespace fq::layout
