// Bodies of Contents chunks that hold a new publication's page settings,
// as Publisher 2007/2010 write them: each page's 0x60 and 0x77 chunks, the
// printer settings (0x4B) and the page setup (0x8A). The Contents builder
// numbers and places them; these functions write the property blocks.
#pragma once

#include "publishing/pub/BlockWriter.h"

#include <cstdint>

namespace fq::pub {

// The page's 0x60 chunk: empty on the first page of the publication,
// property 05 = 1 on every other page (master and empty pages included).
void writePageSettings60(BlockWriter& w, bool firstPage);

// The page's 0x77 chunk: the web-form defaults Publisher gives every page
// (where a form on the page would send its data).
void writeWebForm77(BlockWriter& w);

// The printer settings (0x4B) without a known printer: the paper twice
// (the paper code of the page's size, the size itself), then the
// reference to the 0x4F chunk and Publisher's print flags.
void writePrinterSettings4B(BlockWriter& w, std::uint32_t widthEmu, std::uint32_t heightEmu,
                            std::uint32_t layout4FSeq);

// The page setup (0x8A): one page per sheet, the page size and margins;
// the size's name and id where Publisher's own are known (A4).
void writePageSetup8A(BlockWriter& w, std::uint32_t widthEmu, std::uint32_t heightEmu, std::uint32_t marginEmu);

// Windows paper code (DMPAPER_*) of a page size, 256 (user-defined) when
// the size is not a standard one.
std::uint16_t paperCode(std::uint32_t widthEmu, std::uint32_t heightEmu);

} // namespace fq::pub
