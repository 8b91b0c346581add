// A table as lines of text, for frames that hold only text (a drawn
// shape's text, a table inside a table cell): one paragraph per row, the
// cells apart by a tab with a tab stop where each cell begins, a cell's
// paragraphs apart by line breaks. Pictures and drawn shapes (with their
// text) are left to the caller, which places them (see HeaderFooterContent
// and CellContent).
#pragma once

#include "publishing/model/Document.h"

#include <vector>

namespace fq::layout {

std::vector<model::Paragraph> tableAsLines(const model::Table& table);

} // namespace fq::layout
