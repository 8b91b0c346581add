// Paragraph and character properties arrive resolved in the document model:
// defaults, style chains, theme fonts, toggles and direct formatting.
#include "DocxFixture.h"
#include "DocxTestUtil.h"

#include "publishing/docx/DocxReader.h"

#include <gtest/gtest.h>

using namespace fq;
using namespace fq::docx::test;

namespace {

model::Document read(DocxFixture& f) { return docx::readDocx(f.write()); }

const char* stylesWithChain =
    "<w:docDefaults><w:rPrDefault><w:rPr><w:rFonts w:asciiTheme=\"minorHAnsi\" w:hAnsiTheme=\"minorHAnsi\"/>"
    "<w:sz w:val=\"22\"/></w:rPr></w:rPrDefault>"
    "<w:pPrDefault><w:pPr><w:spacing w:after=\"160\" w:line=\"259\" w:lineRule=\"auto\"/></w:pPr></w:pPrDefault>"
    "</w:docDefaults>"
    "<w:style w:type=\"paragraph\" w:default=\"1\" w:styleId=\"Normal\"><w:name w:val=\"Normal\"/></w:style>"
    "<w:style w:type=\"paragraph\" w:styleId=\"Heading1\"><w:name w:val=\"heading 1\"/><w:basedOn w:val=\"Normal\"/>"
    "<w:pPr><w:keepNext/><w:spacing w:before=\"240\" w:after=\"0\"/><w:jc w:val=\"center\"/></w:pPr>"
    "<w:rPr><w:rFonts w:asciiTheme=\"majorHAnsi\" w:hAnsiTheme=\"majorHAnsi\"/><w:b/><w:sz w:val=\"32\"/>"
    "<w:color w:val=\"2F5496\"/></w:rPr></w:style>"
    "<w:style w:type=\"paragraph\" w:styleId=\"Heading2\"><w:name w:val=\"heading 2\"/><w:basedOn w:val=\"Heading1\"/>"
    "<w:rPr><w:sz w:val=\"26\"/></w:rPr></w:style>"
    "<w:style w:type=\"paragraph\" w:styleId=\"Quote\"><w:basedOn w:val=\"Normal\"/>"
    "<w:pPr><w:ind w:left=\"864\" w:right=\"864\"/></w:pPr><w:rPr><w:rFonts w:ascii=\"Georgia\" w:hAnsi=\"Georgia\"/>"
    "<w:i/></w:rPr></w:style>"
    "<w:style w:type=\"character\" w:styleId=\"Strong\"><w:rPr><w:b/></w:rPr></w:style>"
    "<w:style w:type=\"character\" w:styleId=\"Emph\"><w:rPr><w:i/></w:rPr></w:style>"
    "<w:style w:type=\"character\" w:styleId=\"Code\"><w:rPr><w:rFonts w:ascii=\"Consolas\" w:hAnsi=\"Consolas\"/>"
    "<w:sz w:val=\"18\"/></w:rPr></w:style>";

void styled(DocxFixture& f) { f.styles(stylesWithChain).theme("Calibri Light", "Calibri"); }

} // namespace

TEST(DocxParagraph, AlignmentValuesMapToTheModel) {
    DocxFixture f;
    f.body(p("l", "<w:jc w:val=\"left\"/>") + p("c", "<w:jc w:val=\"center\"/>") + p("r", "<w:jc w:val=\"right\"/>") +
           p("e", "<w:jc w:val=\"end\"/>") + p("b", "<w:jc w:val=\"both\"/>") + p("d", "<w:jc w:val=\"distribute\"/>") +
           p("s", "<w:jc w:val=\"start\"/>"));
    auto paras = paragraphs(read(f));
    ASSERT_EQ(paras.size(), 7u);
    using A = model::Alignment;
    const A expected[] = {A::Left, A::Center, A::Right, A::Right, A::Justify, A::Justify, A::Left};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(paras[i].props.alignment, expected[i]) << paras[i].plainText();
}

TEST(DocxParagraph, IndentsInTwipsBecomePointsAndHangingIsNegative) {
    DocxFixture f;
    f.body(p("a", "<w:ind w:left=\"1440\" w:right=\"720\" w:firstLine=\"360\"/>") +
           p("b", "<w:ind w:start=\"720\" w:end=\"240\" w:hanging=\"360\"/>"));
    auto paras = paragraphs(read(f));
    ASSERT_EQ(paras.size(), 2u);
    EXPECT_DOUBLE_EQ(paras[0].props.leftIndentPt, 72.0);
    EXPECT_DOUBLE_EQ(paras[0].props.rightIndentPt, 36.0);
    EXPECT_DOUBLE_EQ(paras[0].props.firstLineIndentPt, 18.0);
    EXPECT_DOUBLE_EQ(paras[1].props.leftIndentPt, 36.0);
    EXPECT_DOUBLE_EQ(paras[1].props.rightIndentPt, 12.0);
    EXPECT_DOUBLE_EQ(paras[1].props.firstLineIndentPt, -18.0);
}

TEST(DocxParagraph, SpacingAndLineRules) {
    DocxFixture f;
    f.body(p("auto", "<w:spacing w:before=\"120\" w:after=\"240\" w:line=\"360\" w:lineRule=\"auto\"/>") +
           p("exact", "<w:spacing w:line=\"280\" w:lineRule=\"exact\"/>") +
           p("least", "<w:spacing w:line=\"300\" w:lineRule=\"atLeast\"/>") +
           p("html", "<w:spacing w:beforeAutospacing=\"1\" w:afterAutospacing=\"1\"/>"));
    auto paras = paragraphs(read(f));
    ASSERT_EQ(paras.size(), 4u);
    EXPECT_DOUBLE_EQ(paras[0].props.spaceBeforePt, 6.0);
    EXPECT_DOUBLE_EQ(paras[0].props.spaceAfterPt, 12.0);
    EXPECT_EQ(paras[0].props.lineSpacing.rule, model::LineSpacing::Rule::Multiple);
    EXPECT_DOUBLE_EQ(paras[0].props.lineSpacing.value, 1.5);
    EXPECT_EQ(paras[1].props.lineSpacing.rule, model::LineSpacing::Rule::Exact);
    EXPECT_DOUBLE_EQ(paras[1].props.lineSpacing.value, 14.0);
    EXPECT_EQ(paras[2].props.lineSpacing.rule, model::LineSpacing::Rule::AtLeast);
    EXPECT_DOUBLE_EQ(paras[2].props.lineSpacing.value, 15.0);
    EXPECT_DOUBLE_EQ(paras[3].props.spaceBeforePt, 14.0);
    EXPECT_DOUBLE_EQ(paras[3].props.spaceAfterPt, 14.0);
}

TEST(DocxParagraph, StyleChainDefaultsAndDirectFormattingCombine) {
    DocxFixture f;
    styled(f);
    f.body(p("plain") + p("head", "<w:pStyle w:val=\"Heading2\"/>") +
           p("direct", "<w:pStyle w:val=\"Heading2\"/><w:jc w:val=\"right\"/><w:spacing w:after=\"100\"/>"));
    auto paras = paragraphs(read(f));
    ASSERT_EQ(paras.size(), 3u);
    // docDefaults
    EXPECT_DOUBLE_EQ(paras[0].props.spaceAfterPt, 8.0);
    EXPECT_NEAR(paras[0].props.lineSpacing.value, 259.0 / 240.0, 1e-9);
    EXPECT_FALSE(paras[0].props.keepWithNext);
    // inherited from Heading1 through Heading2
    EXPECT_EQ(paras[1].props.alignment, model::Alignment::Center);
    EXPECT_TRUE(paras[1].props.keepWithNext);
    EXPECT_DOUBLE_EQ(paras[1].props.spaceBeforePt, 12.0);
    EXPECT_DOUBLE_EQ(paras[1].props.spaceAfterPt, 0.0);
    // direct formatting wins over the style
    EXPECT_EQ(paras[2].props.alignment, model::Alignment::Right);
    EXPECT_DOUBLE_EQ(paras[2].props.spaceAfterPt, 5.0);
    EXPECT_DOUBLE_EQ(paras[2].props.spaceBeforePt, 12.0);
}

TEST(DocxParagraph, TabStopsAreMergedAndClearedAndMeasuredFromTheIndent) {
    DocxFixture f;
    f.styles("<w:style w:type=\"paragraph\" w:styleId=\"T\"><w:pPr><w:tabs><w:tab w:val=\"left\" w:pos=\"1440\"/>"
             "<w:tab w:val=\"left\" w:pos=\"2880\"/></w:tabs></w:pPr></w:style>");
    f.body(p("a\tb", "<w:pStyle w:val=\"T\"/><w:ind w:left=\"720\"/><w:tabs><w:tab w:val=\"clear\" w:pos=\"2880\"/>"
                     "<w:tab w:val=\"right\" w:pos=\"4320\"/></w:tabs>") +
           p("c\td", "<w:ind w:left=\"1440\" w:hanging=\"720\"/><w:tabs><w:tab w:val=\"left\" w:pos=\"360\"/>"
                     "<w:tab w:val=\"num\" w:pos=\"1440\"/><w:tab w:val=\"bar\" w:pos=\"2000\"/></w:tabs>"));
    auto paras = paragraphs(read(f));
    ASSERT_EQ(paras.size(), 2u);
    EXPECT_EQ(paras[0].props.tabStopsPt, (std::vector<double>{36.0, 180.0}));
    // A stop at the indent itself stays (list labels tab to it); one left of
    // the indent and bar tabs have no place in the model.
    EXPECT_EQ(paras[1].props.tabStopsPt, (std::vector<double>{0.0}));
}

TEST(DocxRun, FontsComeFromTheThemeStylesAndDirectFormatting) {
    DocxFixture f;
    styled(f);
    f.body(p("body") + p("title", "<w:pStyle w:val=\"Heading1\"/>") + p("quote", "<w:pStyle w:val=\"Quote\"/>") +
           "<w:p><w:r><w:rPr><w:rStyle w:val=\"Code\"/></w:rPr><w:t>code</w:t></w:r>"
           "<w:r><w:rPr><w:rFonts w:ascii=\"Arial\" w:hAnsi=\"Arial\"/><w:sz w:val=\"28\"/></w:rPr><w:t>arial</w:t></w:r></w:p>");
    auto doc = read(f);
    ASSERT_TRUE(runWith(doc, "body") && runWith(doc, "title") && runWith(doc, "quote") && runWith(doc, "code") &&
                runWith(doc, "arial"));
    EXPECT_EQ(runWith(doc, "body")->props.font, "Calibri");
    EXPECT_DOUBLE_EQ(runWith(doc, "body")->props.sizePt, 11.0);
    EXPECT_EQ(runWith(doc, "title")->props.font, "Calibri Light");
    EXPECT_DOUBLE_EQ(runWith(doc, "title")->props.sizePt, 16.0);
    EXPECT_EQ(runWith(doc, "quote")->props.font, "Georgia");
    EXPECT_EQ(runWith(doc, "code")->props.font, "Consolas");
    EXPECT_DOUBLE_EQ(runWith(doc, "code")->props.sizePt, 9.0);
    EXPECT_EQ(runWith(doc, "arial")->props.font, "Arial");
    EXPECT_DOUBLE_EQ(runWith(doc, "arial")->props.sizePt, 14.0);
}

TEST(DocxRun, WithoutStylesWordDefaultsApply) {
    DocxFixture f;
    f.body(p("x"));
    auto doc = read(f);
    ASSERT_TRUE(runWith(doc, "x"));
    EXPECT_EQ(runWith(doc, "x")->props.font, "Times New Roman");
    EXPECT_DOUBLE_EQ(runWith(doc, "x")->props.sizePt, 10.0);
    EXPECT_FALSE(runWith(doc, "x")->props.color.has_value());
}

TEST(DocxRun, BoldAndItalicToggleBetweenParagraphAndCharacterStyles) {
    DocxFixture f;
    styled(f);
    f.body("<w:p><w:pPr><w:pStyle w:val=\"Heading1\"/></w:pPr>"
           "<w:r><w:t>headplain</w:t></w:r>"
           "<w:r><w:rPr><w:rStyle w:val=\"Strong\"/></w:rPr><w:t>headstrong</w:t></w:r>"
           "<w:r><w:rPr><w:rStyle w:val=\"Strong\"/><w:b/></w:rPr><w:t>directbold</w:t></w:r>"
           "<w:r><w:rPr><w:b w:val=\"0\"/></w:rPr><w:t>directoff</w:t></w:r></w:p>"
           "<w:p><w:pPr><w:pStyle w:val=\"Quote\"/></w:pPr>"
           "<w:r><w:rPr><w:rStyle w:val=\"Emph\"/></w:rPr><w:t>quoteemph</w:t></w:r>"
           "<w:r><w:rPr><w:rStyle w:val=\"Strong\"/></w:rPr><w:t>quotestrong</w:t></w:r>"
           "<w:r><w:rPr><w:i w:val=\"false\"/></w:rPr><w:t>quoteupright</w:t></w:r></w:p>");
    auto doc = read(f);
    auto props = [&](const char* t) { return runWith(doc, t)->props; };
    ASSERT_TRUE(runWith(doc, "headplain") && runWith(doc, "quoteupright"));
    EXPECT_TRUE(props("headplain").bold);
    EXPECT_FALSE(props("headstrong").bold) << "paragraph style and character style both bold cancel out";
    EXPECT_TRUE(props("directbold").bold) << "direct formatting is absolute";
    EXPECT_FALSE(props("directoff").bold);
    EXPECT_FALSE(props("quoteemph").italic);
    EXPECT_TRUE(props("quotestrong").italic);
    EXPECT_TRUE(props("quotestrong").bold);
    EXPECT_FALSE(props("quoteupright").italic);
}

TEST(DocxRun, UnderlineStrikeColourPositionAndCaps) {
    DocxFixture f;
    auto r = [](const char* text, const char* rPr) {
        return std::string("<w:r><w:rPr>") + rPr + "</w:rPr><w:t>" + text + "</w:t></w:r>";
    };
    f.body("<w:p>" + r("usingle", "<w:u w:val=\"single\"/>") + r("udouble", "<w:u w:val=\"double\"/>") +
           r("uwords", "<w:u w:val=\"words\"/>") + r("uwave", "<w:u w:val=\"wavyHeavy\"/>") +
           r("udash", "<w:u w:val=\"dashLong\"/>") + r("unone", "<w:u w:val=\"none\"/>") +
           r("strike", "<w:strike/>") + r("dstrike", "<w:dstrike/>") +
           r("red", "<w:color w:val=\"FF0000\"/>") + r("auto", "<w:color w:val=\"auto\"/>") +
           r("sup", "<w:vertAlign w:val=\"superscript\"/>") + r("sub", "<w:vertAlign w:val=\"subscript\"/>") +
           r("small", "<w:smallCaps/>") + r("caps", "<w:caps w:val=\"1\"/>") + "</w:p>");
    auto doc = read(f);
    auto props = [&](const char* t) {
        const model::Run* run = runWith(doc, t);
        EXPECT_NE(run, nullptr) << t;
        return run ? run->props : model::CharProps{};
    };
    using U = model::Underline;
    EXPECT_EQ(props("usingle").underline, U::Single);
    EXPECT_EQ(props("udouble").underline, U::Double);
    EXPECT_EQ(props("uwords").underline, U::Words);
    EXPECT_EQ(props("uwave").underline, U::Wave);
    EXPECT_EQ(props("udash").underline, U::Dash);
    EXPECT_EQ(props("unone").underline, U::None);
    EXPECT_TRUE(props("strike").strike);
    EXPECT_TRUE(props("dstrike").strike);
    EXPECT_FALSE(props("red").strike);
    ASSERT_TRUE(props("red").color.has_value());
    EXPECT_EQ(*props("red").color, (model::Color{255, 0, 0}));
    EXPECT_FALSE(props("auto").color.has_value());
    EXPECT_EQ(props("sup").vertical, model::VerticalPosition::Superscript);
    EXPECT_EQ(props("sub").vertical, model::VerticalPosition::Subscript);
    EXPECT_EQ(props("red").vertical, model::VerticalPosition::Baseline);
    EXPECT_TRUE(props("small").smallCaps);
    EXPECT_TRUE(props("caps").allCaps);
    EXPECT_FALSE(props("small").allCaps);
}

TEST(DocxRun, StyleColourAndSizeAreInheritedThroughBasedOn) {
    DocxFixture f;
    styled(f);
    f.body(p("h2", "<w:pStyle w:val=\"Heading2\"/>"));
    auto doc = read(f);
    ASSERT_TRUE(runWith(doc, "h2"));
    EXPECT_DOUBLE_EQ(runWith(doc, "h2")->props.sizePt, 13.0);
    ASSERT_TRUE(runWith(doc, "h2")->props.color.has_value());
    EXPECT_EQ(*runWith(doc, "h2")->props.color, (model::Color{0x2F, 0x54, 0x96}));
    EXPECT_TRUE(runWith(doc, "h2")->props.bold);
}

TEST(DocxRun, EastAsianTextUsesTheEastAsianFont) {
    DocxFixture f;
    f.body("<w:p><w:r><w:rPr><w:rFonts w:ascii=\"Arial\" w:hAnsi=\"Arial\" w:eastAsia=\"MS Mincho\"/></w:rPr>"
           "<w:t>latin</w:t></w:r><w:r><w:rPr><w:rFonts w:ascii=\"Arial\" w:hAnsi=\"Arial\" w:eastAsia=\"MS Mincho\"/>"
           "</w:rPr><w:t>\xE6\x97\xA5\xE6\x9C\xAC</w:t></w:r></w:p>");
    auto doc = read(f);
    ASSERT_TRUE(runWith(doc, "latin") && runWith(doc, "\xE6\x97\xA5"));
    EXPECT_EQ(runWith(doc, "latin")->props.font, "Arial");
    EXPECT_EQ(runWith(doc, "\xE6\x97\xA5")->props.font, "MS Mincho");
}

TEST(DocxParagraph, EmptyParagraphKeepsTheSizeOfItsMark) {
    DocxFixture f;
    f.body("<w:p><w:pPr><w:rPr><w:sz w:val=\"48\"/></w:rPr></w:pPr></w:p>");
    auto paras = paragraphs(read(f));
    ASSERT_EQ(paras.size(), 1u);
    ASSERT_EQ(paras[0].runs.size(), 1u);
    EXPECT_EQ(paras[0].runs[0].text, "");
    EXPECT_DOUBLE_EQ(paras[0].runs[0].props.sizePt, 24.0);
}

TEST(DocxParagraph, TableStyleSitsBetweenDefaultsAndParagraphStyle) {
    DocxFixture f;
    f.styles("<w:docDefaults><w:pPrDefault><w:pPr><w:spacing w:after=\"160\"/></w:pPr></w:pPrDefault>"
             "<w:rPrDefault><w:rPr><w:sz w:val=\"22\"/></w:rPr></w:rPrDefault></w:docDefaults>"
             "<w:style w:type=\"table\" w:styleId=\"Grid\"><w:pPr><w:spacing w:after=\"0\"/></w:pPr>"
             "<w:rPr><w:sz w:val=\"18\"/><w:b/></w:rPr></w:style>"
             "<w:style w:type=\"paragraph\" w:styleId=\"Big\"><w:rPr><w:sz w:val=\"40\"/></w:rPr></w:style>");
    auto cell = [](const std::string& c) { return "<w:tc>" + c + "</w:tc>"; };
    f.body("<w:tbl><w:tblPr><w:tblStyle w:val=\"Grid\"/></w:tblPr><w:tr>" + cell(p("in table")) + "</w:tr><w:tr>" +
           cell(p("big", "<w:pStyle w:val=\"Big\"/>")) + "</w:tr></w:tbl>" + p("outside"));
    auto doc = read(f);
    const auto& table = std::get<model::Table>(doc.sections.at(0).blocks.at(0));
    EXPECT_DOUBLE_EQ(std::get<model::Paragraph>(table.rows.at(0).cells.at(0).blocks.at(0)).props.spaceAfterPt, 0.0);
    auto paras = paragraphs(doc);
    ASSERT_EQ(paras.size(), 1u);
    EXPECT_DOUBLE_EQ(runWith(doc, "in table")->props.sizePt, 9.0);
    EXPECT_TRUE(runWith(doc, "in table")->props.bold);
    EXPECT_DOUBLE_EQ(runWith(doc, "big")->props.sizePt, 20.0) << "the paragraph style wins over the table style";
    EXPECT_DOUBLE_EQ(paras[0].props.spaceAfterPt, 8.0);
    EXPECT_DOUBLE_EQ(runWith(doc, "outside")->props.sizePt, 11.0);
    EXPECT_FALSE(runWith(doc, "outside")->props.bold);
}
