// What both Word readers do to a table once its rows are read: vertical
// merges become row spans, and the shading patterns Word knows become one
// background colour.
#pragma once

#include "publishing/model/Document.h"

#include <optional>

namespace fq::word {

// Settles the vertical merges of a table whose cells carry Restart and
// Continue marks as the document gave them. A Continue cell joins the
// Restart (or Continue) cell that starts in the same grid column in the
// row above; the Restart cell gets the row span, and whatever a Continue
// cell holds beyond empty paragraphs moves to the end of the Restart cell
// so that no text is lost. A Continue cell with nothing to join, and a
// Restart cell that nothing joins, become ordinary cells.
void settleVerticalMerges(model::Table& table);

// True when the blocks hold more than empty paragraphs.
bool holdsContent(const std::vector<model::Block>& blocks);

// The colour a shading pattern shows: `percent` of the pattern colour over
// the background (0 clear, 100 solid). An automatic pattern colour is black,
// an automatic background white; clear over an automatic background is no
// shading at all.
std::optional<model::Color> shadingColor(std::optional<model::Color> pattern, std::optional<model::Color> background,
                                         double percent);

} // namespace fq::word
