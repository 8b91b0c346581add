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

// Word 6.0/95 table: a byte count, then entries with 8-bit names.
std::vector<FontDef> parseFontTable6(const ByteReader& wordDocument, FcLcb sttbfFfn);

} // namespace fq::doc
