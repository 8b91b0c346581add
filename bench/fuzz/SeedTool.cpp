// fuzz_seeds: turns corpus documents into seeds of the fuzz targets.
//   fuzz_seeds listing IN OUT     a .docx's parts or a .doc's streams as a listing
//   fuzz_seeds officeart IN OUT   a .doc's OfficeArt content (the drawing target's input)
//   fuzz_seeds assemble IN OUT    a listing (a seed or a finding) as the .docx or .doc it stands for
// Media and other binary parts larger than --max-part bytes (default 65536)
// are cut to that size, which keeps seeds small; the XML parts and the
// Word streams stay whole.
#include "bench/fuzz/FuzzInput.h"
#include "publishing/doc/Fib.h"

#include <cstdio>
#include <cstring>
#include <strings.h>
#include <fstream>
#include <iterator>
#include <string>

namespace {

using namespace fq::fuzz;

bool write(const char* path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

bool isZip(const char* path) {
    std::ifstream in(path, std::ios::binary);
    char head[2] = {};
    in.read(head, 2);
    return in.gcount() == 2 && head[0] == 'P' && head[1] == 'K';
}

const std::string* find(const std::vector<Part>& parts, const char* name) {
    for (const auto& p : parts)
        if (strcasecmp(p.first.c_str(), name) == 0) return &p.second;
    return nullptr;
}

bool endsWith(const std::string& s, const char* tail) {
    const std::size_t n = std::strlen(tail);
    return s.size() >= n && strcasecmp(s.c_str() + s.size() - n, tail) == 0;
}

bool keepsWhole(const std::string& name) {
    return endsWith(name, ".xml") || endsWith(name, ".rels") || strcasecmp(name.c_str(), "WordDocument") == 0 ||
           strcasecmp(name.c_str(), "0Table") == 0 || strcasecmp(name.c_str(), "1Table") == 0;
}

int officeArt(const char* in, const char* out) {
    using namespace fq::doc;
    const auto streams = readCompoundFile(in);
    const std::string* word = find(streams, "WordDocument");
    if (!word) return 1;
    const ByteReader wd({reinterpret_cast<const std::uint8_t*>(word->data()), word->size()}, "WordDocument");
    try {
        if (classifyFib(wd) != FibVersion::Word97) return 1;
        const Fib fib = parseFib(wd);
        const std::string* table = find(streams, fib.whichTableStream ? "1Table" : "0Table");
        const FcLcb dgg = fib.pair(FibPair::DggInfo);
        if (!table || dgg.lcb == 0 || dgg.fc > table->size() || dgg.lcb > table->size() - dgg.fc) return 1;
        return write(out, table->substr(dgg.fc, dgg.lcb)) ? 0 : 1;
    } catch (const std::exception&) {
        return 1;
    }
}

int assemble(const char* in, const char* out) {
    std::ifstream file(in, std::ios::binary);
    const std::string input((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (!isListing(input)) return 1;
    const std::vector<Part> parts = parseListing(input);
    const bool compound = find(parts, "WordDocument") != nullptr;
    try {
        if (compound) writeCompoundFile(out, parts);
        else writeZip(out, parts);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    std::size_t maxPart = 65536;
    int first = 1;
    if (argc > 2 && std::strncmp(argv[1], "--max-part=", 11) == 0) {
        maxPart = std::stoul(argv[1] + 11);
        first = 2;
    }
    if (argc - first != 3) {
        std::fprintf(stderr, "usage: fuzz_seeds [--max-part=N] listing|officeart|assemble IN OUT\n");
        return 2;
    }
    const std::string mode = argv[first];
    const char* in = argv[first + 1];
    const char* out = argv[first + 2];
    if (mode == "officeart") return officeArt(in, out);
    if (mode == "assemble") return assemble(in, out);
    if (mode != "listing") return 2;
    std::vector<Part> parts = isZip(in) ? readZip(in) : readCompoundFile(in);
    if (parts.empty()) return 1;
    for (auto& p : parts)
        if (p.second.size() > maxPart && !keepsWhole(p.first)) p.second.resize(maxPart);
    return write(out, makeListing(parts)) ? 0 : 1;
}
