// What the notes at the foot of a page need besides their text: the
// separator line above them, and their marks as numbered.
#pragma once

#include "publishing/model/Publication.h"

#include <string>

namespace fq::layout {

// The separator: a short line in the middle of a line of note text's
// height, which the notes follow. Its drawing serves for other lines too.
struct NoteSeparator {
    model::DrawingFrame line;               // a straight line, drawn across its shape's rectangle
    double heightPt = 0.0;                  // the room it takes above the notes
    double lineOffsetPt = 0.0;              // where the line stands in it
    double lineWidthPt = 0.0;
    double lineHeightPt = 0.0;              // its thickness
};

// For notes under a text area of the width, whose text has lines of lineHeight.
NoteSeparator noteSeparator(double widthPt, double lineHeightPt);

// A note's mark: its number in the format, or its own mark.
std::string noteMark(const model::Note& note, int number, word::NumberFormat format);

} // namespace fq::layout
