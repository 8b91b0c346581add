// The converter on hand-made DocFiles: special characters, nested fields,
// tables (merged and nested cells), notes, hidden text, list labels and section breaks, each
// checked exactly without going through LibreOffice.
#include "publishing/doc/Converter.h"
#include "publishing/doc/FontTable.h"
#include "publishing/doc/Sprm.h"

#include <gtest/gtest.h>

using namespace fq;
using namespace fq::doc;

namespace {

void put16(Bytes& b, unsigned v) { b.push_back(v & 0xFF); b.push_back((v >> 8) & 0xFF); }

Bytes sprm1(std::uint16_t op, std::uint8_t v) {
    Bytes b;
    put16(b, op);
    b.push_back(v);
    return b;
}
Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Builds the text of a DocFile with its character and paragraph runs.
class Synth {
public:
    Synth() {
        d_.fib.word97 = true;
        d_.pieces.pieces.push_back({});
    }
    Synth& text(const std::u16string& s, const Bytes& chpx = {}) {
        for (char16_t c : s) push(c, chpx);
        return *this;
    }
    // A paragraph, cell or section mark ending the paragraph with these sprms.
    Synth& mark(char16_t c, const Bytes& papx = {}, const Bytes& chpx = {}) {
        push(c, chpx);
        PropertyRun run;
        run.fcStart = paraStart_;
        run.fcEnd = fc(d_.text.chars.size());
        run.grpprl = papx;
        d_.papx.runs.push_back(run);
        paraStart_ = run.fcEnd;
        return *this;
    }
    std::uint32_t cp() const { return static_cast<std::uint32_t>(d_.text.chars.size()); }
    DocFile& file() {
        d_.pieces.pieces[0].cpEnd = cp();
        if (d_.main.end == 0) d_.main = {0, cp()};
        return d_;
    }
    model::Document convert() { return convertDocFile(file()); }

private:
    static std::uint32_t fc(std::size_t cp) { return static_cast<std::uint32_t>(1024 + cp * 2); }
    void push(char16_t c, const Bytes& chpx) {
        const std::size_t cp = d_.text.chars.size();
        d_.text.chars.push_back(c);
        d_.text.fcs.push_back(fc(cp));
        d_.text.pieceIndex.push_back(0);
        if (!chpx.empty()) {
            PropertyRun run;
            run.fcStart = fc(cp);
            run.fcEnd = fc(cp + 1);
            run.grpprl = chpx;
            d_.chpx.runs.push_back(run);
        }
    }
    DocFile d_;
    std::uint32_t paraStart_ = 1024;
};

std::vector<std::string> texts(const model::Document& d) {
    std::vector<std::string> out;
    for (const auto& s : d.sections)
        for (const auto& b : s.blocks) {
            if (const auto* p = std::get_if<model::Paragraph>(&b)) out.push_back(p->plainText());
            else if (std::holds_alternative<model::PageBreak>(b)) out.push_back("<break>");
            else if (std::holds_alternative<model::Table>(b)) out.push_back("<table>");
            else out.push_back("<picture>");
        }
    return out;
}

using Lines = std::vector<std::string>;

TEST(DocConverter, SpecialCharacters) {
    Synth s;
    s.text(u"a\tb\x0B" u"c\x1E" u"d\x1F" u"e\u00A0" u"f\x05g").mark(0x0D);
    s.text(u"before\x0C" u"after").mark(0x0D);
    EXPECT_EQ(texts(s.convert()), (Lines{"a\tb\nc\u2011de\u00A0fg", "before", "<break>", "after"}));
}

TEST(DocConverter, FieldsShowOnlyTheirResults) {
    Synth s;
    s.text(u"a\x13 PAGE \x14" u"7\x15" u"b").mark(0x0D);
    s.text(u"x\x13 IF \x13 REF q \x14" u"inner\x15 \x14" u"outer\x15y").mark(0x0D);
    s.text(u"\x13 A \x14" u"r1\x13 B \x14" u"r2\x15" u"r3\x15").mark(0x0D);
    s.text(u"\x13 TC no result \x15z").mark(0x0D);
    EXPECT_EQ(texts(s.convert()), (Lines{"a7b", "xoutery", "r1r2r3", "z"}));
}

// A row's table definition: cell boundaries and, per cell, the TC flags
// and a top border (Brc80: width in eighths, type, colour index).
Bytes defineRow(const std::vector<int>& centers, const std::vector<std::uint16_t>& flags,
                const std::vector<std::uint32_t>& tops = {}) {
    Bytes o;
    o.push_back(static_cast<std::uint8_t>(flags.size()));
    for (int c : centers) put16(o, static_cast<unsigned>(c));
    for (std::size_t i = 0; i < flags.size(); ++i) {
        put16(o, flags[i]);
        put16(o, 0);
        const std::uint32_t top = i < tops.size() ? tops[i] : 0;
        put16(o, top & 0xFFFF); put16(o, top >> 16);
        for (int side = 0; side < 3; ++side) { put16(o, 0); put16(o, 0); }
    }
    Bytes g;
    put16(g, sprm::TDefTable);
    put16(g, static_cast<unsigned>(o.size() + 1));
    return g + o;
}

Bytes sprm4(std::uint16_t op, std::uint32_t v) {
    Bytes b;
    put16(b, op);
    put16(b, v & 0xFFFF);
    put16(b, v >> 16);
    return b;
}

std::string cellText(const model::TableCell& c) {
    std::string s;
    for (const auto& b : c.blocks)
        if (const auto* p = std::get_if<model::Paragraph>(&b)) {
            if (!s.empty()) s += '|';
            s += p->plainText();
        }
    return s;
}

TEST(DocConverter, TableCellsMergeAcrossAndDown) {
    const Bytes inTable = sprm1(sprm::PFInTable, 1);
    const Bytes rowEnd = inTable + sprm1(sprm::PFTtp, 1);
    const std::vector<int> centers = {-108, 1000, 2000, 3000};
    Bytes shading;   // the first cell yellow (colour index 7 as background), the second solid red
    put16(shading, sprm::TDefTableShd80);
    shading.push_back(4);
    put16(shading, 7u << 5);
    put16(shading, 6u | (1u << 10));
    Synth s;
    s.text(u"before").mark(0x0D);
    s.text(u"tall").mark(0x07, inTable);
    s.text(u"wide").mark(0x07, inTable);
    s.text(u"merged in").mark(0x07, inTable);
    s.mark(0x07, rowEnd + defineRow(centers, {0x60, 0x01, 0x02}, {0, 0x00060108}) + shading);
    s.text(u"continued").mark(0x07, inTable);
    s.text(u"x").mark(0x0D, inTable);
    s.text(u"x2").mark(0x07, inTable);
    s.text(u"y").mark(0x07, inTable);
    s.mark(0x07, rowEnd + defineRow(centers, {0x20, 0, 0}) + sprm1(sprm::TTableHeader, 0));
    s.text(u"after").mark(0x0D);
    const auto d = s.convert();
    const auto& blocks = d.sections.at(0).blocks;
    ASSERT_EQ(blocks.size(), 3u);
    EXPECT_EQ(texts(d).front(), "before");
    const auto& t = std::get<model::Table>(blocks[1]);
    EXPECT_EQ(t.gridPt, (std::vector<double>{55.4, 50.0, 50.0}));
    EXPECT_DOUBLE_EQ(t.indentPt, -5.4);
    ASSERT_EQ(t.rows.size(), 2u);
    const auto& r0 = t.rows[0].cells;
    ASSERT_EQ(r0.size(), 2u);
    EXPECT_EQ(r0[0].verticalMerge, model::VerticalMerge::Restart);
    EXPECT_EQ(r0[0].rowSpan, 2);
    EXPECT_EQ(cellText(r0[0]), "tall|continued") << "the text of the continued cell is kept";
    EXPECT_EQ(r0[0].shading, (model::Color{255, 255, 0}));
    EXPECT_EQ(r0[1].gridSpan, 2);
    EXPECT_EQ(cellText(r0[1]), "wide|merged in");
    EXPECT_EQ(r0[1].shading, (model::Color{255, 0, 0}));
    ASSERT_TRUE(r0[1].borders.top.has_value());
    EXPECT_EQ(r0[1].borders.top->style, model::BorderStyle::Single);
    EXPECT_DOUBLE_EQ(r0[1].borders.top->widthPt, 1.0);
    EXPECT_EQ(r0[1].borders.top->color, (model::Color{255, 0, 0}));
    EXPECT_FALSE(r0[0].borders.top.has_value()) << "a zero border leaves the side to the table";
    const auto& r1 = t.rows[1].cells;
    ASSERT_EQ(r1.size(), 3u);
    EXPECT_EQ(r1[0].verticalMerge, model::VerticalMerge::Continue);
    EXPECT_TRUE(r1[0].blocks.empty());
    EXPECT_EQ(cellText(r1[1]), "x|x2");
    EXPECT_EQ(std::get<model::Paragraph>(blocks[2]).plainText(), "after");
}

TEST(DocConverter, NestedTablesEndInFlaggedParagraphMarks) {
    const Bytes outer = sprm1(sprm::PFInTable, 1) + sprm4(sprm::PItap, 1);
    const Bytes inner = sprm1(sprm::PFInTable, 1) + sprm4(sprm::PItap, 2);
    const Bytes innerCell = inner + sprm1(sprm::PFInnerTableCell, 1);
    const Bytes innerRow = innerCell + sprm1(sprm::PFInnerTtp, 1) + defineRow({0, 500, 1000}, {0, 0});
    Synth s;
    s.text(u"outer a").mark(0x07, outer);
    s.text(u"in 1").mark(0x0D, innerCell);
    s.text(u"in 2").mark(0x0D, innerCell);
    s.mark(0x0D, innerRow);
    s.text(u"after inner").mark(0x07, outer);
    s.mark(0x07, outer + sprm1(sprm::PFTtp, 1) + defineRow({0, 2000, 4000}, {0, 0}));
    s.text(u"after").mark(0x0D);
    const auto d = s.convert();
    const auto& blocks = d.sections.at(0).blocks;
    ASSERT_EQ(blocks.size(), 2u);
    const auto& t = std::get<model::Table>(blocks[0]);
    ASSERT_EQ(t.rows.size(), 1u);
    ASSERT_EQ(t.rows[0].cells.size(), 2u);
    EXPECT_EQ(cellText(t.rows[0].cells[0]), "outer a");
    const auto& cell = t.rows[0].cells[1].blocks;
    ASSERT_EQ(cell.size(), 2u);
    const auto& nested = std::get<model::Table>(cell[0]);
    EXPECT_EQ(nested.gridPt, (std::vector<double>{25.0, 25.0}));
    ASSERT_EQ(nested.rows.size(), 1u);
    ASSERT_EQ(nested.rows[0].cells.size(), 2u);
    EXPECT_EQ(cellText(nested.rows[0].cells[1]), "in 2");
    EXPECT_EQ(std::get<model::Paragraph>(cell[1]).plainText(), "after inner");
    EXPECT_EQ(std::get<model::Paragraph>(blocks[1]).plainText(), "after");
}

TEST(DocConverter, HiddenTextIsLeftOutAndPropertiesApply) {
    Synth s;
    s.text(u"shown ").text(u"hidden", sprm1(sprm::CFVanish, 1)).text(u"bold", sprm1(sprm::CFBold, 1)).mark(0x0D);
    const auto d = s.convert();
    EXPECT_EQ(texts(d), (Lines{"shown bold"}));
    const auto& p = std::get<model::Paragraph>(d.sections.at(0).blocks.at(0));
    ASSERT_EQ(p.runs.size(), 2u);
    EXPECT_FALSE(p.runs[0].props.bold);
    EXPECT_TRUE(p.runs[1].props.bold);
}

TEST(DocConverter, FootnotesAreNotesWithTheirReferences) {
    const Bytes special = sprm1(sprm::CFSpec, 1);
    Synth s;
    s.text(u"one");
    const std::uint32_t ref1 = s.cp();
    s.text(u"\x02", special).text(u" two");
    const std::uint32_t ref2 = s.cp();
    s.text(u"\x02", special).mark(0x0D);
    const std::uint32_t mainEnd = s.cp();
    const std::uint32_t note1 = s.cp();
    s.text(u"\x02", special).text(u" first note").mark(0x0D);
    const std::uint32_t note2 = s.cp();
    s.text(u"\x02", special).text(u" second note").mark(0x0D);
    DocFile& f = s.file();
    f.main = {0, mainEnd};
    f.footnotes = {note1, s.cp()};
    f.footnoteTable.refCps = {ref1, ref2};
    f.footnoteTable.texts = {{note1, note2}, {note2, s.cp()}};
    const auto d = convertDocFile(f);
    EXPECT_EQ(texts(d), (Lines{"one1 two2"}));
    const auto& p = std::get<model::Paragraph>(d.sections.at(0).blocks.at(0));
    ASSERT_GE(p.runs.size(), 4u);
    EXPECT_EQ(p.runs[1].text, "1");
    EXPECT_EQ(p.runs[1].props.vertical, model::VerticalPosition::Superscript);
    EXPECT_EQ(p.runs[1].field, model::FieldKind::NoteReference);
    EXPECT_EQ(p.runs[1].note, 0);
    EXPECT_EQ(p.runs[3].note, 1);
    // Each note holds its text, starting with its own mark.
    ASSERT_EQ(d.notes.size(), 2u);
    Lines noteTexts;
    for (const auto& n : d.notes) {
        ASSERT_EQ(n.blocks.size(), 1u);
        const auto& np = std::get<model::Paragraph>(n.blocks[0]);
        noteTexts.push_back(np.plainText());
        EXPECT_EQ(np.runs.at(0).field, model::FieldKind::NoteReference);
    }
    EXPECT_EQ(noteTexts, (Lines{"1 first note", "2 second note"}));
}

TEST(DocConverter, SectionBreaksMakeSections) {
    Synth s;
    s.text(u"first").mark(0x0D);
    s.mark(0x0C);
    const std::uint32_t end1 = s.cp();
    s.text(u"second").mark(0x0D);
    DocFile& f = s.file();
    Bytes landscape;
    put16(landscape, sprm::SXaPage); put16(landscape, 15840);
    put16(landscape, sprm::SYaPage); put16(landscape, 12240);
    f.sections = {{end1, {}}, {s.cp(), landscape}};
    const auto d = convertDocFile(f);
    ASSERT_EQ(d.sections.size(), 2u);
    EXPECT_EQ(texts(d), (Lines{"first", "second"}));
    EXPECT_DOUBLE_EQ(d.sections[0].page.widthPt, 612.0);
    EXPECT_DOUBLE_EQ(d.sections[1].page.widthPt, 792.0);
    EXPECT_DOUBLE_EQ(d.sections[1].page.heightPt, 612.0);
}

TEST(DocConverter, HeadersComeFromTheOddStoriesAndAreInherited) {
    Synth s;
    s.text(u"body one").mark(0x0D);
    s.mark(0x0C);
    const std::uint32_t end1 = s.cp();
    s.text(u"body two").mark(0x0D);
    const std::uint32_t mainEnd = s.cp();
    s.text(u"Odd header").mark(0x0D);
    const std::uint32_t footerStart = s.cp() - mainEnd;
    s.text(u"Odd footer").mark(0x0D);
    const std::uint32_t hddEnd = s.cp() - mainEnd;
    DocFile& f = s.file();
    f.main = {0, mainEnd};
    f.headers = {mainEnd, s.cp()};
    f.sections = {{end1, {}}, {mainEnd, {}}};
    // Six separator stories, then section 1: even header, odd header, even footer, odd footer, first header, first footer.
    std::vector<std::uint32_t> cps(7, 0);
    cps.insert(cps.end(), {0, footerStart, footerStart, hddEnd, hddEnd, hddEnd});
    // Section 2: all empty (inherits).
    cps.insert(cps.end(), {hddEnd, hddEnd, hddEnd, hddEnd, hddEnd, hddEnd});
    for (std::size_t i = 0; i + 1 < cps.size(); ++i)
        f.headerStories.push_back({mainEnd + cps[i], mainEnd + cps[i + 1]});
    const auto d = convertDocFile(f);
    ASSERT_EQ(d.sections.size(), 2u);
    for (const auto& sec : d.sections) {
        ASSERT_EQ(sec.header.size(), 1u);
        EXPECT_EQ(std::get<model::Paragraph>(sec.header[0]).plainText(), "Odd header");
        ASSERT_EQ(sec.footer.size(), 1u);
        EXPECT_EQ(std::get<model::Paragraph>(sec.footer[0]).plainText(), "Odd footer");
    }
    EXPECT_EQ(texts(d), (Lines{"body one", "body two"}));
}

TEST(DocConverter, ListLabelsPrecedeTheItems) {
    Synth s;
    Bytes item;
    put16(item, sprm::PIlfo); put16(item, 1);
    s.text(u"first").mark(0x0D, item);
    s.text(u"second").mark(0x0D, item);
    s.text(u"plain").mark(0x0D);
    DocFile& f = s.file();
    ListDef def;
    def.lsid = 5;
    ListLevel lvl;
    lvl.nfc = 1;
    lvl.text = std::u16string{char16_t(0), u')'};       // level 1's number, then ")"
    lvl.follow = 1;
    def.levels.push_back(lvl);
    f.lists.lists.push_back(def);
    f.lists.overrides.push_back({5, {}});
    EXPECT_EQ(texts(convertDocFile(f)), (Lines{"I) first", "II) second", "plain"}));
}

TEST(DocConverter, FontsByIndex) {
    Synth s;
    Bytes font;
    put16(font, sprm::CRgFtc0); put16(font, 1);
    s.text(u"x", font).text(u"y").mark(0x0D);
    DocFile& f = s.file();
    f.fonts = {FontDef{"Liberation Sans", 0}, FontDef{"Caladea", 0}};
    const auto d = convertDocFile(f);
    const auto& p = std::get<model::Paragraph>(d.sections.at(0).blocks.at(0));
    ASSERT_EQ(p.runs.size(), 2u);
    EXPECT_EQ(p.runs[0].props.font, "Caladea");
    EXPECT_EQ(p.runs[1].props.font, "Liberation Sans");
}

} // namespace

namespace {

TEST(DocConverter, TextBoxTextFollowsTheParagraphOfItsAnchor) {
    const Bytes special = sprm1(sprm::CFSpec, 1);
    Synth s;
    s.text(u"before");
    const std::uint32_t anchorCp = s.cp();
    s.text(u"\x08", special).text(u"after").mark(0x0D);
    s.text(u"next").mark(0x0D);
    const std::uint32_t mainEnd = s.cp();
    s.text(u"box text").mark(0x0D);
    const std::uint32_t box2 = s.cp();
    s.text(u"unanchored box").mark(0x0D);
    const std::uint32_t guard = s.cp();
    s.mark(0x0D);
    DocFile& f = s.file();
    f.main = {0, mainEnd};
    f.textboxes = {mainEnd, s.cp()};
    f.textboxStories = {{mainEnd, box2}, {box2, guard}, {guard, s.cp()}};
    f.textboxShapes = {7, 8, 0};
    ShapeAnchor a;
    a.cp = anchorCp;
    a.spid = 7;
    f.anchors.push_back(a);
    EXPECT_EQ(texts(convertDocFile(f)), (Lines{"beforeafter", "box text", "next", "unanchored box"}));
}

} // namespace

namespace {

TEST(DocConverter, ListLevelIndentsYieldToTheParagraphsOwn) {
    Synth s;
    Bytes item;
    put16(item, sprm::PIlfo); put16(item, 1);
    Bytes ownIndent = item;
    put16(ownIndent, sprm::PDxaLeft); put16(ownIndent, 1440);
    Bytes autoSpace = sprm1(sprm::PFDyaBeforeAuto, 1);
    s.text(u"level indent").mark(0x0D, item);
    s.text(u"own indent").mark(0x0D, ownIndent);
    s.text(u"auto spaced").mark(0x0D, autoSpace);
    DocFile& f = s.file();
    ListDef def;
    def.lsid = 9;
    ListLevel lvl;
    lvl.nfc = 23;
    lvl.text = std::u16string(1, u'\uF0B7');
    put16(lvl.papx, sprm::PDxaLeft); put16(lvl.papx, 720);
    put16(lvl.papx, sprm::PDxaLeft1); put16(lvl.papx, static_cast<std::uint16_t>(-360));
    put16(lvl.chpx, sprm::CRgFtc0); put16(lvl.chpx, 1);
    def.levels.push_back(lvl);
    f.lists.lists.push_back(def);
    f.lists.overrides.push_back({9, {}});
    f.fonts = {FontDef{"Liberation Serif", 0}, FontDef{"Symbol", 2}};
    const auto d = convertDocFile(f);
    const auto& blocks = d.sections.at(0).blocks;
    ASSERT_EQ(blocks.size(), 3u);
    const auto& first = std::get<model::Paragraph>(blocks[0]);
    EXPECT_EQ(first.plainText(), "\u2022\tlevel indent");
    EXPECT_DOUBLE_EQ(first.props.leftIndentPt, 36.0);
    EXPECT_DOUBLE_EQ(first.props.firstLineIndentPt, -18.0);
    EXPECT_EQ(first.runs.at(0).props.font, "Liberation Serif");   // not the symbol font
    const auto& second = std::get<model::Paragraph>(blocks[1]);
    EXPECT_DOUBLE_EQ(second.props.leftIndentPt, 72.0);
    EXPECT_DOUBLE_EQ(second.props.firstLineIndentPt, -18.0);
    const auto& third = std::get<model::Paragraph>(blocks[2]);
    EXPECT_DOUBLE_EQ(third.props.spaceBeforePt, 14.0);
    EXPECT_DOUBLE_EQ(third.props.leftIndentPt, 0.0);
}

} // namespace

namespace {

TEST(DocConverter, TabStopsFromTheLeftIndent) {
    Pap pap;
    pap.dxaLeft = 720;
    pap.tabs = {360, 1440, 2880};
    const auto props = toParaProps(pap);
    EXPECT_EQ(props.tabStopsPt, (std::vector<double>{36.0, 108.0}));
}

} // namespace

namespace {

TEST(DocConverter, PageNumberAndCountResultsAreMarkedRuns) {
    Synth s;
    s.text(u"Page \x13 PAGE \x14" u"12\x15 of \x13 NUMPAGES \x14" u"3\x15\x13 PAGE \x14" u"4\x15").mark(0x0D);
    const auto d = s.convert();
    const auto& p = std::get<model::Paragraph>(d.sections.at(0).blocks.at(0));
    ASSERT_EQ(p.runs.size(), 5u);
    EXPECT_EQ(p.runs[0].text, "Page ");
    EXPECT_EQ(p.runs[0].field, model::FieldKind::None);
    EXPECT_EQ(p.runs[1].text, "12");
    EXPECT_EQ(p.runs[1].field, model::FieldKind::PageNumber);
    EXPECT_EQ(p.runs[2].text, " of ");
    EXPECT_EQ(p.runs[3].text, "3");
    EXPECT_EQ(p.runs[3].field, model::FieldKind::PageCount);
    EXPECT_EQ(p.runs[4].text, "4");                        // a second field: a run of its own
    EXPECT_EQ(p.runs[4].field, model::FieldKind::PageNumber);
}

} // namespace

namespace {

// Tracked changes accepted, a symbol inserted from a symbol font, and a
// FILENAME field that names the converted file instead of its stored result.
TEST(DocConverter, AcceptedDeletionsSymbolsAndTheFileName) {
    const Bytes deleted = sprm1(sprm::CFRMarkDel, 1);
    Bytes symbol;
    put16(symbol, sprm::CSymbol); put16(symbol, 1); put16(symbol, 0xF06D);
    Synth s;
    s.text(u"kept ").text(u"gone ", deleted).text(u"text").mark(0x0D);
    s.text(u"joined ").mark(0x0D, {}, deleted);
    s.text(u"with the next").mark(0x0D);
    s.text(u"5 ").text(u"(", symbol).text(u"m").mark(0x0D);
    s.text(u"\x13 FILENAME \x14old.doc\x15").mark(0x0D);
    s.text(u"style ").text(u"toggled", sprm1(sprm::CFRMarkDel, 0x80)).mark(0x0D);
    DocFile& f = s.file();
    f.fonts = {FontDef{"Times New Roman", 0}, FontDef{"Symbol", 2}};
    f.sourcePath = "/in/Report.doc";
    f.sourceFileName = "Report.doc";
    const auto d = convertDocFile(f);
    EXPECT_EQ(texts(d), (Lines{"kept text", "joined with the next", "5 \uF06Dm", "Report.doc", "style toggled"}));
    const auto& sym = std::get<model::Paragraph>(d.sections.at(0).blocks.at(2));
    ASSERT_EQ(sym.runs.size(), 3u);
    EXPECT_EQ(sym.runs[1].props.font, "Symbol");
}

} // namespace

namespace {

Bytes sprm2(std::uint16_t op, std::uint16_t v) {
    Bytes b;
    put16(b, op);
    put16(b, v);
    return b;
}
Bytes msoArray(const std::vector<std::int32_t>& values, std::uint16_t size) {
    Bytes b;
    const std::size_t count = size == 2 ? values.size() : values.size() / 2;
    put16(b, static_cast<unsigned>(count));
    put16(b, static_cast<unsigned>(count));
    put16(b, size);
    for (std::int32_t v : values) {
        put16(b, static_cast<std::uint32_t>(v) & 0xFFFF);
        if (size == 8) put16(b, static_cast<std::uint32_t>(v) >> 16);
    }
    return b;
}

ShapeAnchor anchorOf(std::uint32_t cp, std::uint32_t spid, std::int32_t left, std::int32_t top, std::int32_t right,
                     std::int32_t bottom) {
    ShapeAnchor a;
    a.cp = cp;
    a.spid = spid;
    a.xaLeft = left;
    a.yaTop = top;
    a.xaRight = right;
    a.yaBottom = bottom;
    return a;
}

TEST(DocConverter, OfficeArtShapesKeepTheirLookAndHoldTheirTextBoxesText) {
    const Bytes special = sprm1(sprm::CFSpec, 1);
    Synth s;
    s.text(u"before");
    const std::uint32_t first = s.cp();
    s.text(u"\x08", special);
    const std::uint32_t second = s.cp();
    s.text(u"\x08", special);
    const std::uint32_t third = s.cp();
    s.text(u"\x08", special).text(u"after").mark(0x0D);
    const std::uint32_t mainEnd = s.cp();
    s.text(u"box text").mark(0x0D);
    const std::uint32_t guard = s.cp();
    s.mark(0x0D);
    DocFile& f = s.file();
    f.main = {0, mainEnd};
    f.textboxes = {mainEnd, s.cp()};
    f.textboxStories = {{mainEnd, guard}, {guard, s.cp()}};
    f.textboxShapes = {7, 0};
    // A text box: red fill, 2 pt dashed blue line, flipped, turned, top-and-bottom wrap, behind the text.
    ShapeAnchor box = anchorOf(first, 7, 1440, 720, 4320, 2160);
    box.bx = 1;
    box.by = 2;
    box.wr = 1;
    box.belowText = true;
    ShapeInfo boxInfo;
    boxInfo.type = 202;
    boxInfo.flags = 0x040 | 0xA00;
    boxInfo.properties = {{0x0004, 45u << 16}, {0x0181, 0x0000FF}, {0x01C0, 0xFF0000}, {0x01CB, 25400},
                          {0x01CE, 6}, {0x0087, 1}, {0x01D1, 1}};
    f.anchors.push_back(box);
    f.drawing.shapes[7] = boxInfo;
    // A group of a plain rectangle and a custom outline, over 144 x 72 pt.
    f.anchors.push_back(anchorOf(second, 10, 0, 0, 2880, 1440));
    ShapeInfo group;
    group.flags = 0x001;
    const std::int32_t space[4] = {0, 0, 200, 100};
    std::copy(space, space + 4, group.groupRect);
    ShapeInfo rect;
    rect.type = 1;
    rect.hasChildRect = true;
    const std::int32_t left[4] = {0, 0, 100, 100};
    std::copy(left, left + 4, rect.childRect);
    rect.properties = {{0x01BF, 0x00100000}};   // not filled
    ShapeInfo outline;
    outline.type = 0;
    outline.hasChildRect = true;
    const std::int32_t right[4] = {100, 50, 200, 100};
    std::copy(right, right + 4, outline.childRect);
    outline.complex[0x0145] = msoArray({0, 0, 21600, 0, 21600, 21600}, 8);
    outline.complex[0x0146] = msoArray({0x4000, 0x0002, 0x6001, 0x8000}, 2);
    f.drawing.shapes[10] = group;
    f.drawing.shapes[11] = rect;
    f.drawing.shapes[12] = outline;
    f.drawing.groupMembers[10] = {11, 12};
    // WordArt.
    f.anchors.push_back(anchorOf(third, 20, 0, 0, 5760, 1440));
    ShapeInfo art;
    art.type = 136;
    art.properties = {{0x0181, 0x00C0C0C0}};
    const std::u16string draft = u"DRAFT";
    Bytes text;
    for (char16_t c : draft) put16(text, c);
    put16(text, 0);
    art.complex[0x00C0] = text;
    f.drawing.shapes[20] = art;

    const model::Document doc = convertDocFile(f);
    std::vector<model::DrawingShape> shapes;
    for (const auto& b : doc.sections.at(0).blocks)
        if (const auto* d = std::get_if<model::DrawingShape>(&b)) shapes.push_back(*d);
    // Floating shapes stand before the paragraph that anchors them.
    EXPECT_EQ(texts(doc), (Lines{"<picture>", "<picture>", "<picture>", "<picture>", "beforeafter"}));
    ASSERT_EQ(shapes.size(), 4u);
    const auto& b = shapes[0];
    EXPECT_TRUE(b.textBox);
    ASSERT_EQ(b.text.size(), 1u);
    EXPECT_EQ(std::get<model::Paragraph>(b.text[0]).plainText(), "box text");
    EXPECT_EQ(b.fill.color, (model::Color{255, 0, 0}));
    EXPECT_EQ(b.line.color, (model::Color{0, 0, 255}));
    EXPECT_DOUBLE_EQ(b.line.widthPt, 2.0);
    EXPECT_EQ(b.line.dash, model::LineDash::Dash);
    EXPECT_EQ(b.line.end.head, model::ArrowHead::Triangle);
    EXPECT_TRUE(b.flipH);
    EXPECT_DOUBLE_EQ(b.rotationDeg, 45.0);
    EXPECT_EQ(b.textAlignment, model::VerticalAlignment::Center);
    EXPECT_DOUBLE_EQ(b.widthPt, 144.0);
    ASSERT_TRUE(b.anchor);
    EXPECT_DOUBLE_EQ(b.anchor->xPt, 72.0);
    EXPECT_TRUE(b.anchor->yFromParagraph);
    EXPECT_DOUBLE_EQ(b.anchor->yPt, 36.0);
    EXPECT_EQ(b.anchor->wrap, model::TextWrap::TopAndBottom);
    EXPECT_TRUE(b.anchor->behindText);
    // Group members: placed in the group's space stretched over the anchor.
    EXPECT_EQ(shapes[1].geometry.preset, model::PresetShape::Rectangle);
    EXPECT_EQ(shapes[1].fill.kind, model::ShapeFill::Kind::None);
    EXPECT_DOUBLE_EQ(shapes[1].widthPt, 72.0);
    EXPECT_EQ(shapes[2].geometry.preset, model::PresetShape::Custom);
    ASSERT_EQ(shapes[2].geometry.paths.size(), 1u);
    EXPECT_EQ(shapes[2].geometry.paths[0].commands.size(), 4u);
    EXPECT_EQ(shapes[2].geometry.paths[0].commands[3].op, model::PathCommand::Op::Close);
    EXPECT_DOUBLE_EQ(shapes[2].anchor->xPt - shapes[1].anchor->xPt, 72.0);
    EXPECT_DOUBLE_EQ(shapes[2].anchor->yPt - shapes[1].anchor->yPt, 36.0);
    EXPECT_DOUBLE_EQ(shapes[2].heightPt, 36.0);
    // WordArt: its string, large, in its fill colour.
    ASSERT_EQ(shapes[3].text.size(), 1u);
    const auto& run = std::get<model::Paragraph>(shapes[3].text[0]).runs.at(0);
    EXPECT_EQ(run.text, "DRAFT");
    EXPECT_EQ(run.props.color, (model::Color{0xC0, 0xC0, 0xC0}));
    EXPECT_GT(run.props.sizePt, 30.0);
}

TEST(DocConverter, ParagraphBordersShadingHighlightAndPageBorders) {
    Synth s;
    // Top border: 1.5 pt single red (Word 97 form), bottom: 1 pt dotted blue (Word 2000 form).
    Bytes bottom;
    put16(bottom, 0xC650);
    bottom.push_back(8);
    for (std::uint8_t v : {0x00, 0x00, 0xFF, 0x00, 8, 6, 2, 0}) bottom.push_back(v);
    const Bytes papx = sprm4(0x6424, 12u | (1u << 8) | (6u << 16) | (1u << 24)) + bottom + sprm2(0x442D, 16u << 5);
    s.text(u"boxed", sprm1(0x2A0C, 7)).mark(0x0D, papx);
    DocFile& f = s.file();
    SectionDesc section;
    section.cpEnd = s.cp();
    section.sepx = sprm4(0x702B, 24u | (1u << 8) | (1u << 16) | (24u << 24)) + sprm2(0x522F, 2u | (1u << 5));
    f.sections = {section};
    const model::Document doc = convertDocFile(f);
    const auto& p = std::get<model::Paragraph>(doc.sections.at(0).blocks.at(0));
    EXPECT_EQ(p.props.borders.top.style, model::BorderStyle::Single);
    EXPECT_DOUBLE_EQ(p.props.borders.top.widthPt, 1.5);
    EXPECT_EQ(p.props.borders.top.color, (model::Color{255, 0, 0}));
    EXPECT_DOUBLE_EQ(p.props.borders.top.spacePt, 1.0);
    EXPECT_EQ(p.props.borders.bottom.style, model::BorderStyle::Dotted);
    EXPECT_EQ(p.props.borders.bottom.color, (model::Color{0, 0, 255}));
    EXPECT_FALSE(p.props.borders.left.visible());
    EXPECT_EQ(p.props.shading, (model::Color{192, 192, 192}));
    EXPECT_EQ(p.runs.at(0).props.highlight, (model::Color{255, 255, 0}));
    const auto& pb = doc.sections.at(0).pageBorders;
    EXPECT_DOUBLE_EQ(pb.top.widthPt, 3.0);
    EXPECT_DOUBLE_EQ(pb.top.spacePt, 24.0);
    EXPECT_EQ(pb.pages, model::PageBorders::Pages::AllButFirst);
    EXPECT_FALSE(pb.fromText);
    EXPECT_FALSE(pb.bottom.visible());
}

// A numbered paragraph that opens with a page break shows its label after
// the break; a paragraph of nothing but a section mark is neither labelled
// nor counted.
TEST(DocConverter, ListLabelsFollowLeadingPageBreaksAndSkipLoneSectionMarks) {
    Bytes item;
    put16(item, sprm::PIlfo); put16(item, 1);
    Synth s;
    s.text(u"one").mark(0x0D, item);
    s.mark(0x0C, item);
    const std::uint32_t end1 = s.cp();
    s.text(u"\x0Ctwo").mark(0x0D, item);
    s.text(u"three").mark(0x0D, item);
    DocFile& f = s.file();
    f.sections = {{end1, {}}, {s.cp(), {}}};
    ListDef def;
    def.lsid = 7;
    ListLevel lvl;
    lvl.text = std::u16string{char16_t(0), u'.'};
    lvl.follow = 1;
    def.levels.push_back(lvl);
    f.lists.lists.push_back(def);
    f.lists.overrides.push_back({7, {}});
    EXPECT_EQ(texts(convertDocFile(f)), (Lines{"1. one", "<break>", "2. two", "3. three"}));
}

// Word 6.0/95 numbering (nLvlAnm and ANLD, here in the Word 97 layout the
// reader gives them): a paragraph without numbering ends the run.
TEST(DocConverter, Word6NumberedParagraphsCountInRuns) {
    Bytes numbered = sprm1(sprm::PNLvlAnm, 10);
    put16(numbered, sprm::PAnld);
    numbered.push_back(84);
    Bytes anld(84, 0);
    anld[2] = 1;                                         // one character after the number
    anld[10] = 1;                                        // start at 1
    anld[20] = '.';
    numbered.insert(numbered.end(), anld.begin(), anld.end());
    Synth s;
    s.text(u"first").mark(0x0D, numbered);
    s.text(u"second").mark(0x0D, numbered);
    s.text(u"plain").mark(0x0D);
    s.text(u"again").mark(0x0D, numbered);
    DocFile& f = s.file();
    f.fib.word97 = false;
    EXPECT_EQ(texts(convertDocFile(f)), (Lines{"1.\tfirst", "2.\tsecond", "plain", "1.\tagain"}));
}

// A symbol from a font of the symbol character set keeps its private-use
// code whatever the font's name; from a text font, the plain character.
TEST(DocConverter, SymbolFontsKnownByTheirCharacterSet) {
    auto symbol = [](std::uint16_t font, std::uint16_t code) {
        Bytes b;
        put16(b, sprm::CSymbol); put16(b, font); put16(b, code);
        return b;
    };
    Synth s;
    s.text(u"x", symbol(1, 0x81)).text(u"y", symbol(0, 0x41)).mark(0x0D);
    DocFile& f = s.file();
    f.fonts = {FontDef{"Times New Roman", 0}, FontDef{"UniversalMath1 BT", 2}};
    const auto d = convertDocFile(f);
    EXPECT_EQ(texts(d), (Lines{"\uF081A"}));
    EXPECT_EQ(std::get<model::Paragraph>(d.sections.at(0).blocks.at(0)).runs.at(0).props.font, "UniversalMath1 BT");
}

// Fields Word draws from their code: SYMBOL without a result shows its
// character in the font its \f switch names; one with a result keeps it.
TEST(DocConverter, SymbolFieldsShowTheirCharacter) {
    Synth s;
    s.text(u"5 \x13 SYMBOL 109 \\f \"Symbol\" \\s 10 \x15m").mark(0x0D);
    s.text(u"\x13 SYMBOL 183 \\f Symbol \x14?\x15|\x13 SYMBOL 150 \x15|\x13 SYMBOL 0x41 \\u \x15").mark(0x0D);
    const auto d = s.convert();
    EXPECT_EQ(texts(d), (Lines{"5 mm", "?|\u2013|A"}));
    const model::Run* mu = nullptr;
    for (const auto& r : std::get<model::Paragraph>(d.sections.at(0).blocks.at(0)).runs)
        if (r.text == "m" || r.text.rfind("m", 0) == 0) mu = mu ? mu : &r;
    ASSERT_NE(mu, nullptr);
    EXPECT_EQ(mu->props.font, "Symbol");
}

// A drop cap is a paragraph of its own (sprmPDcs); Word shows it as the
// first letter of the next paragraph, whatever the letter's size.
TEST(DocConverter, DropCapJoinsTheNextParagraph) {
    auto dcs = [](unsigned fdct, unsigned lines) {
        Bytes b;
        put16(b, sprm::PDcs);
        put16(b, fdct | (lines << 3));
        return b;
    };
    Synth s;
    s.text(u"T").mark(0x0D, dcs(1, 3));
    s.text(u"his starts.").mark(0x0D);
    s.text(u"W").mark(0x0D, dcs(2, 2));
    s.text(u"ith margin.").mark(0x0D);
    s.text(u"L").mark(0x0D, dcs(1, 3));
    EXPECT_EQ(texts(s.convert()), (Lines{"This starts.", "With margin.", "L"}));
}

} // namespace
