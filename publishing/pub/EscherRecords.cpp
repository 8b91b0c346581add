// Office Art record primitives.
#include "publishing/pub/EscherRecords.h"

#include "publishing/pub/PubConstants.h"

#include <algorithm>

namespace fq::pub {

void PropertyTable::set(std::uint16_t id, std::uint32_t value) {
    for (auto& e : entries_)
        if (e.id == id) {
            e = Entry{id, value, false, {}};
            return;
        }
    entries_.push_back(Entry{id, value, false, {}});
}

void PropertyTable::setComplex(std::uint16_t id, std::vector<std::uint8_t> data) {
    const auto size = static_cast<std::uint32_t>(data.size());
    for (auto& e : entries_)
        if (e.id == id) {
            e = Entry{id, size, true, std::move(data)};
            return;
        }
    entries_.push_back(Entry{id, size, true, std::move(data)});
}

void PropertyTable::setText(std::uint16_t id, const std::u16string& text) {
    std::vector<std::uint8_t> data;
    data.reserve(2 * text.size() + 2);
    for (char16_t c : text) {
        data.push_back(static_cast<std::uint8_t>(c & 0xFF));
        data.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    data.push_back(0);
    data.push_back(0);
    setComplex(id, std::move(data));
}

void PropertyTable::write(RecordWriter& w, std::uint16_t recordType) const {
    std::vector<const Entry*> sorted;
    sorted.reserve(entries_.size());
    for (const auto& e : entries_) sorted.push_back(&e);
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const Entry* a, const Entry* b) { return (a->id & 0x3FFF) < (b->id & 0x3FFF); });
    const auto m = w.open(recordType, 3, static_cast<std::uint16_t>(sorted.size()));
    for (const Entry* e : sorted) {
        w.out().u16(static_cast<std::uint16_t>(e->complex ? (e->id | 0x8000) : e->id));
        w.out().u32(e->value);
    }
    for (const Entry* e : sorted)
        if (e->complex) w.out().append(e->data);
    w.close(m);
}

void writeOpt(RecordWriter& w, std::uint16_t type, const Properties& props,
              const std::vector<ComplexProperty>& complex) {
    PropertyTable table;
    table.set(props);
    for (const auto& c : complex) table.setText(c.id, c.text);
    table.write(w, type);
}

Properties sideBorders() {
    using namespace esc::op;
    return {{LineLeftColor, esc::kPaletteBlack},  {LineLeftBack, esc::kPaletteWhite},
            {LineTopColor, esc::kPaletteBlack},   {LineTopBack, esc::kPaletteWhite},
            {LineRightColor, esc::kPaletteBlack}, {LineRightBack, esc::kPaletteWhite},
            {LineBottomColor, esc::kPaletteBlack}, {LineBottomBack, esc::kPaletteWhite},
            {LineColumnColor, esc::kPaletteBlack}, {LineColumnBack, esc::kPaletteWhite}};
}

void writeAnchor(RecordWriter& w, const RectEmu& r) {
    const auto m = w.open(esc::ClientAnchor, esc::kClientVersion, esc::kClientInstance);
    w.out().u32(0x1C);
    const std::pair<std::uint16_t, std::int32_t> values[] = {
        {esc::kAnchorLeft, r.left}, {esc::kAnchorTop, r.top}, {esc::kAnchorRight, r.right},
        {esc::kAnchorBottom, r.bottom}};
    for (const auto& [id, v] : values) {
        w.out().u16(id);
        w.out().i32(v);
    }
    w.close(m);
}

void writeClient(RecordWriter& w, std::uint16_t type, std::uint16_t id, std::uint32_t value) {
    const auto m = w.open(type, esc::kClientVersion, esc::kClientInstance);
    w.out().u32(10);
    w.out().u16(id);
    w.out().u32(value);
    w.close(m);
}

void writeSp(RecordWriter& w, std::uint16_t shapeType, std::uint32_t spid, std::uint32_t flags) {
    const auto m = w.open(esc::Sp, 2, shapeType);
    w.out().u32(spid);
    w.out().u32(flags);
    w.close(m);
}

} // namespace fq::pub
