// The batch run of folioquill-convert: works out every document's target,
// converts them (in worker processes when there are several), reports one
// line per document and a summary on standard error.
#pragma once

#include "cli/Options.h"

#include <filesystem>
#include <string>
#include <vector>

namespace fq::cli {

// One document of the run.
struct Input {
    std::string source;                     // as named, or as found in a named folder
    std::filesystem::path target;           // where its publication goes
    std::string problem;                    // non-empty: fails with this reason, unconverted
};

// Converts the inputs. Returns the exit status: 0 all converted, 1 some
// failed, 2 usage error. Creates the Qt application object itself.
int runBatch(const Options& options, std::vector<Input> inputs, const char* programPath);

} // namespace fq::cli
