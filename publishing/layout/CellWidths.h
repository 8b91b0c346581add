// How wide the content of a table cell is, for Word's autofit: its longest
// word, picture or unbreakable stretch (the narrowest the cell can be), and
// its longest line when nothing breaks but its own line breaks.
#pragma once

#include "publishing/layout/TableWidths.h"
#include "publishing/model/Document.h"

#include <vector>

namespace fq::layout {

ContentWidths paragraphWidths(const model::Paragraph& paragraph);
// Paragraphs, inline pictures and shapes, nested tables (as their grid).
ContentWidths blocksWidths(const std::vector<model::Block>& blocks);

} // namespace fq::layout
