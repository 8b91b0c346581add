// The batch run of folioquill-convert: works out every document's target,
// converts them (in worker processes when there are several), reports one
// line per document and a summary on standard error.
#pragma once

#include "cli/Options.h"

namespace fq::cli {

// Returns the exit status: 0 all converted, 1 some failed, 2 usage error.
// Creates the Qt application object itself.
int runBatch(const Options& options, const char* programPath);

} // namespace fq::cli
