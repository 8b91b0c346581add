// The writer's encoders on their own: property blocks, formatted-disk
// pages, line spacing, UTF-16 conversion, story building and the Quill
// table of contents.
#include "publishing/pub/BlockWriter.h"
#include "publishing/pub/PubConstants.h"
#include "publishing/pub/QuillBuilder.h"
#include "publishing/pub/QuillRecords.h"
#include "publishing/pub/TextStories.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace fq;
using namespace fq::pub;

TEST(PubEncodingBlocks, ContainersAndRecordsCountTheirLength) {
    ByteBuffer out;
    BlockWriter w(out);
    const auto rec = w.openRecord();
    const auto c = w.open(0x12, bt::Container);
    w.u32(0x01, bt::Long, 0x11223344);
    w.u16(0x02, bt::Short, 0xABCD);
    w.close(c);
    w.flag(0x08, bt::Flag);
    w.closeRecord(rec);
    const std::vector<std::uint8_t> expected = {0x16, 0, 0, 0,                    // record length 22
                                                0x12, 0x88, 0x0E, 0, 0, 0,        // container, length 14
                                                0x01, 0x20, 0x44, 0x33, 0x22, 0x11,
                                                0x02, 0x18, 0xCD, 0xAB,
                                                0x08, 0x08};
    EXPECT_EQ(out.bytes(), expected);
}

TEST(PubEncodingBlocks, StringsAreUtf16WithTerminator) {
    ByteBuffer out;
    BlockWriter w(out);
    w.string(0x0E, u"R\u00e9");
    const std::vector<std::uint8_t> expected = {0x0E, 0xC0, 10, 0, 0, 0, 'R', 0, 0xE9, 0, 0, 0};
    EXPECT_EQ(out.bytes(), expected);
}

TEST(PubEncodingBlocks, WrongTypesAreRejected) {
    ByteBuffer out;
    BlockWriter w(out);
    EXPECT_THROW(w.u32(0x01, bt::Short, 1), std::logic_error);
    EXPECT_THROW(w.u16(0x01, bt::Long, 1), std::logic_error);
    EXPECT_THROW(w.open(0x01, bt::Long), std::logic_error);
    EXPECT_THROW(w.flag(0x01, 0x33), std::logic_error);
    EXPECT_EQ(blockDataSize(bt::Bytes16), 16);
    EXPECT_EQ(blockDataSize(bt::String), -1);
}

TEST(PubEncodingFdp, EntriesTileThePagesAndShareRecords) {
    std::vector<FdpEntry> entries;
    std::uint32_t end = kQuillTextOffset;
    for (int i = 0; i < 300; ++i) {
        end += 2 * (1 + i % 5);
        CharFormat f;
        f.sizeEmu = 127000 * (1 + i % 3);
        f.bold = i % 4 == 0;
        entries.push_back(FdpEntry{end, charRecord(f)});
    }
    const FdpPages pages = packFdp(entries);
    ASSERT_GT(pages.pages.size(), 1u);
    std::size_t seen = 0;
    std::uint32_t previousLast = 0;
    for (std::size_t p = 0; p < pages.pages.size(); ++p) {
        const auto& page = pages.pages[p].bytes();
        ASSERT_EQ(page.size(), 512u);
        const std::uint16_t n = readU16(page.data());
        EXPECT_EQ(readU16(page.data() + 2), 1);
        EXPECT_EQ(readU32(page.data() + 4), previousLast);
        std::set<std::uint16_t> offsets;
        for (std::uint16_t k = 0; k < n; ++k) {
            const auto& e = entries[seen + k];
            EXPECT_EQ(readU32(page.data() + 8 + 4 * k), e.end);
            const std::uint16_t off = readU16(page.data() + 8 + 4 * n + 2 * k);
            EXPECT_EQ(off % 2, 0);
            ASSERT_LE(off + e.record.size(), 512u);
            EXPECT_TRUE(std::equal(e.record.begin(), e.record.end(), page.begin() + off)) << p << "/" << k;
            EXPECT_GE(off, 8 + 6 * n);
            offsets.insert(off);
        }
        // Six distinct formats at most: identical records are stored once.
        EXPECT_LE(offsets.size(), 6u);
        seen += n;
        previousLast = pages.lastEnds[p];
        EXPECT_EQ(previousLast, entries[seen - 1].end);
    }
    EXPECT_EQ(seen, entries.size());
}

TEST(PubEncodingFdp, NoEntriesGiveOneEmptyPage) {
    const FdpPages pages = packFdp({});
    ASSERT_EQ(pages.pages.size(), 1u);
    EXPECT_EQ(readU16(pages.pages[0].bytes().data()), 0);
}

TEST(PubEncodingText, LineSpacingEncodings) {
    using R = model::LineSpacing::Rule;
    EXPECT_EQ(encodeLineSpacing({R::Multiple, 1.0}), 0u);
    const std::uint32_t exact = encodeLineSpacing({R::Exact, 15});
    EXPECT_EQ(exact & 1u, 1u);
    EXPECT_DOUBLE_EQ((exact - 1) / 8.0 * 72 / kEmuPerInch, 15.0);
    const std::uint32_t atLeast = encodeLineSpacing({R::AtLeast, 14});
    EXPECT_EQ(atLeast, encodeLineSpacing({R::Exact, 14}));
    const std::uint32_t multiple = encodeLineSpacing({R::Multiple, 1.5});
    EXPECT_EQ(multiple & 3u, 2u);
    EXPECT_NEAR((multiple - 2) / kEmuPerInch * 72 / 96, 1.5, 1e-5);
    const std::uint32_t odd = encodeLineSpacing({R::Multiple, 1.15});
    EXPECT_EQ(odd & 3u, 2u);
    EXPECT_NEAR((odd - 2) / kEmuPerInch * 72 / 96, 1.15, 1e-5);
}

TEST(PubEncodingText, Utf8ToUtf16) {
    EXPECT_EQ(utf8ToUtf16("a\xC3\xA4\xE2\x82\xAC"), u"a\u00e4\u20ac");
    EXPECT_EQ(utf8ToUtf16("\xF0\x9F\x98\x80"), u"\U0001F600");
    EXPECT_EQ(utf8ToUtf16("x\xFFy"), u"x\uFFFDy");
    EXPECT_EQ(utf8ToUtf16("\xE2\x82"), u"\uFFFD\uFFFD");
    EXPECT_EQ(utf8ToUtf16("\xC0\x80"), u"\uFFFD\uFFFD");   // overlong
}

TEST(PubEncodingText, StoriesEndParagraphsAndCoverTheirText) {
    StoryCollector c;
    model::TextFrame f;
    model::Paragraph p1;
    p1.runs.push_back({"ab", {}});
    model::CharProps bold;
    bold.bold = true;
    p1.runs.push_back({"\tc\n", bold});
    model::Paragraph p2;
    f.paragraphs = {p1, p2};
    EXPECT_EQ(c.add(f, model::Rect{}), 1u);
    EXPECT_EQ(c.add(model::TextFrame{}, model::Rect{}), 2u);
    const StorySet set = c.take();
    ASSERT_EQ(set.stories.size(), 2u);
    const Story& s = set.stories[0];
    EXPECT_EQ(s.text, u"ab\tc\n\r\r");
    ASSERT_EQ(s.paragraphs.size(), 2u);
    EXPECT_EQ(s.paragraphs[0].length, 6u);
    EXPECT_EQ(s.paragraphs[1].length, 1u);
    std::uint32_t covered = 0;
    for (const auto& r : s.runs) covered += r.length;
    EXPECT_EQ(covered, s.text.size());
    // Plain, then bold up to the end: an empty paragraph's mark keeps the
    // formatting of the text before it.
    ASSERT_EQ(s.runs.size(), 2u);
    EXPECT_EQ(s.runs[0].length, 2u);
    EXPECT_TRUE(s.runs[1].format.bold);
    EXPECT_EQ(set.stories[1].text, u"\r");
    EXPECT_EQ(set.fonts.front(), u"Calibri");
    EXPECT_EQ(set.colors.size(), 1u);
}

TEST(PubEncodingText, ColoursAndFontsAreListedOnce) {
    StoryCollector c;
    model::TextFrame f;
    model::Paragraph p;
    model::CharProps a, b;
    a.font = "Arial";
    a.color = model::Color{1, 2, 3};
    b.font = "Arial";
    b.color = model::Color{1, 2, 3};
    b.italic = true;
    model::CharProps black;
    black.color = model::Color{0, 0, 0};
    p.runs = {{"x", a}, {"y", b}, {"z", black}};
    f.paragraphs = {p};
    c.add(f, model::Rect{});
    const StorySet set = c.take();
    ASSERT_EQ(set.fonts.size(), 2u);
    EXPECT_EQ(set.fonts[0], u"Arial");
    ASSERT_EQ(set.colors.size(), 2u);
    EXPECT_EQ(set.colors[1].bgr(), 0x030201u);
    EXPECT_EQ(set.stories[0].runs[0].format.color, 1);
    EXPECT_EQ(set.stories[0].runs[2].format.color, 0);
}

TEST(PubEncodingQuill, TableOfContentsContinuesWhenFull) {
    StoryCollector c;
    model::TextFrame f;
    for (int i = 0; i < 3000; ++i) {
        model::Paragraph p;
        model::CharProps cp;
        cp.sizePt = 6 + i % 20;
        model::ParaProps pp;
        pp.leftIndentPt = i % 13;
        p.props = pp;
        p.runs.push_back({"paragraph " + std::to_string(i), cp});
        f.paragraphs.push_back(p);
    }
    c.add(f, model::Rect{});
    const ByteBuffer q = buildQuill(c.take());
    const auto& d = q.bytes();
    ASSERT_EQ(d.size() % 512, 0u);
    EXPECT_EQ(std::string(d.begin(), d.begin() + 8), "CHNKINK ");
    EXPECT_EQ(readU32(d.data() + 0x14), d.size());
    const std::uint16_t total = readU16(d.data() + 0x0C);
    ASSERT_GT(total, 40);
    // Walk the chain of TOC blocks and check every entry.
    std::uint32_t block = 0x18;
    std::size_t entries = 0, blocks = 0;
    std::set<std::string> names;
    while (block != 0xFFFFFFFF) {
        ASSERT_LT(block + 8, d.size());
        EXPECT_EQ(readU16(d.data() + block), kQuillTocBlockMark);
        const std::uint16_t n = readU16(d.data() + block + 2);
        for (std::uint16_t k = 0; k < n; ++k) {
            const std::uint8_t* e = d.data() + block + 8 + 24 * k;
            EXPECT_EQ(readU16(e), 0x18);
            names.insert(std::string(reinterpret_cast<const char*>(e + 2), 4));
            EXPECT_LE(readU32(e + 16) + readU32(e + 20), d.size());
        }
        entries += n;
        ++blocks;
        block = readU32(d.data() + block + 4);
    }
    EXPECT_EQ(entries, total);
    EXPECT_GE(blocks, 2u);
    EXPECT_EQ(readU32(d.data() + 0x10), 512 * blocks);
    for (const char* n : {"TEXT", "FDPP", "FDPC", "SYID", "STRS", "FONT", "PL  ", "STSH", "MCLD"}) EXPECT_TRUE(names.count(n)) << n;
}
