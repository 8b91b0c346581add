// Line heights as Word computes them, and how a frame's lines are written so
// that a reader of the publication sets them at the same places.
#include "publishing/layout/FrameLines.h"
#include "publishing/layout/Layout.h"
#include "publishing/layout/ParagraphMeasure.h"

#include "LayoutHelpers.h"

#include <gtest/gtest.h>

namespace fq::layout {
namespace {

using Rule = model::LineSpacing::Rule;
using test::paragraph;

TEST(LayoutLineHeight, RulesGiveWordsHeights) {
    // Calibri 11 pt: a single line is 13.45 pt; where the text stands in the
    // line (drop: how far above the line's foot) depends on the rule.
    struct Case {
        Rule rule;
        double value;
        double height;
        double drop;
    };
    for (const Case& c : {Case{Rule::Multiple, 1.0, 13.45, 0.0}, Case{Rule::Multiple, 1.15, 15.45, 2.0},
                          Case{Rule::Multiple, 2.0, 26.9, 13.45}, Case{Rule::Multiple, 0.8, 10.75, 0.0},
                          Case{Rule::Exact, 14.0, 14.0, 0.0}, Case{Rule::Exact, 8.0, 8.0, 0.0},
                          Case{Rule::AtLeast, 18.0, 18.0, 0.0}, Case{Rule::AtLeast, 10.0, 13.45, 0.0}}) {
        auto p = paragraph("Two lines of text\nfor every rule");
        p.props.lineSpacing = {c.rule, c.value};
        const auto m = measureParagraph(p, 400.0);
        ASSERT_EQ(m.lines.size(), 2u);
        for (const auto& line : m.lines) {
            EXPECT_NEAR(line.heightPt, c.height, 0.001) << int(c.rule) << " " << c.value;
            EXPECT_NEAR(line.naturalPt, 13.45, 0.001);
            EXPECT_NEAR(line.textDropPt, c.drop, 0.001) << int(c.rule) << " " << c.value;
        }
    }
}

TEST(LayoutLineHeight, LinesSnapToTheSectionsLineGrid) {
    struct Case {
        double size;
        Rule rule;
        double value;
        bool snap;
        double height;
    };
    for (const Case& c : {Case{11.0, Rule::Multiple, 1.0, true, 15.6}, Case{20.0, Rule::Multiple, 1.0, true, 31.2},
                          Case{11.0, Rule::Multiple, 2.0, true, 31.2}, Case{11.0, Rule::Multiple, 1.0, false, 13.45},
                          Case{11.0, Rule::Exact, 12.0, true, 12.0}}) {
        auto p = paragraph("grid", "Calibri", c.size);
        p.props.lineSpacing = {c.rule, c.value};
        p.props.snapToGrid = c.snap;
        EXPECT_NEAR(measureParagraph(p, 400.0, 15.6).lines.at(0).heightPt, c.height, 0.001) << c.size << " " << c.value;
    }
}

TEST(LayoutLineHeight, LargestFontOfALineSetsItsHeight) {
    auto p = paragraph("small ");
    model::Run big{"BIG", p.runs[0].props};
    big.props.sizePt = 22.0;
    p.runs.push_back(big);
    p.runs.push_back(model::Run{"\nsmall again", p.runs[0].props});
    const auto m = measureParagraph(p, 400.0);
    ASSERT_EQ(m.lines.size(), 2u);
    EXPECT_NEAR(m.lines[0].heightPt, 26.85, 0.001);   // 21.35 + 5.5 pt
    EXPECT_NEAR(m.lines[1].heightPt, 13.45, 0.001);
}

FrameParagraph frameParagraph(std::vector<double> heights, std::vector<double> drops, double before = 0.0,
                              double after = 0.0) {
    FrameParagraph fp;
    fp.paragraph = paragraph("text");
    fp.paragraph.props.spaceBeforePt = before;
    fp.paragraph.props.spaceAfterPt = after;
    fp.lineHeightsPt = std::move(heights);
    fp.textDropsPt = std::move(drops);
    return fp;
}

TEST(LayoutLineHeight, LinesAreWrittenWithTheirExactHeight) {
    const auto w = writeFrameLines({frameParagraph({13.45, 13.45}, {0, 0}, 0, 6),
                                    frameParagraph({20.0}, {0}, 12, 0)});
    ASSERT_EQ(w.paragraphs.size(), 2u);
    EXPECT_EQ(w.paragraphs[0].props.lineSpacing, (model::LineSpacing{Rule::Exact, 13.45}));
    EXPECT_EQ(w.paragraphs[1].props.lineSpacing, (model::LineSpacing{Rule::Exact, 20.0}));
    EXPECT_DOUBLE_EQ(w.paragraphs[0].props.spaceAfterPt, 6.0);
    EXPECT_DOUBLE_EQ(w.paragraphs[1].props.spaceBeforePt, 12.0);
    EXPECT_DOUBLE_EQ(w.raisePt, 0.0);
}

TEST(LayoutLineHeight, FirstParagraphsSpaceBeforeMovesTheFrame) {
    const auto w = writeFrameLines({frameParagraph({13.45}, {0}, 24, 0)});
    EXPECT_DOUBLE_EQ(w.paragraphs[0].props.spaceBeforePt, 0.0);
    EXPECT_DOUBLE_EQ(w.raisePt, -24.0);
}

TEST(LayoutLineHeight, TextAboveTheFootOfItsLineMovesUpWithItsParagraph) {
    // Double spacing: Word sets each line's text 13.45 pt above the foot of
    // its 26.9 pt line. The frame moves up by that much, and the single
    // paragraph after it gets the difference back in its space before.
    const auto w = writeFrameLines({frameParagraph({26.9, 26.9}, {13.45, 13.45}, 0, 10),
                                    frameParagraph({13.45}, {0}, 0, 0)});
    EXPECT_DOUBLE_EQ(w.raisePt, 13.45);
    EXPECT_DOUBLE_EQ(w.paragraphs[0].props.spaceAfterPt, 10.0);
    EXPECT_DOUBLE_EQ(w.paragraphs[1].props.spaceBeforePt, 13.45);
}

TEST(LayoutLineHeight, MissingSpaceIsTakenFromTheSpaceAfterBefore) {
    // A single paragraph followed by a 1.5-spaced one with no space before:
    // its text must stand 6 pt higher, which the 10 pt after the first gives.
    const auto w = writeFrameLines({frameParagraph({12.0}, {0}, 0, 10),
                                    frameParagraph({18.0, 18.0}, {6.0, 6.0}, 0, 0)});
    EXPECT_DOUBLE_EQ(w.paragraphs[0].props.spaceAfterPt, 4.0);
    EXPECT_DOUBLE_EQ(w.paragraphs[1].props.spaceBeforePt, 0.0);
}

TEST(LayoutLineHeight, ATallerFirstLineIsGivenAsSpaceBefore) {
    // Written with the usual 12 pt lines, the paragraph starts 8 pt lower
    // and the one after it is back in place.
    const auto w = writeFrameLines({frameParagraph({12.0}, {0}, 0, 0),
                                    frameParagraph({20.0, 12.0, 12.0}, {0, 0, 0}, 2, 0),
                                    frameParagraph({12.0}, {0}, 3, 0)});
    EXPECT_EQ(w.paragraphs[1].props.lineSpacing, (model::LineSpacing{Rule::Exact, 12.0}));
    EXPECT_DOUBLE_EQ(w.paragraphs[1].props.spaceBeforePt, 10.0);
    EXPECT_DOUBLE_EQ(w.paragraphs[2].props.spaceBeforePt, 3.0);
}

TEST(LayoutLineHeight, LaidOutFramesCarryExactHeights) {
    auto a = paragraph("double spaced");
    a.props.lineSpacing = {Rule::Multiple, 2.0};
    const auto pub = layOut(test::document({test::section({a, paragraph("single")})}));
    const auto frames = textFramesOf(pub.pages.at(0));
    ASSERT_EQ(frames.size(), 1u);
    const auto& ps = frames[0].paragraphs;
    ASSERT_EQ(ps.size(), 2u);
    EXPECT_EQ(ps[0].props.lineSpacing, (model::LineSpacing{Rule::Exact, 26.9}));
    EXPECT_EQ(ps[1].props.lineSpacing, (model::LineSpacing{Rule::Exact, 13.45}));
    EXPECT_NEAR(frames[0].rect.yPt, 72.0 - 13.45, 1e-9);
}

} // namespace
} // namespace fq::layout
