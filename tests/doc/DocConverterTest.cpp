// The converter on hand-made DocFiles: special characters, nested fields,
// table marks, notes, hidden text, list labels and section breaks, each
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

TEST(DocConverter, TableRowsJoinCellsWithTabs) {
    const Bytes inTable = sprm1(sprm::PFInTable, 1);
    const Bytes rowEnd = inTable + sprm1(sprm::PFTtp, 1);
    Synth s;
    s.text(u"before").mark(0x0D);
    s.text(u"A1").mark(0x07, inTable);
    s.text(u"B1 first").mark(0x0D, inTable);
    s.text(u"B1 second").mark(0x07, inTable);
    s.mark(0x07, rowEnd);
    s.text(u"A2").mark(0x07, inTable);
    s.mark(0x07, inTable);
    s.mark(0x07, rowEnd);
    s.text(u"after").mark(0x0D);
    EXPECT_EQ(texts(s.convert()), (Lines{"before", "A1\tB1 first\nB1 second", "A2\t", "after"}));
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
