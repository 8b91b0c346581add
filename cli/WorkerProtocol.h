// The line protocol between folioquill-convert and its worker processes.
// The parent sends one job a line: "<source>\t<target>\n"; the worker
// answers each with "ok\n" or "failed\t<message>\n". Fields are
// percent-encoded so that tabs and line breaks in names stay inside them.
#pragma once

#include <optional>
#include <string>

namespace fq::cli {

struct Job {
    std::string source;
    std::string target;
};

struct Answer {
    bool ok = false;
    std::string message;                    // the failure's reason
};

std::string encodeJob(const Job& job);
std::optional<Job> decodeJob(const std::string& line);       // without the line end
std::string encodeAnswer(const Answer& answer);
std::optional<Answer> decodeAnswer(const std::string& line);

} // namespace fq::cli
