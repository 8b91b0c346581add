// Tells the image format from the first bytes of an image file.
#pragma once

#include "publishing/model/Document.h"

#include <cstdint>
#include <vector>

namespace fq::docx {

model::ImageFormat sniffImageFormat(const std::vector<std::uint8_t>& data);

} // namespace fq::docx
