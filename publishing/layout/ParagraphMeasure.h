// Breaks one paragraph into lines with Qt's text layout and reports, for
// every line, which characters it holds and how much height it takes.
#pragma once

#include "publishing/model/Document.h"

#include <QString>

#include <vector>

namespace fq::layout {

struct MeasuredLine {
    int start = 0;                          // UTF-16 offset into the paragraph text
    int length = 0;                         // UTF-16 units, trailing spaces included
    double heightPt = 0.0;                  // with the paragraph's line spacing applied
    double naturalPt = 0.0;                 // single spacing: the fonts' own line height
    // How far below the top of a line of that height Word sets the line's
    // text, beyond where a line of exactly that height holds it (text at
    // its foot): multiple spacing puts the added room under the text.
    double textDropPt = 0.0;
    double descentPt = 0.0;                 // the most any of its runs takes below the baseline
};

// A tab character of the paragraph: where it begins and where the text
// after it starts, from the left indent.
struct MeasuredTab {
    int offset = 0;                         // UTF-16 offset into the paragraph text
    double startPt = 0.0;
    double endPt = 0.0;
};

// An inline picture of the paragraph (a run with a picture): the line it
// stands in and where it begins, from the left indent, as the line is
// aligned. It stands on the line's baseline.
struct MeasuredPicture {
    std::size_t run = 0;                    // index into the paragraph's runs
    std::size_t line = 0;
    double xPt = 0.0;
};

struct MeasuredParagraph {
    QString text;                           // all runs joined, UTF-16
    std::vector<int> runStarts;             // UTF-16 offset of each run in text
    std::vector<MeasuredLine> lines;        // at least one line, even when empty
    std::vector<MeasuredTab> tabs;
    std::vector<MeasuredPicture> pictures;
};

// Lays the paragraph out into lines of widthPt (the width between the
// frame's edges; the paragraph's own indents are taken off here). With a
// line grid (gridPitchPt > 0) the single lines of a paragraph that snaps to
// it take whole multiples of its pitch.
MeasuredParagraph measureParagraph(const model::Paragraph& paragraph, double widthPt, double gridPitchPt = 0.0);

// The height of the paragraph's lines from line first to the end.
double linesHeight(const MeasuredParagraph& measured, std::size_t first = 0);

// The properties used for the paragraph mark: those of the first run, or
// the defaults when the paragraph has no runs.
const model::CharProps& markProps(const model::Paragraph& paragraph);

} // namespace fq::layout
