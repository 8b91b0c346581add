// Helpers shared by the .doc reader tests: the text of a model document and
// the in-order character match against a reference text.
#pragma once

#include "publishing/model/Document.h"

#include <filesystem>
#include <string>

namespace fq::doc::test {

// Paragraph texts of every section's blocks, one line each, table cells in
// reading order (headers and footers left out, as in the reference texts).
std::string bodyText(const model::Document& doc);
// All paragraphs of the document, headers and footers included.
std::string allText(const model::Document& doc);

struct Fidelity {
    std::size_t referenceChars = 0;   // non-whitespace characters of the reference
    std::size_t found = 0;            // of those, found in order in the candidate
    double ratio() const { return referenceChars == 0 ? 1.0 : double(found) / double(referenceChars); }
};

// Counts the reference's non-whitespace characters that appear in order in
// the candidate's non-whitespace characters. A character not found within
// a window ahead is counted missing and skipped.
Fidelity inOrderMatch(const std::u32string& reference, const std::u32string& candidate);

std::u32string toUtf32(const std::string& utf8);
std::string readFile(const std::filesystem::path& p);

} // namespace fq::doc::test
