// Draws a laid-out page as a small picture: the preview Publisher keeps in
// the file's summary information, which its file dialog and the desktop's
// file browsers show. Text frames are drawn with their paragraphs' fonts,
// sizes, colours and alignment, tables with their grid, shading and text,
// pictures Qt can decode as themselves and others as a grey box.
#pragma once

#include "publishing/model/Publication.h"

#include <QImage>

namespace fq::pub {

// The page on white, its longer side longestSide pixels (24-bit RGB).
QImage renderPagePreview(const model::Page& page, int longestSide);

// The preview size Publisher 2010 uses: 147 pixels on the longer side (a
// Letter page becomes 114 x 147).
inline constexpr int kPreviewLongestSide = 147;

} // namespace fq::pub
