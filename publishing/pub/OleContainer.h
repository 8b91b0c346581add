// Writes the compound file around the builders' streams with libgsf: the
// streams and storages Publisher's own files carry (CompObj, Internal,
// Envelope, Objects, VBA), the class ids and the two property-set streams,
// then puts the directory in Publisher's shape (CompoundDirectory).
#pragma once

#include "publishing/model/Document.h"
#include "publishing/pub/ByteBuffer.h"

#include <cstdint>
#include <filesystem>
#include <vector>

namespace fq::pub {

struct PubStreams {
    ByteBuffer contents;
    ByteBuffer quill;
    ByteBuffer escher;
    ByteBuffer escherDelay;
    std::vector<std::uint8_t> summary;            // SummaryInformation
    std::vector<std::uint8_t> documentSummary;    // DocumentSummaryInformation
};

// The properties give the save time. Throws std::runtime_error when the
// file cannot be written.
void writeOleFile(const std::filesystem::path& path, const PubStreams& streams,
                  const model::DocumentProperties& properties);

} // namespace fq::pub
