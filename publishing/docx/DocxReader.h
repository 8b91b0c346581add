// Reads a Word 2007+ (.docx) document into the neutral document model.
#pragma once

#include "publishing/model/Document.h"

#include <filesystem>

namespace fq::docx {

// Throws model::ConversionError with one of the user messages of
// publishing/model/ConversionError.h when the file cannot be used.
model::Document readDocx(const std::filesystem::path& path);

} // namespace fq::docx
