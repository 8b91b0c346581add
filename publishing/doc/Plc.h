// A PLC: n+1 ascending character positions followed by n fixed-size data
// entries. Used for sections, headers, notes, text boxes and shape anchors.
#pragma once

#include "publishing/doc/ByteReader.h"
#include "publishing/doc/Fib.h"

#include <cstdint>
#include <span>
#include <vector>

namespace fq::doc {

struct Plc {
    std::vector<std::uint32_t> cps;  // n+1 entries, or empty
    std::vector<Bytes> data;         // n entries
    std::size_t count() const { return data.size(); }
};

// Reads a PLC whose entries are dataSize bytes; an absent PLC is empty.
Plc parsePlc(const ByteReader& table, FcLcb where, std::size_t dataSize, const char* what);

} // namespace fq::doc
