// Office drawing record and property-table writing.
#include "publishing/pub/EscherRecords.h"

#include <algorithm>

namespace fq::pub::escher {

std::size_t RecordWriter::open(std::uint16_t type, std::uint16_t version, std::uint16_t instance) {
    out_.u16(static_cast<std::uint16_t>(version | (instance << 4)));
    out_.u16(type);
    const std::size_t mark = out_.size();
    out_.u32(0);
    return mark;
}

void RecordWriter::close(std::size_t mark) {
    out_.patchU32(mark, static_cast<std::uint32_t>(out_.size() - mark - 4));
}

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

} // namespace fq::pub::escher
