// Writes the compound file around the three builders' streams with libgsf:
// the streams and storages Publisher's own files carry (CompObj, Internal,
// Envelope, Objects, VBA), the class ids, and the document properties.
#pragma once

#include "publishing/model/Document.h"
#include "publishing/pub/ByteBuffer.h"

#include <filesystem>

namespace fq::pub {

struct PubStreams {
    ByteBuffer contents;
    ByteBuffer quill;
    ByteBuffer escher;
    ByteBuffer escherDelay;
};

// Throws std::runtime_error when the file cannot be written.
void writeOleFile(const std::filesystem::path& path, const PubStreams& streams,
                  const model::DocumentProperties& properties);

} // namespace fq::pub
