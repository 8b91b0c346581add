// The note separator line and note marks.
#include "publishing/layout/NoteText.h"

#include <algorithm>

namespace fq::layout {

NoteSeparator noteSeparator(double widthPt, double lineHeightPt) {
    NoteSeparator s;
    s.heightPt = std::max(1.0, lineHeightPt);
    // Word's separator is two inches long (a third of narrower text) and half a point thick.
    s.lineWidthPt = std::max(1.0, std::min(144.0, widthPt / 3.0));
    s.lineHeightPt = 0.5;
    s.lineOffsetPt = s.heightPt / 2.0;
    s.line.geometry.preset = model::PresetShape::Line;
    s.line.line.visible = true;
    s.line.line.color = model::Color{0, 0, 0};
    s.line.line.widthPt = s.lineHeightPt;
    s.line.description = "Note separator";
    return s;
}

std::string noteMark(const model::Note& note, int number, word::NumberFormat format) {
    if (!note.customMark.empty()) return note.customMark;
    return word::formatNumber(number, format);
}

} // namespace fq::layout
