// How the lines of a text frame are written so that whoever sets the
// publication's text puts every line where the layout measured it.
//
// Readers of a publication (Publisher, LibreOffice) compute a "single" line
// from their own font metrics, which are not Word's: LibreOffice leaves out
// the line gap, and the text then creeps up the page. A line of an exact
// height is set the same way by all of them: the text at the foot of the
// line, the room above it. So every paragraph is written with the exact
// height of its lines. Where Word sets a line's text higher than that
// (multiple spacing puts its added room under the text), or where the
// lines of a paragraph differ in height, the space before and after the
// paragraphs takes up the difference.
#pragma once

#include "publishing/model/Document.h"

#include <vector>

namespace fq::layout {

// A paragraph (or the part of one) as it goes into a frame, with its lines
// as the layout measured them.
struct FrameParagraph {
    model::Paragraph paragraph;
    std::vector<double> lineHeightsPt;      // one per line, at least one
    std::vector<double> textDropsPt;        // per line, see MeasuredLine::textDropPt
};

struct WrittenFrame {
    std::vector<model::Paragraph> paragraphs;
    // How far the frame's top moves up (negative: down) so that its first
    // line's text stands where Word puts it; the first paragraph is written
    // without space before.
    double raisePt = 0.0;
};

WrittenFrame writeFrameLines(const std::vector<FrameParagraph>& paragraphs);

} // namespace fq::layout
