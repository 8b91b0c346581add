// Tables of .doc files: a fixture LibreOffice writes from a Word table with
// merges both ways, a header row, row heights, borders, shading, a nested
// table and a table in the header; and the table sprms one by one.
#include "DocFixtureSet.h"

#include "publishing/doc/Sprm.h"
#include "publishing/doc/Tables.h"
#include "publishing/doc/Word6Sprms.h"

#include <gtest/gtest.h>

#include <functional>

using namespace fq;
using namespace fq::doc;
using namespace fq::doc::test;

namespace {

std::string cellText(const model::TableCell& c) {
    std::string s;
    for (const auto& b : c.blocks)
        if (const auto* p = std::get_if<model::Paragraph>(&b)) {
            if (!s.empty()) s += '|';
            s += p->plainText();
        }
    return s;
}

// The line drawn above a cell: its own, else the table's.
model::Border lineAbove(const model::Table& t, std::size_t row, std::size_t cell) {
    const auto& own = t.rows.at(row).cells.at(cell).borders.top;
    return own ? *own : row == 0 ? t.borders.top : t.borders.insideH;
}
model::Border lineBelow(const model::Table& t, std::size_t row, std::size_t cell) {
    const auto& own = t.rows.at(row).cells.at(cell).borders.bottom;
    return own ? *own : row + 1 == t.rows.size() ? t.borders.bottom : t.borders.insideH;
}

} // namespace

TEST(DocTable, FixtureTableKeepsItsStructureAndFormatting) {
    const model::Document d = readFixture("tables");
    ASSERT_FALSE(d.sections.empty());
    const auto& blocks = d.sections[0].blocks;
    ASSERT_EQ(blocks.size(), 3u);
    EXPECT_EQ(std::get<model::Paragraph>(blocks[0]).plainText(), "Before the tables");
    EXPECT_EQ(std::get<model::Paragraph>(blocks[2]).plainText(), "After the tables");
    const auto& t = std::get<model::Table>(blocks[1]);

    ASSERT_EQ(t.gridPt.size(), 3u);
    EXPECT_NEAR(t.gridPt[0], 75.0, 1.0);
    EXPECT_NEAR(t.gridPt[1], 125.0, 1.0);
    EXPECT_NEAR(t.gridPt[2], 100.0, 1.0);
    ASSERT_EQ(t.rows.size(), 3u);

    const auto& head = t.rows[0];
    EXPECT_TRUE(head.header);
    EXPECT_EQ(head.heightRule, model::RowHeightRule::Exact);
    EXPECT_NEAR(head.heightPt, 30.0, 0.1);
    ASSERT_EQ(head.cells.size(), 2u);
    EXPECT_EQ(cellText(head.cells[0]), "Head A");
    EXPECT_EQ(head.cells[1].gridSpan, 2);
    EXPECT_EQ(cellText(head.cells[1]), "Head BC");
    EXPECT_EQ(head.cells[1].shading, (model::Color{255, 255, 0}));

    const auto& mid = t.rows[1];
    EXPECT_FALSE(mid.header);
    EXPECT_EQ(mid.heightRule, model::RowHeightRule::AtLeast);
    EXPECT_NEAR(mid.heightPt, 25.0, 0.1);
    ASSERT_EQ(mid.cells.size(), 3u);
    EXPECT_EQ(mid.cells[0].verticalMerge, model::VerticalMerge::Restart);
    EXPECT_EQ(mid.cells[0].rowSpan, 2);
    EXPECT_EQ(cellText(mid.cells[0]), "Tall cell");
    EXPECT_EQ(mid.cells[0].shading, (model::Color{0x00, 0xB0, 0xF0}));
    EXPECT_EQ(mid.cells[0].verticalAlignment, model::VerticalAlignment::Center);

    const auto& last = t.rows[2];
    ASSERT_EQ(last.cells.size(), 3u);
    EXPECT_EQ(last.cells[0].verticalMerge, model::VerticalMerge::Continue);
    EXPECT_EQ(cellText(last.cells[1]), "B two");
    const auto& inner = last.cells[2].blocks;
    ASSERT_FALSE(inner.empty());
    const auto* nested = std::get_if<model::Table>(&inner.front());
    ASSERT_NE(nested, nullptr) << "the nested table stays a table inside its cell";
    ASSERT_EQ(nested->rows.size(), 1u);
    ASSERT_EQ(nested->rows[0].cells.size(), 2u);
    EXPECT_EQ(cellText(nested->rows[0].cells[1]), "Inner two");
    EXPECT_EQ(cellText(last.cells[2]), "After inner");

    const model::Border top = lineAbove(t, 0, 0);
    EXPECT_EQ(top.style, model::BorderStyle::Single);
    EXPECT_NEAR(top.widthPt, 1.5, 0.01);
    EXPECT_EQ(top.color, (model::Color{255, 0, 0}));
    const model::Border between = lineAbove(t, 1, 1);
    EXPECT_EQ(between.style, model::BorderStyle::Dotted);
    EXPECT_NEAR(between.widthPt, 1.0, 0.01);
    EXPECT_EQ(lineBelow(t, 2, 1).style, model::BorderStyle::Double);

    const auto& header = d.sections[0].header;
    const auto found = std::find_if(header.begin(), header.end(),
                                    [](const model::Block& b) { return std::holds_alternative<model::Table>(b); });
    ASSERT_NE(found, header.end()) << "the header's table";
    const auto& ht = std::get<model::Table>(*found);
    ASSERT_EQ(ht.rows.size(), 1u);
    ASSERT_EQ(ht.rows[0].cells.size(), 2u);
    EXPECT_EQ(cellText(ht.rows[0].cells[1]), "Head right");
}

// Each table sprm of a row's TAP, and what the model table shows of it.
TEST(DocTable, TableSprmsReachTheModel) {
    auto op = [](std::uint16_t code) { return Bytes{static_cast<std::uint8_t>(code & 0xFF), static_cast<std::uint8_t>(code >> 8)}; };
    auto cat = [](std::initializer_list<Bytes> parts) {
        Bytes out;
        for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
        return out;
    };
    // Two cells: boundaries 0, 1440, 2880.
    const Bytes define = cat({op(sprm::TDefTable), {8, 0, 2, 0, 0, 0xA0, 0x05, 0x40, 0x0B}});
    struct Case {
        const char* what;
        Bytes sprms;
        std::function<void(const model::Table&)> check;
    };
    const std::vector<Case> cases = {
        {"centred", cat({op(sprm::TJc), {1, 0}}),
         [](const model::Table& t) { EXPECT_EQ(t.alignment, model::Alignment::Center); }},
        {"exact height", cat({op(sprm::TDyaRowHeight), {0x70, 0xFE}}),   // -400
         [](const model::Table& t) {
             EXPECT_EQ(t.rows[0].heightRule, model::RowHeightRule::Exact);
             EXPECT_DOUBLE_EQ(t.rows[0].heightPt, 20.0);
         }},
        {"header and kept whole", cat({op(sprm::TTableHeader), {1}, op(sprm::TFCantSplit), {1}}),
         [](const model::Table& t) {
             EXPECT_TRUE(t.rows[0].header);
             EXPECT_TRUE(t.rows[0].cantSplit);
         }},
        {"table borders (Brc80)", cat({op(sprm::TTableBorders80), {24}, Bytes(16, 0), {4, 3, 0, 0}, {12, 7, 2, 0}}),
         [](const model::Table& t) {
             EXPECT_EQ(t.borders.insideH.style, model::BorderStyle::Double);
             EXPECT_DOUBLE_EQ(t.borders.insideH.widthPt, 0.5);
             EXPECT_EQ(t.borders.insideV.style, model::BorderStyle::Dashed);
             EXPECT_EQ(t.borders.insideV.color, (model::Color{0, 0, 255}));
             EXPECT_FALSE(t.borders.top.visible());
         }},
        {"table borders (Brc)", cat({op(sprm::TTableBorders), {48}, {0x12, 0x34, 0x56, 0, 16, 1, 0, 0}, Bytes(40, 0)}),
         [](const model::Table& t) {
             EXPECT_EQ(t.borders.top.style, model::BorderStyle::Single);
             EXPECT_DOUBLE_EQ(t.borders.top.widthPt, 2.0);
             EXPECT_EQ(t.borders.top.color, (model::Color{0x12, 0x34, 0x56}));
         }},
        {"borders of the second cell", cat({op(sprm::TSetBrc80), {7, 1, 2, 0x0C, 8, 1, 0, 0}}),
         [](const model::Table& t) {
             const auto& c = t.rows[0].cells;
             EXPECT_FALSE(c[0].borders.right.has_value());
             ASSERT_TRUE(c[1].borders.right.has_value());
             EXPECT_EQ(c[1].borders.right->style, model::BorderStyle::Single);
             ASSERT_TRUE(c[1].borders.bottom.has_value());
             EXPECT_FALSE(c[1].borders.top.has_value());
         }},
        {"cell shading (Shd)", cat({op(sprm::TDefTableShd), {20}, {0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0},
                                       {0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0, 3, 0}}),
         [](const model::Table& t) {
             EXPECT_EQ(t.rows[0].cells[0].shading, (model::Color{255, 255, 255})) << "clear over white";
             EXPECT_EQ(t.rows[0].cells[1].shading, (model::Color{230, 230, 230})) << "10% black over white";
         }},
        {"margins", cat({op(sprm::TDxaGapHalf), {100, 0}, op(sprm::TCellPaddingDefault), {6, 0, 1, 0x05, 3, 40, 0},
                         op(sprm::TCellPadding), {6, 1, 2, 0x02, 3, 0, 0}}),
         [](const model::Table& t) {
             EXPECT_DOUBLE_EQ(t.cellMargins.topPt, 2.0);
             EXPECT_DOUBLE_EQ(t.cellMargins.bottomPt, 2.0);
             EXPECT_DOUBLE_EQ(t.cellMargins.leftPt, 5.0) << "the gap half where no padding says otherwise";
             EXPECT_FALSE(t.rows[0].cells[0].margins.has_value());
             ASSERT_TRUE(t.rows[0].cells[1].margins.has_value());
             EXPECT_DOUBLE_EQ(t.rows[0].cells[1].margins->leftPt, 0.0);
             EXPECT_DOUBLE_EQ(t.rows[0].cells[1].margins->topPt, 2.0);
         }},
        {"a cell inserted", cat({op(sprm::TInsert), {1, 1, 0xD0, 0x02}}),   // 720 twips at index 1
         [](const model::Table& t) {
             EXPECT_EQ(t.gridPt, (std::vector<double>{72.0, 36.0, 72.0}));
             EXPECT_EQ(t.rows[0].cells.size(), 3u);
         }},
        {"moved to the right", cat({op(sprm::TDxaGapHalf), {108, 0}, op(sprm::TDxaLeft), {0x44, 0x02}}),   // 580
         [](const model::Table& t) {
             EXPECT_DOUBLE_EQ(t.indentPt, 23.6) << "the first cell's text at 29 pt, its edge a gap half before";
             EXPECT_EQ(t.gridPt, (std::vector<double>{72.0, 72.0}));
         }},
        {"a zero-width cell joins its neighbour",
         cat({op(sprm::TDefTable), {10, 0, 3, 0, 0, 0xA0, 0x05, 0xA0, 0x05, 0x40, 0x0B}}),   // 0, 1440, 1440, 2880
         [](const model::Table& t) {
             EXPECT_EQ(t.gridPt, (std::vector<double>{72.0, 72.0}));
             ASSERT_EQ(t.rows[0].cells.size(), 2u);
             EXPECT_EQ(cellText(t.rows[0].cells[0]), "x|x");
             EXPECT_TRUE(t.rows[0].cells[1].blocks.empty());
         }},
        {"vertical alignment", cat({op(sprm::TVertAlign), {3, 0, 1, 2}}),
         [](const model::Table& t) { EXPECT_EQ(t.rows[0].cells[0].verticalAlignment, model::VerticalAlignment::Bottom); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Tap tap;
        applyTap(tap, cat({define, c.sprms}));
        TableRowSource row;
        row.tap = tap;
        model::Paragraph p;
        p.runs.push_back(model::Run{"x", {}, model::FieldKind::None, {}});
        row.cells = {{model::Block{p}}, {model::Block{p}}};
        const model::Table t = buildTable({row});
        ASSERT_EQ(t.rows.size(), 1u);
        ASSERT_GE(t.rows[0].cells.size(), 2u);
        c.check(t);
    }
}

// Word 6.0/95 rows: their one-byte table sprms with two-byte borders and
// ten-byte cell descriptors, read through the Word 97 ones.
TEST(DocTable, Word6RowsAreTranslated) {
    // A single red line 1.5 pt wide: width 2 (0.75 pt steps), type single, colour index 6.
    const std::uint8_t lo = 0x8A, hi = 0x01;
    const Bytes g6{
        182, 1, 0,                                        // centred
        186, 1,                                           // a header row
        189, 0x2C, 0x01,                                  // at least 300 twips
        187, 0, 0, 0, 0, 0, 0, 0, 0, lo, hi, 0, 0,       // inside horizontal lines
        190, 27, 0, 2, 0, 0, 0xA0, 0x05, 0x40, 0x0B,      // two cells at 0, 1440, 2880
        0x01, 0, lo, hi, 0, 0, 0, 0, 0, 0,                // first of a merge, red top line
        0x02, 0, 0, 0, 0, 0, 0, 0, 0, 0,                  // merged into it
    };
    Tap tap;
    applyTap(tap, translateWord6Grpprl(g6));
    TableRowSource row;
    row.tap = tap;
    model::Paragraph a, b;
    a.runs.push_back(model::Run{"left", {}, model::FieldKind::None, {}});
    b.runs.push_back(model::Run{"right", {}, model::FieldKind::None, {}});
    row.cells = {{model::Block{a}}, {model::Block{b}}};
    const model::Table t = buildTable({row});
    EXPECT_EQ(t.alignment, model::Alignment::Center);
    EXPECT_EQ(t.gridPt, (std::vector<double>{72.0, 72.0}));
    EXPECT_EQ(t.borders.insideH.style, model::BorderStyle::Single);
    ASSERT_EQ(t.rows.size(), 1u);
    EXPECT_TRUE(t.rows[0].header);
    EXPECT_EQ(t.rows[0].heightRule, model::RowHeightRule::AtLeast);
    EXPECT_DOUBLE_EQ(t.rows[0].heightPt, 15.0);
    ASSERT_EQ(t.rows[0].cells.size(), 1u);
    const auto& c = t.rows[0].cells[0];
    EXPECT_EQ(c.gridSpan, 2);
    EXPECT_EQ(cellText(c), "left|right");
    ASSERT_TRUE(c.borders.top.has_value());
    EXPECT_EQ(c.borders.top->style, model::BorderStyle::Single);
    EXPECT_DOUBLE_EQ(c.borders.top->widthPt, 1.5);
    EXPECT_EQ(c.borders.top->color, (model::Color{255, 0, 0}));
}
