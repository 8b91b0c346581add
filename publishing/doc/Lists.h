// Numbered and bulleted lists: the list definitions (PlfLst with their
// levels), the list overrides (PlfLfo) paragraphs refer to by ilfo, and the
// numbering state that turns (ilfo, ilvl) into a label such as "1.2." or a
// bullet while the text is converted in order.
#pragma once

#include "publishing/doc/ByteReader.h"
#include "publishing/doc/Fib.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace fq::doc {

struct ListLevel {
    std::int32_t startAt = 1;
    std::uint8_t nfc = 0;             // number format
    bool legal = false;               // all levels decimal
    std::uint8_t follow = 0;          // 0 tab, 1 space, 2 nothing
    std::u16string text;              // placeholders 0..8 stand for the level numbers
    Bytes chpx;
    Bytes papx;                       // indents of the level
};

struct ListDef {
    std::uint32_t lsid = 0;
    std::vector<ListLevel> levels;    // 1 or 9
};

struct ListTables {
    std::vector<ListDef> lists;
    std::vector<std::uint32_t> overrides;  // lsid of each LFO, ilfo 1 is index 0
    const ListDef* listFor(std::uint16_t ilfo) const;

private:
    mutable std::map<std::uint32_t, std::size_t> byLsid_;  // built on first use
    mutable std::size_t indexed_ = 0;
};

ListTables parseListTables(const ByteReader& table, FcLcb plfLst, FcLcb plfLfo);

// Counts list items as paragraphs come, and produces their labels.
class ListNumbering {
public:
    explicit ListNumbering(const ListTables& tables) : tables_(tables) {}
    // The label of a paragraph with these list properties, with its
    // separator; empty when the paragraph is no list item. levelOut receives
    // the level definition used (for its character properties), if any.
    std::u16string next(std::uint16_t ilfo, std::uint8_t ilvl, const ListLevel** levelOut = nullptr);

private:
    const ListTables& tables_;
    std::map<std::uint32_t, std::vector<std::int32_t>> counters_;  // by lsid, 0 = unset
};

std::u16string formatNumber(std::int32_t n, std::uint8_t nfc);

} // namespace fq::doc
