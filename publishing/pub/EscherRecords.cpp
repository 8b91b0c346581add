// Office Art record primitives.
#include "publishing/pub/EscherRecords.h"

#include "publishing/pub/PubConstants.h"

#include <algorithm>

namespace fq::pub {

void writeOpt(RecordWriter& w, std::uint16_t type, const Properties& props,
              const std::vector<ComplexProperty>& complex) {
    // Properties stay sorted by id, complex ones included.
    std::vector<std::pair<std::uint16_t, std::uint32_t>> table(props);
    for (const auto& c : complex)
        table.push_back({static_cast<std::uint16_t>(c.id | 0x8000), static_cast<std::uint32_t>(2 * c.text.size() + 2)});
    std::stable_sort(table.begin(), table.end(),
                     [](const auto& a, const auto& b) { return (a.first & 0x3FFF) < (b.first & 0x3FFF); });
    const auto m = w.open(type, 3, static_cast<std::uint16_t>(table.size()));
    for (const auto& [id, value] : table) {
        w.out().u16(id);
        w.out().u32(value);
    }
    for (const auto& entry : table) {
        if (!(entry.first & 0x8000)) continue;
        for (const auto& c : complex)
            if ((c.id | 0x8000) == entry.first) {
                w.out().utf16(c.text);
                w.out().u16(0);
            }
    }
    w.close(m);
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
