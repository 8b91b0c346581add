#include "cli/RunReport.h"

#include "cli/JsonReport.h"

#include <algorithm>

namespace fq::cli {

RunReport::RunReport(Settings settings) : settings_(settings), progress_(stderr) {}

void RunReport::begin(std::size_t total) {
    total_ = total;
    start_ = std::chrono::steady_clock::now();
    showProgress_ = settings_.progress && !settings_.quiet && total > 1;
    refresh();
}

void RunReport::started(const std::string& source) {
    running_.push_back(source);
    refresh();
}

void RunReport::finished(const std::string& source) {
    const auto it = std::find(running_.begin(), running_.end(), source);
    if (it != running_.end()) running_.erase(it);
    lastFinished_ = std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
}

void RunReport::converted(const std::string& source, const std::filesystem::path& target, int pages,
                          double seconds) {
    ++converted_;
    finished(source);
    if (!settings_.quiet) print("converted: " + source + " -> " + target.string() + "\n");
    record(reportLine({source, target.string(), true, {}, pages, seconds}));
    refresh();
}

void RunReport::failed(const std::string& source, const std::string& reason, double seconds) {
    ++failed_;
    finished(source);
    print(failedLine(source, reason));
    record(reportLine({source, std::nullopt, false, reason, 0, seconds}));
    refresh();
}

std::optional<double> RunReport::secondsLeft() const {
    const std::size_t done = static_cast<std::size_t>(converted_ + failed_);
    if (done == 0 || done >= total_) return std::nullopt;
    const double now = std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    const double expected = lastFinished_ / static_cast<double>(done) * static_cast<double>(total_);
    return std::max(0.0, expected - now);
}

void RunReport::refresh() {
    if (!showProgress_) return;
    const std::size_t done = static_cast<std::size_t>(converted_ + failed_);
    const std::string current = running_.empty() ? std::string() : running_.back();
    progress_.show(progressText(done, static_cast<std::size_t>(failed_), total_, secondsLeft(), current,
                                progress_.width()));
}

void RunReport::print(const std::string& line) {
    if (showProgress_) progress_.clear();
    std::fputs(line.c_str(), stderr);
    std::fflush(stderr);
}

void RunReport::record(const std::string& line) {
    if (!settings_.json) return;
    std::fputs(line.c_str(), settings_.json);
    std::fflush(settings_.json);
}

int RunReport::finish() {
    if (showProgress_) progress_.clear();
    showProgress_ = false;
    if (!settings_.quiet) print(summaryLine(0));
    return failed_ == 0 ? 0 : 1;
}

std::string RunReport::failedLine(const std::string& source, const std::string& reason) {
    return "failed: " + source + ": " + reason + "\n";
}

std::string RunReport::summaryLine(int moreFailed) const {
    return std::to_string(converted_) + " converted, " + std::to_string(failed_ + moreFailed) + " failed\n";
}

std::string RunReport::crashLines(const std::string& source, const std::string& reason) const {
    return progress_.clearText() + failedLine(source, reason) + (settings_.quiet ? std::string() : summaryLine(1));
}

std::string RunReport::crashRecord(const std::string& source, const std::string& reason) const {
    return settings_.json ? reportLine({source, std::nullopt, false, reason, 0, 0}) : std::string();
}

int RunReport::reportDescriptor() const { return settings_.json ? fileno(settings_.json) : -1; }

} // namespace fq::cli
