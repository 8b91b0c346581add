// Drawn shapes of .docx documents: DrawingML shapes with their geometry,
// fill, line, transform, text and anchoring; theme references; custom
// outlines; groups; VML shapes, WordArt and their placement; shapes in
// headers.
#include "DocxFixture.h"
#include "DocxTestUtil.h"

#include "publishing/docx/DocxReader.h"

#include <QImage>

#include <gtest/gtest.h>

using namespace fq;
using namespace fq::docx::test;

namespace {

const char* section =
    "<w:sectPr><w:pgSz w:w=\"12240\" w:h=\"15840\"/><w:pgMar w:top=\"1440\" w:right=\"1440\" w:bottom=\"1440\" "
    "w:left=\"1440\" w:header=\"720\" w:footer=\"720\"/></w:sectPr>";

// A floating DrawingML drawing at (x, y) EMU from the page holding graphic.
std::string anchored(const std::string& graphic, long cx, long cy, const std::string& extra = "<wp:wrapNone/>",
                     const std::string& attrs = "behindDoc=\"0\" relativeHeight=\"5\"") {
    return "<w:r><w:drawing><wp:anchor " + attrs + " distL=\"114300\"><wp:simplePos x=\"0\" y=\"0\"/>"
           "<wp:positionH relativeFrom=\"page\"><wp:posOffset>1270000</wp:posOffset></wp:positionH>"
           "<wp:positionV relativeFrom=\"page\"><wp:posOffset>2540000</wp:posOffset></wp:positionV>"
           "<wp:extent cx=\"" + std::to_string(cx) + "\" cy=\"" + std::to_string(cy) + "\"/>" + extra +
           "<wp:docPr id=\"3\" name=\"Shape\"/><a:graphic><a:graphicData>" + graphic +
           "</a:graphicData></a:graphic></wp:anchor></w:drawing></w:r>";
}

std::string r(const std::string& inner) { return "<w:r>" + inner + "</w:r>"; }
std::string t(const std::string& text) { return "<w:t xml:space=\"preserve\">" + text + "</w:t>"; }

std::vector<model::DrawingShape> shapes(const std::vector<model::Block>& blocks) {
    std::vector<model::DrawingShape> out;
    for (const auto& b : blocks)
        if (const auto* s = std::get_if<model::DrawingShape>(&b)) out.push_back(*s);
    return out;
}

std::string textOf(const model::DrawingShape& s) {
    std::string out;
    for (const auto& b : s.text)
        if (const auto* p = std::get_if<model::Paragraph>(&b)) out += p->plainText();
    return out;
}

} // namespace

TEST(DocxShape, DrawingMlShapeKeepsGeometryLookTextAndAnchor) {
    DocxFixture f;
    const std::string wsp =
        "<wps:wsp><wps:cNvSpPr txBox=\"1\"/><wps:spPr><a:xfrm rot=\"1800000\" flipH=\"1\"><a:off x=\"0\" y=\"0\"/>"
        "<a:ext cx=\"2540000\" cy=\"1270000\"/></a:xfrm><a:prstGeom prst=\"roundRect\"><a:avLst>"
        "<a:gd name=\"adj\" fmla=\"val 50000\"/></a:avLst></a:prstGeom><a:solidFill><a:srgbClr val=\"FFCC00\">"
        "<a:alpha val=\"50000\"/></a:srgbClr></a:solidFill><a:ln w=\"25400\"><a:solidFill><a:srgbClr val=\"0000FF\"/>"
        "</a:solidFill><a:prstDash val=\"dash\"/><a:tailEnd type=\"triangle\" w=\"lg\"/></a:ln></wps:spPr>"
        "<wps:txbx><w:txbxContent>" + p("boxed") + "</w:txbxContent></wps:txbx>"
        "<wps:bodyPr lIns=\"0\" tIns=\"25400\" rIns=\"0\" bIns=\"0\" anchor=\"ctr\"/></wps:wsp>";
    f.body("<w:p>" + r(t("before")) + anchored(wsp, 2540000, 1270000, "<wp:wrapSquare wrapText=\"bothSides\"/>") +
           "</w:p>" + section);
    const auto doc = docx::readDocx(f.write());
    const auto& blocks = doc.sections.at(0).blocks;
    EXPECT_EQ(texts(doc), (std::vector<std::string>{"before"}));
    const auto s = shapes(blocks);
    ASSERT_EQ(s.size(), 1u);
    EXPECT_EQ(s[0].geometry.preset, model::PresetShape::RoundRectangle);
    EXPECT_EQ(s[0].geometry.adjust, (std::vector<int>{10800}));
    EXPECT_EQ(s[0].fill.kind, model::ShapeFill::Kind::Solid);
    EXPECT_EQ(s[0].fill.color, (model::Color{0xFF, 0xCC, 0x00}));
    EXPECT_DOUBLE_EQ(s[0].fill.opacity, 0.5);
    EXPECT_TRUE(s[0].line.visible);
    EXPECT_EQ(s[0].line.color, (model::Color{0, 0, 255}));
    EXPECT_DOUBLE_EQ(s[0].line.widthPt, 2.0);
    EXPECT_EQ(s[0].line.dash, model::LineDash::Dash);
    EXPECT_EQ(s[0].line.end.head, model::ArrowHead::Triangle);
    EXPECT_EQ(s[0].line.end.width, 2);
    EXPECT_DOUBLE_EQ(s[0].rotationDeg, 30.0);
    EXPECT_TRUE(s[0].flipH);
    EXPECT_DOUBLE_EQ(s[0].widthPt, 200.0);
    EXPECT_DOUBLE_EQ(s[0].heightPt, 100.0);
    EXPECT_TRUE(s[0].textBox);
    EXPECT_EQ(textOf(s[0]), "boxed");
    EXPECT_DOUBLE_EQ(s[0].insets.leftPt, 0.0);
    EXPECT_DOUBLE_EQ(s[0].insets.topPt, 2.0);
    EXPECT_EQ(s[0].textAlignment, model::VerticalAlignment::Center);
    ASSERT_TRUE(s[0].anchor);
    EXPECT_DOUBLE_EQ(s[0].anchor->xPt, 100.0);
    EXPECT_DOUBLE_EQ(s[0].anchor->yPt, 200.0);
    EXPECT_EQ(s[0].anchor->wrap, model::TextWrap::Square);
    EXPECT_DOUBLE_EQ(s[0].anchor->wrapLeftPt, 9.0);
    EXPECT_EQ(s[0].anchor->zOrder, 5);
    EXPECT_FALSE(s[0].anchor->behindText);
}

TEST(DocxShape, ThemeReferencesCustomOutlinesGroupsAndPercentPositions) {
    DocxFixture f;
    const std::string styled =
        "<wps:wsp><wps:spPr><a:prstGeom prst=\"ellipse\"/></wps:spPr><wps:style><a:lnRef idx=\"2\">"
        "<a:schemeClr val=\"accent1\"><a:shade val=\"50000\"/></a:schemeClr></a:lnRef><a:fillRef idx=\"1\">"
        "<a:schemeClr val=\"accent2\"/></a:fillRef><a:fontRef idx=\"minor\"><a:schemeClr val=\"lt1\"/></a:fontRef>"
        "</wps:style><wps:bodyPr/></wps:wsp>";
    const std::string custom =
        "<wps:wsp><wps:spPr><a:custGeom><a:pathLst><a:path w=\"100\" h=\"50\"><a:moveTo><a:pt x=\"0\" y=\"50\"/>"
        "</a:moveTo><a:cubicBezTo><a:pt x=\"30\" y=\"0\"/><a:pt x=\"70\" y=\"0\"/><a:pt x=\"100\" y=\"50\"/>"
        "</a:cubicBezTo><a:lnTo><a:pt x=\"0\" y=\"50\"/></a:lnTo><a:close/></a:path></a:pathLst></a:custGeom>"
        "<a:noFill/><a:ln><a:solidFill><a:prstClr val=\"black\"/></a:solidFill></a:ln></wps:spPr><wps:bodyPr/></wps:wsp>";
    const std::string group =
        "<wpg:wgp><wpg:grpSpPr><a:xfrm><a:off x=\"0\" y=\"0\"/><a:ext cx=\"2540000\" cy=\"1270000\"/>"
        "<a:chOff x=\"0\" y=\"0\"/><a:chExt cx=\"200\" cy=\"100\"/></a:xfrm></wpg:grpSpPr>"
        "<wps:wsp><wps:spPr><a:xfrm><a:off x=\"0\" y=\"0\"/><a:ext cx=\"100\" cy=\"100\"/></a:xfrm>"
        "<a:prstGeom prst=\"rect\"/></wps:spPr><wps:bodyPr/></wps:wsp>"
        "<wps:wsp><wps:spPr><a:xfrm><a:off x=\"100\" y=\"50\"/><a:ext cx=\"100\" cy=\"50\"/></a:xfrm>"
        "<a:prstGeom prst=\"triangle\"/></wps:spPr><wps:bodyPr/></wps:wsp></wpg:wgp>";
    const std::string percent =
        "<w:r><w:drawing><wp:anchor behindDoc=\"1\" relativeHeight=\"1\"><wp:simplePos x=\"0\" y=\"0\"/>"
        "<mc:AlternateContent><mc:Choice Requires=\"wp14\"><wp:positionH relativeFrom=\"page\">"
        "<wp14:pctPosHOffset>50000</wp14:pctPosHOffset></wp:positionH></mc:Choice><mc:Fallback>"
        "<wp:positionH relativeFrom=\"page\"><wp:posOffset>0</wp:posOffset></wp:positionH></mc:Fallback>"
        "</mc:AlternateContent><wp:positionV relativeFrom=\"paragraph\"><wp:posOffset>127000</wp:posOffset>"
        "</wp:positionV><wp:extent cx=\"127000\" cy=\"127000\"/><wp:wrapTopAndBottom/><wp:docPr id=\"9\" name=\"p\"/>"
        "<a:graphic><a:graphicData><wps:wsp><wps:spPr><a:prstGeom prst=\"star5\"/></wps:spPr><wps:bodyPr/></wps:wsp>"
        "</a:graphicData></a:graphic><wp14:sizeRelH relativeFrom=\"margin\"><wp14:pctWidth>50000</wp14:pctWidth>"
        "</wp14:sizeRelH></wp:anchor></w:drawing></w:r>";
    f.body("<w:p>" + anchored(styled, 127000, 127000) + anchored(custom, 1270000, 635000) +
           anchored(group, 2540000, 1270000) + percent + "</w:p>" + section);
    const auto s = shapes(docx::readDocx(f.write()).sections.at(0).blocks);
    ASSERT_EQ(s.size(), 5u);
    // Office's default theme: accent2 filled, accent1 at half its brightness, the second line width.
    EXPECT_EQ(s[0].geometry.preset, model::PresetShape::Ellipse);
    EXPECT_EQ(s[0].fill.color, (model::Color{0xC0, 0x50, 0x4D}));
    EXPECT_EQ(s[0].line.color, (model::Color{0x28, 0x41, 0x5F}));
    EXPECT_DOUBLE_EQ(s[0].line.widthPt, 2.0);
    EXPECT_EQ(s[1].geometry.preset, model::PresetShape::Custom);
    ASSERT_EQ(s[1].geometry.paths.size(), 1u);
    const auto& commands = s[1].geometry.paths[0].commands;
    ASSERT_EQ(commands.size(), 4u);
    EXPECT_EQ(commands[1].op, model::PathCommand::Op::CubicTo);
    EXPECT_DOUBLE_EQ(commands[1].x[2], s[1].geometry.pathWidth);
    EXPECT_EQ(commands[3].op, model::PathCommand::Op::Close);
    EXPECT_EQ(s[1].fill.kind, model::ShapeFill::Kind::None);
    EXPECT_TRUE(s[1].line.visible);
    // The group's members, placed in the group's space stretched over its extent.
    EXPECT_EQ(s[2].geometry.preset, model::PresetShape::Rectangle);
    EXPECT_EQ(s[3].geometry.preset, model::PresetShape::Triangle);
    EXPECT_DOUBLE_EQ(s[2].widthPt, 100.0);
    EXPECT_DOUBLE_EQ(s[3].heightPt, 50.0);
    EXPECT_DOUBLE_EQ(s[3].anchor->xPt - s[2].anchor->xPt, 100.0);
    EXPECT_DOUBLE_EQ(s[3].anchor->yPt - s[2].anchor->yPt, 50.0);
    // Half the page across, half the text width wide, 10 pt below its paragraph's top.
    EXPECT_DOUBLE_EQ(s[4].anchor->xPt, 306.0);
    EXPECT_DOUBLE_EQ(s[4].widthPt, 234.0);
    EXPECT_TRUE(s[4].anchor->yFromParagraph);
    EXPECT_DOUBLE_EQ(s[4].anchor->yPt, 10.0);
    EXPECT_EQ(s[4].anchor->wrap, model::TextWrap::TopAndBottom);
    EXPECT_TRUE(s[4].anchor->behindText);
}

TEST(DocxShape, VmlShapesWordArtAndHeaders) {
    DocxFixture f;
    f.header("header1.xml",
             "<w:p><w:r><w:pict><v:shape type=\"#_x0000_t136\" style=\"position:absolute;margin-left:0;"
             "margin-top:0;width:400pt;height:100pt;rotation:315;z-index:-1;mso-position-horizontal:center;"
             "mso-position-horizontal-relative:margin;mso-position-vertical:center;mso-position-vertical-relative:margin\""
             " fillcolor=\"silver\" stroked=\"f\"><v:textpath string=\"DRAFT\"/></v:shape></w:pict></w:r></w:p>");
    f.body("<w:p>" + r(t("text")) +
           "<w:r><w:pict><v:rect style=\"position:absolute;margin-left:36pt;margin-top:18pt;width:72pt;height:36pt;"
           "z-index:2;mso-position-horizontal-relative:page;mso-position-vertical-relative:page\" fillcolor=\"#f00\" "
           "strokecolor=\"blue\" strokeweight=\"2pt\"><v:stroke dashstyle=\"dash\"/><w10:wrap type=\"square\"/>"
           "</v:rect></w:pict></w:r>"
           "<w:r><w:pict><v:oval style=\"width:50pt;height:50pt\" filled=\"f\"><v:textbox inset=\"0,0,0,0\">"
           "<w:txbxContent>" + p("oval text") + "</w:txbxContent></v:textbox></v:oval></w:pict></w:r>"
           "<w:r><w:pict><v:line from=\"10pt,20pt\" to=\"110pt,20pt\" style=\"position:absolute;"
           "mso-position-horizontal-relative:page;mso-position-vertical-relative:page\"><v:stroke endarrow=\"block\"/>"
           "</v:line></w:pict></w:r>"
           "<w:r><w:pict><v:shape style=\"width:20pt;height:20pt\" coordsize=\"100,100\" path=\"m0,0l100,0,50,100xe\" "
           "fillcolor=\"green\"/></w:pict></w:r></w:p>" +
           "<w:p/><w:sectPr><w:headerReference w:type=\"default\" r:id=\"rIdheader1.xml\"/></w:sectPr>");
    const auto doc = docx::readDocx(f.write());
    const auto& sec = doc.sections.at(0);
    const auto s = shapes(sec.blocks);
    ASSERT_EQ(s.size(), 4u);
    // Floating shapes stand before their paragraph, inline ones in the flow.
    EXPECT_EQ(s[2].geometry.preset, model::PresetShape::Ellipse);
    EXPECT_FALSE(s[2].anchor);
    EXPECT_EQ(s[2].fill.kind, model::ShapeFill::Kind::None);
    EXPECT_EQ(textOf(s[2]), "oval text");
    EXPECT_DOUBLE_EQ(s[2].insets.leftPt, 0.0);
    EXPECT_EQ(s[3].geometry.preset, model::PresetShape::Custom);
    ASSERT_EQ(s[3].geometry.paths.size(), 1u);
    EXPECT_EQ(s[3].geometry.paths[0].commands.size(), 4u);
    EXPECT_EQ(s[3].fill.color, (model::Color{0, 128, 0}));
    EXPECT_EQ(s[0].geometry.preset, model::PresetShape::Rectangle);
    EXPECT_EQ(s[0].fill.color, (model::Color{255, 0, 0}));
    EXPECT_EQ(s[0].line.color, (model::Color{0, 0, 255}));
    EXPECT_DOUBLE_EQ(s[0].line.widthPt, 2.0);
    EXPECT_EQ(s[0].line.dash, model::LineDash::Dash);
    ASSERT_TRUE(s[0].anchor);
    EXPECT_DOUBLE_EQ(s[0].anchor->xPt, 36.0);
    EXPECT_DOUBLE_EQ(s[0].anchor->yPt, 18.0);
    EXPECT_EQ(s[0].anchor->wrap, model::TextWrap::Square);
    EXPECT_EQ(s[1].geometry.preset, model::PresetShape::Line);
    EXPECT_DOUBLE_EQ(s[1].widthPt, 100.0);
    ASSERT_TRUE(s[1].anchor);
    EXPECT_DOUBLE_EQ(s[1].anchor->xPt, 10.0);
    EXPECT_EQ(s[1].line.end.head, model::ArrowHead::Triangle);
    // The watermark: WordArt as large text in its fill colour, centred on the margins, behind the text.
    const auto h = shapes(sec.header);
    ASSERT_EQ(h.size(), 1u);
    EXPECT_EQ(textOf(h[0]), "DRAFT");
    EXPECT_TRUE(h[0].textBox);
    EXPECT_DOUBLE_EQ(h[0].rotationDeg, 315.0);
    const auto& run = std::get<model::Paragraph>(h[0].text.at(0)).runs.at(0);
    EXPECT_EQ(run.props.color, (model::Color{0xC0, 0xC0, 0xC0}));
    EXPECT_GT(run.props.sizePt, 60.0);
    ASSERT_TRUE(h[0].anchor);
    EXPECT_DOUBLE_EQ(h[0].anchor->xPt, 72.0 + (468.0 - 400.0) / 2);
    EXPECT_TRUE(h[0].anchor->behindText);
}

TEST(DocxShape, ParagraphBordersShadingHighlightAndPageBorders) {
    DocxFixture f;
    f.styles("<w:style w:type=\"paragraph\" w:styleId=\"Boxed\"><w:pPr><w:pBdr><w:top w:val=\"single\" w:sz=\"8\" "
             "w:space=\"1\" w:color=\"FF0000\"/><w:bottom w:val=\"double\" w:sz=\"4\"/></w:pBdr></w:pPr></w:style>");
    f.body("<w:p><w:pPr><w:pStyle w:val=\"Boxed\"/><w:pBdr><w:left w:val=\"dotted\" w:sz=\"12\"/></w:pBdr>"
           "<w:shd w:val=\"clear\" w:color=\"auto\" w:fill=\"D9D9D9\"/></w:pPr>"
           "<w:r><w:rPr><w:highlight w:val=\"yellow\"/></w:rPr><w:t>marked</w:t></w:r>"
           "<w:r><w:rPr><w:shd w:val=\"clear\" w:fill=\"00FF00\"/></w:rPr><w:t>shaded</w:t></w:r></w:p>"
           "<w:sectPr><w:pgBorders w:offsetFrom=\"page\" w:display=\"notFirstPage\"><w:top w:val=\"single\" "
           "w:sz=\"24\" w:space=\"24\" w:color=\"0000FF\"/><w:left w:val=\"single\" w:sz=\"24\" w:space=\"24\"/>"
           "</w:pgBorders></w:sectPr>");
    const auto doc = docx::readDocx(f.write());
    const auto& para = std::get<model::Paragraph>(doc.sections.at(0).blocks.at(0));
    const auto& b = para.props.borders;
    // The style's sides and the paragraph's own, side by side.
    EXPECT_EQ(b.top.style, model::BorderStyle::Single);
    EXPECT_DOUBLE_EQ(b.top.widthPt, 1.0);
    EXPECT_DOUBLE_EQ(b.top.spacePt, 1.0);
    EXPECT_EQ(b.top.color, (model::Color{255, 0, 0}));
    EXPECT_EQ(b.bottom.style, model::BorderStyle::Double);
    EXPECT_EQ(b.left.style, model::BorderStyle::Dotted);
    EXPECT_DOUBLE_EQ(b.left.widthPt, 1.5);
    EXPECT_FALSE(b.right.visible());
    EXPECT_EQ(para.props.shading, (model::Color{0xD9, 0xD9, 0xD9}));
    ASSERT_EQ(para.runs.size(), 2u);
    EXPECT_EQ(para.runs[0].props.highlight, (model::Color{255, 255, 0}));
    EXPECT_EQ(para.runs[1].props.highlight, (model::Color{0, 255, 0}));
    const auto& pb = doc.sections.at(0).pageBorders;
    EXPECT_TRUE(pb.any());
    EXPECT_FALSE(pb.fromText);
    EXPECT_EQ(pb.pages, model::PageBorders::Pages::AllButFirst);
    EXPECT_DOUBLE_EQ(pb.top.widthPt, 3.0);
    EXPECT_DOUBLE_EQ(pb.top.spacePt, 24.0);
    EXPECT_EQ(pb.top.color, (model::Color{0, 0, 255}));
    EXPECT_FALSE(pb.bottom.visible());
}

namespace {

std::string chartPart(const std::string& plot, const std::string& extra) {
    auto series = [](const std::string& name, const std::string& fill, const std::string& values) {
        return "<c:ser><c:tx><c:strRef><c:strCache><c:pt idx=\"0\"><c:v>" + name +
               "</c:v></c:pt></c:strCache></c:strRef></c:tx>" + fill +
               "<c:cat><c:strRef><c:strCache><c:ptCount val=\"3\"/><c:pt idx=\"0\"><c:v>A</c:v></c:pt>"
               "<c:pt idx=\"1\"><c:v>B</c:v></c:pt><c:pt idx=\"2\"><c:v>C</c:v></c:pt></c:strCache></c:strRef></c:cat>"
               "<c:val><c:numRef><c:numCache><c:ptCount val=\"3\"/>" + values + "</c:numCache></c:numRef></c:val></c:ser>";
    };
    return "<c:chartSpace xmlns:c=\"http://schemas.openxmlformats.org/drawingml/2006/chart\" "
           "xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\"><c:chart><c:title><c:tx><c:rich><a:p>"
           "<a:r><a:t>Sales</a:t></a:r></a:p></c:rich></c:tx></c:title><c:plotArea><c:" + plot + ">" + extra +
           series("North", "<c:spPr><a:solidFill><a:srgbClr val=\"FF0000\"/></a:solidFill></c:spPr>",
                  "<c:pt idx=\"0\"><c:v>3</c:v></c:pt><c:pt idx=\"1\"><c:v>5</c:v></c:pt><c:pt idx=\"2\"><c:v>4</c:v></c:pt>") +
           series("South", "", "<c:pt idx=\"0\"><c:v>1</c:v></c:pt><c:pt idx=\"2\"><c:v>2</c:v></c:pt>") +
           "</c:" + plot + "></c:plotArea><c:legend><c:legendPos val=\"b\"/></c:legend></c:chart></c:chartSpace>";
}

std::string inlineChart(const std::string& relId) {
    return "<w:r><w:drawing><wp:inline><wp:extent cx=\"3810000\" cy=\"2540000\"/><wp:docPr id=\"5\" name=\"Chart\"/>"
           "<a:graphic><a:graphicData uri=\"http://schemas.openxmlformats.org/drawingml/2006/chart\"><c:chart "
           "xmlns:c=\"http://schemas.openxmlformats.org/drawingml/2006/chart\" r:id=\"" + relId + "\"/></a:graphicData>"
           "</a:graphic></wp:inline></w:drawing></w:r>";
}

} // namespace

TEST(DocxShape, ChartsAreDrawnFromTheirValuesOrFramedWithTheirKind) {
    const std::string chartType = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/chart";
    DocxFixture f;
    f.related("rIdC1", chartType, "charts/chart1.xml", chartPart("barChart", "<c:barDir val=\"col\"/><c:grouping val=\"clustered\"/>"));
    f.related("rIdC2", chartType, "charts/chart2.xml", chartPart("radarChart", ""));
    f.body("<w:p>" + inlineChart("rIdC1") + "</w:p><w:p>" + inlineChart("rIdC2") + "</w:p>" + section);
    const auto doc = docx::readDocx(f.write());
    const auto& blocks = doc.sections.at(0).blocks;
    const model::Picture* picture = nullptr;
    for (const auto& b : blocks)
        if (const auto* p = std::get_if<model::Picture>(&b)) picture = p;
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->format, model::ImageFormat::Png);
    EXPECT_DOUBLE_EQ(picture->widthPt, 300.0);
    EXPECT_DOUBLE_EQ(picture->heightPt, 200.0);
    EXPECT_EQ(picture->description, "Chart: Sales");
    QImage image;
    ASSERT_TRUE(image.loadFromData(picture->data.data(), static_cast<int>(picture->data.size()), "PNG"));
    EXPECT_NEAR(image.width(), 300 * 150 / 72, 1);
    // The series' own colour and the theme's second accent for the other.
    int red = 0, accent = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            red += c == QColor(255, 0, 0);
            accent += c == QColor(0xC0, 0x50, 0x4D);
        }
    EXPECT_GT(red, 500);
    EXPECT_GT(accent, 100);
    const auto s = shapes(blocks);
    ASSERT_EQ(s.size(), 1u);
    EXPECT_EQ(textOf(s[0]), "[chart: radar \u2013 Sales]");
    EXPECT_TRUE(s[0].line.visible);
    EXPECT_DOUBLE_EQ(s[0].widthPt, 300.0);
}

TEST(DocxShape, SmartArtIsDrawnFromItsStoredDrawing) {
    const std::string rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
    DocxFixture f;
    f.related("rIdDm", rel + "diagramData", "diagrams/data1.xml",
              "<dgm:dataModel xmlns:dgm=\"http://schemas.openxmlformats.org/drawingml/2006/diagram\" "
              "xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\"><dgm:ptLst><dgm:pt modelId=\"1\">"
              "<dgm:t><a:p><a:r><a:t>First</a:t></a:r></a:p></dgm:t></dgm:pt></dgm:ptLst><dgm:extLst><a:ext uri=\"x\">"
              "<dsp:dataModelExt xmlns:dsp=\"http://schemas.microsoft.com/office/drawing/2008/diagram\" relId=\"rIdDd\"/>"
              "</a:ext></dgm:extLst></dgm:dataModel>");
    f.related("rIdDd", "http://schemas.microsoft.com/office/2007/relationships/diagramDrawing", "diagrams/drawing1.xml",
              "<dsp:drawing xmlns:dsp=\"http://schemas.microsoft.com/office/drawing/2008/diagram\" "
              "xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\"><dsp:spTree>"
              "<dsp:sp><dsp:spPr><a:xfrm><a:off x=\"0\" y=\"0\"/><a:ext cx=\"1270000\" cy=\"635000\"/></a:xfrm>"
              "<a:prstGeom prst=\"roundRect\"/><a:solidFill><a:srgbClr val=\"4472C4\"/></a:solidFill></dsp:spPr>"
              "<dsp:txBody><a:bodyPr anchor=\"ctr\"/><a:p><a:pPr algn=\"ctr\"/><a:r><a:rPr sz=\"2400\"/><a:t>First</a:t>"
              "</a:r></a:p></dsp:txBody></dsp:sp>"
              "<dsp:sp><dsp:spPr><a:xfrm><a:off x=\"1905000\" y=\"0\"/><a:ext cx=\"635000\" cy=\"635000\"/></a:xfrm>"
              "<a:prstGeom prst=\"rightArrow\"/></dsp:spPr><dsp:txBody><a:p/></dsp:txBody></dsp:sp>"
              "</dsp:spTree></dsp:drawing>");
    f.body("<w:p><w:r><w:drawing><wp:inline><wp:extent cx=\"2540000\" cy=\"635000\"/><wp:docPr id=\"6\" name=\"D\"/>"
           "<a:graphic><a:graphicData><dgm:relIds xmlns:dgm=\"http://schemas.openxmlformats.org/drawingml/2006/diagram\" "
           "r:dm=\"rIdDm\" r:lo=\"x\" r:qs=\"x\" r:cs=\"x\"/></a:graphicData></a:graphic></wp:inline></w:drawing></w:r></w:p>" +
           std::string(section));
    const auto doc = docx::readDocx(f.write());
    const auto& blocks = doc.sections.at(0).blocks;
    // The diagram's shapes, then the room they stand over in the flow; its text in them once.
    ASSERT_EQ(blocks.size(), 3u);
    const auto& room = std::get<model::Paragraph>(blocks[2]);
    EXPECT_EQ(room.props.lineSpacing.rule, model::LineSpacing::Rule::Exact);
    EXPECT_DOUBLE_EQ(room.props.lineSpacing.value, 50.0);
    const auto s = shapes(blocks);
    ASSERT_EQ(s.size(), 2u);
    EXPECT_EQ(s[0].geometry.preset, model::PresetShape::RoundRectangle);
    EXPECT_EQ(textOf(s[0]), "First");
    EXPECT_EQ(s[0].fill.color, (model::Color{0x44, 0x72, 0xC4}));
    EXPECT_EQ(s[0].textAlignment, model::VerticalAlignment::Center);
    EXPECT_EQ(s[1].geometry.preset, model::PresetShape::RightArrow);
    ASSERT_TRUE(s[0].anchor && s[1].anchor);
    EXPECT_TRUE(s[0].anchor->yFromParagraph);
    EXPECT_DOUBLE_EQ(s[1].anchor->xPt - s[0].anchor->xPt, 150.0);
    EXPECT_EQ(texts(doc), (std::vector<std::string>{""}));
}
