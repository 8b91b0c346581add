// Without libFuzzer (an ordinary build): runs the target once on every
// file named on the command line, so that findings can be replayed and
// debugged with any compiler. With FQ_REPLAY_RSS_LIMIT_MB set, a file
// during which the process's peak memory passes that many megabytes fails
// (the fuzzer's bound on excessive allocation; the targets themselves
// catch what the readers throw, out-of-memory included).
#include <sys/resource.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) __attribute__((weak));

namespace {

long peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

} // namespace

int main(int argc, char** argv) {
    if (LLVMFuzzerInitialize) LLVMFuzzerInitialize(&argc, &argv);
    const char* limitText = std::getenv("FQ_REPLAY_RSS_LIMIT_MB");
    const long limit = limitText ? std::atol(limitText) : 0;
    int failures = 0;
    for (int i = 1; i < argc; ++i) {
        std::ifstream in(argv[i], std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "cannot read %s\n", argv[i]);
            ++failures;
            continue;
        }
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const long before = peakMegabytes();
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
        const long peak = peakMegabytes();
        std::fprintf(stderr, "ran %s (%zu bytes), peak memory %ld MB\n", argv[i], bytes.size(), peak);
        if (limit > 0 && peak > limit && before <= limit) {
            std::fprintf(stderr, "%s: peak memory over %ld MB\n", argv[i], limit);
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
