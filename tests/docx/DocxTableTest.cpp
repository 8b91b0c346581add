// Tables: every w:tbl arrives as a model table with its grid, spans and
// merges, row properties, borders, shading, margins and position, the table
// style (with its conditional first row and banding) underneath direct
// formatting, nested tables inside their cells and tables in headers.
#include "DocxFixture.h"
#include "DocxTestUtil.h"

#include "publishing/docx/DocxReader.h"

#include <gtest/gtest.h>

using namespace fq;
using namespace fq::docx::test;

namespace {

std::string cell(const std::string& content, const std::string& tcPr = "") {
    return "<w:tc><w:tcPr>" + tcPr + "</w:tcPr>" + content + "</w:tc>";
}

std::string text(const std::vector<model::Block>& blocks) {
    std::string s;
    for (const auto& b : blocks)
        if (const auto* para = std::get_if<model::Paragraph>(&b)) {
            if (!s.empty()) s += '|';
            s += para->plainText();
        }
    return s;
}

const model::Table& tableIn(const std::vector<model::Block>& blocks, std::size_t n = 0) {
    for (const auto& b : blocks)
        if (const auto* t = std::get_if<model::Table>(&b))
            if (n-- == 0) return *t;
    throw std::runtime_error("no such table");
}

model::Document read(DocxFixture& f) { return docx::readDocx(f.write()); }

} // namespace

TEST(DocxTable, GridSpansMergesRowsAndANestedTable) {
    DocxFixture f;
    const std::string nested = "<w:tbl><w:tblGrid><w:gridCol w:w=\"400\"/><w:gridCol w:w=\"400\"/></w:tblGrid><w:tr>" +
                               cell(p("n1")) + cell(p("n2")) + "</w:tr></w:tbl>";
    f.body(p("before") +
           "<w:tbl><w:tblGrid><w:gridCol w:w=\"2000\"/><w:gridCol w:w=\"3000\"/><w:gridCol w:w=\"1000\"/></w:tblGrid>"
           "<w:tr><w:trPr><w:tblHeader/><w:trHeight w:val=\"400\" w:hRule=\"exact\"/>"
           "<w:tblCellSpacing w:w=\"20\" w:type=\"dxa\"/></w:trPr>" +
           cell(p("a"), "<w:vMerge w:val=\"restart\"/>") + cell(p("b"), "<w:gridSpan w:val=\"2\"/><w:tcW w:w=\"4000\" w:type=\"dxa\"/>") +
           "</w:tr><w:tr><w:trPr><w:cantSplit/><w:trHeight w:val=\"300\"/></w:trPr>" +
           cell(p("moved up"), "<w:vMerge/>") + cell(p("c")) + cell(nested + p("after nested")) +
           "</w:tr><w:tr><w:trPr><w:gridBefore w:val=\"1\"/><w:gridAfter w:val=\"1\"/></w:trPr>" + cell(p("d")) +
           "</w:tr><w:tr>" + cell(p("short row")) + "</w:tr></w:tbl>" + p("after"));
    const auto doc = read(f);
    const auto& blocks = doc.sections.at(0).blocks;
    ASSERT_EQ(blocks.size(), 3u);
    const auto& t = std::get<model::Table>(blocks[1]);
    EXPECT_EQ(t.gridPt, (std::vector<double>{100.0, 150.0, 50.0}));
    ASSERT_EQ(t.rows.size(), 4u);
    EXPECT_DOUBLE_EQ(t.cellSpacingPt, 1.0) << "the rows' spacing when the table has none";

    const auto& r0 = t.rows[0];
    EXPECT_TRUE(r0.header);
    EXPECT_EQ(r0.heightRule, model::RowHeightRule::Exact);
    EXPECT_DOUBLE_EQ(r0.heightPt, 20.0);
    ASSERT_EQ(r0.cells.size(), 2u);
    EXPECT_EQ(r0.cells[0].verticalMerge, model::VerticalMerge::Restart);
    EXPECT_EQ(r0.cells[0].rowSpan, 2);
    EXPECT_EQ(text(r0.cells[0].blocks), "a|moved up") << "a merged cell's text is kept in the first cell";
    EXPECT_EQ(r0.cells[1].gridSpan, 2);
    EXPECT_EQ(r0.cells[1].widthPt, 200.0);

    const auto& r1 = t.rows[1];
    EXPECT_TRUE(r1.cantSplit);
    EXPECT_EQ(r1.heightRule, model::RowHeightRule::AtLeast);
    ASSERT_EQ(r1.cells.size(), 3u);
    EXPECT_EQ(r1.cells[0].verticalMerge, model::VerticalMerge::Continue);
    EXPECT_TRUE(r1.cells[0].blocks.empty());
    const auto& inner = tableIn(r1.cells[2].blocks);
    EXPECT_EQ(inner.gridPt, (std::vector<double>{20.0, 20.0}));
    EXPECT_EQ(text(inner.rows.at(0).cells.at(1).blocks), "n2");
    EXPECT_EQ(text(r1.cells[2].blocks), "after nested");

    const auto& r2 = t.rows[2];
    EXPECT_EQ(r2.gridBefore, 1);
    EXPECT_EQ(r2.gridAfter, 1);
    ASSERT_EQ(r2.cells.size(), 1u);
    EXPECT_EQ(r2.cells[0].verticalMerge, model::VerticalMerge::None);
    EXPECT_EQ(t.rows[3].gridAfter, 2) << "a row with fewer cells leaves the rest of the grid empty";
}

TEST(DocxTable, BordersAndShadingOfCells) {
    struct Case {
        const char* border;
        model::BorderStyle style;
        double width;
        std::optional<model::Color> color;
        const char* shd;
        std::optional<model::Color> fill;
    };
    const std::vector<Case> cases = {
        {"w:val=\"single\" w:sz=\"4\" w:color=\"auto\"", model::BorderStyle::Single, 0.5, std::nullopt,
         "w:val=\"clear\" w:color=\"auto\" w:fill=\"FFFF00\"", model::Color{255, 255, 0}},
        {"w:val=\"double\" w:sz=\"12\" w:color=\"FF0000\"", model::BorderStyle::Double, 1.5, model::Color{255, 0, 0},
         "w:val=\"solid\" w:color=\"0000FF\" w:fill=\"auto\"", model::Color{0, 0, 255}},
        {"w:val=\"dotted\" w:sz=\"8\"", model::BorderStyle::Dotted, 1.0, std::nullopt,
         "w:val=\"pct25\" w:color=\"000000\" w:fill=\"FFFFFF\"", model::Color{191, 191, 191}},
        {"w:val=\"thinThickSmallGap\" w:sz=\"24\"", model::BorderStyle::Double, 3.0, std::nullopt,
         "w:val=\"clear\" w:fill=\"auto\"", std::nullopt},
        {"w:val=\"nil\"", model::BorderStyle::None, 0.5, std::nullopt, "w:val=\"nil\"", std::nullopt},
    };
    std::string row;
    for (const auto& c : cases)
        row += cell(p("x"), std::string("<w:tcBorders><w:top ") + c.border + "/></w:tcBorders><w:shd " + c.shd + "/>");
    DocxFixture f;
    f.body("<w:tbl><w:tblPr><w:tblBorders><w:top w:val=\"single\" w:sz=\"16\"/><w:insideV w:val=\"dashed\" w:sz=\"2\"/>"
           "</w:tblBorders><w:shd w:val=\"clear\" w:fill=\"00FF00\"/></w:tblPr><w:tr>" + row + "</w:tr></w:tbl>");
    const auto doc = read(f);
    const auto& t = tableIn(doc.sections.at(0).blocks);
    EXPECT_EQ(t.borders.top.style, model::BorderStyle::Single);
    EXPECT_DOUBLE_EQ(t.borders.top.widthPt, 2.0);
    EXPECT_EQ(t.borders.insideV.style, model::BorderStyle::Dashed);
    EXPECT_DOUBLE_EQ(t.borders.insideV.widthPt, 0.25);
    EXPECT_FALSE(t.borders.bottom.visible());
    EXPECT_EQ(t.shading, (model::Color{0, 255, 0}));
    ASSERT_EQ(t.rows.at(0).cells.size(), cases.size());
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const auto& c = t.rows[0].cells[i];
        ASSERT_TRUE(c.borders.top.has_value()) << i;
        EXPECT_EQ(c.borders.top->style, cases[i].style) << i;
        if (cases[i].style != model::BorderStyle::None) {
            EXPECT_DOUBLE_EQ(c.borders.top->widthPt, cases[i].width) << i;
        }
        EXPECT_EQ(c.borders.top->color, cases[i].color) << i;
        EXPECT_FALSE(c.borders.left.has_value()) << "unset sides follow the table";
        EXPECT_EQ(c.shading, cases[i].fill) << i;
    }
}

TEST(DocxTable, PositionMarginsAndAlignment) {
    struct Case {
        const char* settings;   // the compatibility mode, if any
        const char* tblPr;
        model::Alignment alignment;
        double indent;
    };
    const std::vector<Case> cases = {
        // Before Word 2013 the indent is measured to the text: the cell edge sits a cell margin further left.
        {nullptr, "<w:tblInd w:w=\"720\" w:type=\"dxa\"/>", model::Alignment::Left, 36.0 - 5.4},
        {"15", "<w:tblInd w:w=\"720\" w:type=\"dxa\"/>", model::Alignment::Left, 36.0},
        {"14", "<w:tblInd w:w=\"0\" w:type=\"dxa\"/><w:tblCellMar><w:left w:w=\"200\" w:type=\"dxa\"/></w:tblCellMar>",
         model::Alignment::Left, -10.0},
        {"15", "<w:jc w:val=\"center\"/>", model::Alignment::Center, 0.0},
        {"15", "<w:jc w:val=\"end\"/>", model::Alignment::Right, 0.0},
    };
    for (const auto& c : cases) {
        DocxFixture f;
        if (c.settings)
            f.settings(std::string("<w:compat><w:compatSetting w:name=\"compatibilityMode\" "
                                   "w:uri=\"http://schemas.microsoft.com/office/word\" w:val=\"") +
                       c.settings + "\"/></w:compat>");
        f.body(std::string("<w:tbl><w:tblPr>") + c.tblPr +
               "</w:tblPr><w:tblGrid><w:gridCol w:w=\"2000\"/></w:tblGrid><w:tr>" +
               cell(p("m"), "<w:tcMar><w:top w:w=\"40\" w:type=\"dxa\"/></w:tcMar><w:vAlign w:val=\"center\"/>") +
               "</w:tr></w:tbl>");
        const auto doc = read(f);
        const auto& t = tableIn(doc.sections.at(0).blocks);
        EXPECT_EQ(t.alignment, c.alignment) << c.tblPr;
        EXPECT_NEAR(t.indentPt, c.indent, 1e-9) << c.tblPr;
        const auto& m = t.rows.at(0).cells.at(0);
        EXPECT_EQ(m.verticalAlignment, model::VerticalAlignment::Center);
        ASSERT_TRUE(m.margins.has_value());
        EXPECT_DOUBLE_EQ(m.margins->topPt, 2.0);
        EXPECT_DOUBLE_EQ(m.margins->leftPt, t.cellMargins.leftPt) << "sides the cell does not set come from the table";
    }
}

TEST(DocxTable, TableStyleWithConditionalFirstRowAndBanding) {
    DocxFixture f;
    f.styles("<w:style w:type=\"table\" w:styleId=\"Base\"><w:tblPr><w:tblBorders><w:insideH w:val=\"single\" "
             "w:sz=\"4\"/></w:tblBorders><w:tblCellMar><w:left w:w=\"72\" w:type=\"dxa\"/></w:tblCellMar></w:tblPr>"
             "</w:style>"
             "<w:style w:type=\"table\" w:styleId=\"Fancy\"><w:basedOn w:val=\"Base\"/><w:rPr><w:i/></w:rPr>"
             "<w:tblStylePr w:type=\"firstRow\"><w:pPr><w:jc w:val=\"center\"/></w:pPr><w:rPr><w:b/></w:rPr>"
             "<w:tcPr><w:shd w:val=\"clear\" w:fill=\"4472C4\"/><w:tcBorders><w:bottom w:val=\"double\" w:sz=\"6\"/>"
             "<w:insideV w:val=\"single\" w:sz=\"8\"/></w:tcBorders></w:tcPr></w:tblStylePr>"
             "<w:tblStylePr w:type=\"band1Horz\"><w:tcPr><w:shd w:val=\"clear\" w:fill=\"D9E2F3\"/></w:tcPr>"
             "</w:tblStylePr></w:style>");
    std::string rows;
    for (int r = 0; r < 4; ++r) {
        const std::string n = std::to_string(r);
        rows += "<w:tr>" + cell(p("r" + n + "a"), r == 1 ? "<w:shd w:val=\"clear\" w:fill=\"FF0000\"/>" : "") +
                cell(p("r" + n + "b")) + "</w:tr>";
    }
    f.body("<w:tbl><w:tblPr><w:tblStyle w:val=\"Fancy\"/><w:tblLook w:firstRow=\"1\" w:lastRow=\"0\" "
           "w:firstColumn=\"0\" w:lastColumn=\"0\" w:noHBand=\"0\" w:noVBand=\"1\"/></w:tblPr>"
           "<w:tblGrid><w:gridCol w:w=\"2000\"/><w:gridCol w:w=\"2000\"/></w:tblGrid>" + rows + "</w:tbl>");
    const auto doc = read(f);
    const auto& t = tableIn(doc.sections.at(0).blocks);
    EXPECT_EQ(t.borders.insideH.style, model::BorderStyle::Single) << "borders of the base style";
    EXPECT_DOUBLE_EQ(t.cellMargins.leftPt, 3.6);
    EXPECT_DOUBLE_EQ(t.indentPt, -3.6);
    ASSERT_EQ(t.rows.size(), 4u);
    const auto& head = t.rows[0].cells;
    EXPECT_EQ(head[0].shading, (model::Color{0x44, 0x72, 0xC4}));
    ASSERT_TRUE(head[0].borders.bottom.has_value());
    EXPECT_EQ(head[0].borders.bottom->style, model::BorderStyle::Double);
    ASSERT_TRUE(head[0].borders.right.has_value()) << "the region's inside line between its cells";
    EXPECT_EQ(head[0].borders.right->style, model::BorderStyle::Single);
    EXPECT_FALSE(head[0].borders.left.has_value()) << "the region's outer edge has no line of its own";
    const auto& first = std::get<model::Paragraph>(head[1].blocks.at(0));
    EXPECT_EQ(first.props.alignment, model::Alignment::Center);
    EXPECT_TRUE(first.runs.at(0).props.bold);
    EXPECT_TRUE(first.runs.at(0).props.italic);
    EXPECT_EQ(t.rows[1].cells[0].shading, (model::Color{255, 0, 0})) << "direct shading wins over the style";
    EXPECT_EQ(t.rows[1].cells[1].shading, (model::Color{0xD9, 0xE2, 0xF3})) << "first band after the header";
    EXPECT_FALSE(t.rows[2].cells[1].shading.has_value()) << "second band";
    EXPECT_EQ(t.rows[3].cells[1].shading, (model::Color{0xD9, 0xE2, 0xF3}));
    const auto& body = std::get<model::Paragraph>(t.rows[2].cells[0].blocks.at(0));
    EXPECT_FALSE(body.runs.at(0).props.bold);
    EXPECT_TRUE(body.runs.at(0).props.italic);
    EXPECT_EQ(body.props.alignment, model::Alignment::Left);
}

TEST(DocxTable, HeaderTablesAndLegacyHorizontalMerges) {
    DocxFixture f;
    f.header("header1.xml", "<w:tbl><w:tblGrid><w:gridCol w:w=\"1000\"/><w:gridCol w:w=\"1000\"/></w:tblGrid><w:tr>" +
                                cell(p("left")) + cell(p("right")) + "</w:tr></w:tbl>" + p(""));
    f.body("<w:tbl><w:tblGrid><w:gridCol w:w=\"1000\"/><w:gridCol w:w=\"1000\"/><w:gridCol w:w=\"1000\"/></w:tblGrid><w:tr>" +
           cell(p("one"), "<w:hMerge w:val=\"restart\"/>") + cell(p("two"), "<w:hMerge/>") + cell(p("three")) +
           "</w:tr></w:tbl><w:sectPr><w:headerReference w:type=\"default\" r:id=\"rIdheader1.xml\"/></w:sectPr>");
    const auto doc = read(f);
    const auto& header = tableIn(doc.sections.at(0).header);
    EXPECT_EQ(text(header.rows.at(0).cells.at(1).blocks), "right");
    const auto& t = tableIn(doc.sections.at(0).blocks);
    ASSERT_EQ(t.rows.at(0).cells.size(), 2u);
    EXPECT_EQ(t.rows[0].cells[0].gridSpan, 2);
    EXPECT_EQ(text(t.rows[0].cells[0].blocks), "one|two");
}
