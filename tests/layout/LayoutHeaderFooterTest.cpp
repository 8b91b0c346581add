// Headers and footers repeat on every page of their section, in the margins.
#include "publishing/layout/Layout.h"

#include "LayoutHelpers.h"

#include <gtest/gtest.h>

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
        ASSERT_EQ(page.textFrames.size(), 3u);
        const auto& header = page.textFrames.front();
        const auto& footer = page.textFrames.back();
        EXPECT_EQ(frameText(header), "The header\n");
        EXPECT_EQ(frameText(footer), "The footer\n");
        EXPECT_DOUBLE_EQ(header.rect.yPt, 36.0);
        EXPECT_NEAR(footer.rect.yPt + footer.rect.heightPt, 792.0 - 36.0, 0.01);
        EXPECT_GT(header.rect.heightPt, 10.0);
        EXPECT_LT(header.rect.heightPt, 36.0);
        const auto body = bodyFrames(page, sec.page);
        ASSERT_EQ(body.size(), 1u);
        EXPECT_GE(body[0]->rect.yPt, header.rect.yPt + header.rect.heightPt);
        EXPECT_LE(body[0]->rect.yPt + body[0]->rect.heightPt, footer.rect.yPt + 0.01);
    }
    // The body flow is unchanged by the header and footer.
    std::string bodyText;
    for (const auto& page : pub.pages) for (const auto& p : page.textFrames[1].paragraphs) bodyText += p.plainText();
    EXPECT_EQ(difference(bodyText, flowText(document({sec}))), "");
}

TEST(LayoutHeaderFooter, TallHeaderPushesTheBodyDown) {
    auto s = section({paragraph("body")});
    for (int i = 0; i < 5; ++i) s.header.push_back(paragraph("header line"));
    const auto pub = layOut(document({s}));
    const auto& header = pub.pages[0].textFrames[0];
    const auto& body = pub.pages[0].textFrames[1];
    EXPECT_NEAR(header.rect.heightPt, 5 * 13.43, 0.3);
    EXPECT_NEAR(body.rect.yPt, header.rect.yPt + header.rect.heightPt, 0.01);
    EXPECT_NEAR(body.rect.yPt + body.rect.heightPt, 720.0, 0.01);
}

TEST(LayoutHeaderFooter, EmptyHeadersMakeNoFrames) {
    auto s = section({paragraph("body")});
    s.header = {paragraph(""), paragraph(" ")};
    const auto pub = layOut(document({s}));
    ASSERT_EQ(pub.pages[0].textFrames.size(), 1u);
    EXPECT_EQ(frameText(pub.pages[0].textFrames[0]), "body\n");
}

TEST(LayoutHeaderFooter, EachSectionHasItsOwn) {
    auto first = section({paragraph("one")});
    first.header = {paragraph("H1")};
    auto second = section({paragraph("two")});
    second.footer = {paragraph("F2")};
    const auto pub = layOut(document({first, second}));
    ASSERT_EQ(pub.pages.size(), 2u);
    ASSERT_EQ(pub.pages[0].textFrames.size(), 2u);
    EXPECT_EQ(frameText(pub.pages[0].textFrames[0]), "H1\n");
    ASSERT_EQ(pub.pages[1].textFrames.size(), 2u);
    EXPECT_EQ(frameText(pub.pages[1].textFrames[0]), "two\n");
    EXPECT_EQ(frameText(pub.pages[1].textFrames[1]), "F2\n");
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
    s.header[0].runs.push_back({"", s.header[0].runs.front().props, model::FieldKind::PageNumber});
    const auto pub = layOut(document({s}));
    ASSERT_EQ(pub.pages.size(), 4u);
    for (std::size_t i = 0; i < pub.pages.size(); ++i) {
        const std::string n = std::to_string(i + 1);
        EXPECT_EQ(frameText(pub.pages[i].textFrames.back()), "Page " + n + " of 4\n");
        EXPECT_EQ(frameText(pub.pages[i].textFrames.front()), "Header" + n + "\n");
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
    const std::string second = frameText(pub.pages[1].textFrames.back());
    ASSERT_GE(second.size(), 12u);
    EXPECT_EQ(second.substr(second.size() - 12), "Page 2 of 3\n");
    EXPECT_EQ(frameText(pub.pages[2].textFrames.back()), "Page 3 of 3\n");
}

} // namespace
} // namespace fq::layout
