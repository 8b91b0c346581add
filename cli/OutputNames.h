// Where a document's publication goes: <folder>/<base name>.pub.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace fq::cli {

// The file name after the last path separator, without the text from its
// last "." on when that dot is the name's second character or later
// ("report.final.docx" -> "report.final", ".profile" -> ".profile").
std::string baseName(const std::string& file);

// The publication path for the document: in outputFolder when given, else
// in the document's own folder.
std::filesystem::path outputPath(const std::string& file,
                                 const std::optional<std::filesystem::path>& outputFolder);

} // namespace fq::cli
