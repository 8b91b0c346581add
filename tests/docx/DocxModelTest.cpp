// The first stage on its own: part names, relationships, styles, numbering
// and markup-compatibility choices as they land in the typed model.
#include "publishing/docx/BodyParser.h"
#include "publishing/docx/ListLabeler.h"
#include "publishing/word/NumberFormat.h"
#include "publishing/word/SymbolFonts.h"
#include "publishing/docx/NumberingParser.h"
#include "publishing/docx/PackageParts.h"
#include "publishing/docx/StylesParser.h"
#include "publishing/docx/XmlUtil.h"
#include "publishing/model/ConversionError.h"

#include <gtest/gtest.h>

using namespace fq::docx;

namespace {

pugi::xml_node load(pugi::xml_document& doc, const std::string& xmlText) {
    xml::parse(doc, xmlText, "test.xml");
    return doc.document_element();
}

} // namespace

TEST(DocxModel, RelationshipTargetsResolveAgainstTheSourcePart) {
    EXPECT_EQ(relationshipsPartName("word/document.xml"), "word/_rels/document.xml.rels");
    EXPECT_EQ(relationshipsPartName(""), "_rels/.rels");
    EXPECT_EQ(resolveTarget("word/document.xml", "media/a.png"), "word/media/a.png");
    EXPECT_EQ(resolveTarget("word/document.xml", "../customXml/item1.xml"), "customXml/item1.xml");
    EXPECT_EQ(resolveTarget("word/document.xml", "/word/media/b.png"), "word/media/b.png");
    EXPECT_EQ(resolveTarget("word/document.xml", "./media/c%20d.png"), "word/media/c d.png");
    EXPECT_EQ(resolveTarget("", "word/document.xml"), "word/document.xml");
    EXPECT_EQ(resolveTarget("word/a.xml", "../../../x.xml"), "x.xml");
}

TEST(DocxModel, RelationshipsKnowExternalTargetsAndTypesBySuffix) {
    pugi::xml_document d;
    auto rels = parseRelationships(
        load(d, "<Relationships><Relationship Id=\"a\" Type=\"http://x/relationships/image\" Target=\"media/i.png\"/>"
                "<Relationship Id=\"b\" Type=\"http://x/relationships/hyperlink\" Target=\"https://e.com/a b\" "
                "TargetMode=\"External\"/></Relationships>"),
        "word/document.xml");
    ASSERT_EQ(rels.size(), 2u);
    EXPECT_EQ(rels["a"].target, "word/media/i.png");
    EXPECT_FALSE(rels["a"].external);
    EXPECT_EQ(rels["b"].target, "https://e.com/a b");
    EXPECT_TRUE(rels["b"].external);
    EXPECT_TRUE(hasType(rels["a"], "image"));
    EXPECT_FALSE(hasType(rels["a"], "mage"));
}

TEST(DocxModel, StylesKeepDefaultsChainsAndLatentStyles) {
    pugi::xml_document d;
    Styles s = parseStyles(load(
        d, "<w:styles xmlns:w=\"w\"><w:docDefaults><w:rPrDefault><w:rPr><w:sz w:val=\"24\"/></w:rPr></w:rPrDefault>"
           "</w:docDefaults><w:latentStyles w:defUIPriority=\"99\" w:count=\"376\"><w:lsdException w:name=\"Normal\"/>"
           "<w:lsdException w:name=\"heading 1\"/></w:latentStyles>"
           "<w:style w:type=\"paragraph\" w:default=\"1\" w:styleId=\"Normal\"><w:name w:val=\"Normal\"/></w:style>"
           "<w:style w:type=\"paragraph\" w:styleId=\"H1\"><w:basedOn w:val=\"Normal\"/><w:pPr><w:jc w:val=\"center\"/>"
           "</w:pPr></w:style><w:style w:type=\"character\" w:default=\"1\" w:styleId=\"DPF\"/>"
           "<w:style w:type=\"paragraph\" w:styleId=\"H1\"><w:pPr><w:jc w:val=\"right\"/></w:pPr></w:style></w:styles>"));
    EXPECT_EQ(s.defaultRunProps.sizeHalfPt, 24);
    EXPECT_EQ(s.defaultParagraphStyle, "Normal");
    EXPECT_EQ(s.defaultCharacterStyle, "DPF");
    ASSERT_TRUE(s.styles.count("H1"));
    EXPECT_EQ(s.styles["H1"].basedOn, "Normal");
    EXPECT_EQ(s.styles["H1"].paraProps.justification, "center") << "the first definition of an id counts";
    EXPECT_EQ(s.latent.defUIPriority, 99);
    EXPECT_EQ(s.latent.count, 376);
    EXPECT_EQ(s.latent.exceptions, (std::vector<std::string>{"Normal", "heading 1"}));
}

TEST(DocxModel, ThemeFontsMajorAndMinor) {
    pugi::xml_document d;
    ThemeFonts f = parseThemeFonts(load(
        d, "<a:theme xmlns:a=\"a\"><a:themeElements><a:fontScheme><a:majorFont><a:latin typeface=\"Cambria\"/>"
           "<a:ea typeface=\"\"/></a:majorFont><a:minorFont><a:latin typeface=\"Calibri\"/><a:cs typeface=\"Arial\"/>"
           "</a:minorFont></a:fontScheme></a:themeElements></a:theme>"));
    EXPECT_EQ(f.majorLatin, "Cambria");
    EXPECT_EQ(f.minorLatin, "Calibri");
    EXPECT_EQ(f.minorCs, "Arial");
    EXPECT_EQ(f.majorEastAsia, "");
}

TEST(DocxModel, NumberingLevelsInstancesAndOverrides) {
    pugi::xml_document d;
    Numbering n = parseNumbering(load(
        d, "<w:numbering xmlns:w=\"w\"><w:abstractNum w:abstractNumId=\"3\"><w:lvl w:ilvl=\"0\"><w:start w:val=\"4\"/>"
           "<w:numFmt w:val=\"upperLetter\"/><w:lvlText w:val=\"%1)\"/><w:lvlRestart w:val=\"0\"/>"
           "<w:suff w:val=\"space\"/><w:pPr><w:ind w:left=\"360\"/></w:pPr></w:lvl></w:abstractNum>"
           "<w:num w:numId=\"8\"><w:abstractNumId w:val=\"3\"/><w:lvlOverride w:ilvl=\"0\"><w:startOverride w:val=\"2\"/>"
           "</w:lvlOverride><w:lvlOverride w:ilvl=\"1\"><w:lvl w:ilvl=\"1\"><w:numFmt w:val=\"bullet\"/></w:lvl>"
           "</w:lvlOverride></w:num></w:numbering>"));
    ASSERT_TRUE(n.abstracts.count(3));
    const NumberingLevel& l = n.abstracts[3].levels.at(0);
    EXPECT_EQ(l.start, 4);
    EXPECT_EQ(l.format, "upperLetter");
    EXPECT_EQ(l.text, "%1)");
    EXPECT_EQ(l.restart, 0);
    EXPECT_EQ(l.suffix, "space");
    EXPECT_EQ(l.paraProps.indLeft, 360);
    ASSERT_TRUE(n.instances.count(8));
    EXPECT_EQ(n.instances[8].abstractId, 3);
    EXPECT_EQ(n.instances[8].overrides.at(0).startOverride, 2);
    ASSERT_TRUE(n.instances[8].overrides.at(1).level.has_value());
    EXPECT_EQ(n.instances[8].overrides.at(1).level->format, "bullet");

    ListLabeler labels(n);
    EXPECT_EQ(labels.next(8, 0)->text, "B) ") << "startOverride restarts the instance";
    EXPECT_EQ(labels.next(8, 0)->text, "C) ");
}

TEST(DocxModel, NumberFormats) {
    EXPECT_EQ(fq::word::formatNumber(4, fq::word::numberFormatFromName("lowerRoman")), "iv");
    EXPECT_EQ(fq::word::formatNumber(1994, fq::word::numberFormatFromName("upperRoman")), "MCMXCIV");
    EXPECT_EQ(fq::word::formatNumber(1, fq::word::numberFormatFromName("lowerLetter")), "a");
    EXPECT_EQ(fq::word::formatNumber(26, fq::word::numberFormatFromName("upperLetter")), "Z");
    EXPECT_EQ(fq::word::formatNumber(28, fq::word::numberFormatFromName("lowerLetter")), "bb");
    EXPECT_EQ(fq::word::formatNumber(3, fq::word::numberFormatFromName("decimalZero")), "03");
    EXPECT_EQ(fq::word::formatNumber(12, fq::word::numberFormatFromName("decimalZero")), "12");
    EXPECT_EQ(fq::word::formatNumber(2, fq::word::numberFormatFromName("ordinal")), "2nd");
    EXPECT_EQ(fq::word::formatNumber(11, fq::word::numberFormatFromName("ordinal")), "11th");
    EXPECT_EQ(fq::word::formatNumber(5, fq::word::numberFormatFromName("none")), "");
    EXPECT_EQ(fq::word::formatNumber(7, fq::word::numberFormatFromName("somethingNew")), "7");
    EXPECT_EQ(fq::word::bulletText("\xEF\x82\xB7", "Symbol", 1), "\xE2\x80\xA2");         // U+F0B7 -> bullet
    EXPECT_EQ(fq::word::bulletText("\xEF\x82\xA7", "Wingdings", 0), "\xE2\x96\xAA");      // U+F0A7 -> small square
    EXPECT_EQ(fq::word::bulletText("o", "Courier New", 1), "\xE2\x97\xA6");
    EXPECT_EQ(fq::word::bulletText("-", "Arial", 0), "-");
}

TEST(DocxModel, AlternateContentTakesOneUnderstoodBranch) {
    pugi::xml_document d;
    auto root = load(d, "<r><mc:AlternateContent xmlns:mc=\"mc\"><mc:Choice Requires=\"cx1 wps\"><a/></mc:Choice>"
                        "<mc:Choice Requires=\"wps\"><b/></mc:Choice><mc:Fallback><c/></mc:Fallback>"
                        "</mc:AlternateContent><mc:AlternateContent xmlns:mc=\"mc\"><mc:Choice Requires=\"aink\"><a/>"
                        "</mc:Choice><mc:Fallback><c/></mc:Fallback></mc:AlternateContent></r>");
    auto first = selectAlternative(root.first_child());
    ASSERT_TRUE(first);
    EXPECT_STREQ(first.first_child().name(), "b");
    auto second = selectAlternative(root.first_child().next_sibling());
    EXPECT_STREQ(second.first_child().name(), "c");
}

TEST(DocxModel, VmlLengthsInEmu) {
    EXPECT_EQ(vmlLengthEmu("72pt"), 914400);
    EXPECT_EQ(vmlLengthEmu("1in"), 914400);
    EXPECT_EQ(vmlLengthEmu("2.54cm"), 914400);
    EXPECT_EQ(vmlLengthEmu("96px"), 914400);
    EXPECT_EQ(vmlLengthEmu("abc"), 0);
    EXPECT_EQ(vmlLengthEmu("-5pt"), 0);
}

TEST(DocxModel, XmlHelpersMatchLocalNamesAndOnOffValues) {
    pugi::xml_document d;
    auto root = load(d, "<x:p xmlns:x=\"w\"><x:b/><x:i x:val=\"0\"/><x:caps x:val=\"on\"/><x:strike x:val=\"false\"/>"
                        "<x:sz x:val=\"12.7pt\"/></x:p>");
    EXPECT_EQ(xml::onOff(root, "b"), true);
    EXPECT_EQ(xml::onOff(root, "i"), false);
    EXPECT_EQ(xml::onOff(root, "caps"), true);
    EXPECT_EQ(xml::onOff(root, "strike"), false);
    EXPECT_EQ(xml::onOff(root, "u"), std::nullopt);
    EXPECT_EQ(xml::int32(xml::child(root, "sz"), "val"), 12);
    pugi::xml_document bad;
    EXPECT_THROW(xml::parse(bad, "<a><b></a>", "part.xml"), fq::model::ConversionError);
    EXPECT_THROW(xml::parse(bad, "", "part.xml"), fq::model::ConversionError);
}

TEST(DocxModel, RarelySetPropertiesAreBoxedYetCopyLikeValues) {
    ParaProps a;
    a.borderTop = BorderSpec{"single", 8, 0, "FF0000"};
    a.section = SectionProps{};
    a.section->pageWidth = 12240;
    ParaProps b = a;                                  // a style's properties copied for a paragraph
    b.borderTop->val = "double";
    b.section->pageWidth = 15840;
    EXPECT_EQ(a.borderTop->val, "single");
    EXPECT_EQ(*a.section->pageWidth, 12240);
    b = a;
    EXPECT_EQ(b.borderTop->val, "single");
    a.borderTop = std::optional<BorderSpec>();        // a parser's "not given"
    EXPECT_FALSE(a.borderTop);
    EXPECT_EQ(a.borderBottom.value_or(BorderSpec{"nil"}).val, "nil");
    // One of these stands for every paragraph and cell of a long document.
    EXPECT_LT(sizeof(Paragraph), 1024u);
    EXPECT_LT(sizeof(TableCell), 512u);
    EXPECT_LT(sizeof(RunItem), 64u);
}
