// Filling pages with paragraphs: lines that fit, splits, breaks, sections.
#include "publishing/layout/Layout.h"

#include "LayoutHelpers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include "tests/support/PageView.h"

namespace fq::layout {
namespace {

using namespace test;

// US Letter with 1-inch margins: the text area is 468 x 648 pt.
constexpr double kBodyHeight = 648.0;

std::vector<model::Block> oneLiners(int n, const model::ParaProps& props = {}) {
    std::vector<model::Block> blocks;
    for (int i = 0; i < n; ++i) {
        auto p = paragraph("line " + std::to_string(i));
        p.props = props;
        blocks.push_back(p);
    }
    return blocks;
}

TEST(LayoutFlow, EmptyDocumentGivesOnePageWithItsTextFrame) {
    const auto pub = layOut(model::Document{});
    ASSERT_EQ(pub.pages.size(), 1u);
    EXPECT_DOUBLE_EQ(pub.pages[0].widthPt, 612.0);
    EXPECT_DOUBLE_EQ(pub.pages[0].heightPt, 792.0);
    ASSERT_EQ(textFramesOf(pub.pages[0]).size(), 1u);
    const auto r = textFramesOf(pub.pages[0])[0].rect;
    EXPECT_DOUBLE_EQ(r.xPt, 72.0);
    EXPECT_DOUBLE_EQ(r.yPt, 72.0);
    EXPECT_DOUBLE_EQ(r.widthPt, 468.0);
    EXPECT_DOUBLE_EQ(r.heightPt, kBodyHeight);
    EXPECT_EQ(layOut(document({section({})})).pages.size(), 1u);
}

TEST(LayoutFlow, DocumentPropertiesAreCarried) {
    auto doc = document({section({paragraph("x")})});
    doc.properties.title = "Title";
    doc.properties.author = "Author";
    const auto pub = layOut(doc);
    EXPECT_EQ(pub.properties.title, "Title");
    EXPECT_EQ(pub.properties.author, "Author");
}

TEST(LayoutFlow, PageHoldsTheLinesThatFit) {
    // Calibri 11 pt lines are 13.43 pt: 48 fit into 648 pt.
    const auto pub = layOut(document({section(oneLiners(100))}));
    ASSERT_EQ(pub.pages.size(), 3u);
    ASSERT_EQ(textFramesOf(pub.pages[0]).size(), 1u);
    EXPECT_EQ(textFramesOf(pub.pages[0])[0].paragraphs.size(), 48u);
    EXPECT_EQ(textFramesOf(pub.pages[1])[0].paragraphs.size(), 48u);
    EXPECT_EQ(textFramesOf(pub.pages[2])[0].paragraphs.size(), 4u);
    EXPECT_EQ(textFramesOf(pub.pages[1])[0].paragraphs[0].plainText(), "line 48");
}

TEST(LayoutFlow, ExactAndAtLeastSpacingChangeWhatFits) {
    model::ParaProps exact;
    exact.lineSpacing = {model::LineSpacing::Rule::Exact, 20.0};
    EXPECT_EQ(textFramesOf(layOut(document({section(oneLiners(40, exact))})).pages[0])[0].paragraphs.size(), 32u);
    model::ParaProps atLeast;
    atLeast.lineSpacing = {model::LineSpacing::Rule::AtLeast, 30.0};
    EXPECT_EQ(textFramesOf(layOut(document({section(oneLiners(40, atLeast))})).pages[0])[0].paragraphs.size(), 21u);
    model::ParaProps twice;
    twice.lineSpacing = {model::LineSpacing::Rule::Multiple, 2.0};
    EXPECT_EQ(textFramesOf(layOut(document({section(oneLiners(40, twice))})).pages[0])[0].paragraphs.size(), 24u);
}

TEST(LayoutFlow, SpaceBeforeAndAfterTakeRoom) {
    // Each paragraph: 20 pt of line and 10 pt after; the 22nd would end at 650.
    model::ParaProps p;
    p.lineSpacing = {model::LineSpacing::Rule::Exact, 20.0};
    p.spaceAfterPt = 10.0;
    EXPECT_EQ(textFramesOf(layOut(document({section(oneLiners(40, p))})).pages[0])[0].paragraphs.size(), 21u);
    // 10 pt before each: the first on a page reached by overflow has none.
    model::ParaProps b;
    b.lineSpacing = {model::LineSpacing::Rule::Exact, 20.0};
    b.spaceBeforePt = 10.0;
    const auto pub = layOut(document({section(oneLiners(50, b))}));
    ASSERT_GE(pub.pages.size(), 2u);
    EXPECT_EQ(textFramesOf(pub.pages[0])[0].paragraphs.size(), 21u);   // 10 + 30 * 21 = 640
    EXPECT_EQ(textFramesOf(pub.pages[1])[0].paragraphs.size(), 21u);   // 20 + 30 * 20 = 620; one more ends at 650
}

TEST(LayoutFlow, LongParagraphSplitsAtLineBoundariesWithoutLoss) {
    auto p = paragraph(numberedWords(3000));
    p.props.firstLineIndentPt = 36.0;
    p.props.spaceBeforePt = 12.0;
    p.props.alignment = model::Alignment::Justify;
    const auto doc = document({section({paragraph("intro"), p})});
    const auto pub = layOut(doc);
    ASSERT_GE(pub.pages.size(), 4u);
    EXPECT_EQ(difference(flowText(pub), flowText(doc)), "");

    for (std::size_t i = 1; i < pub.pages.size(); ++i) {
        ASSERT_EQ(textFramesOf(pub.pages[i]).size(), 1u);
        const auto first = textFramesOf(pub.pages[i])[0].paragraphs.front();
        EXPECT_DOUBLE_EQ(first.props.firstLineIndentPt, 0.0);
        EXPECT_DOUBLE_EQ(first.props.spaceBeforePt, 0.0);
        EXPECT_EQ(first.props.alignment, model::Alignment::Justify);
        // Lines end after a space: every piece starts with a whole word.
        EXPECT_EQ(first.plainText()[0], 'w');
        const auto before = textFramesOf(pub.pages[i - 1])[0].paragraphs.back().plainText();
        EXPECT_EQ(before.back(), ' ');
    }
    // The first piece keeps the paragraph's own first line.
    const auto head = textFramesOf(pub.pages[0])[0].paragraphs[1];
    EXPECT_DOUBLE_EQ(head.props.firstLineIndentPt, 36.0);
    EXPECT_DOUBLE_EQ(head.props.spaceBeforePt, 12.0);
}

TEST(LayoutFlow, PagesAreFullBeforeTheTextMovesOn) {
    // 11 pt Calibri at 13.43 pt a line: a page of one long paragraph holds 48 lines.
    const auto pub = layOut(document({section({paragraph(numberedWords(5000))})}));
    ASSERT_GE(pub.pages.size(), 3u);
    // ~ 78 characters a line of 468 pt: 48 lines hold far more than 40 lines would.
    const auto chars = textFramesOf(pub.pages[0])[0].paragraphs[0].plainText().size();
    EXPECT_GT(chars, 40u * 60u);
    EXPECT_LT(chars, 49u * 100u);
    const auto chars2 = textFramesOf(pub.pages[1])[0].paragraphs[0].plainText().size();
    EXPECT_NEAR(static_cast<double>(chars2), static_cast<double>(chars), chars * 0.05);
}

TEST(LayoutFlow, KeepWithNextMovesAHeadingToItsParagraph) {
    // 47 lines end at 631 pt; the heading would end at 645 and still fit, the
    // paragraph after it would not.
    auto blocks = oneLiners(47);
    auto heading = paragraph("Heading");
    heading.props.keepWithNext = true;
    blocks.push_back(heading);
    blocks.push_back(paragraph("Body after the heading"));
    const auto kept = layOut(document({section(blocks)}));
    ASSERT_EQ(kept.pages.size(), 2u);
    EXPECT_EQ(textFramesOf(kept.pages[0])[0].paragraphs.size(), 47u);
    EXPECT_EQ(frameText(textFramesOf(kept.pages[1])[0]), "Heading\nBody after the heading\n");

    std::get<model::Paragraph>(blocks[47]).props.keepWithNext = false;
    const auto loose = layOut(document({section(blocks)}));
    ASSERT_EQ(loose.pages.size(), 2u);
    EXPECT_EQ(textFramesOf(loose.pages[0])[0].paragraphs.size(), 48u);
    EXPECT_EQ(frameText(textFramesOf(loose.pages[1])[0]), "Body after the heading\n");
}

TEST(LayoutFlow, KeepWithNextDoesNotMoveFromAnEmptyPage) {
    auto heading = paragraph("Heading");
    heading.props.keepWithNext = true;
    auto huge = paragraph("X", "Arial", 700.0);
    const auto pub = layOut(document({section({heading, huge})}));
    ASSERT_FALSE(pub.pages.empty());
    EXPECT_EQ(textFramesOf(pub.pages[0])[0].paragraphs[0].plainText(), "Heading");
}

TEST(LayoutFlow, ExplicitPageBreaksStartNewPages) {
    const auto pub = layOut(document({section({paragraph("A"), model::PageBreak{}, paragraph("B"),
                                               model::PageBreak{}, model::PageBreak{}, paragraph("C")})}));
    ASSERT_EQ(pub.pages.size(), 4u);
    EXPECT_EQ(frameText(textFramesOf(pub.pages[0])[0]), "A\n");
    EXPECT_EQ(frameText(textFramesOf(pub.pages[1])[0]), "B\n");
    ASSERT_EQ(textFramesOf(pub.pages[2]).size(), 1u);        // the empty page keeps its frame
    EXPECT_TRUE(textFramesOf(pub.pages[2])[0].paragraphs.empty());
    EXPECT_EQ(frameText(textFramesOf(pub.pages[3])[0]), "C\n");
}

TEST(LayoutFlow, SectionsStartNewPagesWithTheirGeometry) {
    model::PageGeometry a4;
    a4.widthPt = 842.0;
    a4.heightPt = 595.0;
    a4.marginLeftPt = 36.0;
    a4.marginRightPt = 50.0;
    a4.marginTopPt = 40.0;
    a4.marginBottomPt = 60.0;
    const auto pub = layOut(document({section({paragraph("first")}), section({paragraph("second")}, a4)}));
    ASSERT_EQ(pub.pages.size(), 2u);
    EXPECT_DOUBLE_EQ(pub.pages[0].widthPt, 612.0);
    EXPECT_DOUBLE_EQ(pub.pages[1].widthPt, 842.0);
    EXPECT_DOUBLE_EQ(pub.pages[1].heightPt, 595.0);
    const auto r = textFramesOf(pub.pages[1])[0].rect;
    EXPECT_DOUBLE_EQ(r.xPt, 36.0);
    EXPECT_DOUBLE_EQ(r.yPt, 40.0);
    EXPECT_DOUBLE_EQ(r.widthPt, 842.0 - 36.0 - 50.0);
    EXPECT_DOUBLE_EQ(r.heightPt, 595.0 - 40.0 - 60.0);
    EXPECT_EQ(frameText(textFramesOf(pub.pages[1])[0]), "second\n");
}

TEST(LayoutFlow, UnusableGeometryStillGivesATextArea) {
    model::PageGeometry bad;
    bad.widthPt = 0.0;
    bad.marginLeftPt = 400.0;
    bad.marginRightPt = 400.0;
    bad.marginTopPt = -72.0;                // negative: Word's "exactly"
    const auto pub = layOut(document({section({paragraph("text")}, bad)}));
    ASSERT_EQ(pub.pages.size(), 1u);
    EXPECT_DOUBLE_EQ(pub.pages[0].widthPt, 612.0);
    const auto r = textFramesOf(pub.pages[0])[0].rect;
    EXPECT_GT(r.widthPt, 36.0);
    EXPECT_GE(r.xPt, 0.0);
    EXPECT_LE(r.xPt + r.widthPt, 612.0);
    EXPECT_DOUBLE_EQ(r.yPt, 72.0);
}

TEST(LayoutFlow, OversizedLineIsPlacedRatherThanLost) {
    auto huge = paragraph("X", "Arial", 900.0);
    const auto doc = document({section({paragraph("a"), huge, paragraph("b")})});
    const auto pub = layOut(doc);
    EXPECT_EQ(pub.pages.size(), 3u);
    EXPECT_EQ(difference(flowText(pub), flowText(doc)), "");
}

TEST(LayoutFlow, UnusableLengthsDoNotStopTheLayout) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    std::vector<model::Block> blocks;
    auto a = paragraph(numberedWords(200));
    a.props.firstLineIndentPt = nan;
    a.props.leftIndentPt = inf;
    a.props.tabStopsPt = {nan, -5.0, inf};
    blocks.push_back(a);
    auto b = paragraph("b\tc");
    b.props.spaceBeforePt = inf;
    b.props.spaceAfterPt = nan;
    b.props.lineSpacing = {model::LineSpacing::Rule::Exact, inf};
    blocks.push_back(b);
    auto c = paragraph("c", "Calibri", nan);
    c.props.lineSpacing = {model::LineSpacing::Rule::Multiple, nan};
    c.props.rightIndentPt = 1e9;
    blocks.push_back(c);
    const auto doc = document({section(std::move(blocks))});
    const auto pub = layOut(doc);
    EXPECT_EQ(difference(flowText(pub), flowText(doc)), "");
    EXPECT_LE(pub.pages.size(), 6u);
    for (const auto& page : pub.pages)
        for (const auto& f : textFramesOf(page)) {
            EXPECT_TRUE(std::isfinite(f.rect.yPt) && std::isfinite(f.rect.heightPt));
            EXPECT_LE(f.rect.yPt + f.rect.heightPt, page.heightPt + 0.01);
        }
}

TEST(LayoutFlow, LongDocumentMakesManyPages) {
    std::vector<model::Block> blocks;
    for (int i = 0; i < 5000; ++i) {
        auto p = paragraph(numberedWords(30, i * 30), i % 2 ? "Times New Roman" : "Calibri", 10.0 + i % 5);
        p.props.spaceAfterPt = 6.0;
        blocks.push_back(p);
    }
    const auto doc = document({section(std::move(blocks))});
    const auto pub = layOut(doc);
    EXPECT_GT(pub.pages.size(), 300u);
    EXPECT_LT(pub.pages.size(), 900u);
    EXPECT_EQ(difference(flowText(pub), flowText(doc)), "");
    for (const auto& page : pub.pages) {
        ASSERT_EQ(textFramesOf(page).size(), 1u);
        EXPECT_FALSE(textFramesOf(page)[0].paragraphs.empty());
    }
}

} // namespace
} // namespace fq::layout
