// Fuzz target: the doc reader, from a raw file or from a listing of its
// streams (assembled into a compound file).
#include "bench/fuzz/FuzzInput.h"
#include "publishing/doc/DocReader.h"

#include <exception>

// The readers draw charts into pictures with Qt's painter, which needs
// the application's fonts.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fq::fuzz::startGui();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    try {
        fq::doc::readDoc(fq::fuzz::documentFile(input, false));
    } catch (const std::exception&) {
    }
    return 0;
}
