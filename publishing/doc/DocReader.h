// Reads a Word 97-2003 (.doc) document, and the text of Word 6.0/95
// documents, into the neutral document model.
#pragma once

#include "publishing/model/Document.h"

#include <filesystem>

namespace fq::doc {

// Throws model::ConversionError with one of the user messages of
// publishing/model/ConversionError.h when the file cannot be used.
model::Document readDoc(const std::filesystem::path& path);

} // namespace fq::doc
