// A Word table through layout and writer, read back with pub2raw: a long
// table continues on further pages as table pieces that repeat its header
// row, and every cell's text arrives in its row and column.
#include "publishing/engine/Engine.h"

#include "EngineTestFiles.h"
#include "tests/support/Pub2Raw.h"

#include <gtest/gtest.h>

namespace fq::engine {
namespace {

using namespace test;

model::TableCell cell(const std::string& text) {
    model::TableCell c;
    model::Paragraph p;
    model::Run r;
    r.text = text;
    p.runs.push_back(r);
    c.blocks.push_back(p);
    return c;
}

TEST(EngineTable, LongTableArrivesAsPiecesWithItsHeaderRow) {
    model::Table table;
    table.gridPt = {144, 216};
    model::TableRow header;
    header.header = true;
    header.cells = {cell("Item"), cell("Notes")};
    table.rows.push_back(header);
    const int rows = 90;
    for (int i = 0; i < rows; ++i) {
        model::TableRow row;
        row.cells = {cell("item " + std::to_string(i)), cell("note " + std::to_string(i))};
        table.rows.push_back(row);
    }
    model::Document doc;
    doc.sections.emplace_back();
    model::Paragraph intro;
    intro.runs.push_back(model::Run{"Before the table."});
    doc.sections[0].blocks = {intro, table};

    ScratchFolder dir;
    savePublication(doc, dir / "table.pub", dir / "table.docx");
    const auto raw = fq::test::runPub2Raw(dir / "table.pub");
    ASSERT_TRUE(raw.started) << raw.output.substr(0, 400);
    ASSERT_GE(raw.pages.size(), 2u);
    std::vector<std::string> items;
    for (const auto& page : raw.pages) {
        ASSERT_EQ(page.tables.size(), 1u);
        const auto& t = page.tables[0];
        ASSERT_EQ(t.columnWidths.size(), 2u);
        EXPECT_NEAR(t.columnWidths[0], 2.0, 0.001);
        EXPECT_NEAR(t.columnWidths[1], 3.0, 0.001);
        EXPECT_EQ(t.rowHeights.size() * 2, t.cells.size());
        ASSERT_GE(t.cells.size(), 4u);
        EXPECT_EQ(t.cells[0].text(), "Item");       // the header row opens every piece
        EXPECT_EQ(t.cells[1].text(), "Notes");
        for (std::size_t i = 2; i + 1 < t.cells.size(); i += 2) {
            EXPECT_EQ(t.cells[i].row, t.cells[i + 1].row);
            EXPECT_EQ(t.cells[i + 1].column, 1);
            items.push_back(t.cells[i].text() + "|" + t.cells[i + 1].text());
        }
    }
    ASSERT_EQ(items.size(), static_cast<std::size_t>(rows));
    for (int i = 0; i < rows; ++i) EXPECT_EQ(items[i], "item " + std::to_string(i) + "|note " + std::to_string(i));
}

} // namespace
} // namespace fq::engine
