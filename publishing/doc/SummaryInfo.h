// Document properties (title, subject, author, keywords, dates) from the
// \005SummaryInformation property set stream.
#pragma once

#include "publishing/doc/ByteReader.h"
#include "publishing/model/Document.h"

namespace fq::doc {

// Reads what it can; an unreadable property set leaves the fields empty.
model::DocumentProperties parseSummaryInformation(std::span<const std::uint8_t> stream);

// FILETIME (100 ns ticks since 1601) as "YYYY-MM-DDTHH:MM:SSZ"; empty for 0.
std::string fileTimeToIso(std::uint64_t ticks);

} // namespace fq::doc
