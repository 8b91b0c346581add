// Inline pictures: a character 0x01 whose sprmCPicLocation points at a PICF
// in the Data stream. The PICF gives the displayed size; the picture itself
// follows as OfficeArt records (or, in old files, as a bare metafile).
#pragma once

#include "publishing/doc/ByteReader.h"
#include "publishing/model/Document.h"

#include <optional>

namespace fq::doc {

std::optional<model::Picture> readInlinePicture(const ByteReader& dataStream, std::uint32_t fc);

} // namespace fq::doc
