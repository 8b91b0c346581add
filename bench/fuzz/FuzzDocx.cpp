// Fuzz target: the docx reader, from a raw file or from a parts listing
// (assembled into a ZIP package). A reader may refuse any input with an
// exception; crashes, sanitizer reports, hangs and huge allocations are
// the findings.
#include "bench/fuzz/FuzzInput.h"
#include "publishing/docx/DocxReader.h"

#include <exception>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    try {
        fq::docx::readDocx(fq::fuzz::documentFile(input, true));
    } catch (const std::exception&) {
    }
    return 0;
}
