// The line protocol between a converter process and its workers. Each
// request is one line, a verb and its fields separated by tabs:
//   "convert\t<source>\t<target>"  read and save in one go (the batch run)
//   "open\t<source>"                read the document and keep it
//   "save\t<target>"                lay out and save the kept document
//   "close"                         drop the kept document
// The worker answers each with "ok\t<pages>\t<seconds>\n" or
// "failed\t<message>\t<seconds>\n" (pages and seconds may be left out;
// pages are those written by a convert or a save).
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

enum class Verb { Convert, Open, Save, Close };

struct Request {
    Verb verb = Verb::Convert;
    std::string source;                     // Convert, Open
    std::string target;                     // Convert, Save
};

struct Answer {
    bool ok = false;
    std::string message;                    // the failure's reason
    int pages = 0;                          // pages of the publication written
    double seconds = 0;                     // time the conversion took
};

// Lines with their line end; decoding takes them without it.
std::string encodeRequest(const Request& request);
std::optional<Request> decodeRequest(const std::string& line);
std::string encodeJob(const Job& job);                       // a convert request
std::optional<Job> decodeJob(const std::string& line);       // without the line end
std::string encodeAnswer(const Answer& answer);
std::optional<Answer> decodeAnswer(const std::string& line);

} // namespace fq::cli
