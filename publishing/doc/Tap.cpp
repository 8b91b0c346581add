// What each table sprm does to a row's TAP.
#include "publishing/doc/Tap.h"

#include "publishing/doc/Sprm.h"

#include <algorithm>

namespace fq::doc {

namespace {

// More cells than this a row cannot have.
constexpr std::size_t kMaxCells = 64;

std::optional<std::uint32_t> colorRef(std::uint32_t v) {
    if ((v >> 24) == 0xFF) return std::nullopt;   // automatic
    return v & 0xFFFFFF;
}

// The cells [first, lim) of the row that exist.
std::pair<std::size_t, std::size_t> cellRange(const Tap& tap, std::uint8_t first, std::uint8_t lim) {
    const std::size_t n = tap.cells.size();
    return {std::min<std::size_t>(first, n), std::min<std::size_t>(lim, n)};
}

void setBorders(Tap& tap, std::span<const std::uint8_t> o, bool brc80) {
    const std::size_t size = brc80 ? 4 : 8;
    if (o.size() < 3 + size) return;
    const Brc brc = brc80 ? readBrc80(&o[3]) : readBrc(&o[3]);
    const auto [from, to] = cellRange(tap, o[0], o[1]);
    for (std::size_t i = from; i < to; ++i)
        for (int side = 0; side < 4; ++side)
            if (o[2] & (1 << side)) tap.cells[i].borders[side] = brc;
}

void defineTable(Tap& tap, std::span<const std::uint8_t> o) {
    if (o.empty()) return;
    const std::size_t n = std::min<std::size_t>(o[0], kMaxCells - 1);
    if (o.size() < 1 + (n + 1) * 2) return;
    tap.defined = true;
    tap.centers.assign(n + 1, 0);
    for (std::size_t i = 0; i <= n; ++i) tap.centers[i] = static_cast<std::int16_t>(le16(&o[1 + i * 2]));
    tap.cells.assign(n, TapCell{});
    // The cell descriptors that follow; trailing ones may be left out.
    const std::size_t base = 1 + (n + 1) * 2;
    for (std::size_t i = 0; i < n && base + (i + 1) * 20 <= o.size(); ++i) {
        const std::uint8_t* tc = &o[base + i * 20];
        const std::uint16_t flags = le16(tc);
        TapCell& c = tap.cells[i];
        c.firstMerged = flags & 0x0001;
        c.merged = flags & 0x0002;
        c.vertMerge = flags & 0x0020;
        c.vertRestart = flags & 0x0040;
        c.vertAlign = static_cast<std::uint8_t>((flags >> 7) & 0x3);
        c.width = {static_cast<std::uint8_t>((flags >> 9) & 0x7), static_cast<std::int16_t>(le16(tc + 2))};
        for (int side = 0; side < 4; ++side) {
            const std::uint32_t raw = le32(tc + 4 + side * 4);
            if (raw != 0) c.borders[side] = readBrc80(tc + 4 + side * 4);
        }
    }
}

// Shd80 entries for cells 0, 1, ... of the row.
void defineShading80(Tap& tap, std::span<const std::uint8_t> o) {
    for (std::size_t i = 0; i < tap.cells.size() && (i + 1) * 2 <= o.size(); ++i)
        tap.cells[i].shading = readShd80(le16(&o[i * 2]));
}

// Shd entries for cells first, first + 1, ...
void defineShading(Tap& tap, std::span<const std::uint8_t> o, std::size_t first) {
    for (std::size_t i = 0; first + i < tap.cells.size() && (i + 1) * 10 <= o.size(); ++i)
        tap.cells[first + i].shading = readShd(&o[i * 10]);
}

// A cell spacing or padding operand (CSSA): cells, sides, unit and width.
struct Cssa {
    std::uint8_t first = 0, lim = 0, sides = 0;
    std::optional<std::int16_t> twips;
};
Cssa readCssa(std::span<const std::uint8_t> o) {
    Cssa c;
    if (o.size() < 6) return c;
    c.first = o[0];
    c.lim = o[1];
    c.sides = o[2];
    // Only widths in twips are kept; "none" and percentages say nothing here.
    if (o[3] == 3) c.twips = static_cast<std::int16_t>(le16(&o[4]));
    return c;
}

void insertCells(Tap& tap, std::span<const std::uint8_t> o) {
    if (o.size() < 4 || tap.centers.empty()) return;
    const std::size_t at = std::min<std::size_t>(o[0], tap.cells.size());
    const std::size_t count = std::min<std::size_t>(o[1], kMaxCells - 1 - tap.cells.size());
    const std::int16_t width = static_cast<std::int16_t>(le16(&o[2]));
    if (count == 0) return;
    tap.cells.insert(tap.cells.begin() + static_cast<std::ptrdiff_t>(at), count, TapCell{});
    std::vector<std::int16_t> centers(tap.centers.begin(), tap.centers.begin() + static_cast<std::ptrdiff_t>(at) + 1);
    for (std::size_t i = 0; i < count; ++i) centers.push_back(static_cast<std::int16_t>(centers.back() + width));
    const std::int16_t shift = static_cast<std::int16_t>(centers.back() - tap.centers[at]);
    for (std::size_t i = at + 1; i < tap.centers.size(); ++i)
        centers.push_back(static_cast<std::int16_t>(tap.centers[i] + shift));
    tap.centers = std::move(centers);
}

void deleteCells(Tap& tap, std::span<const std::uint8_t> o) {
    if (o.size() < 2) return;
    const auto [from, to] = cellRange(tap, o[0], o[1]);
    if (from >= to) return;
    const std::int16_t removed = static_cast<std::int16_t>(tap.centers[to] - tap.centers[from]);
    tap.cells.erase(tap.cells.begin() + static_cast<std::ptrdiff_t>(from), tap.cells.begin() + static_cast<std::ptrdiff_t>(to));
    tap.centers.erase(tap.centers.begin() + static_cast<std::ptrdiff_t>(from) + 1,
                      tap.centers.begin() + static_cast<std::ptrdiff_t>(to) + 1);
    for (std::size_t i = from + 1; i < tap.centers.size(); ++i)
        tap.centers[i] = static_cast<std::int16_t>(tap.centers[i] - removed);
}

void setColumnWidths(Tap& tap, std::span<const std::uint8_t> o) {
    if (o.size() < 4) return;
    const auto [from, to] = cellRange(tap, o[0], o[1]);
    const std::int16_t width = static_cast<std::int16_t>(le16(&o[2]));
    for (std::size_t i = from; i < to; ++i) {
        const int delta = width - (tap.centers[i + 1] - tap.centers[i]);
        for (std::size_t j = i + 1; j < tap.centers.size(); ++j)
            tap.centers[j] = static_cast<std::int16_t>(tap.centers[j] + delta);
    }
}

FtsWidth readFtsWidth(std::span<const std::uint8_t> o) {
    if (o.size() < 3) return {};
    return {o[0], static_cast<std::int16_t>(le16(&o[1]))};
}

} // namespace

Shd readShd80(std::uint16_t v) {
    Shd s;
    if (v == 0xFFFF) {
        s.nil = true;
        return s;
    }
    s.fore = icoColorRef(v & 0x1F);
    s.back = icoColorRef((v >> 5) & 0x1F);
    s.ipat = static_cast<std::uint16_t>(v >> 10);
    return s;
}

std::optional<std::uint32_t> icoColorRef(std::uint8_t ico) {
    static constexpr std::uint32_t colors[17] = {0,        0x000000, 0xFF0000, 0xFFFF00, 0x00FF00, 0xFF00FF,
                                                 0x0000FF, 0x00FFFF, 0xFFFFFF, 0x800000, 0x808000, 0x008000,
                                                 0x800080, 0x000080, 0x008080, 0x808080, 0xC0C0C0};
    if (ico == 0 || ico >= 17) return std::nullopt;
    return colors[ico];
}

Shd readShd(const std::uint8_t* p) {
    Shd s;
    s.fore = colorRef(le32(p));
    s.back = colorRef(le32(p + 4));
    s.ipat = le16(p + 8);
    s.nil = s.ipat == 0xFFFF;
    return s;
}

void applyTap(Tap& tap, std::span<const std::uint8_t> grpprl, const ByteReader* data) {
    forEachSprm(grpprl, [&](const Sprm& s) {
        const auto o = s.operand;
        switch (s.op) {
        case sprm::TJc90: case sprm::TJc: tap.jc = static_cast<std::uint8_t>(s.u16() & 0x3); break;
        case sprm::TDxaGapHalf: tap.gapHalf = s.i16(); break;
        case sprm::TDxaLeft:
            // Moves the row so that its first cell's text starts this far from the margin.
            if (!tap.centers.empty()) {
                const int shift = s.i16() - tap.gapHalf.value_or(0) - tap.centers.front();
                for (auto& c : tap.centers) c = static_cast<std::int16_t>(c + shift);
            }
            break;
        case sprm::TFCantSplit90: case sprm::TFCantSplit: tap.cantSplit = s.u8() != 0; break;
        case sprm::TTableHeader: tap.header = s.u8() != 0; break;
        case sprm::TDyaRowHeight: tap.rowHeight = s.i16(); break;
        case sprm::TDefTable: defineTable(tap, o); break;
        case sprm::TTableBorders80:
            for (std::size_t i = 0; i < 6 && (i + 1) * 4 <= o.size(); ++i) tap.borders[i] = readBrc80(&o[i * 4]);
            break;
        case sprm::TTableBorders:
            for (std::size_t i = 0; i < 6 && (i + 1) * 8 <= o.size(); ++i) tap.borders[i] = readBrc(&o[i * 8]);
            break;
        case sprm::TSetBrc80: setBorders(tap, o, true); break;
        case sprm::TSetBrc: setBorders(tap, o, false); break;
        case sprm::TDefTableShd80: defineShading80(tap, o); break;
        case sprm::TDefTableShd: case sprm::TDefTableShdRaw: defineShading(tap, o, 0); break;
        case sprm::TDefTableShd2nd: case sprm::TDefTableShdRaw2nd: defineShading(tap, o, 22); break;
        case sprm::TDefTableShd3rd: case sprm::TDefTableShdRaw3rd: defineShading(tap, o, 44); break;
        case sprm::TSetShd80:
            if (o.size() >= 4) {
                const auto [from, to] = cellRange(tap, o[0], o[1]);
                for (std::size_t i = from; i < to; ++i) tap.cells[i].shading = readShd80(le16(&o[2]));
            }
            break;
        case sprm::TSetShd:
            if (o.size() >= 12) {
                const auto [from, to] = cellRange(tap, o[0], o[1]);
                for (std::size_t i = from; i < to; ++i) tap.cells[i].shading = readShd(&o[2]);
            }
            break;
        case sprm::TSetShdTable:
            if (o.size() >= 10) tap.shading = readShd(&o[0]);
            break;
        case sprm::TVertMerge:
            if (o.size() >= 2 && o[0] < tap.cells.size()) {
                tap.cells[o[0]].vertMerge = o[1] != 0;
                tap.cells[o[0]].vertRestart = o[1] == 3;
            }
            break;
        case sprm::TVertAlign:
            if (o.size() >= 3) {
                const auto [from, to] = cellRange(tap, o[0], o[1]);
                for (std::size_t i = from; i < to; ++i) tap.cells[i].vertAlign = static_cast<std::uint8_t>(o[2] & 0x3);
            }
            break;
        case sprm::TMerge: case sprm::TSplit:
            if (o.size() >= 2) {
                const auto [from, to] = cellRange(tap, o[0], o[1]);
                for (std::size_t i = from; i < to; ++i) {
                    tap.cells[i].firstMerged = s.op == sprm::TMerge && i == from;
                    tap.cells[i].merged = s.op == sprm::TMerge && i != from;
                }
            }
            break;
        case sprm::TTableWidth: tap.width = readFtsWidth(o); break;
        case sprm::TWidthBefore: tap.widthBefore = readFtsWidth(o); break;
        case sprm::TWidthAfter: tap.widthAfter = readFtsWidth(o); break;
        case sprm::TFAutofit: tap.autofit = s.u8() != 0; break;
        case sprm::TCellWidth:
            if (o.size() >= 5) {
                const auto [from, to] = cellRange(tap, o[0], o[1]);
                for (std::size_t i = from; i < to; ++i) tap.cells[i].width = readFtsWidth(o.subspan(2));
            }
            break;
        case sprm::TInsert: insertCells(tap, o); break;
        case sprm::TDelete: deleteCells(tap, o); break;
        case sprm::TDxaCol: setColumnWidths(tap, o); break;
        case sprm::TCellPaddingDefault: {
            const Cssa c = readCssa(o);
            if (c.twips)
                for (int side = 0; side < 4; ++side)
                    if (c.sides & (1 << side)) tap.padding[side] = c.twips;
            break;
        }
        case sprm::TCellPadding: {
            const Cssa c = readCssa(o);
            const auto [from, to] = cellRange(tap, c.first, c.lim);
            if (c.twips)
                for (std::size_t i = from; i < to; ++i)
                    for (int side = 0; side < 4; ++side)
                        if (c.sides & (1 << side)) tap.cells[i].padding[side] = c.twips;
            break;
        }
        case sprm::TCellSpacingDefault: {
            const Cssa c = readCssa(o);
            if (c.twips && c.sides) tap.spacing = c.twips;
            break;
        }
        case sprm::PHugePapx:
            if (data) {
                const std::uint32_t fc = s.u32();
                if (data->has(fc, 2)) {
                    const std::size_t cb = data->u16(fc);
                    if (data->has(fc + 2, cb)) applyTap(tap, data->slice(fc + 2, cb), nullptr);
                }
            }
            break;
        default: break;
        }
    });
}

} // namespace fq::doc
