// Line breaking of single paragraphs with a monospaced font, where the
// number of characters that fit is known: Courier New (Liberation Mono)
// at 10 pt advances 6 pt per character.
#include "publishing/layout/ParagraphMeasure.h"
#include "publishing/layout/ParagraphSplit.h"

#include "LayoutHelpers.h"

#include <gtest/gtest.h>

namespace fq::layout {
namespace {

using test::paragraph;

// "aaaa aaaa ...": five characters a word with its space.
std::string words(int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s += i ? " aaaa" : "aaaa";
    return s;
}

TEST(LayoutMeasure, LineHoldsTheWordsThatFit) {
    // 468 pt = 78 characters: 15 words (74 characters) fit, 16 (79) do not.
    const auto m = measureParagraph(paragraph(words(40), "Courier New", 10.0), 468.0);
    ASSERT_EQ(m.lines.size(), 3u);
    EXPECT_EQ(m.lines[0].start, 0);
    EXPECT_EQ(m.lines[0].length, 75);       // trailing space stays on the line
    EXPECT_EQ(m.lines[1].start, 75);
    EXPECT_EQ(m.lines[2].start + m.lines[2].length, m.text.size());
}

TEST(LayoutMeasure, HalfPointSizesAreMeasuredAsTheyAre) {
    // At 9.5 pt a character takes 5.7 pt: ten fit into 57.5 pt, which at
    // 10 pt (a size rounded to whole pixels) would hold nine.
    const auto m = measureParagraph(paragraph("aaaaaaaaaa", "Courier New", 9.5), 57.5);
    EXPECT_EQ(m.lines.size(), 1u);
}

TEST(LayoutMeasure, IndentsNarrowTheLines) {
    auto p = paragraph(words(40), "Courier New", 10.0);
    p.props.leftIndentPt = 60.0;            // 408 pt = 68 characters: 13 words
    const auto m = measureParagraph(p, 468.0);
    EXPECT_EQ(m.lines[0].length, 65);
    p.props.firstLineIndentPt = 30.0;       // first line 378 pt = 63 characters: 12 words
    const auto f = measureParagraph(p, 468.0);
    EXPECT_EQ(f.lines[0].length, 60);
    EXPECT_EQ(f.lines[1].length, 65);
    p.props.firstLineIndentPt = -30.0;      // hanging: first line 438 pt = 73 characters: 14 words
    EXPECT_EQ(measureParagraph(p, 468.0).lines[0].length, 70);
}

TEST(LayoutMeasure, LineBreaksInsideTheParagraphEndLines) {
    const auto m = measureParagraph(paragraph("one\ntwo\nthree", "Courier New", 10.0), 468.0);
    ASSERT_EQ(m.lines.size(), 3u);
    EXPECT_EQ(m.lines[1].start, 4);
}

TEST(LayoutMeasure, TabsAdvanceToTheNextStop) {
    // Every "x\t" ends at the next 36 pt default stop: 13 fit in 468 pt.
    std::string s;
    for (int i = 0; i < 30; ++i) s += "x\t";
    const auto m = measureParagraph(paragraph(s, "Courier New", 10.0), 468.0);
    ASSERT_GE(m.lines.size(), 2u);
    EXPECT_GE(m.lines[0].length, 24);
    EXPECT_LE(m.lines[0].length, 28);
}

TEST(LayoutMeasure, ParagraphTabStopsDecideWhereTheLineBreaks) {
    // "x" then a tab, then twelve characters (72 pt).
    auto p = paragraph("x\tyyyyyyyyyyyy", "Courier New", 10.0);
    p.props.tabStopsPt = {400.0};           // 400 + 72 > 468: the word goes to the next line
    auto m = measureParagraph(p, 468.0);
    ASSERT_EQ(m.lines.size(), 2u);
    EXPECT_EQ(m.lines[1].start, 2);
    p.props.tabStopsPt = {300.0};           // 372 fits
    EXPECT_EQ(measureParagraph(p, 468.0).lines.size(), 1u);
    // Stops count from the left indent: 60 + 340 + 72 > 468.
    p.props.leftIndentPt = 60.0;
    p.props.tabStopsPt = {340.0};
    m = measureParagraph(p, 468.0);
    ASSERT_EQ(m.lines.size(), 2u);
    EXPECT_EQ(m.lines[1].start, 2);
    // Two stops: the second tab goes to the second stop, not to a default one.
    p.props.leftIndentPt = 0.0;
    p.props.tabStopsPt = {100.0, 380.0};
    auto two = paragraph("x\ty\tzzzzzzzzzzzzzzz", "Courier New", 10.0);   // 380 + 90 > 468
    two.props = p.props;
    EXPECT_EQ(measureParagraph(two, 468.0).lines.size(), 2u);
    two.props.tabStopsPt = {100.0, 370.0};
    EXPECT_EQ(measureParagraph(two, 468.0).lines.size(), 1u);
}

TEST(LayoutMeasure, LineSpacingRules) {
    auto p = paragraph("x", "Calibri", 20.0);
    const double single = measureParagraph(p, 400.0).lines[0].heightPt;
    EXPECT_NEAR(single, 24.41, 0.1);
    p.props.lineSpacing = {model::LineSpacing::Rule::Multiple, 1.5};
    EXPECT_NEAR(measureParagraph(p, 400.0).lines[0].heightPt, single * 1.5, 0.01);
    p.props.lineSpacing = {model::LineSpacing::Rule::Exact, 9.0};
    EXPECT_DOUBLE_EQ(measureParagraph(p, 400.0).lines[0].heightPt, 9.0);
    p.props.lineSpacing = {model::LineSpacing::Rule::AtLeast, 9.0};
    EXPECT_NEAR(measureParagraph(p, 400.0).lines[0].heightPt, single, 0.01);
    p.props.lineSpacing = {model::LineSpacing::Rule::AtLeast, 40.0};
    EXPECT_DOUBLE_EQ(measureParagraph(p, 400.0).lines[0].heightPt, 40.0);
}

TEST(LayoutMeasure, EmptyParagraphHasOneLineOfItsMarkFont) {
    auto p = paragraph("", "Calibri", 20.0);
    const auto m = measureParagraph(p, 400.0);
    ASSERT_EQ(m.lines.size(), 1u);
    EXPECT_NEAR(m.lines[0].heightPt, 24.41, 0.1);
    EXPECT_EQ(measureParagraph(model::Paragraph{}, 400.0).lines.size(), 1u);
}

TEST(LayoutMeasure, MixedRunsTakeTheTallestFont) {
    auto p = paragraph("small ", "Calibri", 10.0);
    p.runs.push_back(paragraph("big", "Calibri", 30.0).runs[0]);
    EXPECT_NEAR(measureParagraph(p, 400.0).lines[0].heightPt, 30.0 * 1.2207, 0.15);
}

TEST(LayoutMeasure, PartsSplitRunsAndKeepTheirProperties) {
    auto p = paragraph("Grüße aus ", "Arial", 10.0);
    p.runs.push_back(paragraph("Köln und", "Times New Roman", 12.0).runs[0]);
    p.runs[1].props.bold = true;
    p.runs[1].link = "https://example.com/k";
    p.props.firstLineIndentPt = 20.0;
    p.props.spaceBeforePt = 6.0;
    p.props.spaceAfterPt = 4.0;
    p.props.alignment = model::Alignment::Justify;
    const auto m = measureParagraph(p, 400.0);
    // Cut after "Grüße aus Kö" (UTF-16 offset 12).
    const auto head = paragraphPart(p, m, 0, 12);
    const auto tail = paragraphPart(p, m, 12, m.text.size());
    EXPECT_EQ(head.plainText(), "Grüße aus Kö");
    EXPECT_EQ(tail.plainText(), "ln und");
    ASSERT_EQ(head.runs.size(), 2u);
    ASSERT_EQ(tail.runs.size(), 1u);
    EXPECT_EQ(tail.runs[0].props, p.runs[1].props);
    EXPECT_EQ(head.runs[1].link, "https://example.com/k");
    EXPECT_EQ(tail.runs[0].link, "https://example.com/k");
    EXPECT_TRUE(head.runs[0].link.empty());
    EXPECT_EQ(head.props, p.props);
    EXPECT_DOUBLE_EQ(tail.props.firstLineIndentPt, 0.0);
    EXPECT_DOUBLE_EQ(tail.props.spaceBeforePt, 0.0);
    EXPECT_DOUBLE_EQ(tail.props.spaceAfterPt, 4.0);
    EXPECT_EQ(tail.props.alignment, model::Alignment::Justify);
}

} // namespace
} // namespace fq::layout
