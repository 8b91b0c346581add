// Encodes Quill formatting: character and paragraph property records (the
// records FDPC/FDPP entries and STSH styles point at), and the 512-byte
// formatted-disk pages that map text positions to those records.
#pragma once

#include "publishing/pub/ByteBuffer.h"
#include "publishing/pub/TextStories.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace fq::pub {

std::vector<std::uint8_t> charRecord(const CharFormat& format);
std::vector<std::uint8_t> paraRecord(const ParaFormat& format);
// The default character style of the second STSH (under every run): one
// FONT index per script slot, as (slot, font) pairs in slot order.
std::vector<std::uint8_t> defaultCharStyleRecord(const std::vector<std::pair<std::uint8_t, std::uint16_t>>& slots);

struct FdpEntry {
    std::uint32_t end = 0;                 // absolute Quill stream offset, exclusive
    std::vector<std::uint8_t> record;
};

struct FdpPages {
    std::vector<ByteBuffer> pages;         // each exactly 512 bytes
    std::vector<std::uint32_t> lastEnds;   // end of each page's last entry
};

// Packs the entries into pages: u16 count, u16 1, u32 start, the ends, the
// u16 record offsets, and the records from the page end down, identical
// records shared. A new page starts whenever the next entry does not fit.
FdpPages packFdp(const std::vector<FdpEntry>& entries);

} // namespace fq::pub
