// Pictures inside a line of text: the line grows to hold them, they stand
// on its baseline where the text leaves them room, and a line in the middle
// of a paragraph keeps its own height in the written frame.
#include "publishing/layout/FlowText.h"
#include "publishing/layout/FontResolver.h"
#include "publishing/layout/Layout.h"

#include "LayoutHelpers.h"

#include <QTextLayout>
#include <QTextOption>

#include <gtest/gtest.h>

#include <memory>

namespace fq::layout {
namespace {

using namespace test;

constexpr double kLeft = 72.0, kTop = 72.0, kWidth = 468.0;   // the default page's text area

model::Run pictureRun(double w, double h) {
    model::Run run;
    auto p = std::make_shared<model::Picture>();
    p->format = model::ImageFormat::Png;
    p->data = {0x89, 'P', 'N', 'G'};
    p->widthPt = w;
    p->heightPt = h;
    run.picture = std::move(p);
    return run;
}

// before, a picture of w x h, after: one paragraph.
model::Paragraph withPicture(const std::string& before, const std::string& after, double w = 60.0, double h = 40.0) {
    model::Paragraph p = paragraph(before);
    p.runs.push_back(pictureRun(w, h));
    p.runs.push_back(paragraph(after).runs.front());
    return p;
}

// The width of the text as the layout measures it (design metrics).
double advance(const std::string& text, const model::CharProps& props = {}) {
    QTextLayout layout(QString::fromUtf8(text.c_str()), FontResolver::instance().font(props));
    QTextOption option;
    option.setUseDesignMetrics(true);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(10000.0 * FontResolver::kUnitsPerPoint);
    layout.endLayout();
    return line.cursorToX(layout.text().size()) / FontResolver::kUnitsPerPoint;
}

std::string withoutNoBreakSpaces(std::string s) {
    for (auto at = s.find("\xC2\xA0"); at != std::string::npos; at = s.find("\xC2\xA0")) s.erase(at, 2);
    return s;
}

TEST(LayoutInlinePicture, StandsOnTheBaselineAtTheTextsPlace) {
    const std::string before = "Text before ", after = " and after.";
    const double text = advance(before) + 60.0 + advance(after);
    struct Case {
        model::Alignment alignment;
        double lineStart;
    };
    for (const Case& c : {Case{model::Alignment::Left, 0.0}, Case{model::Alignment::Center, (kWidth - text) / 2.0},
                          Case{model::Alignment::Right, kWidth - text}}) {
        auto p = withPicture(before, after);
        p.props.alignment = c.alignment;
        const auto pub = layOut(document({section({p})}));
        const auto pictures = pictureFramesOf(pub.pages.at(0));
        ASSERT_EQ(pictures.size(), 1u);
        const model::Rect& r = pictures[0].rect;
        EXPECT_NEAR(r.xPt, kLeft + c.lineStart + advance(before), 0.5) << int(c.alignment);
        // Taller than the text: the line's room above the baseline is the picture's.
        EXPECT_NEAR(r.yPt, kTop, 0.01);
        EXPECT_DOUBLE_EQ(r.widthPt, 60.0);
        EXPECT_DOUBLE_EQ(r.heightPt, 40.0);
    }
}

TEST(LayoutInlinePicture, LineGrowsToHoldThePicture) {
    const FlowParagraph plain = flowParagraph(paragraph("Text only"), kWidth);
    const FlowParagraph tall = flowParagraph(withPicture("Text ", " more"), kWidth);
    const FlowParagraph small = flowParagraph(withPicture("Text ", " more", 6.0, 4.0), kWidth);
    const MeasuredLine& line = plain.measured->lines.at(0);
    ASSERT_GT(line.descentPt, 1.0);
    EXPECT_NEAR(tall.measured->lines.at(0).heightPt, 40.0 + line.descentPt, 0.01);
    EXPECT_NEAR(small.measured->lines.at(0).heightPt, line.heightPt, 0.01) << "a small picture leaves the line as it is";
}

TEST(LayoutInlinePicture, TextLeavesThePicturesWidth) {
    const auto pub = layOut(document({section({withPicture("Text before ", " and after.", 75.5, 20.0)})}));
    const auto frames = textFramesOf(pub.pages.at(0));
    ASSERT_EQ(frames.size(), 1u);
    ASSERT_EQ(frames[0].paragraphs.size(), 1u);
    const auto& runs = frames[0].paragraphs[0].runs;
    ASSERT_GE(runs.size(), 3u);
    // The runs between the texts: no-break spaces as wide as the picture.
    double room = 0.0;
    for (std::size_t i = 1; i + 1 < runs.size(); ++i) {
        EXPECT_FALSE(runs[i].text.empty());
        EXPECT_EQ(withoutNoBreakSpaces(runs[i].text), "");
        EXPECT_LE(runs[i].props.sizePt, 11.0) << "the room does not raise the line's text";
        room += advance(runs[i].text, runs[i].props);
    }
    EXPECT_NEAR(room, 75.5, 0.15);
    EXPECT_EQ(withoutNoBreakSpaces(frames[0].paragraphs[0].plainText()), "Text before  and after.");
}

TEST(LayoutInlinePicture, TallerLineInsideAParagraphKeepsItsHeight) {
    auto p = withPicture(numberedWords(40) + " ", " " + numberedWords(40, 40));
    const FlowParagraph flow = flowParagraph(p, kWidth);
    ASSERT_EQ(flow.measured->pictures.size(), 1u);
    const std::size_t k = flow.measured->pictures[0].line;
    ASSERT_GE(k, 1u);
    ASSERT_GT(flow.lineCount(), k + 1);
    const double usual = flow.measured->lines[0].heightPt;
    const double tall = flow.measured->lines[k].heightPt;
    ASSERT_GT(tall, usual + 20.0);

    const auto pub = layOut(document({section({p})}));
    const auto pictures = pictureFramesOf(pub.pages.at(0));
    ASSERT_EQ(pictures.size(), 1u);
    EXPECT_NEAR(pictures[0].rect.yPt, kTop + usual * static_cast<double>(k), 0.01);
    const auto frames = textFramesOf(pub.pages.at(0));
    ASSERT_EQ(frames.size(), 1u);
    // The picture's line begins a written paragraph; its space before makes up its height.
    ASSERT_EQ(frames[0].paragraphs.size(), 2u);
    const auto& second = frames[0].paragraphs[1];
    EXPECT_NEAR(second.props.spaceBeforePt, tall - usual, 0.01);
    EXPECT_EQ(second.props.lineSpacing.rule, model::LineSpacing::Rule::Exact);
    EXPECT_NEAR(second.props.lineSpacing.value, usual, 0.01);
    EXPECT_EQ(difference(withoutNoBreakSpaces(flowText(pub)), withoutNoBreakSpaces(flowText(document({section({p})})))), "");
}

} // namespace
} // namespace fq::layout
