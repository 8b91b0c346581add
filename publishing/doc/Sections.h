// Section descriptors: the section table (PlcfSed) gives where each section
// ends; its SEPX in the WordDocument stream holds the section's sprms.
#pragma once

#include "publishing/doc/ByteReader.h"
#include "publishing/doc/Fib.h"

#include <cstdint>
#include <vector>

namespace fq::doc {

struct SectionDesc {
    std::uint32_t cpEnd = 0;
    Bytes sepx;
};

// withSprms false keeps only the ends.
std::vector<SectionDesc> parseSections(const ByteReader& table, FcLcb plcfSed, const ByteReader& wordDocument,
                                       bool withSprms);

} // namespace fq::doc
