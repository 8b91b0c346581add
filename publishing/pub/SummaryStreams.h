// The two property-set streams of a .pub as Publisher 2010 writes them.
// SummaryInformation: code page, the document's title, subject, author (an
// empty one when the document names none; Publisher puts its user's name)
// and keywords, and the preview of the first page as a Windows metafile
// (clipboard format CF_METAFILEPICT) holding the picture as a bitmap.
// DocumentSummaryInformation: code page, the Office version (14.0), and
// the scale/links-dirty/shared/hyperlinks-changed flags, all false.
#pragma once

#include "publishing/model/Document.h"

#include <QImage>

#include <cstdint>
#include <vector>

namespace fq::pub {

std::vector<std::uint8_t> summaryInformation(const model::DocumentProperties& properties, const QImage& preview);

// libmspub reads this stream with the property offsets it read in
// SummaryInformation; the stream is made long enough (zeros) that those
// reads stay inside it.
std::vector<std::uint8_t> documentSummaryInformation(const std::vector<std::uint8_t>& summaryInformation);

// The picture as CF_METAFILEPICT data: the 16-bit METAFILEPICT (mapping
// mode, size in 0.01 mm, no handle) and a Windows metafile that fills the
// picture's area white and draws the bitmap with DIBBITBLT.
std::vector<std::uint8_t> metafilePicture(const QImage& picture);

} // namespace fq::pub
