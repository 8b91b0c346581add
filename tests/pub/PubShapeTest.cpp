// Drawn shapes written by the .pub writer and read back through pub2raw:
// each preset kind with its geometry, fill and line; custom outlines;
// arrowheads, dashes, rotation and flips; text boxes with border, fill,
// inner margins and vertical alignment; outlines that hold text (their
// text there once); and the records as Publisher writes them (pubdump).
#include "PubTestSupport.h"

#include <gtest/gtest.h>

#include <regex>
#include <sstream>

using namespace fq;
using namespace fq::pubtest;

namespace {

// One drawing call of pub2raw's output with the style set before it.
struct RawDrawing {
    std::string call;          // drawPath, drawEllipse, drawPolygon, drawRectangle, drawPolyline
    std::string style;         // the last setStyle line before the call
    std::string line;          // the call's own line
};

std::vector<RawDrawing> drawings(const std::string& output) {
    std::vector<RawDrawing> out;
    std::istringstream in(output);
    std::string line, style;
    while (std::getline(in, line)) {
        line.erase(0, line.find_first_not_of(' '));
        if (line.rfind("setStyle", 0) == 0) style = line;
        for (const char* call : {"drawPath", "drawEllipse", "drawPolygon", "drawRectangle", "drawPolyline"})
            if (line.rfind(call, 0) == 0) out.push_back({call, style, line});
    }
    return out;
}

model::DrawingFrame outline(model::PresetShape preset) {
    model::DrawingFrame d;
    d.geometry.preset = preset;
    d.fill.kind = model::ShapeFill::Kind::Solid;
    d.fill.color = {0x33, 0x66, 0xCC};
    d.line.visible = true;
    d.line.color = {0xCC, 0x00, 0x00};
    d.line.widthPt = 2.0;
    return d;
}

model::Shape shape(model::Rect r, model::DrawingFrame d) { return model::Shape{r, std::move(d)}; }

class PubShape : public ::testing::Test {
protected:
    PubFixture fx;
};



// The bounding box of every svg:x / svg:y in a drawing call, in inches.
struct Box {
    double left = 1e9, top = 1e9, right = -1e9, bottom = -1e9;
};

Box box(const std::string& line) {
    Box b;
    static const std::regex xy(R"(svg:(x|y)\d?: (-?[0-9.]+)in)");
    for (auto it = std::sregex_iterator(line.begin(), line.end(), xy); it != std::sregex_iterator(); ++it) {
        const double v = std::stod((*it)[2]);
        if ((*it)[1] == "x") {
            b.left = std::min(b.left, v);
            b.right = std::max(b.right, v);
        } else {
            b.top = std::min(b.top, v);
            b.bottom = std::max(b.bottom, v);
        }
    }
    return b;
}

bool contains(const std::string& s, const std::string& what) { return s.find(what) != std::string::npos; }

// Each preset comes back drawn over its rectangle with its fill and its line.
TEST_F(PubShape, PresetsKeepGeometryFillAndLine) {
    using P = model::PresetShape;
    struct Case {
        P preset;
        const char* call;      // how pub2raw draws the outline
        int points;            // the points it passes (end points of lines, arcs and curves)
        const char* action;    // a path action the outline needs, if any
    };
    const Case cases[] = {{P::Rectangle, "drawPolygon", 5, ""}, {P::RoundRectangle, "drawPath", 8, "C"},
                          {P::Ellipse, "drawPath", 3, "A"},     {P::Triangle, "drawPath", 3, "L"},
                          {P::Star5, "drawPolygon", 11, ""},    {P::RightArrow, "drawPath", 7, "L"},
                          {P::Heart, "drawPath", 37, "C"},      {P::Can, "drawPath", 12, "C"}};
    model::Publication pub;
    std::vector<model::Shape> shapes;
    for (std::size_t i = 0; i < std::size(cases); ++i)
        shapes.push_back(shape({72.0, 36.0 + 90.0 * i, 144, 72}, outline(cases[i].preset)));
    pub.pages.push_back(page(std::move(shapes)));
    const auto raw = fx.roundTrip(pub);
    ASSERT_TRUE(raw.started);
    const auto all = drawings(raw.output);
    ASSERT_EQ(all.size(), 2 * std::size(cases));   // each: its fill, then its line
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(static_cast<int>(cases[i].preset));
        const double top = (36.0 + 90.0 * i) / 72.0;
        for (const auto& d : {all[2 * i], all[2 * i + 1]}) {
            EXPECT_EQ(d.call, cases[i].call);
            // The line repeats the first point to close each part of the outline.
            std::size_t points = 0;
            for (std::size_t at = 0; (at = d.line.find("svg:x:", at)) != std::string::npos; ++at) ++points;
            EXPECT_LE(static_cast<std::size_t>(cases[i].points), points);
            EXPECT_LE(points, static_cast<std::size_t>(cases[i].points) + 2);
            const Box b = box(d.line);
            EXPECT_NEAR(b.left, 1.0, 0.05);
            EXPECT_NEAR(b.right, 3.0, 0.05);
            EXPECT_GT(b.top, top - 0.05);
            EXPECT_LT(b.bottom, top + 1.05);
            if (*cases[i].action) EXPECT_TRUE(contains(d.line, std::string("path-action: ") + cases[i].action));
        }
        EXPECT_TRUE(contains(all[2 * i].style, "draw:fill: solid") && contains(all[2 * i].style, "#3366cc"));
        EXPECT_TRUE(contains(all[2 * i + 1].style, "svg:stroke-color: #cc0000"));
        EXPECT_TRUE(contains(all[2 * i + 1].style, "svg:stroke-width: 0.0278in"));
    }
}

// Lines: Publisher's line chunk, no fill, dashes; the arrowheads are in the
// file as Publisher writes them (libmspub does not draw them).
TEST_F(PubShape, LinesKeepDashAndArrowheads) {
    auto line = outline(model::PresetShape::Line);
    line.fill.kind = model::ShapeFill::Kind::None;
    line.line.dash = model::LineDash::Dash;
    line.line.start.head = model::ArrowHead::Oval;
    line.line.end = {model::ArrowHead::Triangle, 2, 0};
    model::Publication pub;
    pub.pages.push_back(page({shape({72, 144, 288, 72}, line)}));
    const auto raw = fx.roundTrip(pub);
    const auto all = drawings(raw.output);
    ASSERT_FALSE(all.empty());
    for (const auto& d : all) EXPECT_FALSE(contains(d.style, "draw:fill: solid"));
    EXPECT_TRUE(contains(all.back().style, "draw:stroke: dash"));
    const Box b = box(all.back().line);
    EXPECT_NEAR(b.left, 1.0, 0.01);
    EXPECT_NEAR(b.bottom, 3.0, 0.01);
    const std::string contents = fx.dump(fx.path("out.pub"), "contents");
    EXPECT_TRUE(contains(contents, "alt-shape (0x20)"));
    const std::string escher = fx.dump(fx.path("out.pub"), "escher");
    EXPECT_TRUE(contains(escher, "type 20 line"));
    EXPECT_TRUE(contains(escher, "0x01D0 lineStartArrowhead = 4"));
    EXPECT_TRUE(contains(escher, "0x01D1 lineEndArrowhead = 1"));
    EXPECT_TRUE(contains(escher, "0x01D4 = 2"));
}

// Custom outlines, rotation, flips, gradients and picture fills.
TEST_F(PubShape, CustomOutlinesTurnsAndFills) {
    using P = model::PresetShape;
    auto custom = outline(P::Custom);
    custom.geometry.pathWidth = 100;
    custom.geometry.pathHeight = 50;
    using Op = model::PathCommand::Op;
    model::ShapePath path;
    path.commands = {{Op::MoveTo, {0, 0, 0}, {50, 0, 0}},
                     {Op::CubicTo, {30, 70, 100}, {0, 0, 50}},
                     {Op::Close, {}, {}}};
    custom.geometry.paths.push_back(path);
    auto turned = outline(P::Rectangle);
    turned.rotationDeg = 90;
    auto flipped = outline(P::RightTriangle);
    flipped.flipH = true;
    auto gradient = outline(P::Rectangle);
    gradient.fill.kind = model::ShapeFill::Kind::Gradient;
    gradient.fill.color = {255, 0, 0};
    gradient.fill.color2 = {0, 0, 255};
    auto pictured = outline(P::Ellipse);
    pictured.fill.kind = model::ShapeFill::Kind::Picture;
    pictured.fill.pictureFormat = model::ImageFormat::Png;
    pictured.fill.picture = image(8, 8, "PNG");
    model::Publication pub;
    pub.pages.push_back(page({shape({72, 72, 144, 72}, custom), shape({72, 216, 144, 72}, turned),
                              shape({72, 360, 144, 72}, flipped), shape({72, 504, 144, 72}, gradient),
                              shape({72, 648, 144, 72}, pictured)}));
    const auto raw = fx.roundTrip(pub);
    const auto all = drawings(raw.output);
    auto at = [&](double topPt) {
        std::vector<RawDrawing> out;
        for (const auto& d : all)
            if (box(d.line).top < (topPt + 72) / 72.0 && box(d.line).bottom > topPt / 72.0) out.push_back(d);
        return out;
    };
    // The outline's curve and its end points.
    const auto c = at(72);
    ASSERT_FALSE(c.empty());
    EXPECT_TRUE(contains(c.front().line, "path-action: C"));
    EXPECT_NEAR(box(c.front().line).left, 1.0, 0.01);
    EXPECT_NEAR(box(c.front().line).right, 3.0, 0.01);
    // A quarter turn stands the 2 x 1 in rectangle up about its centre.
    const auto t = at(216);
    ASSERT_FALSE(t.empty());
    EXPECT_NEAR(box(t.front().line).right - box(t.front().line).left, 1.0, 0.02);
    EXPECT_NEAR(box(t.front().line).bottom - box(t.front().line).top, 2.0, 0.02);
    // Flipped: the right angle stands on the left.
    const auto f = at(360);
    ASSERT_FALSE(f.empty());
    EXPECT_TRUE(contains(f.front().line, "svg:x: 3.0000in, svg:y: 5.0000in"));
    EXPECT_FALSE(contains(f.front().line, "svg:x: 1.0000in, svg:y: 5.0000in"));
    const auto g = at(504);
    ASSERT_FALSE(g.empty());
    EXPECT_TRUE(contains(g.front().style, "draw:fill: gradient")) << g.front().style << g.front().line;
    EXPECT_TRUE(contains(g.front().style, "#ff0000") && contains(g.front().style, "#0000ff"));
    // From the top down: the reader turns its gradient half a turn.
    EXPECT_TRUE(contains(g.front().style, "draw:angle: -180")) << g.front().style;
    ASSERT_EQ(raw.pages.size(), 1u);
    ASSERT_EQ(raw.pages[0].pictures.size(), 1u);
    EXPECT_GT(raw.pages[0].pictures[0].y, 8.98);
    EXPECT_LT(raw.pages[0].pictures[0].y, 10.0);
    const std::string escher = fx.dump(fx.path("out.pub"), "escher");
    EXPECT_TRUE(contains(escher, "type 0 not-primitive"));
    EXPECT_TRUE(contains(escher, "flip-h"));
    EXPECT_TRUE(contains(escher, "0x0004 rotation = 5898240"));
}

// A text box keeps its fill, border, inner margins and vertical alignment;
// an outline holding text shows that text once, over the outline.
TEST_F(PubShape, TextBoxesAndTextInShapes) {
    auto framed = outline(model::PresetShape::Rectangle);
    framed.textBox = true;
    framed.fill.color = {255, 255, 204};
    framed.paragraphs = {paragraph({run("Boxed words")})};
    framed.textAlignment = model::VerticalAlignment::Bottom;
    framed.insets = {14.4, 7.2, 14.4, 7.2};
    auto held = outline(model::PresetShape::Ellipse);
    held.paragraphs = {paragraph({run("Words in an ellipse")})};
    model::Publication pub;
    pub.pages.push_back(page({shape({72, 72, 216, 72}, framed), shape({72, 288, 216, 108}, held)}));
    const auto raw = fx.roundTrip(pub);
    ASSERT_EQ(raw.pages.size(), 1u);
    const auto& objects = raw.pages[0].textObjects;
    ASSERT_EQ(objects.size(), 2u);
    EXPECT_EQ(objects[0].text(), "Boxed words");
    EXPECT_EQ(objects[0].props.at("draw:textarea-vertical-align"), "bottom");
    EXPECT_EQ(test::rawNumber(objects[0].props, "fo:padding-left"), 0.2);
    EXPECT_EQ(test::rawNumber(objects[0].props, "fo:padding-top"), 0.1);
    EXPECT_EQ(objects[1].text(), "Words in an ellipse");
    std::size_t mentions = 0;
    for (std::size_t at = 0; (at = raw.output.find("Words in an ellipse", at)) != std::string::npos; ++at) ++mentions;
    EXPECT_EQ(mentions, 1u);
    const auto all = drawings(raw.output);
    bool filledBox = false, ellipse = false;
    for (const auto& d : all) {
        filledBox |= contains(d.style, "#ffffcc") && contains(d.style, "draw:fill: solid");
        ellipse |= contains(d.line, "path-action: A") && std::abs(box(d.line).left - 1.0) < 0.01;
    }
    EXPECT_TRUE(filledBox);
    EXPECT_TRUE(ellipse);
    EXPECT_TRUE(contains(fx.dump(fx.path("out.pub"), "contents"), "35/t20 vertical align = 2"));
}

} // namespace
