// Measures how much of a reference text appears, in order, in a converted
// document: white space is ignored on both sides, and the count is the
// longest common subsequence of the remaining characters, so extra text on
// our side (labels, notes, text boxes) costs nothing and a missing piece
// only costs its own characters.
#pragma once

#include "publishing/model/Document.h"

#include <cstddef>
#include <string>

namespace fq::docx::test {

struct MatchResult {
    std::size_t referenceChars = 0;    // non-white-space characters of the reference
    std::size_t matched = 0;
    double ratio() const { return referenceChars == 0 ? 1.0 : double(matched) / double(referenceChars); }
};

// The code points of a UTF-8 string without white space (and without a BOM).
std::u32string significantChars(const std::string& utf8);

MatchResult matchInOrder(const std::u32string& reference, const std::u32string& ours);

// All text of the document's blocks (body and notes), paragraphs separated
// by line feeds. Headers and footers are left out.
std::string documentText(const model::Document& doc);

} // namespace fq::docx::test
