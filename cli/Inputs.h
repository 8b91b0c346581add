// The documents of a run: the files named on the command line and, with -r,
// the Word documents found in the folders named (the window's folder walk,
// which visits a folder reached again through a link only once), each with
// the path of its publication. Below -o, a found document keeps the folder
// structure it has below the folder named.
#pragma once

#include "cli/Dispatcher.h"
#include "cli/Options.h"

#include <vector>

namespace fq::cli {

std::vector<Input> collectInputs(const Options& options);

} // namespace fq::cli
