// The first stage of the docx reader: opens the package, finds the main
// document through the package relationships and reads every part the
// conversion needs (styles, theme, numbering, headers, footers, notes,
// media, core properties) into the typed model.
#pragma once

#include "publishing/docx/DocxModel.h"

#include <filesystem>

namespace fq::docx {

// Throws model::ConversionError with one of the user messages.
WordDocument loadPackage(const std::filesystem::path& path);

} // namespace fq::docx
