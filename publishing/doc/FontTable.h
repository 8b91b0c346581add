// The font table (SttbfFfn): font names by index (ftc), and their
// character sets.
#pragma once

#include "publishing/doc/ByteReader.h"
#include "publishing/doc/Fib.h"

#include <string>
#include <vector>

namespace fq::doc {

struct FontDef {
    std::string name;
    std::uint8_t charset = 0;
};

// Word 97+ table; an absent or unreadable table gives an empty list.
std::vector<FontDef> parseFontTable(const ByteReader& table, FcLcb sttbfFfn);

} // namespace fq::doc
