// The command line of folioquill-convert.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace fq::cli {

struct Options {
    std::optional<std::filesystem::path> outputFolder;   // -o DIR
    int jobs = 0;                                         // -j N; 0: one per core
    bool recursive = false;                               // -r: walk the folders named
    bool quiet = false;                                   // -q: failures only
    std::optional<std::string> reportFile;                // --report FILE ("-": standard output)
    bool help = false;
    bool version = false;
    bool worker = false;                                  // internal: serve jobs on stdin
    bool linkedFrames = false;                            // --linked-frames
    std::vector<std::string> files;                       // files, and folders with -r
};

struct ParseResult {
    Options options;
    std::string error;                                    // non-empty: a usage error
};

ParseResult parseOptions(const std::vector<std::string>& args);

std::string helpText();
std::string versionText();

// The flag of linked frames, also given to the worker processes.
inline constexpr const char* kLinkedFramesFlag = "--linked-frames";

// The internal flag that starts a worker process.
inline constexpr const char* kWorkerFlag = "--internal-worker";

} // namespace fq::cli
