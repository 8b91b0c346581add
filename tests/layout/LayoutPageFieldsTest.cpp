// Header and footer variants chosen per page, and the page fields: page
// numbers in their format with the restarts of their section, section
// pages, and the nearest paragraph of a style.
#include "publishing/layout/Layout.h"

#include "LayoutHelpers.h"

#include <gtest/gtest.h>

namespace fq::layout {
namespace {

using namespace test;

model::Paragraph field(model::FieldKind kind, std::optional<word::NumberFormat> format = std::nullopt,
                       const std::string& argument = {}) {
    auto p = paragraph("");
    p.runs[0].field = kind;
    p.runs[0].text = "0";
    p.runs[0].fieldFormat = format;
    p.runs[0].fieldArgument = argument;
    return p;
}

std::string headerText(const model::Page& page) {
    for (const auto& f : textFramesOf(page))
        if (f.role == model::FrameRole::Header) return frameText(f);
    return "";
}

std::string footerText(const model::Page& page) {
    for (const auto& f : textFramesOf(page))
        if (f.role == model::FrameRole::Footer) return frameText(f);
    return "";
}

std::vector<model::Block> pages(int n) {
    std::vector<model::Block> blocks;
    for (int i = 0; i < n; ++i) {
        if (i) blocks.push_back(model::PageBreak{});
        blocks.push_back(paragraph("page " + std::to_string(i)));
    }
    return blocks;
}

TEST(LayoutPageFields, HeaderAndFooterVariantsPerPage) {
    auto s = section(pages(4));
    s.header = {paragraph("odd")};
    s.headerEven = {paragraph("even")};
    s.headerFirst = {paragraph("first")};
    s.footer = {paragraph("odd foot")};
    s.titlePage = true;
    s.evenAndOddHeaders = true;
    const auto pub = layOut(document({s}));
    ASSERT_EQ(pub.pages.size(), 4u);
    EXPECT_EQ(headerText(pub.pages[0]), "first\n");
    EXPECT_EQ(footerText(pub.pages[0]), "") << "the first page's footer is empty";
    EXPECT_EQ(headerText(pub.pages[1]), "even\n");
    EXPECT_EQ(footerText(pub.pages[1]), "");
    EXPECT_EQ(headerText(pub.pages[2]), "odd\n");
    EXPECT_EQ(footerText(pub.pages[2]), "odd foot\n");
    // Without the settings every page shows the default ones.
    s.titlePage = s.evenAndOddHeaders = false;
    const auto plain = layOut(document({s}));
    for (const auto& page : plain.pages) EXPECT_EQ(headerText(page), "odd\n");
}

TEST(LayoutPageFields, PageNumbersFollowTheirSectionsFormatAndRestart) {
    auto one = section(pages(2));
    one.footer = {field(model::FieldKind::PageNumber)};
    auto two = section(pages(3));
    two.pageNumberStart = 4;
    two.pageNumberFormat = word::NumberFormat::LowerRoman;
    two.footer = {field(model::FieldKind::PageNumber), field(model::FieldKind::PageNumber, word::NumberFormat::Decimal),
                  field(model::FieldKind::SectionPages), field(model::FieldKind::PageCount)};
    const auto pub = layOut(document({one, two}));
    ASSERT_EQ(pub.pages.size(), 5u);
    EXPECT_EQ(footerText(pub.pages[0]), "1\n");
    EXPECT_EQ(footerText(pub.pages[1]), "2\n");
    EXPECT_EQ(footerText(pub.pages[2]), "iv\n4\n3\n5\n");
    EXPECT_EQ(footerText(pub.pages[4]), "vi\n6\n3\n5\n");
}

TEST(LayoutPageFields, StyleReferenceShowsTheNearestHeading) {
    auto heading = [](const std::string& text) {
        auto p = paragraph(text);
        p.props.styleName = "heading 1,h1,Chapter";
        return p;
    };
    auto s = section({heading("Intro"), paragraph("a"), model::PageBreak{}, paragraph("b"), model::PageBreak{},
                      heading("Next"), heading("Later")});
    s.header = {field(model::FieldKind::StyleRef, std::nullopt, "Heading 1")};
    s.footer = {field(model::FieldKind::StyleRef, std::nullopt, "H1,Level one"),
                field(model::FieldKind::StyleRef, std::nullopt, "Heading 9")};
    const auto pub = layOut(document({s}));
    ASSERT_EQ(pub.pages.size(), 3u);
    EXPECT_EQ(headerText(pub.pages[0]), "Intro\n");
    EXPECT_EQ(footerText(pub.pages[0]), "Intro\n0\n") << "one of the style's other names; none: the stored result";
    EXPECT_EQ(headerText(pub.pages[1]), "Intro\n") << "the last one before the page";
    EXPECT_EQ(headerText(pub.pages[2]), "Next\n") << "the first one on the page";
}

} // namespace
} // namespace fq::layout
