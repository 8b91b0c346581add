// Fuzz target: the drawing part of the doc reader on its own. The input is
// the OfficeArt content of a table stream; it also stands for the
// WordDocument stream that delayed blips point into.
#include "publishing/doc/OfficeArt.h"

#include <exception>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace fq::doc;
    const ByteReader table(std::span<const std::uint8_t>(data, size), "the drawing");
    try {
        parseDrawing(table, FcLcb{0, static_cast<std::uint32_t>(size)}, table);
    } catch (const std::exception&) {
    }
    return 0;
}
