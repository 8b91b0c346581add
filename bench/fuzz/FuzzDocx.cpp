// Fuzz target: the docx reader, from a raw file or from a parts listing
// (assembled into a ZIP package). A reader may refuse any input with an
// exception; crashes, sanitizer reports, hangs and huge allocations are
// the findings.
#include "bench/fuzz/FuzzInput.h"
#include "publishing/docx/DocxReader.h"

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
        fq::docx::readDocx(fq::fuzz::documentFile(input, true));
    } catch (const std::exception&) {
    }
    return 0;
}
