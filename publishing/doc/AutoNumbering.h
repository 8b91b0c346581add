// Paragraph numbering of Word 6.0/95, before lists existed: a paragraph
// carries its numbering level (nLvlAnm: 0 none, 1..9 heading levels,
// 10 numbered, 11 bulleted) and an ANLD, the description of its label (number
// format, start value, text before and after the number). Numbered and
// bulleted paragraphs count in runs: a paragraph without numbering ends the
// run and the next one starts again at its start value. Heading levels count
// through the whole document, a level restarting after any higher one.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace fq::doc {

struct Anld {
    std::uint8_t nfc = 0;              // number format (the list formats' codes; 23 bullet)
    bool includePrevious = false;      // the numbers of the higher heading levels come first
    std::uint16_t ftc = 0;             // the label's font
    std::int32_t startAt = 1;
    std::u16string before, after;      // text before and after the number
    bool present = false;
};

// Reads an ANLD operand in the Word 97 layout: 20 bytes, then the text as
// 32 UTF-16 characters (the Word 6/95 form is widened to this one).
Anld parseAnld(std::span<const std::uint8_t> operand);

class AutoNumbering {
public:
    // The label of a paragraph at level nLvlAnm, the number between the
    // ANLD's texts; for a bullet, the texts alone. Empty for level 0, which
    // ends a run of numbered or bulleted paragraphs.
    std::u16string next(std::uint8_t nLvlAnm, const Anld& anld);

private:
    long long run_ = 0;                          // last number of the current run, 0: none
    std::array<long long, 9> heading_{};         // 0: level not used since it restarted
    std::array<std::uint8_t, 9> headingNfc_{};
};

} // namespace fq::doc
