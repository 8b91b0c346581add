// What a batch run tells as it goes: one line per document and the summary
// on standard error, a progress line while standard error is a terminal,
// and the JSON Lines report for scripts.
#pragma once

#include "cli/ProgressLine.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace fq::cli {

class RunReport {
public:
    struct Settings {
        bool quiet = false;                 // failures only
        bool progress = false;              // show the progress line (standard error is a terminal)
        std::FILE* json = nullptr;          // the report for scripts, if asked for
    };

    explicit RunReport(Settings settings);

    // Starts the clock; the progress line is shown for more than one document.
    void begin(std::size_t total);
    void started(const std::string& source);
    void converted(const std::string& source, const std::filesystem::path& target, int pages, double seconds);
    void failed(const std::string& source, const std::string& reason, double seconds = 0);
    // Redraws the progress line (the time left moves on).
    void refresh();
    // Clears the progress line, prints the summary; returns the exit status.
    int finish();

    // What a crash during the conversion of source (a single document,
    // converted in this process) must still print on standard error and add
    // to the report; prepared beforehand.
    std::string crashLines(const std::string& source, const std::string& reason) const;
    std::string crashRecord(const std::string& source, const std::string& reason) const;
    // The report's file descriptor, or -1.
    int reportDescriptor() const;

private:
    static std::string failedLine(const std::string& source, const std::string& reason);
    std::string summaryLine(int moreFailed) const;
    void print(const std::string& line);
    void finished(const std::string& source);
    void record(const std::string& line);
    std::optional<double> secondsLeft() const;

    Settings settings_;
    ProgressLine progress_;
    bool showProgress_ = false;
    std::size_t total_ = 0;
    int converted_ = 0;
    int failed_ = 0;
    std::vector<std::string> running_;
    std::chrono::steady_clock::time_point start_;
    double lastFinished_ = 0;               // seconds from the start to the latest document done
};

} // namespace fq::cli
