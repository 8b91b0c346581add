// The report for scripts (--report FILE): JSON Lines, one object a document:
//   {"source":"in/a.docx","output":"out/a.pub","status":"converted",
//    "message":"","pages":3,"seconds":0.412}
// A failed document has "status":"failed", its reason in "message", and
// null for "output". File names are bytes: what is not UTF-8 is written as
// \udcXX per byte (the "surrogateescape" convention), so that a script can
// get the exact name back (Python: os.fsencode).
#pragma once

#include <optional>
#include <string>

namespace fq::cli {

struct ReportRecord {
    std::string source;
    std::optional<std::string> output;     // the publication written, if any
    bool converted = false;
    std::string message;
    int pages = 0;
    double seconds = 0;
};

// A JSON string literal, quotes included.
std::string jsonString(const std::string& bytes);

// One report line, with its line end.
std::string reportLine(const ReportRecord& record);

} // namespace fq::cli
