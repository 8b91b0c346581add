// For a document converted inside the main process: should the process
// crash on it, a signal handler still prints the document's "failed:" line
// and the summary before the process ends with status 1.
#pragma once

#include <string>

namespace fq::cli {

class CrashReport {
public:
    // failedLine and summaryLine are printed as they are (with their line ends).
    CrashReport(const std::string& failedLine, const std::string& summaryLine);
    ~CrashReport();
    CrashReport(const CrashReport&) = delete;
    CrashReport& operator=(const CrashReport&) = delete;
};

} // namespace fq::cli
