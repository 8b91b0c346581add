// What the docx reader delivers for the layout: tab stops with alignment and
// leader, the paragraph rules of pagination, sections' start, columns,
// header and footer variants and page numbering, and page fields.
#include "publishing/docx/DocxReader.h"

#include "DocxFixture.h"
#include "DocxTestUtil.h"

#include <gtest/gtest.h>

namespace fq::docx::test {
namespace {

model::Document read(DocxFixture& f) { return docx::readDocx(f.write()); }
std::string r(const std::string& inner) { return "<w:r>" + inner + "</w:r>"; }
std::string t(const std::string& text) { return "<w:t xml:space=\"preserve\">" + text + "</w:t>"; }
std::string text(const std::vector<model::Block>& blocks) {
    std::string s;
    for (const auto& b : blocks)
        if (const auto* p = std::get_if<model::Paragraph>(&b)) s += p->plainText();
    return s;
}

TEST(DocxLayoutProps, TabStopsKeepAlignmentAndLeader) {
    DocxFixture f;
    f.body(p("Contents\t7", "<w:tabs><w:tab w:val=\"left\" w:pos=\"720\"/><w:tab w:val=\"center\" w:pos=\"2880\" "
                            "w:leader=\"hyphen\"/><w:tab w:val=\"right\" w:leader=\"dot\" w:pos=\"9350\"/>"
                            "<w:tab w:val=\"decimal\" w:leader=\"underscore\" w:pos=\"4320\"/>"
                            "<w:tab w:val=\"bar\" w:pos=\"5000\"/></w:tabs>"));
    const auto props = paragraphs(read(f)).at(0).props;
    using A = model::TabAlignment;
    using L = model::TabLeader;
    EXPECT_EQ(props.tabs, (std::vector<model::TabStop>{{36.0, A::Left, L::None}, {144.0, A::Center, L::Dashes},
                                                       {216.0, A::Decimal, L::Underline}, {467.5, A::Right, L::Dots}}));
    EXPECT_EQ(props.tabStopsPt, (std::vector<double>{36.0, 144.0, 216.0, 467.5}));
}

TEST(DocxLayoutProps, PaginationRulesAndStyleName) {
    DocxFixture f;
    f.styles("<w:style w:type=\"paragraph\" w:styleId=\"H1\"><w:name w:val=\"heading 1\"/><w:aliases w:val=\"h1,Top\"/>"
             "<w:pPr><w:keepNext/><w:keepLines/><w:contextualSpacing/></w:pPr></w:style>");
    f.body(p("plain") + p("no widows", "<w:widowControl w:val=\"0\"/>") + p("heading", "<w:pStyle w:val=\"H1\"/>"));
    const auto ps = paragraphs(read(f));
    ASSERT_EQ(ps.size(), 3u);
    EXPECT_TRUE(ps[0].props.widowControl) << "Word controls widows unless told not to";
    EXPECT_FALSE(ps[1].props.widowControl);
    EXPECT_TRUE(ps[2].props.keepWithNext);
    EXPECT_TRUE(ps[2].props.keepLinesTogether);
    EXPECT_TRUE(ps[2].props.contextualSpacing);
    EXPECT_EQ(ps[2].props.styleName, "heading 1,h1,Top");
    EXPECT_FALSE(ps[0].props.keepLinesTogether);
}

TEST(DocxLayoutProps, SectionStartColumnsNumberingAndGrid) {
    DocxFixture f;
    f.body(p("one") + "<w:p><w:pPr><w:sectPr><w:type w:val=\"continuous\"/><w:cols w:num=\"2\" w:space=\"360\" "
                      "w:sep=\"1\"/><w:pgNumType w:fmt=\"lowerRoman\" w:start=\"3\"/></w:sectPr></w:pPr></w:p>" +
           "<w:p>" + r(t("two") + "<w:br w:type=\"column\"/>" + t("three")) + "</w:p>" +
           "<w:sectPr><w:cols w:num=\"2\" w:equalWidth=\"0\"><w:col w:w=\"3000\" w:space=\"500\"/>"
           "<w:col w:w=\"5000\"/></w:cols><w:docGrid w:type=\"lines\" w:linePitch=\"312\"/>"
           "<w:footnotePr><w:numFmt w:val=\"upperLetter\"/><w:numRestart w:val=\"eachPage\"/></w:footnotePr></w:sectPr>");
    const auto doc = read(f);
    ASSERT_EQ(doc.sections.size(), 2u);
    const auto& a = doc.sections[0];
    EXPECT_EQ(a.start, model::SectionStart::Continuous);
    EXPECT_EQ(a.columns.count, 2);
    EXPECT_DOUBLE_EQ(a.columns.spacingPt, 18.0);
    EXPECT_TRUE(a.columns.separator);
    EXPECT_TRUE(a.columns.widthsPt.empty());
    EXPECT_EQ(a.pageNumberStart, 3);
    EXPECT_EQ(a.pageNumberFormat, word::NumberFormat::LowerRoman);
    EXPECT_DOUBLE_EQ(a.gridLinePitchPt, 0.0);
    const auto& b = doc.sections[1];
    EXPECT_EQ(b.start, model::SectionStart::NewPage);
    EXPECT_EQ(b.columns.widthsPt, (std::vector<double>{150.0, 250.0}));
    EXPECT_EQ(b.columns.spacingsPt, (std::vector<double>{25.0}));
    EXPECT_FALSE(b.pageNumberStart);
    EXPECT_DOUBLE_EQ(b.gridLinePitchPt, 15.6);
    EXPECT_EQ(b.footnoteNumbering.format, word::NumberFormat::UpperLetter);
    EXPECT_EQ(b.footnoteNumbering.restart, model::NoteNumbering::Restart::EachPage);
    bool columnBreak = false;
    for (const auto& blk : b.blocks)
        if (const auto* br = std::get_if<model::PageBreak>(&blk)) columnBreak |= br->column;
    EXPECT_TRUE(columnBreak);
}

TEST(DocxLayoutProps, HeaderAndFooterVariantsAreInheritedKindByKind) {
    DocxFixture f;
    f.settings("<w:evenAndOddHeaders/><w:endnotePr><w:pos w:val=\"sectEnd\"/></w:endnotePr>");
    f.header("h1.xml", p("odd")).header("h2.xml", p("first")).header("h3.xml", p("even")).header("h4.xml", p("odd 2"));
    f.footer("f1.xml", p("first foot"));
    f.body("<w:p><w:pPr><w:sectPr><w:headerReference w:type=\"default\" r:id=\"rIdh1.xml\"/>"
           "<w:headerReference w:type=\"first\" r:id=\"rIdh2.xml\"/><w:headerReference w:type=\"even\" "
           "r:id=\"rIdh3.xml\"/><w:footerReference w:type=\"first\" r:id=\"rIdf1.xml\"/><w:titlePg/></w:sectPr>"
           "</w:pPr></w:p>" + p("second") +
           "<w:sectPr><w:headerReference w:type=\"default\" r:id=\"rIdh4.xml\"/></w:sectPr>");
    const auto doc = read(f);
    ASSERT_EQ(doc.sections.size(), 2u);
    const auto& a = doc.sections[0];
    EXPECT_TRUE(a.titlePage);
    EXPECT_TRUE(a.evenAndOddHeaders);
    EXPECT_TRUE(a.endnotesAtSectionEnd);
    EXPECT_EQ(text(a.header), "odd");
    EXPECT_EQ(text(a.headerFirst), "first");
    EXPECT_EQ(text(a.headerEven), "even");
    EXPECT_EQ(text(a.footerFirst), "first foot");
    EXPECT_EQ(text(a.footer), "") << "no default footer: the odd pages have none";
    const auto& b = doc.sections[1];
    EXPECT_FALSE(b.titlePage);
    EXPECT_EQ(text(b.header), "odd 2");
    EXPECT_EQ(text(b.headerFirst), "first") << "kept from the section before";
    EXPECT_EQ(text(b.headerEven), "even");
}

TEST(DocxLayoutProps, PageFieldsCarryTheirFormatAndStyle) {
    DocxFixture f;
    auto field = [](const std::string& code, const std::string& result) {
        return r("<w:fldChar w:fldCharType=\"begin\"/>") + r("<w:instrText xml:space=\"preserve\">" + code +
                                                              "</w:instrText>") +
               r("<w:fldChar w:fldCharType=\"separate\"/>") + r(t(result)) + r("<w:fldChar w:fldCharType=\"end\"/>");
    };
    f.body("<w:p>" + field(" PAGE \\* ROMAN ", "II") + field(" SECTIONPAGES ", "4") +
           field(" STYLEREF  \"Heading 1\" \\* MERGEFORMAT ", "Error! No text of specified style in document.") +
           field(" STYLEREF 2 ", "x") + "</w:p>");
    const auto ps = paragraphs(read(f));
    ASSERT_FALSE(ps.empty());
    const auto& runs = ps[0].runs;
    ASSERT_EQ(runs.size(), 4u);
    EXPECT_EQ(runs[0].field, model::FieldKind::PageNumber);
    EXPECT_EQ(runs[0].fieldFormat, word::NumberFormat::UpperRoman);
    EXPECT_EQ(runs[1].field, model::FieldKind::SectionPages);
    EXPECT_FALSE(runs[1].fieldFormat);
    EXPECT_EQ(runs[2].field, model::FieldKind::StyleRef);
    EXPECT_EQ(runs[2].fieldArgument, "Heading 1");
    EXPECT_EQ(runs[3].fieldArgument, "Heading 2");
}

} // namespace
} // namespace fq::docx::test
