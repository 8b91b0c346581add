// Sections with columns: the flow fills the columns in order, a column break
// goes to the next one, and a section that a continuous one follows has its
// columns evened out with the next section's text below them.
#include "publishing/layout/Layout.h"
#include "publishing/layout/ParagraphMeasure.h"

#include "LayoutHelpers.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace fq::layout {
namespace {

using namespace test;

double lineHeight() { return measureParagraph(paragraph("x"), 400.0).lines.at(0).heightPt; }

model::PageGeometry tenLines() {
    model::PageGeometry g;
    g.heightPt = 144.0 + 10.0 * lineHeight() + 0.5;
    return g;
}

std::vector<model::Block> oneLiners(const std::string& tag, int n) {
    std::vector<model::Block> blocks;
    for (int i = 0; i < n; ++i) blocks.push_back(paragraph(tag + std::to_string(i)));
    return blocks;
}

model::Section columns(std::vector<model::Block> blocks, int count, model::SectionStart start = {}) {
    auto s = section(std::move(blocks), tenLines());
    s.columns.count = count;
    s.columns.spacingPt = 36.0;
    s.start = start;
    return s;
}

std::vector<model::PlacedText> body(const model::Page& page) {
    std::vector<model::PlacedText> out;
    for (const auto& f : textFramesOf(page))
        if (f.role == model::FrameRole::Body) out.push_back(f);
    std::sort(out.begin(), out.end(), [](const auto& a, const auto& b) {
        return a.rect.yPt + 0.5 < b.rect.yPt || (std::abs(a.rect.yPt - b.rect.yPt) <= 0.5 && a.rect.xPt < b.rect.xPt);
    });
    return out;
}

TEST(LayoutColumns, FlowFillsTheColumnsInOrder) {
    const auto pub = layOut(document({columns(oneLiners("l", 25), 2)}));
    ASSERT_EQ(pub.pages.size(), 2u);
    const auto first = body(pub.pages[0]);
    ASSERT_EQ(first.size(), 2u);
    // Two columns of (468 - 36) / 2 = 216 pt, side by side.
    EXPECT_DOUBLE_EQ(first[0].rect.xPt, 72.0);
    EXPECT_DOUBLE_EQ(first[1].rect.xPt, 72.0 + 216.0 + 36.0);
    EXPECT_DOUBLE_EQ(first[0].rect.widthPt, 216.0);
    EXPECT_EQ(first[0].paragraphs.size(), 10u);
    EXPECT_EQ(first[1].paragraphs.size(), 10u);
    EXPECT_EQ(first[1].paragraphs.front().plainText(), "l10");
    EXPECT_EQ(body(pub.pages[1]).at(0).paragraphs.size(), 5u);
}

TEST(LayoutColumns, ColumnBreakGoesToTheNextColumnAndPastTheLastToTheNextPage) {
    const auto pub = layOut(document({columns({paragraph("a"), model::PageBreak{true}, paragraph("b"),
                                               model::PageBreak{true}, paragraph("c")}, 2)}));
    ASSERT_EQ(pub.pages.size(), 2u);
    const auto first = body(pub.pages[0]);
    ASSERT_EQ(first.size(), 2u);
    EXPECT_EQ(frameText(first[0]), "a\n");
    EXPECT_EQ(frameText(first[1]), "b\n");
    EXPECT_EQ(frameText(body(pub.pages[1]).at(0)), "c\n");
}

TEST(LayoutColumns, ContinuousSectionBalancesTheColumnsAboveIt) {
    auto above = columns(oneLiners("c", 7), 2);
    above.columns.separator = true;
    const auto pub = layOut(document({above, columns({paragraph("below")}, 1, model::SectionStart::Continuous)}));
    ASSERT_EQ(pub.pages.size(), 1u);
    const auto frames = body(pub.pages[0]);
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_EQ(frames[0].paragraphs.size(), 4u);
    EXPECT_EQ(frames[1].paragraphs.size(), 3u);
    EXPECT_DOUBLE_EQ(frames[0].rect.yPt, frames[1].rect.yPt);
    // The next section starts under the longer column, across the page.
    EXPECT_NEAR(frames[2].rect.yPt, 72.0 + 4.0 * lineHeight(), 0.01);
    EXPECT_DOUBLE_EQ(frames[2].rect.widthPt, 468.0);
    EXPECT_EQ(frameText(frames[2]), "below\n");
    // The line between the columns runs down the longer one.
    const auto lines = drawnLinesOf(pub.pages[0]);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NEAR(lines[0].xPt + lines[0].widthPt / 2.0, 72.0 + 216.0 + 18.0, 0.01);
    EXPECT_NEAR(lines[0].heightPt, 4.0 * lineHeight(), 0.01);
}

TEST(LayoutColumns, UnequalColumnsKeepTheirWidths) {
    auto s = columns(oneLiners("u", 15), 2);
    s.columns.widthsPt = {100.0, 300.0};
    s.columns.spacingsPt = {68.0};
    const auto frames = body(layOut(document({s})).pages.at(0));
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_DOUBLE_EQ(frames[0].rect.widthPt, 100.0);
    EXPECT_DOUBLE_EQ(frames[1].rect.xPt, 72.0 + 168.0);
    EXPECT_DOUBLE_EQ(frames[1].rect.widthPt, 300.0);
}

} // namespace
} // namespace fq::layout
