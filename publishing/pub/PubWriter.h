// Writes a laid-out publication as a Microsoft Publisher 2002-2010 file: an
// OLE compound file with the Contents, Quill and Escher streams.
#pragma once

#include "publishing/model/Publication.h"

#include <filesystem>

namespace fq::pub {

// Writes the publication to the path (replacing a file there). Throws
// std::runtime_error with a readable description when the file cannot be
// written.
void writePub(const model::Publication& publication, const std::filesystem::path& path);

} // namespace fq::pub
