// Tables written as Publisher tables: the grid, spans and cell text that
// pub2raw reads back, the structures compared with a file Publisher wrote,
// and the cell shading and lines that LibreOffice draws.
#include "PubTestSupport.h"

#include "publishing/pub/PubWriter.h"

#include <QImage>
#include <QProcess>

#include <gtest/gtest.h>

#include <regex>
#include <set>

using namespace fq;
using namespace fq::pubtest;

namespace {

model::TableFrameCell cell(int row, int column, const std::string& text, int rowSpan = 1, int columnSpan = 1) {
    model::TableFrameCell c;
    c.row = row;
    c.column = column;
    c.rowSpan = rowSpan;
    c.columnSpan = columnSpan;
    if (!text.empty()) c.paragraphs.push_back(paragraph({run(text)}));
    return c;
}

// 3 x 3: "A" over two columns, "C" over two rows.
//   A  A  B
//   C  D  E
//   C  F  G
model::TableFrame merged() {
    model::TableFrame t;
    t.columnWidthsPt = {72, 108, 144};
    t.rowHeightsPt = {20, 30, 40};
    t.cells = {cell(0, 0, "A", 1, 2), cell(0, 2, "B"), cell(1, 0, "C", 2, 1), cell(1, 1, "D"), cell(1, 2, "E"),
               cell(2, 1, "F"), cell(2, 2, "G")};
    t.cells[3].paragraphs.push_back(paragraph({run("D second")}));
    return t;
}

model::Publication withTable(const model::TableFrame& t, model::Rect rect = {90, 100, 324, 90}) {
    model::Publication pub;
    pub.pages.push_back(page({frame({72, 72, 468, 20}, {paragraph({run("above")})}), {rect, t}}));
    return pub;
}

const test::RawTableCell* cellAt(const test::RawTable& t, int row, int column) {
    for (const auto& c : t.cells)
        if (c.row == row && c.column == column) return &c;
    return nullptr;
}

// The blocks "id/type" of every object of a chunk type in pubdump's output.
std::set<std::string> blocksOf(const std::string& dump, const std::string& kind) {
    std::set<std::string> out;
    std::istringstream in(dump);
    std::string line;
    bool inside = false;
    static const std::regex block(R"(^    ([0-9A-F]{2}/t[0-9A-F]{2}))");
    while (std::getline(in, line)) {
        if (line.rfind("  object ", 0) == 0) inside = line.size() >= kind.size() && line.compare(line.size() - kind.size(), kind.size(), kind) == 0;
        std::smatch m;
        if (inside && std::regex_search(line, m, block)) out.insert(m[1]);
    }
    return out;
}

// The block ids inside the cell entries of 0x63 chunks ("01", "0A" ...).
std::set<std::string> cellEntryIds(const std::string& dump) {
    std::set<std::string> out;
    std::istringstream in(dump);
    std::string line;
    static const std::regex entry(R"(^      \[\d+\] 00/t88 (.*)$)");
    static const std::regex id(R"(([0-9A-F]{2})=)");
    bool inside = false;
    while (std::getline(in, line)) {
        if (line.rfind("  object ", 0) == 0) inside = line.find("table-cells") != std::string::npos;
        std::smatch m;
        if (!inside || !std::regex_search(line, m, entry)) continue;
        const std::string rest = m[1];
        for (auto it = std::sregex_iterator(rest.begin(), rest.end(), id); it != std::sregex_iterator(); ++it)
            out.insert((*it)[1]);
    }
    return out;
}

class PubTable : public ::testing::Test {
protected:
    PubFixture fx;
};

} // namespace

TEST_F(PubTable, GridSpansAndTextArriveInPub2Raw) {
    const auto doc = fx.roundTrip(withTable(merged()));
    ASSERT_TRUE(doc.started) << doc.output;
    ASSERT_EQ(doc.pages.size(), 1u);
    ASSERT_EQ(doc.pages[0].tables.size(), 1u) << doc.output;
    const auto& t = doc.pages[0].tables[0];
    EXPECT_NEAR(t.x, inches(90), 0.001);
    EXPECT_NEAR(t.y, inches(100), 0.001);
    EXPECT_NEAR(t.width, inches(324), 0.001);
    EXPECT_NEAR(t.height, inches(90), 0.001);
    ASSERT_EQ(t.columnWidths.size(), 3u);
    EXPECT_NEAR(t.columnWidths[0], 1.0, 0.001);
    EXPECT_NEAR(t.columnWidths[1], 1.5, 0.001);
    EXPECT_NEAR(t.columnWidths[2], 2.0, 0.001);
    ASSERT_EQ(t.rowHeights.size(), 3u);
    EXPECT_NEAR(t.rowHeights[2], inches(40), 0.001);
    const auto* a = cellAt(t, 0, 0);
    const auto* c = cellAt(t, 1, 0);
    const auto* d = cellAt(t, 1, 1);
    ASSERT_TRUE(a && c && d) << doc.output;
    EXPECT_EQ(a->columnSpan, 2);
    EXPECT_EQ(a->rowSpan, 1);
    EXPECT_EQ(c->rowSpan, 2);
    EXPECT_EQ(a->text(), "A");
    EXPECT_EQ(c->text(), "C");
    EXPECT_EQ(d->text(), "D\nD second");
    ASSERT_NE(cellAt(t, 0, 1), nullptr);
    EXPECT_TRUE(cellAt(t, 0, 1)->covered);
    EXPECT_TRUE(cellAt(t, 2, 0)->covered);
    EXPECT_EQ(cellAt(t, 2, 2)->text(), "G");
    EXPECT_EQ(doc.allText(), "above\nA\nB\nC\nD\nD second\nE\nF\nG");
}

TEST_F(PubTable, StructuresMatchPublishersOwnTable) {
    pub::writePub(withTable(merged()), fx.path("ours.pub"));
    const std::string ours = fx.dump(fx.path("ours.pub"));
    const std::string real = fx.dump(FQ_SHARED_DIR "/reference/genuine/poi_Sample_2010.pub");
    ASSERT_FALSE(real.empty());
    // The table chunk carries Publisher's blocks (apart from flags whose
    // meaning is unknown), its cells chunk the same per-cell blocks.
    std::set<std::string> genuine = blocksOf(real, "table");
    for (const char* unknown : {"03/t08", "2A/t08"}) genuine.erase(unknown);
    EXPECT_EQ(blocksOf(ours, "table"), genuine) << ours;
    std::set<std::string> realIds = cellEntryIds(real);
    realIds.erase("09");   // the height the content needs, which Publisher works out itself
    realIds.erase("0E");
    EXPECT_EQ(cellEntryIds(ours), realIds);
    EXPECT_EQ(blocksOf(ours, "table-cells"), blocksOf(real, "table-cells"));
    // The table's shape in Escher.
    for (const char* line : {"type 201 ", "0x0080 lTxid = ", "ClientTextbox 0xF00D", "shape seq = "})
        EXPECT_NE(ours.find(line), std::string::npos) << line;
    EXPECT_NE(ours.find("-> table)"), std::string::npos);
    // Quill: TCD indexed by the table story's place in STRS, with the cells' ends.
    EXPECT_NE(ours.find("chunk TCD [1]"), std::string::npos) << ours;
    EXPECT_NE(ours.find("cell ends [1, 3, 5, 16, 18, 20, 23]"), std::string::npos) << ours;
    // The story list names both stories, the frame table only the text box.
    const std::regex frames(R"(frame-table\?\n    01/t20 = 1\n)");
    EXPECT_TRUE(std::regex_search(ours, frames)) << ours;
    EXPECT_NE(ours.find("type-0x65\n    01/t20 = 2\n"), std::string::npos);
    EXPECT_NE(ours.find("[1] 00/t88 01=2 03=0 07=2 "), std::string::npos) << "the table story is marked";
    // MCLD has a record per cell.
    EXPECT_NE(ours.find("; 7 records"), std::string::npos);
}

TEST_F(PubTable, LibreOfficeDrawsCellShadingAndLines) {
    model::TableFrame t = merged();
    const model::Border red{model::BorderStyle::Single, 3.0, model::Color{0xE0, 0x10, 0x10}, 0.0};
    const model::Border none{model::BorderStyle::None, 0.0, std::nullopt, 0.0};
    for (auto& c : t.cells) c.borders = {none, none, none, none};
    t.cells[1].shading = model::Color{0x20, 0x40, 0xE0};   // B
    t.cells[6].borders.bottom = red;                        // under G
    const model::Rect rect{90, 100, 324, 90};
    pub::writePub(withTable(t, rect), fx.path("cells.pub"));

    // What pub2raw reads: a filled rectangle for B's shading and a red line.
    const auto doc = test::runPub2Raw(fx.path("cells.pub"));
    EXPECT_NE(doc.output.find("draw:fill-color: #2040e0"), std::string::npos) << doc.output;
    EXPECT_NE(doc.output.find("svg:stroke-color: #e01010"), std::string::npos) << doc.output;
    ASSERT_EQ(doc.pages.size(), 1u);
    ASSERT_EQ(doc.pages[0].tables.size(), 1u);

    const auto pdf = test::convertToPdf({fx.path("cells.pub")}, fx.path("pdf"));
    ASSERT_TRUE(pdf.ran) << pdf.log;
    ASSERT_EQ(pdf.pageCounts.at("cells.pub"), 1) << pdf.log;
    QProcess render;
    render.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("72"), QStringLiteral("-png"),
                                             QStringLiteral("-singlefile"),
                                             QString::fromStdString(fx.path("pdf/cells.pdf").string()),
                                             QString::fromStdString(fx.path("cells").string())});
    ASSERT_TRUE(render.waitForFinished(60000));
    const QImage image(QString::fromStdString(fx.path("cells.png").string()));
    ASSERT_FALSE(image.isNull());
    // At 72 dpi a pixel is a point. B is at columns 180..324, row 0..20 of the table.
    const QColor shaded = image.pixelColor(static_cast<int>(rect.xPt + 180 + 140), static_cast<int>(rect.yPt + 3));
    EXPECT_LT(std::abs(shaded.red() - 0x20) + std::abs(shaded.green() - 0x40) + std::abs(shaded.blue() - 0xE0), 40)
        << shaded.name().toStdString();
    // G's bottom edge: the table's bottom, under the third column.
    const QColor line = image.pixelColor(static_cast<int>(rect.xPt + 250), static_cast<int>(rect.yPt + 90));
    EXPECT_GT(line.red(), 180) << line.name().toStdString();
    EXPECT_LT(line.green(), 90) << line.name().toStdString();
    // No line where the table has none: between D and E.
    const QColor clear = image.pixelColor(static_cast<int>(rect.xPt + 180), static_cast<int>(rect.yPt + 45));
    EXPECT_GT(clear.lightness(), 200) << clear.name().toStdString();
}

TEST_F(PubTable, EveryCellKeepsItsOwnParagraphs) {
    // Cells with no paragraph, one, and several, in every position: the
    // cell ends in TCD put each paragraph back into its cell.
    const std::vector<int> counts = {0, 1, 3, 2, 0, 0, 4, 1, 0};
    model::TableFrame t;
    t.columnWidthsPt = {100, 100, 100};
    t.rowHeightsPt = {60, 60, 60};
    for (int i = 0; i < 9; ++i) {
        auto c = cell(i / 3, i % 3, "");
        for (int k = 0; k < counts[i]; ++k) c.paragraphs.push_back(paragraph({run("c" + std::to_string(i) + "p" + std::to_string(k))}));
        t.cells.push_back(c);
    }
    const auto doc = fx.roundTrip(withTable(t, {72, 100, 300, 180}));
    ASSERT_EQ(doc.pages.size(), 1u);
    ASSERT_EQ(doc.pages[0].tables.size(), 1u) << doc.output;
    const auto& raw = doc.pages[0].tables[0];
    for (int i = 0; i < 9; ++i) {
        const auto* c = cellAt(raw, i / 3, i % 3);
        ASSERT_NE(c, nullptr) << i;
        std::string expected;
        for (int k = 0; k < counts[i]; ++k) expected += (k ? "\n" : "") + ("c" + std::to_string(i) + "p" + std::to_string(k));
        EXPECT_EQ(c->text(), expected) << "cell " << i;
    }
}
