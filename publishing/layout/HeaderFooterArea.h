// The shapes a header or footer puts on each page: its paragraphs in text
// frames of the header's (footer's) role, with its tables between them as
// table pieces of their own (a text frame cannot hold a table, a page can),
// stacked from the area's top. A table in a header is never broken: the
// header grows with it. The text of drawn shapes flows with the
// paragraphs; pictures are left out.
#pragma once

#include "publishing/model/Publication.h"

#include <vector>

namespace fq::layout {

struct HeaderFooterArea {
    std::vector<model::Shape> shapes;       // y measured from the area's top
    double heightPt = 0.0;
};

HeaderFooterArea layOutHeaderFooter(const std::vector<model::Block>& blocks, model::FrameRole role, double leftPt,
                                    double widthPt, double pageWidthPt);

} // namespace fq::layout
