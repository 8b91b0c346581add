// List numbering as Word counts it, for both readers: each reader turns
// its format's list definitions (numbering.xml, or the .doc list tables)
// into these neutral levels, and one ListCounters per document turns
// list items, in document order, into their labels ("2.4.1", "b)", "•").
//
// How Word counts:
//  - the counters belong to the list; every instance of a list (w:num, a
//    .doc list override) that refers to it continues the same numbers;
//  - an instance that overrides a level's start value restarts that level
//    when the instance is first used, and uses its start value whenever
//    the level restarts later;
//  - a level restarts after an item of a higher level (or only of the
//    levels above its restart limit);
//  - a label that shows a higher level that has not been used since it
//    restarted shows that level's start value, which then counts as used;
//  - a legal level shows the numbers of the levels above it as decimals.
#pragma once

#include "publishing/word/NumberFormat.h"

#include <array>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace fq::word {

// A piece of a label: literal text, or the number of a level (0-based).
struct LabelPiece {
    std::string text;
    int level = -1;
    friend bool operator==(const LabelPiece&, const LabelPiece&) = default;
};

struct ListLevelDef {
    long long start = 1;
    NumberFormat format = NumberFormat::Decimal;
    std::vector<LabelPiece> label;
    std::string font;                 // the label's font, for bullets in symbol fonts
    int restartLimit = -1;            // restarts after items of levels < this; -1: of any level above
    bool legal = false;
    std::string suffix = "\t";        // what follows the label: a tab, a space or nothing
};

// The label template of a WordprocessingML level ("%1.%2)"): %1..%9 stand
// for the levels' numbers.
std::vector<LabelPiece> parsePercentTemplate(const std::string& text);

constexpr int kListLevels = 9;

// A list as one instance sees it: the level definitions in effect (with
// the instance's level overrides applied) and its start overrides.
struct ListInstance {
    std::string listId;               // instances with the same id share their counters
    std::string instanceId;
    std::array<const ListLevelDef*, kListLevels> levels{};   // nullptr: level not defined
    std::array<std::optional<long long>, kListLevels> startOverrides{};
};

class ListCounters {
public:
    // Counts an item at `level` of the instance and returns its label
    // followed by the level's suffix; "" when the level is not defined or
    // shows nothing.
    std::string next(const ListInstance& instance, int level);

private:
    struct Counts {
        std::array<std::optional<long long>, kListLevels> value{};
    };
    std::map<std::string, Counts> lists_;
    std::set<std::string> startedInstances_;
};

} // namespace fq::word
