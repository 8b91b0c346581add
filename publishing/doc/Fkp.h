// Formatted disk pages: the bin tables (PlcBteChpx, PlcBtePapx) name 512-byte
// pages of the WordDocument stream; each page lists runs of stream offsets
// (FC) with the character (CHPX) or paragraph (PAPX, with its style index)
// property modifiers that apply to them.
#pragma once

#include "publishing/doc/ByteReader.h"
#include "publishing/doc/Fib.h"

#include <cstdint>
#include <vector>

namespace fq::doc {

struct PropertyRun {
    std::uint32_t fcStart = 0;
    std::uint32_t fcEnd = 0;
    std::uint16_t istd = 0;       // paragraph runs only
    Bytes grpprl;
};

// Runs sorted by fcStart; lookups by FC.
struct PropertyRuns {
    std::vector<PropertyRun> runs;
    // Index of the run holding fc, or -1.
    long find(std::uint32_t fc) const;
};

PropertyRuns parseChpxRuns(const ByteReader& wordDocument, const ByteReader& table, FcLcb bte, bool word97);
PropertyRuns parsePapxRuns(const ByteReader& wordDocument, const ByteReader& table, FcLcb bte, bool word97);

} // namespace fq::doc
