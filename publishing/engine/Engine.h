// The built-in publishing engine as the rest of the program uses it: open a
// Word document, save it as a publication.
#pragma once

#include "publishing/model/ConversionError.h"
#include "publishing/model/Document.h"

#include <filesystem>

namespace fq::engine {

// Reads a .doc or .docx file; the format is told by the file's content, not
// its name. Throws model::ConversionError with a user message, also when
// the reading runs out of its budget (model/Budget.h: the default limits,
// unless the caller has set others).
model::Document readDocument(const std::filesystem::path& source);

struct SaveOptions {
    // Each section's body text as one story through linked frames (see
    // pub::WriteOptions); readers built on libmspub show the whole story in
    // every frame.
    bool linkedFrames = false;
};

// Lays the document out and writes it to target as a .pub file. The file is
// written beside the target under a temporary name and renamed into place,
// so a failed save leaves nothing behind and an existing file at target is
// only replaced by a complete publication. Refuses (ConversionError) when
// target names the source document itself, or when laying out and writing
// run out of their budget. Throws on any failure. Returns the number of
// pages written.
int savePublication(const model::Document& document,
                     const std::filesystem::path& target,
                     const std::filesystem::path& source,
                     const SaveOptions& options = {});

// The same for a document not needed afterwards: it is released once laid
// out, before the publication is written.
int savePublication(model::Document&& document,
                     const std::filesystem::path& target,
                     const std::filesystem::path& source,
                     const SaveOptions& options = {});

} // namespace fq::engine
