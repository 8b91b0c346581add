// The line protocol between folioquill-convert and its worker processes.
// The parent sends one job a line: "<source>\t<target>\n"; the worker
// answers each with "ok\t<pages>\t<seconds>\n" or
// "failed\t<message>\t<seconds>\n" (pages and seconds may be left out).
// Text fields are percent-encoded so that tabs and line breaks in names
// stay inside them; seconds are written with a "." whatever the locale.
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
    int pages = 0;                          // pages of the publication written
    double seconds = 0;                     // time the conversion took
};

std::string encodeJob(const Job& job);
std::optional<Job> decodeJob(const std::string& line);       // without the line end
std::string encodeAnswer(const Answer& answer);
std::optional<Answer> decodeAnswer(const std::string& line);

} // namespace fq::cli
