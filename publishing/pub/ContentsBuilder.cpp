// The Contents stream of a .pub file.
#include "publishing/pub/ContentsBuilder.h"

#include "publishing/pub/BlockWriter.h"
#include "publishing/pub/PageSetupChunks.h"
#include "publishing/pub/TableChunks.h"
#include "publishing/pub/PubConstants.h"
#include "publishing/pub/ShapeWriter.h"
#include "publishing/pub/TypeVersionTable.h"

#include <initializer_list>

#include <map>

namespace fq::pub {

namespace {

// The float -9999999 Publisher stores for an unset value.
constexpr std::uint32_t kUnsetFloat = 0xCB18967C;

struct ChunkInfo {
    std::uint16_t type = 0;
    std::uint32_t offset = 0;
    std::uint32_t parent = 0;       // 0: none
    std::uint16_t value0B = 0;      // 0: absent
    std::uint8_t low06 = 2;         // low byte of entry field 06: 3 for text boxes
    bool flag08 = true;             // shapes and a page's own chunks go without
};

class ContentsWriter {
public:
    ContentsWriter(const PubPlan& plan) : plan_(plan), w_(out_) {}

    ByteBuffer build(const std::u16string& savedAs);

private:
    template <class Body>
    ChunkInfo& chunk(std::uint32_t seq, std::uint16_t type, std::uint32_t parent, std::uint16_t value0B, Body&& body) {
        ChunkInfo info{type, static_cast<std::uint32_t>(out_.size()), parent, value0B};
        const auto rec = w_.openRecord();
        body();
        w_.closeRecord(rec);
        return chunks_[seq] = info;
    }
    void emptyChunk(std::uint32_t seq, std::uint16_t type) {
        chunk(seq, type, plan_.fixed.document, 0, [] {});
    }
    void sizePair(std::uint8_t id, std::uint8_t type, std::uint32_t a, std::uint32_t b) {
        const auto c = w_.open(id, type);
        w_.u32(0x01, bt::Long, a);
        w_.u32(0x02, bt::Long, b);
        w_.close(c);
    }
    void indexPair(std::uint32_t a, std::uint32_t b) {
        ByteBuffer v;
        v.u32(a);
        v.u32(b);
        w_.fixed(page::IndexPair, bt::Bytes8, v.bytes().data(), 8);
    }

    void documentChunk();
    void masterChunk();
    void pageChunk(const PlannedPage& page, std::size_t index);
    void dummyPage(const PageChunks& chunks, bool scratchSized);
    void pageOwnChunks(const PageChunks& chunks, bool firstPage);
    void shapeChunk(const PlannedShape& shape, std::uint32_t pageSeq);
    void bulletSettings();
    void guides();
    void layout4B();
    void layout4F();
    void storyTables();
    void palette();
    void fontList();
    void trailer();

    const PubPlan& plan_;
    ByteBuffer out_;
    BlockWriter w_;
    std::map<std::uint32_t, ChunkInfo> chunks_;
};

void ContentsWriter::documentChunk() {
    const auto& f = plan_.fixed;
    chunk(f.document, chunk::Document, 0, 0x17, [&] {
        // The page list as Publisher writes it: the master, the pages, then
        // its four empty pages; the count is the list's length.
        w_.u32(doc::PageCount, bt::Long, static_cast<std::uint32_t>(plan_.pages.size() + 5));
        const auto list = w_.open(doc::PageList, bt::Array);
        w_.u32(0x00, bt::ObjectRef, f.master.page);
        for (const auto& p : plan_.pages) w_.u32(0x00, bt::ObjectRef, p.seq);
        for (const auto& d : f.dummies) w_.u32(0x00, bt::ObjectRef, d.page);
        w_.close(list);
        w_.u32(doc::Ref4B, bt::ObjectRef, f.layout4B);
        w_.u32(doc::Ref4A, bt::ObjectRef, f.settings4A);
        w_.flag(doc::Flag08, bt::Flag);
        w_.u32(doc::Value10, bt::Long, 1);
        const auto size = w_.open(doc::PageSize, bt::Container);
        w_.u32(doc::Width, bt::Long, static_cast<std::uint32_t>(plan_.pageWidthEmu));
        w_.u32(doc::Height, bt::Long, static_cast<std::uint32_t>(plan_.pageHeightEmu));
        w_.close(size);
        w_.u32(doc::Value15, bt::Long, doc::kValue15);
        w_.u32(doc::Ref73, bt::ObjectRef, f.settings73);
        w_.u32(doc::RefBorderArt, bt::ObjectRef, f.borderArt);
        w_.u32(doc::Ref72, bt::ObjectRef, f.settings72);
        w_.u32(doc::RefStoryTable, bt::ObjectRef, f.storyTable);
        w_.u32(doc::Ref54, bt::ObjectRef, f.settings54);
        w_.u32(doc::RefPalette, bt::ObjectRef, f.palette);
        // The number of pages in every Publisher 2007/2010 sample.
        w_.u32(doc::Value23, bt::Long, static_cast<std::uint32_t>(plan_.pages.size()));
        const std::uint8_t zero16[16] = {};
        w_.fixed(doc::Bytes2A, bt::Bytes16, zero16, 16);
        w_.u16(doc::Value2C, bt::Short, 5);
        w_.u16(doc::Value2D, bt::Short, 1);
        w_.u32(doc::Ref7F, bt::ParentRef, f.settings7F);
        w_.flag(0x39, bt::Empty);
        w_.u32(doc::Value3C, bt::Long, 1);
        w_.u32(doc::Value41, bt::Long, 1);
        w_.u32(doc::Ref8A, bt::ObjectRef, f.settings8A);
        w_.flag(doc::Flag4C, bt::Flag);
        w_.flag(doc::Flag4D, bt::Flag);
    });
}

void ContentsWriter::masterChunk() {
    const auto& f = plan_.fixed;
    chunk(f.master.page, chunk::Page, f.document, 1, [&] {
        w_.u32(page::RefGuides, bt::ObjectRef, f.guides4C);
        sizePair(page::ScratchSize, bt::Container, page::kScratchSize, page::kScratchSize);
        indexPair(0, 0);
        w_.u32(page::RefSettings60, bt::ObjectRef, f.master.settings60);
        w_.u32(page::RefForm77, bt::ObjectRef, f.master.form77);
        w_.string(page::MasterName, u"A");
        w_.string(page::MasterLongName, u"Master Page A");
        w_.u32(page::Kind10, bt::Long, page::kKindMaster);
        sizePair(page::ScratchOuter, bt::Container, page::kScratchOuter, page::kScratchOuter);
    });
    pageOwnChunks(f.master, false);
}

void ContentsWriter::pageChunk(const PlannedPage& p, std::size_t index) {
    chunk(p.seq, chunk::Page, plan_.fixed.document, 1, [&] {
        w_.u32(page::ShapeCount, bt::Long, static_cast<std::uint32_t>(p.shapes.size()));
        const auto list = w_.open(page::ShapeList, bt::Array);
        for (const auto& s : p.shapes) w_.u32(0x00, bt::ObjectRef, s.seq);
        w_.close(list);
        sizePair(page::ScratchSize, bt::Container, page::kScratchSize, page::kScratchSize);
        indexPair(1, static_cast<std::uint32_t>(index));
        w_.u32(page::RefSettings60, bt::ObjectRef, p.settings60);
        w_.u32(page::RefForm77, bt::ObjectRef, p.form77);
        w_.u32(page::AppliedMaster, bt::ParentRef, plan_.fixed.master.page);
        w_.string(page::MasterName, u"");
        w_.string(page::MasterLongName, u"");
        w_.u32(page::Kind10, bt::Long, page::kKindPage);
        sizePair(page::ScratchOuter, bt::Container, page::kScratchOuter, page::kScratchOuter);
    });
    pageOwnChunks(PageChunks{p.seq, p.settings60, p.form77}, index == 0);
}

// One of Publisher's empty pages after the real ones. The first of them
// has the scratch area's size less half the page on each axis.
void ContentsWriter::dummyPage(const PageChunks& c, bool scratchSized) {
    const auto w = static_cast<std::uint32_t>(plan_.pageWidthEmu);
    const auto h = static_cast<std::uint32_t>(plan_.pageHeightEmu);
    const std::uint32_t sw = scratchSized ? page::kScratchSize - w / 2 : page::kScratchSize;
    const std::uint32_t sh = scratchSized ? page::kScratchSize - h / 2 : page::kScratchSize;
    chunk(c.page, chunk::Page, plan_.fixed.document, 1, [&] {
        sizePair(page::ScratchSize, bt::Container, sw, sh);
        indexPair(0, 0);
        w_.u32(page::RefSettings60, bt::ObjectRef, c.settings60);
        w_.u32(page::RefForm77, bt::ObjectRef, c.form77);
        w_.u32(page::AppliedMaster, bt::ParentRef, plan_.fixed.master.page);
        w_.string(page::MasterName, u"");
        w_.string(page::MasterLongName, u"");
        w_.u32(page::Kind10, bt::Long, page::kKindPage);
        const std::uint32_t outer = page::kScratchOuter - page::kScratchSize;
        sizePair(page::ScratchOuter, bt::Container, sw + outer, sh + outer);
    });
    pageOwnChunks(c, false);
}

// The 0x60 and 0x77 chunks that follow each page chunk.
void ContentsWriter::pageOwnChunks(const PageChunks& c, bool firstPage) {
    chunk(c.settings60, chunk::PageSettings60, c.page, firstPage ? 0 : 1, [&] { writePageSettings60(w_, firstPage); })
        .flag08 = false;
    chunk(c.form77, chunk::WebForm77, c.page, 1, [&] { writeWebForm77(w_); }).flag08 = false;
}

void ContentsWriter::shapeChunk(const PlannedShape& s, std::uint32_t pageSeq) {
    const PlannedTable* table = s.kind == ShapeKind::Table ? &plan_.tables.at(s.table - 1) : nullptr;
    const std::uint16_t type = table ? chunk::Table : shapeChunkType(s);
    ChunkInfo& info = chunk(s.seq, type, pageSeq, 1, [&] {
        w_.flag(shape::Flag02, bt::Flag);
        w_.u16(shape::Flags04, bt::Short10, shapeChunkFlags(s));
        const std::uint8_t zero8[8] = {};
        w_.fixed(shape::Crop0C, bt::Bytes8, zero8, 8);
        w_.fixed(shape::Crop0D, bt::Bytes8, zero8, 8);
        if (table) {
            writeTableBlocks(w_, s, *table);
            return;
        }
        // Publisher's line chunk ends here.
        if (type == chunk::AltShape) return;
        if (s.textId) w_.u32(shape::TextId, bt::Long, s.textId);
        if (s.chainIndex) w_.u32(shape::ChainIndex, bt::Long, s.chainIndex);
        w_.flag(shape::Flag2B, bt::Flag);
        w_.flag(shape::Flag2C, bt::Flag);
        if (s.kind == ShapeKind::Picture) w_.u32(shape::Picture34, bt::Long, 0);
        if (const int valign = shapeChunkVerticalAlignment(s); valign >= 0)
            w_.u32(shape::VerticalAlign, bt::Long, static_cast<std::uint32_t>(valign));
        w_.u32(shape::Width, bt::Long, static_cast<std::uint32_t>(s.anchor.width()));
        w_.u32(shape::Height, bt::Long, static_cast<std::uint32_t>(s.anchor.height()));
    });
    info.flag08 = false;
    info.low06 = s.textId ? 3 : 2;
    if (table) chunk(table->cellsSeq, chunk::TableCells, s.seq, 1, [&] { writeTableCellsBlocks(w_, *table); });
}

// Bullet characters offered by Publisher's list settings.
void ContentsWriter::bulletSettings() {
    chunk(plan_.fixed.settings4A, chunk::Settings4A, plan_.fixed.document, 1, [&] {
        const std::pair<std::uint16_t, std::uint32_t> bullets[] = {
            {0xB7, 127000}, {0xB7, 152400}, {0xA8, 127000}, {0xDE, 127000}, {0xE0, 127000}, {0x2A, 127000}};
        w_.u16(0x01, bt::Short, static_cast<std::uint16_t>(std::size(bullets)));
        const auto a = w_.open(0x02, bt::Array);
        for (const auto& [ch, size] : bullets) {
            const auto e = w_.open(0x00, bt::Container);
            w_.u16(0x01, bt::Short, ch);
            w_.u32(0x02, bt::Long, size);
            w_.string(0x03, u"");
            w_.close(e);
        }
        w_.close(a);
    });
}

// The master page's margin guides (one inch from each edge).
void ContentsWriter::guides() {
    const std::uint32_t inch = static_cast<std::uint32_t>(kEmuPerInch);
    const auto w = static_cast<std::uint32_t>(plan_.pageWidthEmu);
    const auto h = static_cast<std::uint32_t>(plan_.pageHeightEmu);
    chunk(plan_.fixed.guides4C, chunk::Guides4C, plan_.fixed.master.page, 0x0F, [&] {
        w_.u32(0x01, bt::Long, 4);
        const auto a = w_.open(0x02, bt::Array);
        const std::pair<std::uint32_t, std::uint8_t> lines[] = {
            {inch, 0x03}, {w > inch ? w - inch : w, 0x02}, {inch, 0x03}, {h > inch ? h - inch : h, 0x02}};
        for (const auto& [pos, side] : lines) {
            const auto e = w_.open(0x00, bt::Container);
            w_.u32(0x01, bt::Long, pos);
            w_.flag(side, bt::Flag);
            w_.flag(0x04, bt::Flag);
            w_.close(e);
        }
        w_.close(a);
        sizePair(0x03, bt::Container, w, h);
        w_.u32(0x04, bt::Long, 91440);
        w_.u32(0x05, bt::Long, 91440);
        w_.u16(0x06, bt::Short, 2);
        w_.u16(0x07, bt::Short, 2);
        for (std::uint8_t id = 0x08; id <= 0x0B; ++id) w_.u32(id, bt::Long, 152400);
    });
}

void ContentsWriter::layout4B() {
    const auto& f = plan_.fixed;
    chunk(f.layout4B, chunk::Layout4B, f.document, 0x14, [&] {
        writePrinterSettings4B(w_, static_cast<std::uint32_t>(plan_.pageWidthEmu),
                               static_cast<std::uint32_t>(plan_.pageHeightEmu), f.layout4F);
    });
}

void ContentsWriter::layout4F() {
    const auto& f = plan_.fixed;
    chunk(f.layout4F, chunk::Layout4F, f.layout4B, 1, [&] {
        const auto a = w_.open(0x02, bt::Array);
        const auto e = w_.open(0x00, bt::Container);
        const auto c = w_.open(0x02, bt::Container98);
        w_.u32(0x01, bt::Long, 0xFFFFFFFF);
        w_.close(c);
        w_.close(e);
        w_.close(a);
        w_.u32(0x03, bt::Long, 304800);
        w_.u32(0x04, bt::Long, 243);
        w_.flag(0x07, bt::Flag);
        const std::pair<std::uint8_t, std::uint32_t> values[] = {
            {0x09, 128}, {0x0A, 77}, {0x0B, 255}, {0x0C, 3175}, {0x0D, 3175}, {0x0E, 70}};
        for (const auto& [id, v] : values) w_.u32(id, bt::Long, v);
        for (std::uint8_t id = 0x0F; id <= 0x13; ++id) w_.flag(id, bt::Flag);
    });
}

// The story table lists the text frames of every story (frame table) and
// per-story settings; its font list names the fonts in use.
void ContentsWriter::storyTables() {
    const auto& f = plan_.fixed;
    chunk(f.storyTable, chunk::StoryTable, f.document, 1, [&] {
        w_.u32(0x01, bt::ObjectRef, f.frameTable);
        w_.u32(0x02, bt::ObjectRef, f.storyData);
        w_.u32(0x04, bt::ObjectRef, f.fontList);
        const auto c = w_.open(0x0A, bt::Container98);
        w_.u32(0x01, bt::Long, esc::kPaletteBlack);
        w_.close(c);
    });
    // Every text frame with its story and its place in the story's chain.
    std::vector<const PlannedShape*> frames;
    std::map<std::uint32_t, std::uint32_t> frameCount;   // by story
    for (const auto& p : plan_.pages)
        for (const auto& s : p.shapes)
            if (s.textId && s.kind != ShapeKind::Table) {   // table stories are in no frame
                frames.push_back(&s);
                ++frameCount[s.textId];
            }
    chunk(f.frameTable, chunk::FrameTable, f.storyTable, 1, [&] {
        w_.u32(0x01, bt::Long, static_cast<std::uint32_t>(frames.size()));
        const auto a = w_.open(0x02, bt::Array);
        for (const PlannedShape* s : frames) {
            const auto e = w_.open(0x00, bt::Container);
            w_.u32(0x01, bt::Long, s->textId);
            if (s->chainIndex) w_.u32(0x02, bt::Long, s->chainIndex);
            w_.u32(0x03, bt::ParentRef, s->seq);
            w_.close(e);
        }
        w_.close(a);
    });
    chunk(f.storyData, chunk::StoryData, f.storyTable, 1, [&] {
        w_.u32(0x01, bt::Long, static_cast<std::uint32_t>(plan_.stories.stories.size()));
        const auto a = w_.open(0x02, bt::Array);
        // Per story: its id, its number and two unset values (the float
        // -9999999).
        std::uint32_t number = 0;
        for (const auto& story : plan_.stories.stories) {
            const auto e = w_.open(0x00, bt::Container);
            w_.u32(0x01, bt::Long, story.id);
            const auto count = frameCount.find(story.id);
            if (count != frameCount.end() && count->second > 1) w_.u32(0x02, bt::Long, count->second);
            if (!story.cells.empty()) w_.u32(0x03, bt::Long, 0);   // as Publisher marks table stories
            w_.u32(0x07, bt::Long, ++number);
            w_.u32(0x08, bt::Long, kUnsetFloat);
            w_.u32(0x09, bt::Long, kUnsetFloat);
            w_.close(e);
        }
        w_.close(a);
    });
}

void ContentsWriter::fontList() {
    const auto& f = plan_.fixed;
    chunk(f.fontList, chunk::FontList, f.storyTable, 1, [&] {
        const auto& fonts = plan_.stories.fonts;
        w_.u32(0x01, bt::Long, static_cast<std::uint32_t>(fonts.size()));
        const auto a = w_.open(0x02, bt::Array);
        for (const auto& name : fonts) {
            const auto e = w_.open(0x00, bt::Container);
            // As Publisher writes a font it has no metrics for: charset
            // 255, no signature, an empty PANOSE.
            w_.u16(0x03, bt::Short10, 0);
            w_.string(0x04, name);
            w_.u32(0x06, bt::Long, 255);
            w_.u32(0x07, bt::Long, 376323);
            const std::uint8_t signature[24] = {};
            w_.fixed(0x0B, bt::Bytes24, signature, sizeof signature);
            const auto panose = w_.open(0x0D, bt::Container80);
            for (int i = 0; i < 5; ++i) w_.flag(0x00, bt::Empty);
            w_.close(panose);
            w_.u32(0x0E, bt::Long, 0x1400);
            w_.close(e);
        }
        w_.close(a);
    });
}

// Publisher's default scheme: black, four greys, blue, red, white. Shapes
// refer to entries 0 (black), 4 (shadow) and 7 (white).
void ContentsWriter::palette() {
    chunk(plan_.fixed.palette, chunk::Palette, plan_.fixed.document, 1, [&] {
        w_.u32(0x01, bt::Long, 8);
        const auto a = w_.open(0x02, bt::Array);
        w_.flag(0x00, bt::Unused);
        for (int i = 0; i < 4; ++i) {
            const auto e = w_.open(0x00, bt::Container);
            w_.u32(0x01, bt::Long, 0x00CCCCCC);
            w_.u32(0x02, bt::Long, 0);
            w_.u32(0x03, bt::Long, 0x103302F4);
            w_.close(e);
        }
        for (std::uint32_t c : {0x00FF0000u, 0x000000FFu, 0x00FFFFFFu}) {
            const auto e = w_.open(0x00, bt::Container);
            w_.u32(0x01, bt::Long, c);
            w_.close(e);
        }
        w_.close(a);
        w_.u32(0x03, bt::Long, 0xFFFFFFFF);
        w_.flag(0x04, bt::Flag);
        w_.string(0x06, u"(Custom)");
    });
}

void ContentsWriter::trailer() {
    const auto rec = w_.openRecord();
    w_.u32(trl::Count, bt::Long, plan_.lastSeq + 1);
    w_.u32(trl::Last, bt::Long, plan_.lastSeq);
    const auto dir = w_.open(trl::Directory, bt::Array90);
    for (std::uint32_t seq = 0; seq <= plan_.lastSeq; ++seq) {
        auto it = chunks_.find(seq);
        if (it == chunks_.end()) {
            w_.flag(0x00, bt::Unused);
            continue;
        }
        const ChunkInfo& c = it->second;
        const auto e = w_.open(0x00, bt::Container);
        w_.u16(trl::EntryType, bt::Short, c.type);
        w_.u32(trl::EntryOffset, bt::StreamOffset, c.offset);
        if (c.parent) w_.u32(trl::EntryParent, bt::ParentRef, c.parent);
        w_.u16(trl::Entry06, bt::Short10, static_cast<std::uint16_t>((c.offset & 0xFF00) + c.low06));
        if (c.flag08) w_.flag(trl::Entry08, bt::Flag);
        if (c.value0B) w_.u16(trl::Entry0B, bt::Short, c.value0B);
        w_.close(e);
    }
    w_.close(dir);
    w_.closeRecord(rec);
}

ByteBuffer ContentsWriter::build(const std::u16string& savedAs) {
    // Fixed header; lengths and offsets are patched at the end.
    out_.u16(kContentsMagic);
    out_.u8(kContentsFormat);
    out_.u8(0);
    out_.u16(0x03E8);
    out_.u16(kContentsVersion);
    out_.u32(0);                 // 0x08 stream length
    out_.u32(kContentsFlags0C);
    out_.zeros(10);              // 0x10
    out_.u32(0);                 // 0x1A trailer offset
    out_.u32(0);                 // 0x1E first chunk
    // The format bytes of the Publisher that created the file and of the
    // one that saved it last (both 2010).
    const std::uint8_t tail22[10] = {kFormatByte2010, 0x00, kFormatByte2010, 0x00, 0, 0, 0, 0, 0, 0};
    out_.append(tail22, sizeof tail22);

    // Header record: versions (of the Publisher that saved the file, then of
    // the one that created it), lengths and offsets, build numbers.
    const auto hdrRec = w_.openRecord();
    w_.u16(hdr::Magic, bt::Short, kContentsMagic);
    w_.u32(hdr::Document, bt::ParentRef, plan_.fixed.document);
    w_.u32(hdr::Version3, bt::Long, kObjectVersion);
    w_.u32(hdr::Version4, bt::Long, kObjectVersion);
    w_.u32(hdr::Version5, bt::Long, kObjectVersion);
    w_.u32(hdr::Version7, bt::Long, kObjectVersion);
    const std::size_t lengthAt = out_.size() + 2;
    w_.u32(hdr::StreamLength, bt::Long, 0);
    w_.string(hdr::SavedAs, savedAs);
    const std::size_t trailerAt = out_.size() + 2;
    w_.u32(hdr::TrailerOffset, bt::StreamOffset, 0);
    const std::size_t firstAt = out_.size() + 2;
    w_.u32(hdr::FirstChunk, bt::StreamOffset, 0);
    w_.u16(hdr::One, bt::Short, 1);
    for (std::uint8_t id : {hdr::Build0D, hdr::Build0E, hdr::Build0F, hdr::Build10})
        w_.u32(id, bt::Long, kPublisherBuild);
    w_.closeRecord(hdrRec);

    const auto firstChunk = static_cast<std::uint32_t>(out_.size());
    writeTypeVersionTable(out_);

    // Chunks in sequence order, as Publisher places them.
    const auto& f = plan_.fixed;
    documentChunk();
    emptyChunk(f.settings72, chunk::Settings72);
    emptyChunk(f.settings73, chunk::Settings73);
    emptyChunk(f.borderArt, chunk::BorderArt);
    emptyChunk(f.settings54, chunk::Settings54);
    masterChunk();
    pageChunk(plan_.pages.front(), 0);
    for (int i = 0; i < 3; ++i) dummyPage(f.dummies[i], i == 0);
    emptyChunk(f.settings7F, chunk::Settings7F);
    dummyPage(f.dummies[3], false);
    storyTables();
    palette();
    layout4B();
    layout4F();
    guides();
    bulletSettings();
    chunk(f.settings8A, chunk::Settings8A, f.document, 0x14, [&] {
        writePageSetup8A(w_, static_cast<std::uint32_t>(plan_.pageWidthEmu),
                         static_cast<std::uint32_t>(plan_.pageHeightEmu), kMarginEmu);
    });
    for (std::size_t i = 0; i < plan_.pages.size(); ++i) {
        const auto& p = plan_.pages[i];
        if (i > 0) pageChunk(p, i);
        for (const auto& s : p.shapes) shapeChunk(s, p.seq);
    }
    fontList();

    const auto trailerOffset = static_cast<std::uint32_t>(out_.size());
    trailer();

    const auto length = static_cast<std::uint32_t>(out_.size());
    out_.patchU32(0x08, length);
    out_.patchU32(0x1A, trailerOffset);
    out_.patchU32(0x1E, firstChunk);
    out_.patchU32(lengthAt, length);
    out_.patchU32(trailerAt, trailerOffset);
    out_.patchU32(firstAt, firstChunk);
    return std::move(out_);
}

} // namespace

ByteBuffer buildContents(const PubPlan& plan, const std::u16string& savedAs) {
    ContentsWriter writer(plan);
    return writer.build(savedAs);
}

} // namespace fq::pub
