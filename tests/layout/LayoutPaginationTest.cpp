// Word's pagination rules: widows and orphans, keep lines together, keep
// with next, page break before, space before at the top of a page and
// contextual spacing. Pages hold exactly ten lines of the test font.
#include "publishing/layout/Layout.h"
#include "publishing/layout/ParagraphMeasure.h"

#include "LayoutHelpers.h"

#include <gtest/gtest.h>

namespace fq::layout {
namespace {

using namespace test;

double lineHeight() { return measureParagraph(paragraph("x"), 400.0).lines.at(0).heightPt; }

// A page whose text area holds exactly ten lines.
model::PageGeometry tenLines() {
    model::PageGeometry g;
    g.heightPt = 144.0 + 10.0 * lineHeight() + 0.5;
    return g;
}

// A paragraph of n lines "<tag>1" .. "<tag>n" (line breaks inside it).
model::Paragraph lines(const std::string& tag, int n) {
    std::string text;
    for (int i = 1; i <= n; ++i) text += (i > 1 ? "\n" : "") + tag + std::to_string(i);
    return paragraph(text);
}

// How many lines tagged with tag the page's body frames hold.
int linesOn(const model::Page& page, const std::string& tag) {
    int n = 0;
    for (const auto& f : textFramesOf(page)) {
        if (f.role != model::FrameRole::Body) continue;
        for (const auto& p : f.paragraphs) {
            const std::string t = p.plainText();
            for (std::size_t at = t.find(tag); at != std::string::npos; at = t.find(tag, at + 1)) ++n;
        }
    }
    return n;
}

TEST(LayoutPagination, WidowAndOrphanControl) {
    struct Case {
        int before, lines;                  // lines of the first paragraph, of the second
        bool widowControl;
        int onFirstPage;                    // of the second paragraph's lines
    };
    for (const Case& c : {Case{8, 3, true, 0}, Case{8, 3, false, 2}, Case{8, 4, true, 2}, Case{9, 3, true, 0},
                          Case{9, 3, false, 1}, Case{7, 4, true, 2}, Case{7, 4, false, 3}}) {
        auto a = lines("a", c.before);
        auto b = lines("b", c.lines);
        b.props.widowControl = c.widowControl;
        const auto pub = layOut(document({section({a, b}, tenLines())}));
        ASSERT_GE(pub.pages.size(), 2u);
        EXPECT_EQ(linesOn(pub.pages[0], "b"), c.onFirstPage) << c.before << "+" << c.lines << " " << c.widowControl;
        EXPECT_EQ(linesOn(pub.pages[1], "b"), c.lines - c.onFirstPage);
    }
}

TEST(LayoutPagination, KeepLinesTogetherMovesTheParagraphWhenItFitsOnAPage) {
    auto b = lines("b", 3);
    b.props.keepLinesTogether = true;
    const auto pub = layOut(document({section({lines("a", 8), b}, tenLines())}));
    EXPECT_EQ(linesOn(pub.pages.at(0), "b"), 0);
    // Longer than a page: it splits after all.
    auto c = lines("c", 12);
    c.props.keepLinesTogether = true;
    const auto split = layOut(document({section({lines("a", 8), c}, tenLines())}));
    EXPECT_EQ(linesOn(split.pages.at(0), "c"), 2);
}

TEST(LayoutPagination, KeepWithNextKeepsTheChainWithTheNextParagraphsFirstLines) {
    auto h1 = lines("h", 1), h2 = lines("k", 1);
    h1.props.keepWithNext = h2.props.keepWithNext = true;
    auto body = lines("t", 3);
    body.props.widowControl = true;
    // 7 lines, two headings, then two lines of text would need 11: both
    // headings go to the next page with the text.
    const auto pub = layOut(document({section({lines("a", 7), h1, h2, body}, tenLines())}));
    EXPECT_EQ(linesOn(pub.pages.at(0), "h"), 0);
    EXPECT_EQ(linesOn(pub.pages.at(0), "k"), 0);
    EXPECT_EQ(linesOn(pub.pages.at(1), "h"), 1);
    // With one line less before them, a longer text may split after two lines.
    auto longer = lines("t", 4);
    longer.props.widowControl = true;
    const auto fits = layOut(document({section({lines("a", 6), h1, h2, longer}, tenLines())}));
    EXPECT_EQ(linesOn(fits.pages.at(0), "k"), 1);
    EXPECT_EQ(linesOn(fits.pages.at(0), "t"), 2);
    // A text of three lines cannot: the headings go with it.
    const auto three = layOut(document({section({lines("a", 6), h1, h2, body}, tenLines())}));
    EXPECT_EQ(linesOn(three.pages.at(0), "k"), 0);
    EXPECT_EQ(linesOn(three.pages.at(1), "t"), 3);
}

TEST(LayoutPagination, PageBreakBeforeStartsAPageUnlessItStandsAtTheTopOfOne) {
    auto broken = lines("p", 1);
    broken.props.pageBreakBefore = true;
    EXPECT_EQ(layOut(document({section({broken, lines("x", 1)})})).pages.size(), 1u);
    const auto pub = layOut(document({section({lines("a", 1), broken, model::PageBreak{}, broken})}));
    ASSERT_EQ(pub.pages.size(), 3u);
    EXPECT_EQ(linesOn(pub.pages[1], "p"), 1);
    EXPECT_EQ(linesOn(pub.pages[2], "p"), 1);
}

TEST(LayoutPagination, SpaceBeforeAtTheTopOfAPageOnlyAfterAnExplicitBreak) {
    auto spaced = lines("s", 1);
    spaced.props.spaceBeforePt = 20.0;
    const auto g = tenLines();
    // Flowing onto page 2 the space is dropped; after a page break it stays.
    const auto pub = layOut(document({section({lines("a", 10), spaced, model::PageBreak{}, spaced}, g)}));
    ASSERT_EQ(pub.pages.size(), 3u);
    EXPECT_NEAR(bodyFrames(pub.pages[1], g).at(0).rect.yPt, 72.0, 0.01);
    EXPECT_NEAR(bodyFrames(pub.pages[2], g).at(0).rect.yPt, 92.0, 0.01);
    // Automatic space (HTML-like paragraphs) is never given at the top of a page.
    auto automatic = spaced;
    automatic.props.spaceBeforeAuto = true;
    const auto top = layOut(document({section({automatic, automatic}, g)}));
    const auto frame = bodyFrames(top.pages.at(0), g).at(0);
    EXPECT_NEAR(frame.rect.yPt, 72.0, 0.01);
    EXPECT_DOUBLE_EQ(frame.paragraphs.at(1).props.spaceBeforePt, 20.0);
}

TEST(LayoutPagination, ContextualSpacingLeavesOutSpaceBetweenParagraphsOfOneStyle) {
    auto item = lines("i", 1);
    item.props.styleName = "List Paragraph";
    item.props.spaceBeforePt = 6.0;
    item.props.spaceAfterPt = 10.0;
    item.props.contextualSpacing = true;
    auto other = lines("o", 1);
    other.props.styleName = "Normal";
    other.props.spaceBeforePt = 4.0;
    const auto pub = layOut(document({section({item, item, other})}));
    const auto ps = textFramesOf(pub.pages.at(0)).at(0).paragraphs;
    ASSERT_EQ(ps.size(), 3u);
    EXPECT_DOUBLE_EQ(ps[0].props.spaceAfterPt, 0.0);
    EXPECT_DOUBLE_EQ(ps[1].props.spaceBeforePt, 0.0);
    EXPECT_DOUBLE_EQ(ps[1].props.spaceAfterPt, 10.0);
    EXPECT_DOUBLE_EQ(ps[2].props.spaceBeforePt, 4.0);
}

} // namespace
} // namespace fq::layout
