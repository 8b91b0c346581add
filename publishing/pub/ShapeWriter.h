// The records of drawn shapes as Publisher writes them: in Escher, an
// SpContainer with the shape type (the preset's number, 0 for a custom
// outline with its vertices and segments), flips in the FSP flags, the
// fill, line, arrowheads, rotation and adjustments in the FOPT, then the
// anchor and the link to Contents; in Contents, the shape's chunk (a plain
// shape, or Publisher's other shape chunk for lines). Text boxes with a
// look of their own (fill, border, inner margins, vertical alignment) and
// the text boxes laid over outlines that hold text are written here too.
#pragma once

#include "publishing/pub/ByteBuffer.h"
#include "publishing/pub/PubPlan.h"

#include <cstdint>

namespace fq::pub {

// True for the planned shapes written by writeDrawingShape.
bool isDrawnShape(const PlannedShape& shape);

// Appends the shape's SpContainer to the Escher stream.
void writeDrawingShape(ByteBuffer& out, const PlannedShape& shape);

// The Contents chunk type of a planned shape (lines have their own).
std::uint16_t shapeChunkType(const PlannedShape& shape);

// The value of the shape chunk's block 04 (flags that carry the shape's
// text wrap as genuine files write it: text boxes, pictures, tables and
// wrapped shapes 3, shapes the text does not avoid 0).
std::uint16_t shapeChunkFlags(const PlannedShape& shape);

// The shape chunk's vertical text alignment block (0x35): 0 top, 1 middle,
// 2 bottom; -1 when the chunk carries none.
int shapeChunkVerticalAlignment(const PlannedShape& shape);

} // namespace fq::pub
