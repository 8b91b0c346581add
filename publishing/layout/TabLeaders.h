// Tab stops as every reader of a publication sets them. The publication's
// stops are left stops without leader; a paragraph whose tabs go to centred,
// right or decimal stops, or fill the room with a leader (a table of
// contents), is written so that it looks as Word sets it: such a tab goes
// to a left stop where the layout put the text after it, and a leader
// becomes its characters.
#pragma once

#include "publishing/layout/ParagraphMeasure.h"
#include "publishing/model/Document.h"

#include <optional>

namespace fq::layout {

// The paragraph as written, or nullopt when its tabs need nothing of this.
std::optional<model::Paragraph> withResolvedTabs(const model::Paragraph& paragraph, const MeasuredParagraph& measured);

} // namespace fq::layout
