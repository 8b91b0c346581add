// The format-level building blocks on hand-made bytes: sprm walking, the
// property changes of sprms (toggles included), the piece table and its
// text, list labels and the summary information.
#include "publishing/doc/Converter.h"
#include "publishing/doc/Lists.h"
#include "publishing/word/NumberFormat.h"
#include "publishing/doc/PieceTable.h"
#include "publishing/doc/Properties.h"
#include "publishing/doc/Sprm.h"
#include "publishing/doc/SummaryInfo.h"
#include "publishing/doc/TextEncoding.h"
#include "publishing/model/ConversionError.h"

#include <gtest/gtest.h>

using namespace fq::doc;

namespace {

void put16(Bytes& b, unsigned v) { b.push_back(v & 0xFF); b.push_back((v >> 8) & 0xFF); }
void put32(Bytes& b, std::uint32_t v) { put16(b, v & 0xFFFF); put16(b, v >> 16); }

TEST(DocSprm, OperandSizesFollowTheOpcode) {
    Bytes g;
    put16(g, sprm::CFBold); g.push_back(1);                 // 1 byte
    put16(g, sprm::CHps); put16(g, 24);                      // 2 bytes
    put16(g, sprm::CCv); put32(g, 0x00336699);               // 4 bytes
    put16(g, sprm::PChgTabsPapx); g.push_back(2); g.push_back(0xAA); g.push_back(0xBB);  // variable
    put16(g, 0xD608); put16(g, 4); g.push_back(1); g.push_back(2); g.push_back(3);       // table definition
    put16(g, 0xE634); g.push_back(7); g.push_back(8); g.push_back(9);                     // 3 bytes
    std::vector<std::pair<std::uint16_t, std::size_t>> seen;
    forEachSprm(g, [&](const Sprm& s) { seen.emplace_back(s.op, s.operand.size()); });
    const std::vector<std::pair<std::uint16_t, std::size_t>> expected{
        {sprm::CFBold, 1}, {sprm::CHps, 2}, {sprm::CCv, 4}, {sprm::PChgTabsPapx, 2}, {0xD608, 3}, {0xE634, 3}};
    EXPECT_EQ(seen, expected);
}

TEST(DocSprm, ATruncatedSprmEndsTheWalk) {
    Bytes g;
    put16(g, sprm::CFItalic); g.push_back(1);
    put16(g, sprm::CCv); g.push_back(0x11);                  // needs 4 bytes, has 1
    int count = 0;
    forEachSprm(g, [&](const Sprm&) { ++count; });
    EXPECT_EQ(count, 1);
    Bytes v;
    put16(v, sprm::PChgTabsPapx); v.push_back(200);          // claims 200 bytes
    forEachSprm(v, [&](const Sprm&) { ++count; });
    EXPECT_EQ(count, 1);
}

TEST(DocProps, TogglesFollowTheStyleValue) {
    Chp style;
    style.bold = true;
    Chp c = style;
    Bytes g;
    put16(g, sprm::CFBold); g.push_back(0x81);               // opposite of the style: off
    put16(g, sprm::CFItalic); g.push_back(0x80);             // same as the style: off
    applyChp(c, style, g);
    EXPECT_FALSE(c.bold);
    EXPECT_FALSE(c.italic);
    Chp plain;
    Chp d = plain;
    applyChp(d, plain, g);
    EXPECT_TRUE(d.bold);                                     // opposite of a non-bold style
    Bytes off;
    put16(off, sprm::CFBold); off.push_back(0);
    applyChp(d, plain, off);
    EXPECT_FALSE(d.bold);
}

TEST(DocProps, CharacterValues) {
    Chp c;
    Bytes g;
    put16(g, sprm::CHps); put16(g, 28);
    put16(g, sprm::CKul); g.push_back(3);
    put16(g, sprm::CIco); g.push_back(6);
    put16(g, sprm::CIss); g.push_back(2);
    put16(g, sprm::CRgFtc0); put16(g, 5);
    put16(g, sprm::CFVanish); g.push_back(1);
    applyChp(c, Chp{}, g);
    EXPECT_EQ(c.hps, 28);
    EXPECT_EQ(c.kul, 3);
    EXPECT_EQ(c.ico, 6);
    EXPECT_EQ(c.iss, 2);
    EXPECT_EQ(c.ftc[0], 5);
    EXPECT_TRUE(c.vanish);
    Bytes cv;
    put16(cv, sprm::CCv); put32(cv, 0x00102030);
    applyChp(c, Chp{}, cv);
    ASSERT_TRUE(c.cv.has_value());
    EXPECT_EQ(*c.cv, 0x00102030u);
    Bytes autoColour;
    put16(autoColour, sprm::CCv); put32(autoColour, 0xFF000000);
    applyChp(c, Chp{}, autoColour);
    EXPECT_FALSE(c.cv.has_value());
}

TEST(DocProps, ParagraphValuesAndTabs) {
    Pap p;
    Bytes g;
    put16(g, sprm::PJc); g.push_back(3);
    put16(g, sprm::PDxaLeft); put16(g, 1440);
    put16(g, sprm::PDxaLeft1); put16(g, static_cast<std::uint16_t>(-360));
    put16(g, sprm::PDyaLine); put16(g, static_cast<std::uint16_t>(-300)); put16(g, 0);
    put16(g, sprm::PDyaAfter); put16(g, 200);
    // Tabs: delete none, add 2880 and 720.
    put16(g, sprm::PChgTabsPapx); g.push_back(8); g.push_back(0); g.push_back(2);
    put16(g, 2880); put16(g, 720); g.push_back(0); g.push_back(0);
    applyPap(p, g);
    EXPECT_EQ(p.jc, 3);
    EXPECT_EQ(p.dxaLeft, 1440);
    EXPECT_EQ(p.dxaLeft1, -360);
    EXPECT_EQ(p.dyaLine, -300);
    EXPECT_FALSE(p.multLine);
    EXPECT_EQ(p.dyaAfter, 200);
    EXPECT_EQ(p.tabs, (std::vector<std::int16_t>{720, 2880}));
    Bytes del;
    put16(del, sprm::PChgTabsPapx); del.push_back(4); del.push_back(1); put16(del, 720); del.push_back(0);
    applyPap(p, del);
    EXPECT_EQ(p.tabs, (std::vector<std::int16_t>{2880}));
}

TEST(DocProps, SectionValues) {
    Sep s;
    Bytes g;
    put16(g, sprm::SXaPage); put16(g, 11906);
    put16(g, sprm::SYaPage); put16(g, 16838);
    put16(g, sprm::SDyaTop); put16(g, 1000);
    put16(g, sprm::SDxaLeft); put16(g, 2000);
    applySep(s, g);
    EXPECT_EQ(s.xaPage, 11906u);
    EXPECT_EQ(s.yaPage, 16838u);
    EXPECT_EQ(s.dyaTop, 1000);
    EXPECT_EQ(s.dxaLeft, 2000);
    EXPECT_EQ(s.dxaRight, 1800);                              // default kept
}

TEST(DocProps, TabDescriptorsAndPaginationFlowIntoTheModel) {
    Pap p;
    Bytes g;
    // Add a right stop with a dotted leader at 9000 and a bar tab at 4000.
    put16(g, sprm::PChgTabsPapx); g.push_back(8); g.push_back(0); g.push_back(2);
    put16(g, 9000); put16(g, 4000); g.push_back(2 | (1 << 3)); g.push_back(4);
    put16(g, sprm::PFWidowControl); g.push_back(0);
    put16(g, sprm::PFKeep); g.push_back(1);
    put16(g, sprm::PFContextualSpacing); g.push_back(1);
    applyPap(p, g);
    const auto m = toParaProps(p);
    EXPECT_EQ(m.tabs, (std::vector<fq::model::TabStop>{
                          {450.0, fq::model::TabAlignment::Right, fq::model::TabLeader::Dots}}));
    EXPECT_EQ(m.tabStopsPt, (std::vector<double>{450.0})) << "a bar tab stops nothing";
    EXPECT_FALSE(m.widowControl);
    EXPECT_TRUE(m.keepLinesTogether);
    EXPECT_TRUE(m.contextualSpacing);
    EXPECT_TRUE(toParaProps(Pap{}).widowControl) << "on unless turned off";
}

TEST(DocProps, SectionLayoutValues) {
    Sep s;
    Bytes g;
    put16(g, sprm::SBkc); g.push_back(0);
    put16(g, sprm::SCcolumns); put16(g, 2);
    put16(g, sprm::SDxaColumns); put16(g, 360);
    put16(g, sprm::SLBetween); g.push_back(1);
    put16(g, sprm::SNfcPgn); g.push_back(1);
    put16(g, sprm::SFPgnRestart); g.push_back(1);
    put16(g, sprm::SPgnStart97); put16(g, 5);
    put16(g, sprm::SRncFtn); g.push_back(2);
    applySep(s, g);
    fq::model::Section m;
    sectionLayout(s, m);
    EXPECT_EQ(m.start, fq::model::SectionStart::Continuous);
    EXPECT_EQ(m.columns.count, 3);
    EXPECT_DOUBLE_EQ(m.columns.spacingPt, 18.0);
    EXPECT_TRUE(m.columns.separator);
    EXPECT_EQ(m.pageNumberFormat, fq::word::NumberFormat::UpperRoman);
    EXPECT_EQ(m.pageNumberStart, 5);
    EXPECT_EQ(m.footnoteNumbering.restart, fq::model::NoteNumbering::Restart::EachPage);
    EXPECT_EQ(m.endnoteNumbering.format, fq::word::NumberFormat::LowerRoman);
}

// A CLX with one grpprl and two pieces: "Hi" 8-bit at byte 100, then
// "\u201C\u00E9" as UTF-16 at byte 200.
Bytes sampleClx() {
    Bytes clx;
    clx.push_back(1); put16(clx, 3); put16(clx, sprm::CFBold); clx.push_back(1);
    Bytes plc;
    put32(plc, 0); put32(plc, 2); put32(plc, 4);
    put16(plc, 0); put32(plc, 0x40000000u | 200); put16(plc, 0);   // compressed, fc 200/2 = 100
    put16(plc, 0); put32(plc, 200); put16(plc, 1);                  // prm: grpprl 0
    clx.push_back(2); put32(clx, static_cast<std::uint32_t>(plc.size()));
    clx.insert(clx.end(), plc.begin(), plc.end());
    return clx;
}

TEST(DocPieces, CompressedAndUnicodePieces) {
    const Bytes clx = sampleClx();
    const ByteReader table(clx, "table");
    const PieceTable pt = parseClx(table, {0, static_cast<std::uint32_t>(clx.size())}, true);
    ASSERT_EQ(pt.pieces.size(), 2u);
    EXPECT_TRUE(pt.pieces[0].compressed);
    EXPECT_EQ(pt.pieces[0].fc, 100u);
    EXPECT_FALSE(pt.pieces[1].compressed);
    EXPECT_EQ(pt.pieces[1].prm, 1);
    ASSERT_EQ(pt.prcs.size(), 1u);
    Bytes wd(300, 0);
    wd[100] = 'H';
    wd[101] = 0x93;                                           // cp1252 left double quote
    wd[200] = 0x1C; wd[201] = 0x20;
    wd[202] = 0xE9; wd[203] = 0x00;
    const DocText t = readText(ByteReader(wd, "wd"), pt, CodePage(1252), 100);
    EXPECT_EQ(t.chars, u"H\u201C\u201C\u00E9");
    EXPECT_EQ(t.fcs, (std::vector<std::uint32_t>{100, 101, 200, 202}));
    EXPECT_EQ(t.pieceIndex, (std::vector<std::uint32_t>{0, 0, 1, 1}));
}

TEST(DocPieces, DamagedPieceTablesAreReported) {
    Bytes clx = sampleClx();
    const ByteReader table(clx, "table");
    EXPECT_THROW(parseClx(table, {0, static_cast<std::uint32_t>(clx.size() + 10)}, true), fq::model::ConversionError);
    Bytes bad = clx;
    bad[6] = 0x05;                                            // unknown entry kind after the grpprl
    EXPECT_THROW(parseClx(ByteReader(bad, "t"), {0, static_cast<std::uint32_t>(bad.size())}, true), fq::model::ConversionError);
    const PieceTable pt = parseClx(table, {0, static_cast<std::uint32_t>(clx.size())}, true);
    // The UTF-16 piece lies beyond a short stream: its characters are lost,
    // the positions after them keep their place.
    Bytes shortStream(150, 'x');
    const DocText partial = readText(ByteReader(shortStream, "wd"), pt, CodePage(1252), 100);
    EXPECT_EQ(partial.chars, (std::u16string{u'x', u'x', kLost, kLost}));
    // Of a stream shorter than every piece, nothing can be read.
    Bytes tinyStream(50, 'x');
    try {
        readText(ByteReader(tinyStream, "wd"), pt, CodePage(1252), 100);
        FAIL() << "no error";
    } catch (const fq::model::ConversionError& e) {
        EXPECT_EQ(std::string(e.what()).rfind(fq::model::messages::damagedPrefix, 0), 0u) << e.what();
    }
}

TEST(DocPieces, ClaimsOfMorePositionsThanTheStreamHoldsAreNotSpelledOut) {
    // A piece (or a gap before one) reaching billions of positions past a
    // small stream: what can be read is kept, the rest is not made up.
    const Bytes wd(200, 'a');
    for (const std::uint32_t secondStart : {4u, 3000000000u}) {
        PieceTable pt;
        pt.pieces.push_back(Piece{0, 4, 10, true, 0, {}});
        pt.pieces.push_back(Piece{secondStart, 4000000000u, 5000, true, 0, {}});
        const DocText t = readText(ByteReader(wd, "wd"), pt, CodePage(1252), 0xFFFFFFFFu);
        EXPECT_EQ(t.chars.substr(0, 4), u"aaaa");
        EXPECT_LE(t.chars.size(), wd.size() + 4096) << secondStart;
        EXPECT_EQ(t.chars.size(), t.fcs.size());
    }
}

TEST(DocPieces, TheTextBeforeAPieceThatGoesBackIsKept) {
    // Pieces at CPs 0-2, 2-4, then one claiming 1-3: positions from there on
    // cannot be trusted. A first piece that ends before it starts leaves nothing.
    struct Case { std::vector<std::uint32_t> cps; std::size_t pieces; };
    for (const Case& c : {Case{{0, 2, 4, 6}, 3}, Case{{0, 2, 4, 3}, 2}, Case{{0, 2, 1, 3}, 1}, Case{{5, 2, 4}, 0}}) {
        Bytes plc;
        for (std::uint32_t cp : c.cps) put32(plc, cp);
        for (std::size_t i = 0; i + 1 < c.cps.size(); ++i) {
            put16(plc, 0); put32(plc, 0x40000000u | static_cast<std::uint32_t>(200 + 8 * i)); put16(plc, 0);
        }
        Bytes clx{2};
        put32(clx, static_cast<std::uint32_t>(plc.size()));
        clx.insert(clx.end(), plc.begin(), plc.end());
        const ByteReader table(clx, "table");
        if (c.pieces == 0) {
            EXPECT_THROW(parseClx(table, {0, static_cast<std::uint32_t>(clx.size())}, true), fq::model::ConversionError);
            continue;
        }
        EXPECT_EQ(parseClx(table, {0, static_cast<std::uint32_t>(clx.size())}, true).pieces.size(), c.pieces)
            << c.cps.back();
    }
}

TEST(DocText, CodePagesAndUtf8) {
    EXPECT_EQ(CodePage(1252)[0x80], u'\u20AC');
    EXPECT_EQ(CodePage(1251)[0xC0], u'\u0410');
    EXPECT_EQ(CodePage(1250)[0xE8], u'\u010D');
    EXPECT_EQ(codePageForLanguage(0x0419), 1251);
    EXPECT_EQ(codePageForLanguage(0x0409), 1252);
    EXPECT_EQ(codePageForCharset(238), 1250);
    EXPECT_EQ(utf16ToUtf8(u"a\u00E9\u2011\U0001F600"), "a\xC3\xA9\xE2\x80\x91\xF0\x9F\x98\x80");
    EXPECT_EQ(utf16ToUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
}

TEST(DocLists, NumberFormatsByCode) {
    auto nfc = [](long long n, unsigned code) { return fq::word::formatNumber(n, fq::word::numberFormatFromCode(code)); };
    EXPECT_EQ(nfc(4, 0), "4");
    EXPECT_EQ(nfc(14, 1), "XIV");
    EXPECT_EQ(nfc(9, 2), "ix");
    EXPECT_EQ(nfc(28, 3), "BB");
    EXPECT_EQ(nfc(2, 4), "b");
    EXPECT_EQ(nfc(3, 5), "3rd");
    EXPECT_EQ(nfc(12, 5), "12th");
    EXPECT_EQ(nfc(7, 22), "07");
    EXPECT_EQ(nfc(21, 37), "二十一");          // chineseCounting
    EXPECT_EQ(nfc(3, 255), "");                // none
}

TEST(DocLists, LevelsCountAndRestart) {
    ListTables t;
    ListDef def;
    def.lsid = 77;
    for (int i = 0; i < 9; ++i) {
        ListLevel l;
        l.startAt = 1;
        l.nfc = i == 1 ? 4 : 0;
        l.follow = 0;
        for (int k = 0; k <= i; ++k) {
            l.text += static_cast<char16_t>(k);
            l.text += u'.';
        }
        def.levels.push_back(l);
    }
    t.lists.push_back(def);
    t.overrides.push_back({77, {}});
    ListNumbering n(t);
    EXPECT_EQ(n.next(1, 0), u"1.\t");
    EXPECT_EQ(n.next(1, 1), u"1.a.\t");
    EXPECT_EQ(n.next(1, 1), u"1.b.\t");
    EXPECT_EQ(n.next(1, 0), u"2.\t");
    EXPECT_EQ(n.next(1, 1), u"2.a.\t");                      // the deeper level restarted
    EXPECT_EQ(n.next(2, 0), u"");                             // no such override
    EXPECT_EQ(n.next(0, 0), u"");
}

TEST(DocSummary, TitleAuthorAndDates) {
    EXPECT_EQ(fileTimeToIso(116444736000000000ULL), "1970-01-01T00:00:00Z");
    EXPECT_EQ(fileTimeToIso(133590312000000000ULL), "2024-05-01T10:00:00Z");
    EXPECT_EQ(fileTimeToIso(0), "");
    // A property set with code page 1252, a title and an author.
    Bytes s;
    put16(s, 0xFFFE); put16(s, 0); put32(s, 0);
    for (int i = 0; i < 16; ++i) s.push_back(0);
    put32(s, 1);
    for (int i = 0; i < 16; ++i) s.push_back(0);
    put32(s, 48);
    Bytes sec;
    const std::string title = "A title\xE9";
    const std::string author = "Ann";
    put32(sec, 0); put32(sec, 4);
    const std::size_t headerSize = 8 + 4 * 8;
    put32(sec, 1); put32(sec, static_cast<std::uint32_t>(headerSize));
    put32(sec, 2); put32(sec, static_cast<std::uint32_t>(headerSize + 8));
    put32(sec, 4); put32(sec, static_cast<std::uint32_t>(headerSize + 8 + 8 + 12));
    put32(sec, 12); put32(sec, static_cast<std::uint32_t>(headerSize + 8 + 8 + 12 + 12));
    put16(sec, 2); put16(sec, 0); put16(sec, 1252); put16(sec, 0);
    put32(sec, 0x1E); put32(sec, 9); for (char c : title) sec.push_back(static_cast<std::uint8_t>(c)); sec.push_back(0);
    sec.resize(headerSize + 8 + 8 + 12, 0);
    put32(sec, 0x1E); put32(sec, 4); for (char c : author) sec.push_back(static_cast<std::uint8_t>(c)); sec.push_back(0);
    put32(sec, 0x40); put32(sec, static_cast<std::uint32_t>(133590312000000000ULL & 0xFFFFFFFF));
    put32(sec, static_cast<std::uint32_t>(133590312000000000ULL >> 32));
    s.insert(s.end(), sec.begin(), sec.end());
    const auto p = parseSummaryInformation(s);
    EXPECT_EQ(p.title, "A title\xC3\xA9");
    EXPECT_EQ(p.author, "Ann");
    EXPECT_EQ(p.created, "2024-05-01T10:00:00Z");
    // Cut short: no crash, fewer properties.
    const Bytes cut(s.begin(), s.begin() + 90);
    const auto q = parseSummaryInformation(cut);
    EXPECT_TRUE(q.author.empty());
}

} // namespace

namespace {

TEST(DocPieces, PropertyModifiers) {
    const std::vector<Bytes> prcs{Bytes{0x35, 0x08, 0x01}, Bytes{0x36, 0x08, 0x01}};
    EXPECT_EQ(pieceModifiers(0x0003, prcs), prcs[1]);                       // grpprl 1
    EXPECT_TRUE(pieceModifiers(0x0009, prcs).empty());                      // grpprl 4: none
    // Single sprm: short index 0x55 (bold) with value 1, and 0x62 (colour) with 6.
    const std::uint16_t bold = (0x01 << 8) | (0x55 << 1);
    EXPECT_EQ(pieceModifiers(bold, prcs), (Bytes{0x35, 0x08, 0x01}));
    const std::uint16_t ico = (0x06 << 8) | (0x62 << 1);
    Chp c;
    applyChp(c, Chp{}, pieceModifiers(ico, prcs));
    EXPECT_EQ(c.ico, 6);
    EXPECT_TRUE(pieceModifiers(0x0000, prcs).empty());
    EXPECT_TRUE(pieceModifiers(0x7F << 1, prcs).empty());                  // unknown index
}

} // namespace

#include "publishing/doc/Word6Sprms.h"

namespace {

TEST(DocWord6, SprmsBecomeTheirWord97Counterparts) {
    // bold on, font 3, 14 pt, a skipped lid (97), centred, left indent 720,
    // page width 11906, then an opcode of unknown size that ends the walk.
    const Bytes g6{85, 1, 93, 3, 0, 99, 28, 0, 97, 0x09, 0x04, 5, 1, 17, 0xD0, 0x02, 164, 0x82, 0x2E, 250, 85, 0};
    const Bytes g = translateWord6Grpprl(g6);
    Chp c;
    applyChp(c, Chp{}, g);
    EXPECT_TRUE(c.bold);
    EXPECT_EQ(c.ftc[0], 3);
    EXPECT_EQ(c.hps, 28);
    Pap p;
    applyPap(p, g);
    EXPECT_EQ(p.jc, 1);
    EXPECT_EQ(p.dxaLeft, 720);
    Sep s;
    applySep(s, g);
    EXPECT_EQ(s.xaPage, 11906u);
    // The walk stopped at the unknown opcode: the last bold-off never applied.
    int count = 0;
    forEachSprm(g, [&](const Sprm&) { ++count; });
    EXPECT_EQ(count, 6);
}

TEST(DocWord6, VariableOperandsAndTruncation) {
    // A picture location given with its length byte, then a truncated size.
    const Bytes g6{68, 4, 0x10, 0x20, 0x00, 0x00, 99, 24};
    Chp c;
    applyChp(c, Chp{}, translateWord6Grpprl(g6));
    ASSERT_TRUE(c.picLocation.has_value());
    EXPECT_EQ(*c.picLocation, 0x2010u);
    EXPECT_EQ(c.hps, 20);                                    // the cut-off size was not applied
    EXPECT_TRUE(translateWord6Grpprl(Bytes{68, 200, 1}).empty());
}

} // namespace

#include "publishing/doc/OfficeArt.h"

#include <zlib.h>

namespace {

TEST(DocPictures, InflateTakesTheClaimedSizeAsAHintOnly) {
    std::vector<std::uint8_t> plain(5000);
    for (std::size_t i = 0; i < plain.size(); ++i) plain[i] = static_cast<std::uint8_t>(i * 7);
    uLongf packedSize = compressBound(plain.size());
    std::vector<std::uint8_t> packed(packedSize);
    ASSERT_EQ(compress(packed.data(), &packedSize, plain.data(), plain.size()), Z_OK);
    packed.resize(packedSize);
    for (std::size_t claimed : {std::size_t(0), std::size_t(5000), std::size_t(0xFFFFFFFF)}) {
        const auto out = inflateZlib(packed, claimed);
        ASSERT_TRUE(out.has_value()) << claimed;
        EXPECT_EQ(*out, plain);
    }
    const std::vector<std::uint8_t> garbage(100, 0x55);
    EXPECT_FALSE(inflateZlib(garbage, 1000).has_value());
    const std::vector<std::uint8_t> cut(packed.begin(), packed.begin() + packed.size() / 2);
    EXPECT_FALSE(inflateZlib(cut, 5000).has_value());
}

TEST(DocPictures, BlipRecordsOfEachKind) {
    // A PNG blip: header, one UID, the tag byte, then the file bytes.
    std::vector<std::uint8_t> rec{0x00, 0x6E, 0x1E, 0xF0};
    const std::vector<std::uint8_t> png{0x89, 'P', 'N', 'G', 1, 2, 3};
    const std::uint32_t len = 16 + 1 + static_cast<std::uint32_t>(png.size());
    for (int i = 0; i < 4; ++i) rec.push_back(static_cast<std::uint8_t>(len >> (8 * i)));
    rec.insert(rec.end(), 17, 0xAB);
    rec.insert(rec.end(), png.begin(), png.end());
    const auto blip = parseBlipRecord(ByteReader(rec, "blip"), 0);
    ASSERT_TRUE(blip.has_value());
    EXPECT_EQ(blip->format, fq::model::ImageFormat::Png);
    EXPECT_EQ(blip->data, png);
    // The same inside a container is found by the search; cut short, it is not.
    std::vector<std::uint8_t> box{0x0F, 0x00, 0x04, 0xF0};
    for (int i = 0; i < 4; ++i) box.push_back(static_cast<std::uint8_t>(rec.size() >> (8 * i)));
    box.insert(box.end(), rec.begin(), rec.end());
    const auto found = findBlip(ByteReader(box, "box"), 0, box.size());
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->data, png);
    const std::vector<std::uint8_t> cut(rec.begin(), rec.end() - 3);
    EXPECT_FALSE(parseBlipRecord(ByteReader(cut, "cut"), 0).has_value());
}

} // namespace

#include "publishing/doc/Fields.h"

namespace {

// Feeds text through a field stack; returns what is visible, with P/N for
// characters inside a PAGE / NUMPAGES result.
std::string visible(const std::u16string& text) {
    FieldStack f;
    std::string out;
    for (char16_t c : text) {
        if (f.consume(c) || f.hidden()) continue;
        const fq::model::FieldKind k = f.pageField().kind;
        out += k == fq::model::FieldKind::PageNumber ? 'P' : k == fq::model::FieldKind::PageCount ? 'N' : static_cast<char>(c);
    }
    return out;
}

TEST(DocFields, ResultsShowAndPageFieldsAreKnown) {
    EXPECT_EQ(visible(u"a\x13 PAGE \x14" u"7\x15" u"b"), "aPb");
    EXPECT_EQ(visible(u"\x13 page \\* Arabic \x14" u"12\x15"), "PP");
    EXPECT_EQ(visible(u"\x13NUMPAGES\x14" u"3\x15 of"), "N of");
    EXPECT_EQ(visible(u"\x13 PAGEREF x \x14" u"4\x15"), "4");
    EXPECT_EQ(visible(u"\x13 IF \x13 PAGE \x14" u"1\x15 = 1 \x14yes\x15"), "yes");
    EXPECT_EQ(visible(u"\x13 A \x14r\x13 PAGE \x14" u"9\x15s\x15"), "rPs");
    EXPECT_EQ(visible(u"\x15\x14x\x13 open"), "x");   // unbalanced marks
}

} // namespace
