// The Escher records of tables: the table's shape (type 201, linked to its
// story), the plain shapes behind it that show its cells' shading and grid
// lines, and the cells' own shapes in the drawing of Publisher's defaults.
#pragma once

#include "publishing/pub/EscherRecords.h"
#include "publishing/pub/PubPlan.h"

namespace fq::pub {

bool isTableShape(const PlannedShape& shape);
// A shape of kind Table, CellShading or GridLine.
void writeTableShape(RecordWriter& w, const PlannedShape& shape);

// The cells' own shapes: one rectangle per cell of every table whose cells
// carry shading or lines, named by the table's sequence number and the
// cell's index, with spids from firstSpid on.
std::uint32_t tableCellShapeCount(const PubPlan& plan);
void writeTableCellShapes(RecordWriter& w, const PubPlan& plan, std::uint32_t firstSpid);

} // namespace fq::pub
