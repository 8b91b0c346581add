// Tab stops with alignment and leader: measured where Word puts the text
// after them, and written as left stops and leader characters that every
// reader of the publication sets the same way.
#include "publishing/layout/Layout.h"
#include "publishing/layout/ParagraphMeasure.h"

#include "LayoutHelpers.h"

#include <gtest/gtest.h>

namespace fq::layout {
namespace {

using namespace test;
using A = model::TabAlignment;
using L = model::TabLeader;

// Courier New's (and Liberation Mono's) advance: 1229/2048 em, a hair over
// 6 pt a character at 10 pt.
constexpr double kAdvancePt = 10.0 * 1229.0 / 2048.0;

model::Paragraph tabbed(const std::string& text, std::vector<model::TabStop> stops) {
    auto p = paragraph(text, "Courier New", 10.0);   // 6 pt a character
    for (const auto& s : stops) p.props.tabStopsPt.push_back(s.positionPt);
    p.props.tabs = std::move(stops);
    return p;
}

model::Paragraph written(const model::Publication& pub) {
    return textFramesOf(pub.pages.at(0)).at(0).paragraphs.at(0);
}

TEST(LayoutTabs, AlignedStopsPlaceTheTextAfterTheTab) {
    struct Case {
        model::TabStop stop;
        const char* text;
        double start;                       // where the text after the tab starts
    };
    for (const Case& c : {Case{{300.0, A::Left, L::None}, "ab\tcdef", 300.0},
                          Case{{300.0, A::Right, L::None}, "ab\tcdef", 276.0},
                          Case{{300.0, A::Center, L::None}, "ab\tcdef", 288.0},
                          // The decimal point centred on the stop.
                          Case{{300.0, A::Decimal, L::None}, "ab\t12.50", 285.0}}) {
        const auto m = measureParagraph(tabbed(c.text, {c.stop}), 468.0);
        ASSERT_EQ(m.tabs.size(), 1u);
        EXPECT_NEAR(m.tabs[0].startPt, 12.0, 0.01);
        EXPECT_NEAR(m.tabs[0].endPt, c.start, 0.01) << int(c.stop.alignment);
    }
}

TEST(LayoutTabs, DefaultStopsCountFromTheTextAreasEdge) {
    auto p = tabbed("a\tb", {});
    p.props.leftIndentPt = 20.0;
    // The first default stop after the indent is 36 pt from the edge: 16 pt from the indent.
    EXPECT_NEAR(measureParagraph(p, 468.0).tabs.at(0).endPt, 16.0, 0.01);
}

TEST(LayoutTabs, RightStopsBecomeLeftStopsWhereTheirTextStarts) {
    const auto pub = layOut(document({section({tabbed("Title\tPage 7", {{468.0, A::Right, L::None}})})}));
    const auto p = written(pub);
    EXPECT_EQ(p.plainText(), "Title\tPage 7");
    ASSERT_EQ(p.props.tabStopsPt.size(), 1u);
    EXPECT_NEAR(p.props.tabStopsPt[0], 468.0 - 6 * kAdvancePt, 0.001);
    ASSERT_EQ(p.props.tabs.size(), 1u);
    EXPECT_EQ(p.props.tabs[0].alignment, A::Left);
}

TEST(LayoutTabs, LeadersBecomeTheirCharacters) {
    // As many leader characters as fit between the text before the tab and
    // the text after it, never one that would push the latter on: "Chapter
    // one" ends at 66.01 pt, "7" starts at 462.0, which leaves room for 65
    // dots (66 would reach past the stop at the margin and wrap the line).
    const auto count = [](double from, double to) { return static_cast<std::size_t>((to - from) / kAdvancePt); };
    const auto pub = layOut(document({section({tabbed("Chapter one\t7", {{468.0, A::Right, L::Dots}})})}));
    const auto p = written(pub);
    const std::size_t dots = count(11 * kAdvancePt, 468.0 - kAdvancePt);
    EXPECT_EQ(dots, 65u);
    EXPECT_EQ(p.plainText(), "Chapter one" + std::string(dots, '.') + "7");
    EXPECT_TRUE(p.props.tabStopsPt.empty());
    const auto dashes = layOut(document({section({tabbed("a\tb", {{60.0, A::Left, L::Dashes}})})}));
    EXPECT_EQ(written(dashes).plainText(), "a" + std::string(count(kAdvancePt, 60.0), '-') + "b");
}

} // namespace
} // namespace fq::layout
