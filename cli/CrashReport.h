// For a document converted inside the main process: should the process
// crash on it, a signal handler still prints the document's "failed:" line
// and the summary, and adds the document's line to the report for scripts,
// before the process ends with status 1.
#pragma once

#include <string>

namespace fq::cli {

class CrashReport {
public:
    // failedLine and summaryLine are printed as they are (with their line
    // ends); reportLine is written to reportDescriptor when that is not -1.
    CrashReport(const std::string& failedLine, const std::string& summaryLine, int reportDescriptor = -1,
                const std::string& reportLine = {});
    ~CrashReport();
    CrashReport(const CrashReport&) = delete;
    CrashReport& operator=(const CrashReport&) = delete;
};

} // namespace fq::cli
