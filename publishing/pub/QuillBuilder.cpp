// The Quill text stream of a .pub file.
#include "publishing/pub/QuillBuilder.h"

#include "publishing/pub/BlockWriter.h"
#include "publishing/pub/PubConstants.h"
#include "publishing/pub/QuillLinks.h"
#include "publishing/pub/QuillRecords.h"
#include "publishing/pub/TableChunks.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <map>
#include <cstring>
#include <string>

namespace fq::pub {

namespace {

struct TocEntry {
    std::array<char, 4> name;
    std::uint16_t index;
    std::array<char, 4> storage;
    std::uint32_t offset;
    std::uint32_t length;
};

std::array<char, 4> tag(const char* s) {
    std::array<char, 4> a{' ', ' ', ' ', ' '};
    for (int i = 0; i < 4 && s[i]; ++i) a[i] = s[i];
    return a;
}

class QuillStream {
public:
    ByteBuffer out;
    std::vector<TocEntry> toc;

    void begin(const char* name, std::uint16_t index, const char* storage) {
        current_ = TocEntry{tag(name), index, tag(storage), static_cast<std::uint32_t>(out.size()), 0};
    }
    void end() {
        current_.length = static_cast<std::uint32_t>(out.size() - current_.offset);
        toc.push_back(current_);
    }

private:
    TocEntry current_{};
};

// The shared list layout: u32 data length, u32 count, u32 stamp, u32 kind,
// u32 0, count element offsets (from the end of this 20-byte header), then
// the elements, each 2-aligned.
void writeList(ByteBuffer& out, const std::vector<ByteBuffer>& elements, std::uint32_t kind, std::uint32_t field10 = 0) {
    const std::size_t start = out.size();
    out.u32(0);
    out.u32(static_cast<std::uint32_t>(elements.size()));
    out.u32(kQuillListStamp);
    out.u32(kind);
    out.u32(field10);
    const std::size_t base = out.size();
    const std::size_t offsetTable = base;
    out.zeros(4 * elements.size());
    for (std::size_t i = 0; i < elements.size(); ++i) {
        out.alignTo(2);
        out.patchU32(offsetTable + 4 * i, static_cast<std::uint32_t>(out.size() - base));
        out.append(elements[i]);
    }
    out.alignTo(2);
    out.patchU32(start, static_cast<std::uint32_t>(out.size() - base));
}

ByteBuffer styleElement(std::uint16_t head, const std::vector<std::uint8_t>& record) {
    ByteBuffer e;
    e.u16(head);
    e.append(record);
    return e;
}

// The fonts Publisher 2010's default style gives the scripts other than
// Latin, with their FONT flags, and the slots of the Latin font.
struct ScriptFont {
    std::vector<std::uint8_t> slots;
    const char16_t* name;
    std::uint32_t flags;
};
const std::vector<std::uint8_t> kLatinSlots = {0x01, 0x02, 0x06, 0x07, 0x10, 0x12, 0x13, 0x20, 0x21, 0x27, 0x28};
const ScriptFont kScriptFonts[] = {
    {{0x05, 0x14}, u"Sylfaen", 0x04},   {{0x08}, u"Mangal", 0x09},       {{0x09}, u"Vrinda", 0x0A},
    {{0x0A}, u"Raavi", 0x14},           {{0x0B}, u"Shruti", 0x15},       {{0x0C}, u"Sendnya", 0x3F},
    {{0x0D}, u"Latha", 0x17},           {{0x0E}, u"Gautami", 0x18},      {{0x0F}, u"Tunga", 0x19},
    {{0x11}, u"Angsana New", 0x1A},     {{0x15}, u"Batang", 0x3E},       {{0x16, 0x19}, u"MS Mincho", 0x05},
    {{0x17}, u"PMingLiU", 0x07},        {{0x18}, u"SimSun", 0x08},       {{0x1E}, u"Estrangelo Edessa", 0x1B},
    {{0x1F}, u"MV Boli", 0x1C}};

struct FontTable {
    std::vector<std::u16string> names;
    std::vector<std::uint32_t> flags;
    std::vector<std::pair<std::uint8_t, std::uint16_t>> defaultSlots;
};

// The FONT list: the fonts the runs use (their indexes stay), then the
// script fonts of the default style; Times New Roman when no run has text.
FontTable fontTable(const std::vector<std::u16string>& used) {
    FontTable t;
    t.names = used;
    if (t.names.empty()) t.names.push_back(u"Times New Roman");
    t.flags.assign(t.names.size(), 0);
    std::map<std::uint8_t, std::uint16_t> slots;
    for (std::uint8_t s : kLatinSlots) slots[s] = 0;
    for (const auto& f : kScriptFonts) {
        std::uint16_t index = 0;
        auto it = std::find(t.names.begin(), t.names.end(), std::u16string(f.name));
        if (it == t.names.end()) {
            index = static_cast<std::uint16_t>(t.names.size());
            t.names.push_back(f.name);
            t.flags.push_back(f.flags);
        } else {
            index = static_cast<std::uint16_t>(it - t.names.begin());
        }
        for (std::uint8_t s : f.slots) slots[s] = index;
    }
    t.defaultSlots.assign(slots.begin(), slots.end());
    return t;
}

void writeStyles(QuillStream& q, const FontTable& fonts) {
    // STSH 0: style names (one unnamed entry).
    q.begin("STSH", 0, "STSH");
    {
        ByteBuffer e;
        e.u16(0);
        e.u32(0xFFFFFFFF);
        writeList(q.out, {e}, 4);
    }
    q.end();
    // STSH 1: the default character style and the default paragraph style.
    q.begin("STSH", 1, "STSH");
    {
        ByteBuffer para;
        BlockWriter w(para);
        const auto rec = w.openRecord();
        w.u16(0x30, bt::QuillShort, 5);
        w.closeRecord(rec);
        writeList(q.out, {styleElement(0xA9, defaultCharStyleRecord(fonts.defaultSlots)), styleElement(0x05, para.bytes())},
                  0, 0x100);
    }
    q.end();
    // STSH 2: style links.
    q.begin("STSH", 2, "STSH");
    {
        std::vector<ByteBuffer> links(2);
        for (auto& e : links) {
            e.u16(7);
            e.u32(0xFFFFFFFF);
            e.u32(0);
            e.u32(4);
            e.u16(0);
        }
        writeList(q.out, links, 0);
    }
    q.end();
}

std::vector<FdpEntry> paragraphEntries(const std::vector<Story>& stories) {
    std::vector<FdpEntry> entries;
    std::uint32_t pos = kQuillTextOffset;
    for (const auto& s : stories)
        for (const auto& p : s.paragraphs) {
            pos += 2 * p.length;
            entries.push_back(FdpEntry{pos, paraRecord(p.format)});
        }
    return entries;
}

std::vector<FdpEntry> characterEntries(const std::vector<Story>& stories) {
    std::vector<FdpEntry> entries;
    std::uint32_t pos = kQuillTextOffset;
    for (const auto& s : stories)
        for (const auto& r : s.runs) {
            pos += 2 * r.length;
            entries.push_back(FdpEntry{pos, charRecord(r.format)});
        }
    return entries;
}

// libmspub keeps FDPC/FDPP end positions in 16 bits and compares them,
// less the TEXT offset, with an unsigned count of the bytes it has read.
// Past 64 KiB an entry whose truncated end is at least the TEXT offset ends
// after one character and the reader soon runs out of entries (the text
// of every later frame is lost); an entry whose truncated end is below it
// never ends, so everything from there on arrives in that entry's
// formatting. The first entry ending at or past 64 KiB is therefore made
// to end before 64 KiB + TEXT offset, splitting it at 64 KiB when it runs
// longer: harmless for character runs; for paragraphs the split lies
// inside a paragraph (Publisher ends paragraph entries at paragraph marks
// only), both halves with the same properties.
void splitAtReaderLimit(std::vector<FdpEntry>& entries) {
    constexpr std::uint32_t limit = 0x10000;
    auto it = std::find_if(entries.begin(), entries.end(), [](const FdpEntry& e) { return e.end >= limit; });
    if (it == entries.end() || it->end < limit + kQuillTextOffset) return;
    FdpEntry head{limit, it->record};
    entries.insert(it, std::move(head));
}

struct PagedChunk {
    std::vector<std::uint32_t> pageOffsets;
    std::vector<std::uint32_t> lastEnds;
};

PagedChunk writeFdp(QuillStream& q, const char* name, const std::vector<FdpEntry>& entries) {
    PagedChunk result;
    FdpPages pages = packFdp(entries);
    for (std::size_t i = 0; i < pages.pages.size(); ++i) {
        q.out.alignTo(kQuillPage);
        result.pageOffsets.push_back(static_cast<std::uint32_t>(q.out.size()));
        q.begin(name, static_cast<std::uint16_t>(i), name);
        q.out.append(pages.pages[i]);
        q.end();
    }
    result.lastEnds = std::move(pages.lastEnds);
    return result;
}

void writeBinTable(QuillStream& q, const char* name, const PagedChunk& chunk) {
    q.begin(name, 0, "PLC ");
    const auto n = static_cast<std::uint32_t>(chunk.pageOffsets.size());
    q.out.u32(n);
    q.out.u32(4);
    q.out.u32(0);
    q.out.u32(0);
    for (std::uint32_t end : chunk.lastEnds) q.out.u32(end);
    for (std::uint32_t off : chunk.pageOffsets) q.out.u32(off);
    q.end();
}

void writeFonts(QuillStream& q, const FontTable& fonts) {
    q.begin("FONT", 0, "FONT");
    std::vector<ByteBuffer> elements;
    for (std::size_t i = 0; i < fonts.names.size(); ++i) {
        ByteBuffer e;
        e.u16(static_cast<std::uint16_t>(fonts.names[i].size()));
        e.utf16(fonts.names[i]);
        e.u32(fonts.flags[i]);
        elements.push_back(std::move(e));
    }
    writeList(q.out, elements, 4, 0x100);
    q.end();
}

void writeStoryLengths(QuillStream& q, const std::vector<Story>& stories) {
    q.begin("STRS", 0, "PLC ");
    q.out.u32(static_cast<std::uint32_t>(stories.size()));
    q.out.u32(8);
    q.out.u32(0xFF);
    for (const auto& s : stories) q.out.u32(static_cast<std::uint32_t>(s.text.size()));
    q.out.u32(0);
    BlockWriter w(q.out);
    for (std::size_t i = 0; i < stories.size(); ++i) {
        const auto rec = w.openRecord();
        if (i == 0) w.u32(0x00, bt::QuillLong, 5);
        w.closeRecord(rec);
    }
    q.end();
}

// Per-story layout data: the frame's size, its margins and column gap.
void writeStoryLayout(QuillStream& q, const std::vector<Story>& stories) {
    q.begin("MCLD", 0, "MCLD");
    std::uint32_t highest = 0;
    for (const auto& s : stories) highest = std::max(highest, s.id);
    q.out.u32(highest);
    q.out.u32(static_cast<std::uint32_t>(stories.size()));
    for (const auto& s : stories) q.out.u32(s.id);
    BlockWriter w(q.out);
    // One record per frame, or per cell of a table story (with the cell's
    // margins, no column gap, and two values Publisher gives every cell).
    auto record = [&](std::int32_t width, std::int32_t height, const StoryCell* cell) {
        const auto rec = w.openRecord();
        w.i32(0x04, bt::QuillLong, width);
        w.i32(0x05, bt::QuillLong, height);
        const std::int32_t margins[] = {cell ? cell->marginTopEmu : 0, cell ? cell->marginLeftEmu : 0,
                                        cell ? cell->marginBottomEmu : 0, cell ? cell->marginRightEmu : 0};
        for (std::uint8_t id = 0x06; id <= 0x09; ++id) w.i32(id, bt::QuillLong, margins[id - 0x06]);
        w.u32(0x0A, bt::QuillLong, cell ? 0 : 72390);
        w.u16(0x0B, 0x1A, 0);
        w.u32(0x0D, bt::QuillLong, 0);
        w.u32(0x11, bt::QuillLong, 0);
        w.u32(0x12, bt::QuillLong, cell ? 219456000 : 0);
        w.u16(0x13, bt::QuillShort, cell ? 0xA2FF : 0xFF);
        w.flag(0x14, bt::QuillFlag);
        w.u32(0x15, bt::QuillLong, 1);
        w.u32(0x16, bt::QuillLong, 0);
        w.u32(0x18, bt::QuillLong, 0);
        w.flag(0x1A, 0x02);
        const auto c = w.open(0x1D, bt::QuillContainer);
        w.i32(0x00, bt::QuillLong, -4);
        w.close(c);
        w.closeRecord(rec);
    };
    for (const auto& s : stories) {
        const auto head = w.openRecord();
        w.flag(0x00, 0x02);
        w.u32(0x01, bt::QuillLong, 228600);
        w.closeRecord(head);
        if (s.cells.empty()) {
            q.out.u32(1);
            record(s.frameWidthEmu, s.frameHeightEmu, nullptr);
        } else {
            q.out.u32(static_cast<std::uint32_t>(s.cells.size()));
            for (const auto& cell : s.cells) record(cell.widthEmu, cell.heightEmu, &cell);
        }
    }
    q.end();
}

void writeColors(QuillStream& q, const std::vector<TextColor>& colors) {
    q.begin("PL  ", 0, "PL  ");
    q.out.u32(static_cast<std::uint32_t>(colors.size()));
    q.out.u32(0x1C);
    q.out.u32(0);
    BlockWriter w(q.out);
    for (std::size_t i = 0; i < colors.size(); ++i) {
        const auto rec = w.openRecord();
        // Entry 0 is automatic text: the palette's black, as in Publisher.
        w.u32(0x01, bt::QuillLong, i == 0 ? esc::kPaletteBlack : colors[i].bgr());
        if (i == 0) {
            w.u32(0x02, bt::QuillLong, 0xFFFFFFFF);
            w.u32(0x03, bt::QuillLong, 0x20000000);
            w.u32(0x04, bt::QuillLong, 0xFFFFFFFF);
            w.u32(0x05, bt::QuillLong, 0xFFFFFFFF);
        }
        const auto c = w.open(0x06, bt::QuillContainer82);
        w.flag(0x00, bt::Empty);
        w.close(c);
        w.closeRecord(rec);
    }
    q.end();
}

void writeTocEntry(ByteBuffer& out, std::size_t at, const TocEntry& e) {
    out.patchU16(at, 0x18);
    for (int k = 0; k < 4; ++k) out.bytes()[at + 2 + k] = static_cast<std::uint8_t>(e.name[k]);
    out.patchU16(at + 6, e.index);
    out.patchU32(at + 8, 1);
    for (int k = 0; k < 4; ++k) out.bytes()[at + 12 + k] = static_cast<std::uint8_t>(e.storage[k]);
    out.patchU32(at + 16, e.offset);
    out.patchU32(at + 20, e.length);
}

} // namespace

ByteBuffer buildQuill(const StorySet& set) {
    QuillStream q;
    std::size_t textUnits = 0;
    for (const auto& s : set.stories) textUnits += s.text.size();
    q.out.reserve(kQuillTextOffset + 2 * textUnits + 8192);
    q.out.zeros(kQuillTextOffset);

    // Without any story Publisher writes no text chunks at all.
    const bool text = !set.stories.empty();
    const FontTable fonts = fontTable(set.fonts);
    if (text) {
        q.begin("TEXT", 0, "TEXT");
        for (const auto& s : set.stories) q.out.utf16(s.text);
        q.end();
    }
    writeStyles(q, fonts);
    PagedChunk paras, chars;
    if (text) {
        auto paraEntries = paragraphEntries(set.stories);
        auto charEntries = characterEntries(set.stories);
        splitAtReaderLimit(paraEntries);
        splitAtReaderLimit(charEntries);
        paras = writeFdp(q, "FDPP", paraEntries);
        chars = writeFdp(q, "FDPC", charEntries);
        q.out.alignTo(kQuillPage);
    }
    q.begin("SYID", 0, "SYID");
    std::uint32_t highest = 0;
    for (const auto& s : set.stories) highest = std::max(highest, s.id);
    q.out.u32(highest);
    q.out.u32(static_cast<std::uint32_t>(set.stories.size()));
    for (const auto& s : set.stories) q.out.u32(s.id);
    q.end();

    q.begin("SGP ", 0, "SGP ");
    q.out.u32(4);
    q.end();
    q.begin("INK ", 0, "INK ");
    q.out.u16(0x74);
    q.out.u16(0x74);
    q.end();

    if (text) {
        writeBinTable(q, "BTEP", paras);
        writeBinTable(q, "BTEC", chars);
    }
    writeFonts(q, fonts);
    for (std::size_t i = 0; i < set.stories.size(); ++i) {
        if (set.stories[i].cells.empty()) continue;
        // Indexed by the table story's place in STRS.
        q.begin("TCD ", static_cast<std::uint16_t>(i), "PLC ");
        q.out.append(tableCellEnds(set.stories[i]));
        q.end();
    }
    for (std::size_t i = 0; i < set.stories.size(); ++i) {
        if (set.stories[i].links.empty()) continue;
        q.begin("TOKN", static_cast<std::uint16_t>(i), "PLC ");
        writeLinkTokens(q.out, set.stories[i]);
        q.end();
    }
    if (text) {
        writeStoryLengths(q, set.stories);
        writeStoryLayout(q, set.stories);
    }
    writeColors(q, set.colors);

    // Table of contents: the first block holds 19 entries right after the
    // header; the rest go to further 512-byte blocks at the end.
    const std::size_t total = q.toc.size();
    std::size_t firstCount = std::min<std::size_t>(total, kQuillFirstTocCapacity);
    std::vector<std::size_t> blockStarts{0x18};
    std::size_t done = firstCount;
    while (done < total) {
        q.out.alignTo(kQuillPage);
        blockStarts.push_back(q.out.size());
        const std::size_t count = std::min<std::size_t>(total - done, kQuillTocCapacity);
        q.out.zeros(8 + 24 * count);
        done += count;
    }
    q.out.alignTo(kQuillPage);

    std::size_t entry = 0;
    for (std::size_t b = 0; b < blockStarts.size(); ++b) {
        const std::size_t at = blockStarts[b];
        const std::size_t count = b == 0 ? firstCount : std::min<std::size_t>(total - entry, kQuillTocCapacity);
        q.out.patchU16(at, kQuillTocBlockMark);
        q.out.patchU16(at + 2, static_cast<std::uint16_t>(count));
        q.out.patchU32(at + 4, b + 1 < blockStarts.size() ? static_cast<std::uint32_t>(blockStarts[b + 1]) : 0xFFFFFFFF);
        for (std::size_t k = 0; k < count; ++k, ++entry) writeTocEntry(q.out, at + 8 + 24 * k, q.toc[entry]);
    }

    static const char magic[8] = {'C', 'H', 'N', 'K', 'I', 'N', 'K', ' '};
    std::memcpy(q.out.bytes().data(), magic, 8);
    q.out.patchU16(0x08, 4);
    q.out.patchU16(0x0A, 7);
    q.out.patchU16(0x0C, static_cast<std::uint16_t>(total));
    q.out.patchU16(0x0E, 0x0300);
    q.out.patchU32(0x10, static_cast<std::uint32_t>(kQuillPage * blockStarts.size()));
    q.out.patchU32(0x14, static_cast<std::uint32_t>(q.out.size()));
    return std::move(q.out);
}

} // namespace fq::pub
