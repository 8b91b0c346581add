// Numbered and bulleted lists: the list definitions (PlfLst with their
// levels), the list overrides (PlfLfo, with their level overrides) that
// paragraphs refer to by ilfo, and the numbering state that turns
// (ilfo, ilvl) into a label such as "1.2." or a bullet while the text is
// converted in order. The counting itself is the one both readers share.
#pragma once

#include "publishing/doc/ByteReader.h"
#include "publishing/doc/Fib.h"
#include "publishing/word/ListNumbering.h"

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace fq::doc {

struct ListLevel {
    std::int32_t startAt = 1;
    std::uint8_t nfc = 0;             // number format
    bool legal = false;               // the levels above shown as decimals
    bool noRestart = false;           // restarts only after levels above restartLimit
    std::uint8_t restartLimit = 0;    // with noRestart: the first level whose items do not restart it
    std::uint8_t follow = 0;          // 0 tab, 1 space, 2 nothing
    std::u16string text;              // placeholders 0..8 stand for the level numbers
    Bytes chpx;
    Bytes papx;                       // indents of the level
};

struct ListDef {
    std::uint32_t lsid = 0;
    std::vector<ListLevel> levels;    // 1 or 9
};

// What a list override changes in one level of its list.
struct LevelOverride {
    std::optional<std::int32_t> startAt;   // restarts the level at this value
    std::optional<ListLevel> level;        // replaces the level's definition
};

struct ListOverride {
    std::uint32_t lsid = 0;
    std::array<LevelOverride, 9> levels{};
};

struct ListTables {
    std::vector<ListDef> lists;
    std::vector<ListOverride> overrides;   // ilfo 1 is index 0
    const ListDef* listFor(std::uint16_t ilfo) const;
    const ListOverride* overrideFor(std::uint16_t ilfo) const;
    // The level definition in effect for a paragraph, overrides applied.
    const ListLevel* level(std::uint16_t ilfo, std::uint8_t ilvl) const;

private:
    mutable std::map<std::uint32_t, std::size_t> byLsid_;  // built on first use
    mutable std::size_t indexed_ = 0;
};

ListTables parseListTables(const ByteReader& table, FcLcb plfLst, FcLcb plfLfo);

// The shared form of a level: label template, format, restart rule. The
// bullet font is the name of the font the level's label is set in.
word::ListLevelDef toListLevelDef(const ListLevel& level, const std::string& font);

// Counts list items as paragraphs come, and produces their labels.
class ListNumbering {
public:
    explicit ListNumbering(const ListTables& tables) : tables_(tables) {}
    // The label of a paragraph with these list properties, with its
    // separator; empty when the paragraph is no list item. levelOut receives
    // the level definition used (for its character properties), if any.
    // fontOf names the font a level's label is set in (for bullets).
    std::u16string next(std::uint16_t ilfo, std::uint8_t ilvl, const ListLevel** levelOut = nullptr,
                        const std::function<std::string(const ListLevel&)>& fontOf = {});

private:
    const ListTables& tables_;
    word::ListCounters counters_;
};

} // namespace fq::doc
