// A chart of the typed model as a block of the neutral model: a picture of
// the chart drawn from its cached values (columns, bars, lines, areas,
// pies, doughnuts, scatter plots), or, for a kind that is not drawn, a
// framed and labelled box of the chart's size.
#pragma once

#include "publishing/docx/DocxModel.h"
#include "publishing/docx/ShapeConverter.h"
#include "publishing/model/Document.h"

namespace fq::docx {

model::Block chartBlock(const ChartPart& chart, double widthPt, double heightPt, const ShapeConverter& colors,
                        const WordDocument& doc);

} // namespace fq::docx
