// Drawn shapes and floating objects on laid-out pages: where anchors put
// them, how the body text makes room (beside or below), their order around
// the text, headers' drawings and page borders on every page, and boxes
// behind bordered and shaded paragraphs.
#include "publishing/layout/Layout.h"

#include "LayoutHelpers.h"

#include <gtest/gtest.h>
#include "tests/support/PageView.h"

namespace fq::layout {
namespace {

using namespace test;

struct Placed {
    model::Rect rect;
    const model::DrawingFrame* drawing = nullptr;
    std::size_t index = 0;     // position among the page's shapes, back to front
};

std::vector<Placed> drawingsOf(const model::Page& page) {
    std::vector<Placed> out;
    for (std::size_t i = 0; i < page.shapes.size(); ++i)
        if (const auto* d = std::get_if<model::DrawingFrame>(&page.shapes[i].content))
            out.push_back({page.shapes[i].rect, d, i});
    return out;
}

std::size_t firstBodyFrame(const model::Page& page) {
    for (std::size_t i = 0; i < page.shapes.size(); ++i)
        if (const auto* t = std::get_if<model::TextFrame>(&page.shapes[i].content); t && t->role == model::FrameRole::Body)
            return i;
    return page.shapes.size();
}

model::DrawingShape box(double w, double h, std::optional<model::FloatingAnchor> anchor = std::nullopt) {
    model::DrawingShape s;
    s.geometry.preset = model::PresetShape::Rectangle;
    s.widthPt = w;
    s.heightPt = h;
    s.anchor = anchor;
    return s;
}

model::FloatingAnchor at(double x, double y, model::TextWrap wrap = model::TextWrap::None, bool behind = true) {
    model::FloatingAnchor a;
    a.xPt = x;
    a.yPt = y;
    a.wrap = wrap;
    a.behindText = behind;
    a.wrapLeftPt = a.wrapRightPt = 0;
    return a;
}

std::vector<model::Block> words(int paragraphs, int each) {
    std::vector<model::Block> out;
    for (int i = 0; i < paragraphs; ++i) out.push_back(paragraph(numberedWords(each, i * each)));
    return out;
}

TEST(LayoutDrawing, AnchorsPlaceShapesOnThePageOrBelowTheirParagraph) {
    auto onPage = box(100, 50, at(300, 400));
    auto withParagraph = at(50, 20);
    withParagraph.yFromParagraph = true;
    auto moving = box(80, 40, withParagraph);
    moving.text = {paragraph("inside")};
    auto second = paragraph("second");
    second.props.spaceBeforePt = 6.0;
    // A floating object stands before the paragraph that anchors it; the
    // last one, with no paragraph after it, belongs to the one before.
    const auto pub = layOut(document({section({paragraph("first"), onPage, moving, second, moving})}));
    ASSERT_EQ(pub.pages.size(), 1u);
    const auto d = drawingsOf(pub.pages[0]);
    ASSERT_EQ(d.size(), 3u);
    EXPECT_EQ(d[0].rect, (model::Rect{300, 400, 100, 50}));
    // Below the top of "second", where its space before ends.
    EXPECT_NEAR(d[1].rect.yPt, 72.0 + 13.43 + 6.0 + 20.0, 0.1);
    EXPECT_NEAR(d[2].rect.yPt, d[1].rect.yPt, 0.01);
    EXPECT_DOUBLE_EQ(d[1].rect.xPt, 50.0);
    ASSERT_EQ(d[1].drawing->paragraphs.size(), 1u);
    EXPECT_EQ(d[1].drawing->paragraphs[0].runs[0].text, "inside");
    // The text inside a shape is not in the flow.
    EXPECT_EQ(flowText(pub).find("inside"), std::string::npos);
}

TEST(LayoutDrawing, TextWrapsBesideOrBelowFloatingShapes) {
    struct Case {
        model::TextWrap wrap;
        double x;              // where the shape stands
        bool beside;           // the following text is set beside it
    };
    const Case cases[] = {{model::TextWrap::Square, 72, true}, {model::TextWrap::Tight, 440, true},
                          {model::TextWrap::TopAndBottom, 72, false}, {model::TextWrap::Square, 200, true},
                          {model::TextWrap::None, 72, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.wrap));
        std::vector<model::Block> blocks{paragraph("anchor"), box(100, 100, at(c.x, 100, c.wrap))};
        for (auto& b : words(6, 40)) blocks.push_back(std::move(b));
        const auto doc = document({section(blocks)});
        const auto pub = layOut(doc);
        EXPECT_EQ(difference(flowText(pub), flowText(doc)), "");
        const auto frames = bodyFrames(pub.pages[0], doc.sections[0].page);
        const model::Rect shapeRect{c.x, 100, 100, 100};
        bool besideSeen = false;
        for (const auto& f : frames) {
            const bool level = f.rect.yPt < 200 - 0.01 && f.rect.yPt + f.rect.heightPt > 100 + 0.01;
            const bool across = f.rect.xPt < shapeRect.xPt + shapeRect.widthPt && shapeRect.xPt < f.rect.xPt + f.rect.widthPt;
            if (c.wrap == model::TextWrap::None) continue;
            // No frame that starts level with the shape runs across it.
            if (f.rect.yPt >= 100 && f.rect.yPt < 200) EXPECT_FALSE(across) << f.rect.xPt << " " << f.rect.widthPt;
            besideSeen |= level && !across;
        }
        EXPECT_EQ(besideSeen, c.beside);
        if (c.wrap == model::TextWrap::None) EXPECT_EQ(frames.size(), 1u);
    }
}

TEST(LayoutDrawing, FloatingObjectsStandBehindOrInFrontOfTheText) {
    auto behind = box(50, 50, at(100, 100, model::TextWrap::None, true));
    behind.anchor->zOrder = 5;
    auto front = box(50, 50, at(200, 100, model::TextWrap::None, false));
    front.anchor->zOrder = 2;
    auto frontHigher = box(50, 50, at(300, 100, model::TextWrap::None, false));
    frontHigher.anchor->zOrder = 9;
    auto behindLower = box(50, 50, at(400, 100, model::TextWrap::None, true));
    behindLower.anchor->zOrder = 1;
    const auto pub = layOut(
        document({section({paragraph("text"), frontHigher, behind, front, behindLower, paragraph("more")})}));
    const auto& page = pub.pages[0];
    const auto d = drawingsOf(page);
    ASSERT_EQ(d.size(), 4u);
    const std::size_t text = firstBodyFrame(page);
    // Behind the text, lower z-order first, whatever order they came in.
    EXPECT_LT(d[1].index, text);
    EXPECT_EQ(d[0].rect.xPt, 400);
    EXPECT_EQ(d[1].rect.xPt, 100);
    EXPECT_GT(d[2].index, text);
    EXPECT_EQ(d[2].rect.xPt, 200);
    EXPECT_EQ(d[3].rect.xPt, 300);
    EXPECT_EQ(d[2].drawing->wrap, model::TextWrap::None);
}

TEST(LayoutDrawing, HeaderDrawingsAndPageBordersOnEveryPage) {
    model::Picture logo;
    logo.format = model::ImageFormat::Png;
    logo.data = {1, 2, 3};
    logo.widthPt = 100;
    logo.heightPt = 40;
    logo.alignment = model::Alignment::Right;
    auto watermark = box(300, 100, at(150, 300));
    watermark.geometry.preset = model::PresetShape::TextPlain;
    watermark.text = {paragraph("DRAFT")};
    auto sec = section(words(40, 60));
    sec.header = {logo, paragraph("Header text"), watermark};
    model::Border line;
    line.style = model::BorderStyle::Single;
    line.widthPt = 1.5;
    line.spacePt = 24;
    sec.pageBorders.top = sec.pageBorders.bottom = sec.pageBorders.left = sec.pageBorders.right = line;
    sec.pageBorders.pages = model::PageBorders::Pages::AllButFirst;
    const auto pub = layOut(document({sec}));
    ASSERT_GE(pub.pages.size(), 2u);
    for (std::size_t p = 0; p < pub.pages.size(); ++p) {
        SCOPED_TRACE(p);
        const auto& page = pub.pages[p];
        const auto pics = pictureFramesOf(page);
        ASSERT_EQ(pics.size(), 1u);
        EXPECT_NEAR(pics[0].rect.xPt + pics[0].rect.widthPt, 540.0, 0.01);   // right-aligned in the header
        EXPECT_NEAR(pics[0].rect.yPt, 36.0, 0.01);
        const auto header = textFramesOf(page)[0];
        ASSERT_EQ(header.role, model::FrameRole::Header);
        // The header text stands below the logo.
        EXPECT_GE(header.rect.yPt, pics[0].rect.yPt + pics[0].rect.heightPt - 0.01);
        const auto d = drawingsOf(page);
        ASSERT_EQ(d.size(), p == 0 ? 1u : 2u);
        EXPECT_LT(d.back().index, firstBodyFrame(page));
        EXPECT_EQ(d.back().drawing->paragraphs[0].runs[0].text, "DRAFT");
        if (p > 0) {
            EXPECT_EQ(d[0].rect, (model::Rect{24, 24, 612 - 48, 792 - 48}));
            EXPECT_TRUE(d[0].drawing->line.visible);
            EXPECT_EQ(d[0].drawing->fill.kind, model::ShapeFill::Kind::None);
        }
    }
}

TEST(LayoutDrawing, BorderedAndShadedParagraphsShareOneBoxBehindTheText) {
    model::ParaProps boxed;
    model::Border b;
    b.style = model::BorderStyle::Single;
    b.widthPt = 1.0;
    b.spacePt = 1.0;
    boxed.borders.top = boxed.borders.bottom = boxed.borders.left = boxed.borders.right = b;
    boxed.shading = model::Color{230, 230, 230};
    auto p1 = paragraph("one"), p2 = paragraph("two"), p3 = paragraph("three");
    p1.props = p2.props = boxed;
    const auto pub = layOut(document({section({p1, p2, p3})}));
    const auto& page = pub.pages[0];
    const auto d = drawingsOf(page);
    ASSERT_EQ(d.size(), 1u);
    EXPECT_LT(d[0].index, firstBodyFrame(page));
    EXPECT_EQ(d[0].drawing->fill.kind, model::ShapeFill::Kind::Solid);
    EXPECT_TRUE(d[0].drawing->line.visible);
    EXPECT_NEAR(d[0].rect.yPt, 72.0 - 1.5, 0.01);
    EXPECT_NEAR(d[0].rect.heightPt, 2 * 13.43 + 3.0, 0.1);   // two lines of Calibri 11 and the room at both ends
    EXPECT_NEAR(d[0].rect.xPt, 72.0 - 1.5, 0.01);
}

} // namespace
} // namespace fq::layout

namespace fq::layout {
namespace {

TEST(LayoutDrawing, TheBodyMakesRoomForAHeadersWrappedDrawings) {
    auto sec = test::section(words(12, 40));
    // A sidebar down the left of every page, anchored in the header.
    sec.header = {box(150, 600, at(72, 100, model::TextWrap::Square, false))};
    const auto doc = test::document({sec});
    const auto pub = layOut(doc);
    ASSERT_GE(pub.pages.size(), 2u);
    for (const auto& page : pub.pages) {
        bool beside = false;
        for (const auto& f : test::bodyFrames(page, doc.sections[0].page))
            if (f.rect.yPt + f.rect.heightPt > 100.5 && f.rect.yPt < 699.5) {
                EXPECT_GE(f.rect.xPt, 222.0 - 0.01);
                beside = true;
            }
        EXPECT_TRUE(beside);
    }
}

// Shapes in a table's cell: an inline one keeps its room in the cell and
// stands over it with its text; a floating one that moves with its
// paragraph is measured from the cell's top.
TEST(LayoutDrawing, ShapesInTableCellsReachThePage) {
    auto inlineBox = box(60, 30);
    inlineBox.text = {paragraph("inside")};
    auto withParagraph = at(50, 10);
    withParagraph.yFromParagraph = true;
    model::TableCell c;
    c.blocks = {box(20, 20, withParagraph), inlineBox, paragraph("caption")};
    model::TableRow r;
    r.cells = {c};
    model::Table t;
    t.gridPt = {200};
    t.rows = {r};
    const auto pub = layOut(document({section({paragraph("above"), t})}));
    ASSERT_EQ(pub.pages.size(), 1u);
    const auto tables = tableFramesOf(pub.pages[0]);
    ASSERT_EQ(tables.size(), 1u);
    const double top = tables[0].rect.yPt;
    EXPECT_GE(tables[0].table.rowHeightsPt.at(0), 30.0);
    const auto d = drawingsOf(pub.pages[0]);
    ASSERT_EQ(d.size(), 2u);
    const auto& floating = d[0].rect.widthPt == 20 ? d[0] : d[1];
    const auto& inCell = d[0].rect.widthPt == 20 ? d[1] : d[0];
    EXPECT_DOUBLE_EQ(floating.rect.xPt, 50.0);
    EXPECT_NEAR(floating.rect.yPt, top + 10.0, 0.01);
    EXPECT_NEAR(inCell.rect.yPt, top, 0.01);
    EXPECT_NEAR(inCell.rect.xPt, tables[0].rect.xPt + 5.4, 0.01);
    ASSERT_EQ(inCell.drawing->paragraphs.size(), 1u);
    EXPECT_EQ(inCell.drawing->paragraphs[0].plainText(), "inside");
}

} // namespace
} // namespace fq::layout
