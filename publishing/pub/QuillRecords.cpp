// Quill property records and formatted-disk pages.
#include "publishing/pub/QuillRecords.h"

#include "publishing/pub/BlockWriter.h"
#include "publishing/pub/PubConstants.h"

#include <map>
#include <stdexcept>

namespace fq::pub {

namespace {

void fontContainer(BlockWriter& w, std::uint16_t font) {
    const auto mark = w.open(cp::Font, bt::QuillContainer);
    for (std::uint8_t slot : kFontSlots) {
        const auto s = w.open(slot, bt::Container);
        w.u16(0x00, bt::Short, font);
        w.close(s);
    }
    w.close(mark);
}

void colorContainer(BlockWriter& w, std::uint16_t color) {
    const auto mark = w.open(cp::Color, bt::QuillContainer);
    w.u32(0x00, bt::QuillLong, color);
    w.close(mark);
}

} // namespace

std::vector<std::uint8_t> charRecord(const CharFormat& f) {
    ByteBuffer out;
    BlockWriter w(out);
    const auto rec = w.openRecord();
    if (f.bold) w.flag(cp::Bold, bt::QuillFlag);
    if (f.italic) w.flag(cp::Italic, bt::QuillFlag);
    if (f.sizeEmu) w.u32(cp::Size, bt::QuillLong, f.sizeEmu);
    if (f.superSub) w.u16(cp::SuperSub, bt::QuillShort, f.superSub);
    if (f.smallCaps) w.flag(cp::SmallCaps, bt::QuillFlag);
    if (f.allCaps) w.flag(cp::AllCaps, bt::QuillFlag);
    if (f.underline) w.u16(cp::Underline, bt::QuillShort, f.underline);
    fontContainer(w, f.font);
    if (f.bold) w.flag(cp::Bold2, bt::QuillFlag);
    if (f.italic) w.flag(cp::Italic2, bt::QuillFlag);
    if (f.sizeEmu) w.u32(cp::Size2, bt::QuillLong, f.sizeEmu);
    colorContainer(w, f.color);
    if (f.hyperlink) {
        const auto mark = w.open(cp::Hyperlink, bt::QuillContainer);
        w.u32(0x00, bt::QuillLong, 1);
        w.close(mark);
    }
    w.closeRecord(rec);
    return std::move(out.bytes());
}

std::vector<std::uint8_t> paraRecord(const ParaFormat& f) {
    ByteBuffer out;
    BlockWriter w(out);
    const auto rec = w.openRecord();
    if (f.alignment != pp::kLeft) w.u16(pp::Alignment, bt::QuillShort, f.alignment);
    if (f.firstIndentEmu) w.i32(pp::FirstIndent, bt::QuillLong, f.firstIndentEmu);
    if (f.leftIndentEmu) w.i32(pp::LeftIndent, bt::QuillLong, f.leftIndentEmu);
    if (f.rightIndentEmu) w.i32(pp::RightIndent, bt::QuillLong, f.rightIndentEmu);
    if (f.spaceBeforeEmu > 0) w.i32(pp::SpaceBefore, bt::QuillLong, f.spaceBeforeEmu);
    if (f.spaceAfterEmu > 0) w.i32(pp::SpaceAfter, bt::QuillLong, f.spaceAfterEmu);
    if (!f.tabsEmu.empty()) {
        const auto tabs = w.open(pp::Tabs, bt::QuillContainer);
        const auto array = w.open(pp::TabArray, bt::QuillContainer);
        for (std::int32_t pos : f.tabsEmu) {
            const auto entry = w.open(0x00, bt::Container);
            w.i32(pp::TabPosition, bt::QuillLong, pos);
            w.close(entry);
        }
        w.close(array);
        w.close(tabs);
    }
    if (f.lineSpacing) w.u32(pp::LineSpacing, bt::QuillLong, f.lineSpacing);
    w.closeRecord(rec);
    return std::move(out.bytes());
}

std::vector<std::uint8_t> defaultCharStyleRecord(const std::vector<std::pair<std::uint8_t, std::uint16_t>>& slots) {
    ByteBuffer out;
    BlockWriter w(out);
    const auto rec = w.openRecord();
    w.u32(cp::Size, bt::QuillLong, 127000);
    const auto fonts = w.open(cp::Font, bt::QuillContainer);
    for (const auto& [slot, font] : slots) {
        const auto c = w.open(slot, bt::Container);
        w.u16(0x00, bt::Short, font);
        w.close(c);
    }
    w.close(fonts);
    w.u32(cp::Size2, bt::QuillLong, 127000);
    colorContainer(w, 0);
    const auto c48 = w.open(0x48, bt::QuillContainer);
    w.u32(0x00, bt::QuillLong, 0);
    w.close(c48);
    w.closeRecord(rec);
    return std::move(out.bytes());
}

FdpPages packFdp(const std::vector<FdpEntry>& entries) {
    FdpPages result;
    std::size_t i = 0;
    std::uint32_t start = 0;
    while (i < entries.size() || result.pages.empty()) {
        // Choose how many entries fit on this page.
        std::map<std::vector<std::uint8_t>, std::uint16_t> placed;
        std::vector<std::uint16_t> offsets;
        std::size_t first = i;
        std::size_t top = kQuillPage;   // records grow down from here
        ByteBuffer page;
        page.zeros(kQuillPage);
        while (i < entries.size()) {
            const auto& rec = entries[i].record;
            if (rec.size() > 400) throw std::logic_error("pub writer: property record too large");
            const bool known = placed.count(rec) != 0;
            const std::size_t n = offsets.size() + 1;
            if (!known && rec.size() + 8 + 6 * n > top) break;
            const std::size_t newTop = known ? top : (top - rec.size()) & ~std::size_t(1);
            if (8 + 6 * n > newTop) break;
            std::uint16_t at;
            if (known) {
                at = placed[rec];
            } else {
                std::copy(rec.begin(), rec.end(), page.bytes().begin() + newTop);
                at = static_cast<std::uint16_t>(newTop);
                placed.emplace(rec, at);
                top = newTop;
            }
            offsets.push_back(at);
            ++i;
        }
        if (i == first && i < entries.size()) throw std::logic_error("pub writer: FDP entry does not fit");
        const std::size_t n = offsets.size();
        page.patchU16(0, static_cast<std::uint16_t>(n));
        page.patchU16(2, 1);
        page.patchU32(4, start);
        for (std::size_t k = 0; k < n; ++k) {
            page.patchU32(8 + 4 * k, entries[first + k].end);
            page.patchU16(8 + 4 * n + 2 * k, offsets[k]);
        }
        const std::uint32_t last = n ? entries[first + n - 1].end : start;
        result.pages.push_back(std::move(page));
        result.lastEnds.push_back(last);
        start = last;
        if (entries.empty()) break;
    }
    return result;
}

} // namespace fq::pub
