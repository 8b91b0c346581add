// Writes a laid-out publication as a Microsoft Publisher 2002-2010 file: an
// OLE compound file with the Contents, Quill and Escher streams.
#pragma once

#include "publishing/model/Publication.h"

#include <filesystem>

namespace fq::pub {

struct WriteOptions {
    // Each section's body text becomes one story flowing through a chain of
    // linked frames, as Publisher's connected text boxes, instead of one
    // story per frame. libmspub (and so LibreOffice) shows the whole story
    // in every frame of a chain.
    bool linkedFrames = false;
};

// Writes the publication to the path (replacing a file there). Throws
// std::runtime_error with a readable description when the file cannot be
// written.
void writePub(const model::Publication& publication, const std::filesystem::path& path,
              const WriteOptions& options = {});

} // namespace fq::pub
