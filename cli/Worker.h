// The worker side: converts the jobs that arrive on standard input and
// answers each on standard output, until standard input ends.
#pragma once

namespace fq::cli {

// Needs a QGuiApplication. Returns the process exit status.
int runWorker();

} // namespace fq::cli
