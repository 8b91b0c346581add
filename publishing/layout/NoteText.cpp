// The note separator line and note marks.
#include "publishing/layout/NoteText.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>

#include <algorithm>

namespace fq::layout {

namespace {

// A one-pixel black PNG, stretched to the line's size where it stands.
const std::vector<std::uint8_t>& blackPixel() {
    static const std::vector<std::uint8_t> png = [] {
        QImage image(1, 1, QImage::Format_RGB32);
        image.fill(Qt::black);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
    }();
    return png;
}

} // namespace

NoteSeparator noteSeparator(double widthPt, double lineHeightPt) {
    NoteSeparator s;
    s.picture = model::PictureFrame{model::ImageFormat::Png, blackPixel(), "Note separator"};
    s.heightPt = std::max(1.0, lineHeightPt);
    // Word's separator is two inches long (a third of narrower text) and half a point thick.
    s.lineWidthPt = std::max(1.0, std::min(144.0, widthPt / 3.0));
    s.lineHeightPt = 0.5;
    s.lineOffsetPt = (s.heightPt - s.lineHeightPt) / 2.0;
    return s;
}

std::string noteMark(const model::Note& note, int number, word::NumberFormat format) {
    if (!note.customMark.empty()) return note.customMark;
    return word::formatNumber(number, format);
}

} // namespace fq::layout
