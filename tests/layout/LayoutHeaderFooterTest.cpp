// Headers and footers repeat on every page of their section, in the margins.
#include "publishing/layout/Layout.h"

#include "LayoutHelpers.h"

#include <gtest/gtest.h>
#include "tests/support/PageView.h"

namespace fq::layout {
namespace {

using namespace test;

model::Section withHeaderAndFooter(int lines) {
    std::vector<model::Block> blocks;
    for (int i = 0; i < lines; ++i) blocks.push_back(paragraph("body " + std::to_string(i)));
    auto s = section(std::move(blocks));
    s.header = {paragraph("The header")};
    s.footer = {paragraph("The footer")};
    return s;
}

TEST(LayoutHeaderFooter, EveryPageGetsTheHeaderAndFooter) {
    const auto sec = withHeaderAndFooter(150);
    const auto pub = layOut(document({sec}));
    ASSERT_EQ(pub.pages.size(), 4u);
    for (const auto& page : pub.pages) {
        ASSERT_EQ(textFramesOf(page).size(), 3u);
        const auto header = textFramesOf(page).front();
        const auto footer = textFramesOf(page).back();
        EXPECT_EQ(frameText(header), "The header\n");
        EXPECT_EQ(frameText(footer), "The footer\n");
        EXPECT_DOUBLE_EQ(header.rect.yPt, 36.0);
        EXPECT_NEAR(footer.rect.yPt + footer.rect.heightPt, 792.0 - 36.0, 0.01);
        EXPECT_GT(header.rect.heightPt, 10.0);
        EXPECT_LT(header.rect.heightPt, 36.0);
        const auto body = bodyFrames(page, sec.page);
        ASSERT_EQ(body.size(), 1u);
        EXPECT_GE(body[0].rect.yPt, header.rect.yPt + header.rect.heightPt);
        EXPECT_LE(body[0].rect.yPt + body[0].rect.heightPt, footer.rect.yPt + 0.01);
    }
    // The body flow is unchanged by the header and footer.
    std::string bodyText;
    for (const auto& page : pub.pages) {
        const auto frames = textFramesOf(page);
        for (const auto& p : frames[1].paragraphs) bodyText += p.plainText();
    }
    EXPECT_EQ(difference(bodyText, flowText(document({sec}))), "");
}

TEST(LayoutHeaderFooter, TallHeaderPushesTheBodyDown) {
    auto s = section({paragraph("body")});
    for (int i = 0; i < 5; ++i) s.header.push_back(paragraph("header line"));
    const auto pub = layOut(document({s}));
    const auto header = textFramesOf(pub.pages[0])[0];
    const auto body = textFramesOf(pub.pages[0])[1];
    EXPECT_NEAR(header.rect.heightPt, 5 * 13.43, 0.3);
    EXPECT_NEAR(body.rect.yPt, header.rect.yPt + header.rect.heightPt, 0.01);
    EXPECT_NEAR(body.rect.yPt + body.rect.heightPt, 720.0, 0.01);
}

TEST(LayoutHeaderFooter, EmptyHeadersMakeNoFrames) {
    auto s = section({paragraph("body")});
    s.header = {paragraph(""), paragraph(" ")};
    const auto pub = layOut(document({s}));
    ASSERT_EQ(textFramesOf(pub.pages[0]).size(), 1u);
    EXPECT_EQ(frameText(textFramesOf(pub.pages[0])[0]), "body\n");
}

TEST(LayoutHeaderFooter, EachSectionHasItsOwn) {
    auto first = section({paragraph("one")});
    first.header = {paragraph("H1")};
    auto second = section({paragraph("two")});
    second.footer = {paragraph("F2")};
    const auto pub = layOut(document({first, second}));
    ASSERT_EQ(pub.pages.size(), 2u);
    ASSERT_EQ(textFramesOf(pub.pages[0]).size(), 2u);
    EXPECT_EQ(frameText(textFramesOf(pub.pages[0])[0]), "H1\n");
    ASSERT_EQ(textFramesOf(pub.pages[1]).size(), 2u);
    EXPECT_EQ(frameText(textFramesOf(pub.pages[1])[0]), "two\n");
    EXPECT_EQ(frameText(textFramesOf(pub.pages[1])[1]), "F2\n");
}

model::Paragraph pageOfPages() {
    auto p = paragraph("Page ");
    const auto props = p.runs.front().props;
    p.runs.push_back({"9", props, model::FieldKind::PageNumber});
    p.runs.push_back({" of ", props});
    p.runs.push_back({"9", props, model::FieldKind::PageCount});
    return p;
}

TEST(LayoutHeaderFooter, PageFieldsShowTheNumberOfTheirPage) {
    auto s = withHeaderAndFooter(150);
    s.footer = {pageOfPages()};
    s.header = {paragraph("Header")};
    auto& headerParagraph = std::get<model::Paragraph>(s.header[0]);
    headerParagraph.runs.push_back({"", headerParagraph.runs.front().props, model::FieldKind::PageNumber});
    const auto pub = layOut(document({s}));
    ASSERT_EQ(pub.pages.size(), 4u);
    for (std::size_t i = 0; i < pub.pages.size(); ++i) {
        const std::string n = std::to_string(i + 1);
        EXPECT_EQ(frameText(textFramesOf(pub.pages[i]).back()), "Page " + n + " of 4\n");
        EXPECT_EQ(frameText(textFramesOf(pub.pages[i]).front()), "Header" + n + "\n");
    }
}

TEST(LayoutHeaderFooter, PageFieldsInTheBodyFollowTheirPage) {
    std::vector<model::Block> blocks;
    for (int i = 0; i < 60; ++i) blocks.push_back(paragraph("line " + std::to_string(i)));
    blocks.push_back(pageOfPages());
    blocks.push_back(model::PageBreak{});
    blocks.push_back(pageOfPages());
    const auto pub = layOut(document({section(std::move(blocks))}));
    ASSERT_EQ(pub.pages.size(), 3u);
    const std::string second = frameText(textFramesOf(pub.pages[1]).back());
    ASSERT_GE(second.size(), 12u);
    EXPECT_EQ(second.substr(second.size() - 12), "Page 2 of 3\n");
    EXPECT_EQ(frameText(textFramesOf(pub.pages[2]).back()), "Page 3 of 3\n");
}

// The header, the body frames and the footer of every page, from top to bottom, do not overlap.
void expectStacked(const model::Publication& pub) {
    for (std::size_t i = 0; i < pub.pages.size(); ++i) {
        const auto frames = textFramesOf(pub.pages[i]);
        ASSERT_GE(frames.size(), 3u);
        const auto& header = frames.front();
        const auto& footer = frames.back();
        for (std::size_t k = 1; k + 1 < frames.size(); ++k) {
            EXPECT_GE(frames[k].rect.yPt, header.rect.yPt + header.rect.heightPt - 0.01) << "page " << i + 1;
            EXPECT_LE(frames[k].rect.yPt + frames[k].rect.heightPt, footer.rect.yPt + 0.01) << "page " << i + 1;
        }
        EXPECT_LE(footer.rect.yPt + footer.rect.heightPt, pub.pages[i].heightPt + 0.01);
    }
}

TEST(LayoutHeaderFooter, FooterTallerThanTheBottomMarginLiftsTheBodysEnd) {
    auto s = withHeaderAndFooter(150);
    s.footer.clear();
    for (int i = 0; i < 6; ++i) s.footer.push_back(paragraph("footer line"));
    const auto pub = layOut(document({s}));
    expectStacked(pub);
    const auto footer = textFramesOf(pub.pages[0]).back();
    EXPECT_LT(footer.rect.yPt, 792.0 - 72.0 - 5.0) << "the footer reaches above the bottom margin";
    std::string bodyText;
    for (const auto& page : pub.pages) {
        const auto frames = textFramesOf(page);
        for (std::size_t k = 1; k + 1 < frames.size(); ++k)
            for (const auto& p : frames[k].paragraphs) bodyText += p.plainText();
    }
    EXPECT_EQ(difference(bodyText, flowText(document({section(s.blocks)}))), "");
}

TEST(LayoutHeaderFooter, HeaderAndFooterTallerThanThePageLeaveTheBodyBetweenThem) {
    auto s = withHeaderAndFooter(20);
    s.header.clear();
    s.footer.clear();
    for (int i = 0; i < 40; ++i) {
        s.header.push_back(paragraph("header line"));
        s.footer.push_back(paragraph("footer line"));
    }
    const auto pub = layOut(document({s}));
    expectStacked(pub);
    const auto body = textFramesOf(pub.pages[0])[1].rect;
    EXPECT_GE(body.heightPt, 79.0) << "the body keeps a tenth of the page";
}

TEST(LayoutHeaderFooter, ALineTallerThanTheBodyDoesNotStretchItsFrameIntoTheFooter) {
    auto tall = paragraph("tall");
    tall.props.lineSpacing = {model::LineSpacing::Rule::Exact, 900.0};
    auto s = withHeaderAndFooter(2);
    s.blocks.insert(s.blocks.begin() + 1, tall);
    const auto pub = layOut(document({s}));
    expectStacked(pub);
}

TEST(LayoutHeaderFooter, ParagraphsWithoutRunsCarryThePropertiesTheyWereMeasuredWith) {
    auto s = section({paragraph("big", "Times New Roman", 16.0), model::Paragraph{}, paragraph("after")});
    s.footer = {paragraph("footer"), model::Paragraph{}};
    const auto pub = layOut(document({s}));
    const auto body = textFramesOf(pub.pages[0]).front();
    ASSERT_EQ(body.paragraphs.size(), 3u);
    ASSERT_EQ(body.paragraphs[1].runs.size(), 1u);
    EXPECT_EQ(body.paragraphs[1].runs[0].text, "");
    EXPECT_EQ(body.paragraphs[1].runs[0].props, model::CharProps{});
    const auto footer = textFramesOf(pub.pages[0]).back();
    ASSERT_EQ(footer.paragraphs.size(), 2u);
    EXPECT_EQ(footer.paragraphs[1].runs.size(), 1u);
}

TEST(LayoutHeaderFooter, HangingParagraphsGetTheirIndentStopWrittenOut) {
    auto hanging = paragraph("-\titem");
    hanging.props.leftIndentPt = 36.0;
    hanging.props.firstLineIndentPt = -18.0;
    hanging.props.tabStopsPt = {100.0};
    auto s = section({hanging, paragraph("plain")});
    s.footer = {hanging};
    const auto pub = layOut(document({s}));
    const auto body = textFramesOf(pub.pages[0]).front();
    ASSERT_EQ(body.paragraphs.size(), 2u);
    EXPECT_EQ(body.paragraphs[0].props.tabStopsPt, (std::vector<double>{0.0, 100.0}));
    EXPECT_TRUE(body.paragraphs[1].props.tabStopsPt.empty());
    EXPECT_EQ(textFramesOf(pub.pages[0]).back().paragraphs[0].props.tabStopsPt, (std::vector<double>{0.0, 100.0}));
}

} // namespace
} // namespace fq::layout
