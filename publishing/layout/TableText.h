// A table as lines of text, for a table inside a table cell (a cell of
// the publication holds text only): one paragraph per row, the cells apart
// by a tab with a tab stop where each cell begins, a cell's paragraphs
// apart by line breaks.
#pragma once

#include "publishing/model/Document.h"

#include <vector>

namespace fq::layout {

std::vector<model::Paragraph> tableAsLines(const model::Table& table);

} // namespace fq::layout
