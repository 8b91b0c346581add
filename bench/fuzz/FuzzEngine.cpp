// Fuzz target: the whole engine as a conversion uses it: the format told
// by the content, read, laid out with real fonts, written as a .pub file
// (into memory-backed scratch space). A listing is assembled into a
// compound file when it names a WordDocument stream, else into a ZIP
// package.
#include "bench/fuzz/FuzzInput.h"
#include "publishing/engine/Engine.h"
#include "publishing/layout/Layout.h"
#include "publishing/pub/PubWriter.h"

#include <algorithm>
#include <cctype>
#include <exception>

namespace {

bool namesWordStream(const std::vector<fq::fuzz::Part>& parts) {
    return std::any_of(parts.begin(), parts.end(), [](const fq::fuzz::Part& p) {
        std::string name = p.first;
        std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
        return name == "worddocument";
    });
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fq::fuzz::startGui();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    try {
        const bool asZip = !fq::fuzz::isListing(input) || !namesWordStream(fq::fuzz::parseListing(input));
        const auto source = fq::fuzz::documentFile(input, asZip);
        const fq::model::Document document = fq::engine::readDocument(source);
        const fq::model::Publication publication = fq::layout::layOut(document);
        fq::pub::writePub(publication, fq::fuzz::inputFile({}, "pub"));
    } catch (const std::exception&) {
    }
    return 0;
}
