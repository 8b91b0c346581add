// Column widths as Word works them out, from the XML of a table through the
// reader and the layout's width rules: preferred table and cell widths in
// twips and percentages, fixed and autofit layout, stale and missing grids,
// the room before a row. Text is Courier New 10 pt (6 pt a character);
// cells have Word's 5.4 pt margins on either side; the room is 468 pt.
#include "DocxFixture.h"
#include "DocxTestUtil.h"

#include "publishing/docx/DocxReader.h"
#include "publishing/layout/CellWidths.h"
#include "publishing/layout/TableWidths.h"

#include <gtest/gtest.h>

using namespace fq;
using namespace fq::docx::test;

namespace {

std::string mono(const std::string& text) {
    return p(text, "", "<w:rFonts w:ascii=\"Courier New\" w:hAnsi=\"Courier New\"/><w:sz w:val=\"20\"/>");
}

std::string tc(const std::string& text, const std::string& tcPr = "") {
    return "<w:tc><w:tcPr>" + tcPr + "</w:tcPr>" + mono(text) + "</w:tc>";
}

std::string tcW(int w, const char* type = "dxa") {
    return "<w:tcW w:w=\"" + std::to_string(w) + "\" w:type=\"" + type + "\"/>";
}

std::string grid(std::initializer_list<int> cols) {
    std::string s = "<w:tblGrid>";
    for (int c : cols) s += "<w:gridCol w:w=\"" + std::to_string(c) + "\"/>";
    return s + "</w:tblGrid>";
}

std::vector<double> widths(const std::string& tableXml) {
    DocxFixture f;
    f.body("<w:tbl>" + tableXml + "</w:tbl>" + p("after"));
    const auto doc = docx::readDocx(f.write());
    for (const auto& b : doc.sections.at(0).blocks)
        if (const auto* t = std::get_if<model::Table>(&b))
            return layout::tableColumnWidths(*t, 468.0, [](const model::TableCell& c) { return layout::blocksWidths(c.blocks); });
    ADD_FAILURE() << "no table";
    return {};
}

} // namespace

TEST(DocxTableWidths, WordsRules) {
    struct Case {
        const char* what;
        std::string xml;
        std::vector<double> expected;
    };
    const std::string fixed = "<w:tblLayout w:type=\"fixed\"/>";
    const std::vector<Case> cases = {
        {"a percentage of the room stretches a fixed table's grid",
         "<w:tblPr><w:tblW w:w=\"5000\" w:type=\"pct\"/>" + fixed + "</w:tblPr>" + grid({2640, 2640, 2640}) +
             "<w:tr>" + tc("One") + tc("Row") + tc("Table") + "</w:tr>",
         {156, 156, 156}},
        {"a width in twips stretches an autofit table's grid",
         "<w:tblPr><w:tblW w:w=\"7200\" w:type=\"dxa\"/></w:tblPr>" + grid({1440, 1440}) + "<w:tr>" + tc("a") + tc("b") +
             "</w:tr>",
         {180, 180}},
        {"cell widths decide over a stale grid",
         "<w:tblPr><w:tblW w:w=\"0\" w:type=\"auto\"/></w:tblPr>" + grid({1000, 1000}) + "<w:tr>" + tc("a", tcW(3000)) +
             tc("b", tcW(1000)) + "</w:tr>",
         {150, 50}},
        {"the first row sets a column, a later row only widens it",
         grid({2000, 2000}) + "<w:tr>" + tc("a", tcW(2000)) + tc("b", tcW(2000)) + "</w:tr><w:tr>" +
             tc("c", tcW(3000)) + tc("d", tcW(1000)) + "</w:tr>",
         {150, 100}},
        {"without a grid, autofit columns are as wide as their content",
         "<w:tr>" + tc("aaaa") + tc("aaaaaaaaaa") + "</w:tr>", {34.8, 70.8}},
        {"without a grid, a fixed table shares its width out",
         "<w:tblPr><w:tblW w:w=\"4680\" w:type=\"dxa\"/>" + fixed + "</w:tblPr><w:tr>" + tc("a") + tc("b") + tc("c") +
             "</w:tr>",
         {78, 78, 78}},
        {"a word longer than its column widens it at the other's expense",
         grid({1000, 5000}) + "<w:tr>" + tc("aaaaaaaaaaaaaaa") + tc("b") + "</w:tr>", {100.8, 199.2}},
        {"a fixed table keeps its column narrower than the word",
         "<w:tblPr>" + fixed + "</w:tblPr>" + grid({1000, 5000}) + "<w:tr>" + tc("aaaaaaaaaaaaaaa") + tc("b") + "</w:tr>",
         {50, 250}},
        {"the room before a row has its own width",
         "<w:tblPr>" + fixed + "</w:tblPr>" + grid({1000, 2000}) +
             "<w:tr><w:trPr><w:gridBefore w:val=\"1\"/><w:wBefore w:w=\"1440\" w:type=\"dxa\"/></w:trPr>" +
             tc("a", tcW(2880)) + "</w:tr><w:tr>" + tc("b", tcW(1440)) + tc("c", tcW(2880)) + "</w:tr>",
         {72, 144}},
        {"cell percentages are of the table's width",
         "<w:tblPr><w:tblW w:w=\"6000\" w:type=\"dxa\"/></w:tblPr>" + grid({2000, 2000}) + "<w:tr>" +
             tc("a", tcW(1000, "pct")) + tc("b", tcW(4000, "pct")) + "</w:tr>",
         {60, 240}},
        {"an autofit table without a width keeps within the room",
         grid({4000, 6000}) + "<w:tr>" + tc("a") + tc("b") + "</w:tr>", {187.2, 280.8}},
        {"a grid Word saved is its layout, whatever the cells say",
         grid({1000, 1000}) + "<w:tr w:rsidR=\"00AB12CD\">" + tc("a", tcW(3000)) + tc("b", tcW(1000)) + "</w:tr>",
         {50, 50}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::vector<double> got = widths(c.xml);
        ASSERT_EQ(got.size(), c.expected.size());
        for (std::size_t i = 0; i < got.size(); ++i) EXPECT_NEAR(got[i], c.expected[i], 0.5) << "column " << i;
    }
}
