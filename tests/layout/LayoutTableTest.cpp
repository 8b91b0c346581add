// Tables in the flow: grid and placement, row heights, merged cells,
// borders, page breaks with repeated header rows, rows taller than a page,
// nested tables and pictures in cells.
#include "publishing/layout/Layout.h"
#include "publishing/layout/ParagraphMeasure.h"

#include "LayoutHelpers.h"

#include <gtest/gtest.h>
#include "tests/support/PageView.h"

#include <numeric>

namespace fq::layout {
namespace {

using namespace test;

model::TableCell cell(const std::vector<std::string>& texts, int span = 1,
                      model::VerticalMerge merge = model::VerticalMerge::None) {
    model::TableCell c;
    for (const auto& t : texts) c.blocks.push_back(paragraph(t));
    c.gridSpan = span;
    c.verticalMerge = merge;
    return c;
}

model::TableRow row(std::vector<model::TableCell> cells) {
    model::TableRow r;
    r.cells = std::move(cells);
    return r;
}

model::Table table(std::vector<double> grid, std::vector<model::TableRow> rows) {
    model::Table t;
    t.gridPt = std::move(grid);
    t.rows = std::move(rows);
    return t;
}

// All table pieces of the publication, page by page.
std::vector<model::PlacedTable> pieces(const model::Publication& pub) {
    std::vector<model::PlacedTable> out;
    for (const auto& page : pub.pages)
        for (auto& t : tableFramesOf(page)) out.push_back(std::move(t));
    return out;
}

const model::TableFrameCell* at(const model::TableFrame& t, int r, int c) {
    for (const auto& cell : t.cells)
        if (cell.row == r && cell.column == c) return &cell;
    return nullptr;
}

std::string text(const model::TableFrameCell& c) {
    std::string s;
    for (const auto& p : c.paragraphs) s += p.plainText();
    return s;
}

double lineHeight() { return linesHeight(measureParagraph(paragraph("x"), 100.0)); }

double sum(const std::vector<double>& v) { return std::accumulate(v.begin(), v.end(), 0.0); }

TEST(LayoutTable, TableSplitsTheTextFrameAndKeepsItsGrid) {
    auto t = table({100.0, 250.0}, {row({cell({"a"}), cell({"b"})}), row({cell({"c"}), cell({"d", "e"})})});
    t.indentPt = 10.0;
    const auto pub = layOut(document({section({paragraph("above"), t, paragraph("below")})}));
    ASSERT_EQ(pub.pages.size(), 1u);
    const auto texts = textFramesOf(pub.pages[0]);
    const auto tables = tableFramesOf(pub.pages[0]);
    ASSERT_EQ(texts.size(), 2u);
    ASSERT_EQ(tables.size(), 1u);
    const auto& tf = tables[0];
    EXPECT_EQ(tf.table.columnWidthsPt, (std::vector<double>{100.0, 250.0}));
    EXPECT_DOUBLE_EQ(tf.rect.xPt, 82.0);
    EXPECT_DOUBLE_EQ(tf.rect.widthPt, 350.0);
    EXPECT_NEAR(texts[0].rect.yPt + texts[0].rect.heightPt, tf.rect.yPt, 0.01);
    EXPECT_NEAR(texts[1].rect.yPt, tf.rect.yPt + tf.rect.heightPt, 0.01);
    ASSERT_EQ(tf.table.rowHeightsPt.size(), 2u);
    EXPECT_NEAR(tf.table.rowHeightsPt[0], lineHeight(), 0.01);
    EXPECT_NEAR(tf.table.rowHeightsPt[1], 2 * lineHeight(), 0.01);   // the taller cell sets the row
    EXPECT_NEAR(sum(tf.table.rowHeightsPt), tf.rect.heightPt, 0.01);
    ASSERT_EQ(tf.table.cells.size(), 4u);
    EXPECT_EQ(text(*at(tf.table, 1, 1)), "de");
    EXPECT_EQ(at(tf.table, 1, 1)->paragraphs.size(), 2u);
}

TEST(LayoutTable, PlacementFollowsAlignmentAndPageWidth) {
    struct Case {
        model::Alignment alignment;
        double indent;
        std::vector<double> grid;
        double x;
        double width;
    };
    // Letter page, one-inch margins: body from 72 to 540.
    const Case cases[] = {
        {model::Alignment::Center, 0.0, {100.0, 100.0}, 206.0, 200.0},
        {model::Alignment::Right, 0.0, {100.0, 100.0}, 340.0, 200.0},
        {model::Alignment::Left, -5.4, {100.0, 100.0}, 66.6, 200.0},
        {model::Alignment::Left, 0.0, {300.0, 200.0}, 72.0, 500.0},    // into the right margin
        {model::Alignment::Left, 100.0, {300.0, 200.0}, 112.0, 500.0}, // moved left to stay on the page
        {model::Alignment::Left, 0.0, {600.0, 300.0}, 72.0, 468.0},    // scaled to the body
    };
    for (const auto& c : cases) {
        auto t = table(c.grid, {row({cell({"a"}), cell({"b"})})});
        t.alignment = c.alignment;
        t.indentPt = c.indent;
        const auto all = pieces(layOut(document({section({t})})));
        ASSERT_EQ(all.size(), 1u);
        EXPECT_NEAR(all[0].rect.xPt, c.x, 0.01) << c.grid[0];
        EXPECT_NEAR(all[0].rect.widthPt, c.width, 0.01) << c.grid[0];
        EXPECT_NEAR(sum(all[0].table.columnWidthsPt), c.width, 0.01);
    }
}

TEST(LayoutTable, MergedCellsBothWays) {
    // A B B      (B spans two columns)
    // C D E      (C begins a vertical merge)
    // C F G
    model::TableRow top = row({cell({"A"}), cell({"B"}, 2)});
    model::TableRow mid = row({cell({"C1", "C2", "C3", "C4"}, 1, model::VerticalMerge::Restart), cell({"D"}), cell({"E"})});
    model::TableRow low = row({cell({}, 1, model::VerticalMerge::Continue), cell({"F"}), cell({"G"})});
    const auto all = pieces(layOut(document({section({table({80, 80, 80}, {top, mid, low})})})));
    ASSERT_EQ(all.size(), 1u);
    const auto& t = all[0].table;
    ASSERT_EQ(t.cells.size(), 7u);
    const auto* b = at(t, 0, 1);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->columnSpan, 2);
    EXPECT_EQ(at(t, 0, 2), nullptr);
    const auto* c = at(t, 1, 0);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->rowSpan, 2);
    EXPECT_EQ(text(*c), "C1C2C3C4");
    EXPECT_EQ(at(t, 2, 0), nullptr);
    // The merged cell's four lines spread over its two rows; the extra
    // height goes to the last of them.
    ASSERT_EQ(t.rowHeightsPt.size(), 3u);
    EXPECT_NEAR(t.rowHeightsPt[1], lineHeight(), 0.01);
    EXPECT_NEAR(t.rowHeightsPt[1] + t.rowHeightsPt[2], 4 * lineHeight(), 0.01);
    // Cells run row by row, left to right.
    std::vector<std::pair<int, int>> order;
    for (const auto& cellFrame : t.cells) order.emplace_back(cellFrame.row, cellFrame.column);
    EXPECT_TRUE(std::is_sorted(order.begin(), order.end()));
}

TEST(LayoutTable, BordersShadingAndMarginsAreResolved) {
    auto t = table({100, 100}, {row({cell({"a"}), cell({"b"})}), row({cell({"c"}), cell({"d"})})});
    const model::Border single{model::BorderStyle::Single, 0.5, std::nullopt, 0.0};
    const model::Border thick{model::BorderStyle::Single, 3.0, model::Color{255, 0, 0}, 0.0};
    t.borders = {single, single, single, single, single, {}};    // no inner vertical line
    t.rows[0].cells[0].borders.bottom = thick;                    // the cell's own line wins its edge
    t.rows[1].cells[1].shading = model::Color{200, 200, 200};
    t.rows[1].cells[1].margins = model::CellMargins{2, 3, 4, 5};
    t.shading = model::Color{250, 250, 0};
    const auto all = pieces(layOut(document({section({t})})));
    ASSERT_EQ(all.size(), 1u);
    const auto& f = all[0].table;
    const auto* a = at(f, 0, 0);
    const auto* b = at(f, 0, 1);
    const auto* c = at(f, 1, 0);
    const auto* d = at(f, 1, 1);
    ASSERT_TRUE(a && b && c && d);
    EXPECT_EQ(*a->borders.bottom, thick);
    EXPECT_EQ(*c->borders.top, thick);                // the same edge seen from below
    EXPECT_EQ(*a->borders.top, single);
    EXPECT_FALSE(a->borders.right->visible());        // insideV is none
    EXPECT_FALSE(b->borders.left->visible());
    EXPECT_EQ(*b->borders.right, single);
    EXPECT_EQ(*d->borders.bottom, single);
    EXPECT_EQ(d->shading, (model::Color{200, 200, 200}));
    EXPECT_EQ(a->shading, (model::Color{250, 250, 0}));
    EXPECT_EQ(d->margins, (model::CellMargins{2, 3, 4, 5}));
    EXPECT_NEAR(f.rowHeightsPt[1], lineHeight() + 2 + 4, 0.01);   // top and bottom margins of d
}

TEST(LayoutTable, RowHeightRules) {
    struct Case {
        model::RowHeightRule rule;
        double height;
        double expected;   // in lines of text when negative
    };
    const Case cases[] = {
        {model::RowHeightRule::Auto, 50.0, -1},
        {model::RowHeightRule::AtLeast, 50.0, 50.0},
        {model::RowHeightRule::AtLeast, 2.0, -1},
        {model::RowHeightRule::Exact, 50.0, 50.0},
        {model::RowHeightRule::Exact, 2.0, -1},      // grows rather than hide its text
    };
    for (const auto& c : cases) {
        auto t = table({100}, {row({cell({"x"})})});
        t.rows[0].heightRule = c.rule;
        t.rows[0].heightPt = c.height;
        const auto all = pieces(layOut(document({section({t})})));
        ASSERT_EQ(all.size(), 1u);
        EXPECT_NEAR(all[0].table.rowHeightsPt[0], c.expected < 0 ? lineHeight() : c.expected, 0.01)
            << static_cast<int>(c.rule) << " " << c.height;
    }
}

TEST(LayoutTable, LongTableContinuesWithItsHeaderRows) {
    std::vector<model::TableRow> rows;
    rows.push_back(row({cell({"Name"}), cell({"Value"})}));
    rows[0].header = true;
    for (int i = 0; i < 120; ++i) rows.push_back(row({cell({"n" + std::to_string(i)}), cell({"v" + std::to_string(i)})}));
    const auto pub = layOut(document({section({paragraph("intro"), table({150, 150}, rows)})}));
    const auto all = pieces(pub);
    ASSERT_GE(all.size(), 3u);
    std::string bodyText;
    for (std::size_t i = 0; i < all.size(); ++i) {
        const auto& t = all[i].table;
        ASSERT_NE(at(t, 0, 0), nullptr);
        EXPECT_EQ(text(*at(t, 0, 0)), "Name") << "piece " << i;
        if (i > 0) EXPECT_NEAR(all[i].rect.yPt, 72.0, 0.01);
        EXPECT_LE(all[i].rect.yPt + all[i].rect.heightPt, 720.0 + 0.01);
        for (const auto& c : t.cells)
            if (c.row > 0) bodyText += text(c) + "|";
    }
    std::string expected;
    for (int i = 0; i < 120; ++i) expected += "n" + std::to_string(i) + "|v" + std::to_string(i) + "|";
    EXPECT_EQ(difference(bodyText, expected), "");
    // The first piece begins below the paragraph, on the first page.
    EXPECT_EQ(tableFramesOf(pub.pages[0]).size(), 1u);
    EXPECT_GT(all[0].rect.yPt, 72.0);
}

TEST(LayoutTable, RowTallerThanAPageIsSplitInsideWithoutLosingText) {
    std::vector<std::string> lines;
    for (int i = 0; i < 150; ++i) lines.push_back(numberedWords(3, 3 * i));
    const auto t = table({200, 200}, {row({cell(lines), cell({"short"})}), row({cell({"after"}), cell({"end"})})});
    const auto all = pieces(layOut(document({section({t})})));
    ASSERT_GE(all.size(), 3u);
    std::string left;
    for (const auto& piece : all) {
        EXPECT_LE(piece.rect.yPt + piece.rect.heightPt, 720.0 + 0.01);
        for (const auto& c : piece.table.cells)
            if (c.column == 0) left += text(c);
    }
    std::string expected;
    for (const auto& l : lines) expected += l;
    expected += "after";
    EXPECT_EQ(difference(left, expected), "");
    EXPECT_EQ(text(*at(all[0].table, 0, 1)), "short");
}

TEST(LayoutTable, RowsThatFitOnAPageMoveWholeToTheNextPage) {
    std::vector<model::TableRow> rows;
    for (int i = 0; i < 45; ++i) rows.push_back(row({cell({"r" + std::to_string(i)}), cell({"s"})}));
    std::vector<std::string> eight(8, "line");
    // 45 rows leave room for some but not all of the eight lines.
    const double room = 648.0 - 45 * lineHeight();
    ASSERT_GT(static_cast<int>(room / lineHeight()), 0);
    ASSERT_LT(static_cast<int>(room / lineHeight()), 8);
    for (bool cantSplit : {true, false}) {
        auto withTall = rows;
        withTall.push_back(row({cell(eight), cell({"t"})}));
        withTall.back().cantSplit = cantSplit;
        const auto all = pieces(layOut(document({section({table({200, 100}, withTall)})})));
        ASSERT_EQ(all.size(), 2u);
        ASSERT_EQ(all[1].table.cells.size(), 2u);
        EXPECT_EQ(text(all[1].table.cells[0]), "linelinelinelinelinelinelineline") << cantSplit;
        EXPECT_NEAR(all[1].rect.yPt, 72.0, 0.01);
    }
    // Rows that a merged cell ties together go together: the first would fit.
    auto merged = rows;
    merged.push_back(row({cell({"tied"}, 1, model::VerticalMerge::Restart), cell({"a"})}));
    merged.push_back(row({cell({}, 1, model::VerticalMerge::Continue), cell(eight)}));
    const auto all = pieces(layOut(document({section({table({200, 100}, merged)})})));
    ASSERT_EQ(all.size(), 2u);
    ASSERT_EQ(all[0].table.rowHeightsPt.size(), 45u);
    EXPECT_EQ(text(*at(all[1].table, 0, 0)), "tied");
    EXPECT_EQ(at(all[1].table, 0, 0)->rowSpan, 2);
}

TEST(LayoutTable, NestedTableKeepsItsTextInTheCell) {
    auto inner = table({50, 50}, {row({cell({"i1"}), cell({"i2"})}), row({cell({"i3"}), cell({"i4"})})});
    model::TableCell outer = cell({"before"});
    outer.blocks.push_back(inner);
    outer.blocks.push_back(paragraph("after"));
    const auto all = pieces(layOut(document({section({table({200, 100}, {row({outer, cell({"x"})})})})})));
    ASSERT_EQ(all.size(), 1u);
    ASSERT_EQ(all[0].table.cells.size(), 2u);
    EXPECT_EQ(text(*at(all[0].table, 0, 0)), "beforei1\ti2i3\ti4after");
    const auto& paragraphs = at(all[0].table, 0, 0)->paragraphs;
    ASSERT_EQ(paragraphs.size(), 4u);
    EXPECT_EQ(paragraphs[1].props.tabStopsPt, std::vector<double>{50});
    EXPECT_NEAR(all[0].table.rowHeightsPt[0], 4 * lineHeight(), 0.01);
}

TEST(LayoutTable, PictureInACellKeepsItsSpaceAndStandsOverTheCell) {
    model::Picture pic;
    pic.format = model::ImageFormat::Png;
    pic.data = {1, 2, 3};
    pic.widthPt = 60;
    pic.heightPt = 40;
    pic.alignment = model::Alignment::Center;
    model::TableCell c = cell({"caption"});
    c.blocks.insert(c.blocks.begin(), pic);
    const auto pub = layOut(document({section({table({100}, {row({c})})})}));
    ASSERT_EQ(pub.pages.size(), 1u);
    const auto tables = tableFramesOf(pub.pages[0]);
    const auto pictures = pictureFramesOf(pub.pages[0]);
    ASSERT_EQ(tables.size(), 1u);
    ASSERT_EQ(pictures.size(), 1u);
    EXPECT_NEAR(tables[0].table.rowHeightsPt[0], 40.0 + lineHeight(), 0.01);
    EXPECT_NEAR(pictures[0].rect.yPt, tables[0].rect.yPt, 0.01);
    EXPECT_NEAR(pictures[0].rect.xPt, tables[0].rect.xPt + 5.4 + (100 - 10.8 - 60) / 2, 0.01);
    EXPECT_EQ(text(tables[0].table.cells[0]), "caption");
}

} // namespace
} // namespace fq::layout

namespace fq::layout {
namespace {

TEST(LayoutTable, UnusableMarginsAndWidthsStillGiveAGrid) {
    auto t = table({0.0, -5.0, std::nan("")}, {row({cell({"a"}), cell({"b"}), cell({"c"})}), row({cell({"d"})})});
    t.cellMargins = model::CellMargins{5000, -3, 9000, std::nan("")};
    const auto all = pieces(layOut(document({section({t})})));
    ASSERT_FALSE(all.empty());
    std::string s;
    for (const auto& piece : all) {
        EXPECT_EQ(piece.table.columnWidthsPt.size(), 3u);
        for (double w : piece.table.columnWidthsPt) EXPECT_GT(w, 0.0);
        for (const auto& c : piece.table.cells) s += text(c);
    }
    EXPECT_EQ(s, "abcd");
    // The second row's missing cells are filled in without lines.
    const auto* filler = at(all.back().table, all.back().table.rowHeightsPt.size() - 1, 1);
    ASSERT_NE(filler, nullptr);
    EXPECT_EQ(filler->columnSpan, 2);
    EXPECT_FALSE(filler->borders.top->visible());
}

} // namespace
} // namespace fq::layout

namespace fq::layout {
namespace {

TEST(LayoutTable, HeaderAndFooterTablesAreTablesOnEveryPage) {
    auto t = table({100, 150, 80}, {row({cell({"date"}), cell({"title", "subtitle"}), cell({"page"})}),
                                     row({cell({"left"}, 2), cell({"right"})})});
    auto number = cell({"p. "});
    std::get<model::Paragraph>(number.blocks[0]).runs.push_back(
        {"9", std::get<model::Paragraph>(number.blocks[0]).runs[0].props, model::FieldKind::PageNumber});
    auto s = section({paragraph("body"), model::PageBreak{}, paragraph("body")});
    s.header = {paragraph("above"), t, paragraph("below")};
    s.footer = {table({200}, {row({number})})};
    const auto pub = layOut(document({s}));
    ASSERT_EQ(pub.pages.size(), 2u);
    for (int n = 0; n < 2; ++n) {
        SCOPED_TRACE(n);
        const auto& page = pub.pages[n];
        std::vector<model::PlacedText> header;
        model::PlacedText body;
        for (const auto& f : textFramesOf(page)) {
            if (f.role == model::FrameRole::Header) header.push_back(f);
            if (f.role == model::FrameRole::Body) body = f;
        }
        const auto tables = tableFramesOf(page);
        ASSERT_EQ(tables.size(), 2u);
        ASSERT_EQ(header.size(), 2u) << "the paragraphs above and below the table";
        EXPECT_EQ(header[0].paragraphs.front().plainText(), "above");
        EXPECT_EQ(header[1].paragraphs.front().plainText(), "below");
        const auto& head = tables[0];
        EXPECT_EQ(head.table.columnWidthsPt, (std::vector<double>{100, 150, 80}));
        EXPECT_NEAR(head.rect.yPt, header[0].rect.yPt + header[0].rect.heightPt, 0.01);
        EXPECT_NEAR(header[1].rect.yPt, head.rect.yPt + head.rect.heightPt, 0.01);
        EXPECT_GE(body.rect.yPt, header[1].rect.yPt + header[1].rect.heightPt - 0.01) << "the body starts below";
        EXPECT_EQ(text(*at(head.table, 0, 1)), "titlesubtitle");
        const auto& foot = tables[1];
        EXPECT_GT(foot.rect.yPt, body.rect.yPt + body.rect.heightPt - 0.01);
        EXPECT_EQ(text(*at(foot.table, 0, 0)), "p. " + std::to_string(n + 1));
    }
}

TEST(LayoutTable, HeaderTablesOfEveryVariantWithTheHeadersDrawings) {
    // A title page, then even and odd pages: each shows its own header's
    // table as a table; the odd header's floating box, anchored in the
    // table's cell, and its paragraph's floating box stand where anchored.
    auto floating = [](double x) {
        model::DrawingShape d;
        d.geometry.preset = model::PresetShape::Rectangle;
        d.widthPt = d.heightPt = 20.0;
        d.anchor = model::FloatingAnchor{};
        d.anchor->xPt = x;
        d.anchor->yPt = 10.0;
        return d;
    };
    auto s = section({paragraph("one"), model::PageBreak{}, paragraph("two"), model::PageBreak{}, paragraph("three")});
    s.titlePage = s.evenAndOddHeaders = true;
    s.headerFirst = {table({200}, {row({cell({"first"})})})};
    s.headerEven = {paragraph("even above"), table({200}, {row({cell({"even"})})})};
    auto odd = cell({"odd"});
    odd.blocks.push_back(floating(400.0));
    s.header = {floating(300.0), paragraph("odd above"), table({200}, {row({odd})})};
    const auto pub = layOut(document({s}));
    ASSERT_EQ(pub.pages.size(), 3u);
    const char* names[] = {"first", "even", "odd"};
    for (int n = 0; n < 3; ++n) {
        SCOPED_TRACE(n);
        const auto& page = pub.pages[n];
        const auto tables = tableFramesOf(page);
        ASSERT_EQ(tables.size(), 1u);
        EXPECT_EQ(text(*at(tables[0].table, 0, 0)), names[n]);
        for (const auto& f : textFramesOf(page))
            if (f.role == model::FrameRole::Body) EXPECT_GE(f.rect.yPt, tables[0].rect.yPt + tables[0].rect.heightPt - 0.01);
        std::vector<double> drawn;
        for (const auto& shape : page.shapes)
            if (std::holds_alternative<model::DrawingFrame>(shape.content)) drawn.push_back(shape.rect.xPt);
        std::sort(drawn.begin(), drawn.end());
        EXPECT_EQ(drawn, (n == 2 ? std::vector<double>{300.0, 400.0} : std::vector<double>{}));
    }
}

} // namespace
} // namespace fq::layout

namespace fq::layout {
namespace {

TEST(LayoutTable, RowWhoseSpacingAloneDoesNotFitLeavesNoEmptyRowBehind) {
    // Rows of one line with space after; the page ends inside a row's space.
    std::vector<model::TableRow> rows;
    for (int i = 0; i < 60; ++i) {
        auto c = cell({"row " + std::to_string(i)});
        std::get<model::Paragraph>(c.blocks[0]).props.spaceAfterPt = 6.0;
        std::get<model::Paragraph>(c.blocks[0]).props.spaceBeforePt = 6.0;
        rows.push_back(row({c}));
    }
    for (double before : {0.0, 1.0, 2.0, 3.0, 4.0, 5.0, 6.0, 7.0, 8.0, 9.0, 10.0}) {
        auto p = paragraph("above");
        p.props.spaceBeforePt = before;
        const auto all = pieces(layOut(document({section({p, table({200}, rows)})})));
        ASSERT_GE(all.size(), 2u);
        std::string s;
        for (const auto& piece : all)
            for (const auto& c : piece.table.cells) {
                EXPECT_FALSE(text(c).empty()) << before;
                s += text(c) + "|";
            }
        std::string expected;
        for (int i = 0; i < 60; ++i) expected += "row " + std::to_string(i) + "|";
        EXPECT_EQ(s, expected);
    }
}

} // namespace
} // namespace fq::layout

namespace fq::layout {
namespace {

// Tables of every shape (spans both ways, height rules, rows that must stay
// whole, header rows, long cells) on small pages: the layout ends, every
// piece fits its page and its grid, and every paragraph of every cell
// arrives, a cell's paragraphs in order, none twice but those of repeated
// header rows.
TEST(LayoutTable, RandomTablesKeepEveryCellsText) {
    std::uint32_t seed = 12345;
    auto next = [&seed](int n) {
        seed = seed * 1103515245u + 12345u;
        return static_cast<int>((seed >> 16) % static_cast<std::uint32_t>(n));
    };
    model::PageGeometry small;
    small.heightPt = 300;
    small.marginTopPt = small.marginBottomPt = 36;
    for (int round = 0; round < 40; ++round) {
        const int columns = 1 + next(5);
        const int rowCount = 2 + next(25);
        std::vector<double> grid(columns);
        for (auto& w : grid) w = 50 + next(120);    // wide enough that no paragraph wraps
        std::vector<model::TableRow> rows;
        int token = 0;
        std::vector<std::vector<std::string>> cells;   // paragraphs of each cell with text
        std::vector<bool> inHeader;
        std::vector<int> mergeOpen(columns, 0);        // a merge can continue below in this column
        for (int r = 0; r < rowCount; ++r) {
            model::TableRow tr;
            tr.header = r == 0 && next(2);
            tr.cantSplit = next(3) == 0;
            tr.heightRule = static_cast<model::RowHeightRule>(next(3));
            tr.heightPt = next(80);
            for (int c = 0; c < columns;) {
                const int span = 1 + next(std::min(2, columns - c));
                model::TableCell tc;
                tc.gridSpan = span;
                if (r > 0 && span == 1 && mergeOpen[c] && next(2)) {
                    tc.verticalMerge = model::VerticalMerge::Continue;
                } else {
                    const int lines = next(4) == 0 ? 30 + next(40) : 1 + next(3);
                    cells.emplace_back();
                    inHeader.push_back(tr.header);
                    for (int k = 0; k < lines; ++k) {
                        cells.back().push_back("t" + std::to_string(token++) + ".");
                        tc.blocks.push_back(paragraph(cells.back().back()));
                    }
                    if (span == 1 && !tr.header && next(3) == 0) tc.verticalMerge = model::VerticalMerge::Restart;
                }
                for (int k = c; k < c + span; ++k) mergeOpen[k] = tc.verticalMerge != model::VerticalMerge::None;
                tr.cells.push_back(tc);
                c += span;
            }
            rows.push_back(tr);
        }
        const auto pub = layOut(document({section({paragraph("x"), table(grid, rows)}, small)}));
        std::string out;
        for (const auto& piece : pieces(pub)) {
            EXPECT_LE(piece.rect.yPt + piece.rect.heightPt, 300 - 36 + 0.01) << round;
            for (const auto& c : piece.table.cells) {
                EXPECT_LE(c.row + c.rowSpan, static_cast<int>(piece.table.rowHeightsPt.size())) << round;
                EXPECT_LE(c.column + c.columnSpan, columns) << round;
                out += text(c);
            }
        }
        for (std::size_t i = 0; i < cells.size(); ++i) {
            std::size_t at = 0;
            for (const auto& p : cells[i]) {
                const auto found = out.find(p, at);
                ASSERT_NE(found, std::string::npos) << "round " << round << ": " << p;
                if (!inHeader[i]) EXPECT_EQ(out.find(p, found + 1), std::string::npos) << "twice: " << p;
                at = found + p.size();
            }
        }
    }
}

} // namespace
} // namespace fq::layout

namespace fq::layout {
namespace {

TEST(LayoutTable, CellParagraphsKeepTheirLinesAndWidowsAtABreak) {
    // A cell taller than a page of paragraphs three lines long at its width.
    const double width = 120;
    std::string words;
    for (int n = 1; measureParagraph(paragraph(words), width - 10.8).lines.size() < 3; ++n) words = numberedWords(n);
    for (bool keep : {false, true}) {
        model::TableCell c;
        c.blocks.push_back(paragraph("x"));
        for (int i = 0; i < 60; ++i) {
            auto p = paragraph(words);
            p.props.widowControl = !keep;
            p.props.keepLinesTogether = keep;
            c.blocks.push_back(p);
        }
        const auto all = pieces(layOut(document({section({table({width}, {row({c})})})})));
        ASSERT_GE(all.size(), 2u);
        ASSERT_EQ(measureParagraph(paragraph(words), width - 10.8).lines.size(), 3u);
        for (const auto& piece : all)
            for (const auto& p : piece.table.cells.at(0).paragraphs) {
                if (p.plainText() == "x") continue;
                const auto lines = measureParagraph(p, width - 10.8).lines.size();
                if (keep) EXPECT_EQ(lines, 3u);
                else EXPECT_GE(lines, 2u);
            }
    }
}

TEST(LayoutTable, AHeadingKeptWithTheTableGoesWithItsFirstRow) {
    // 47 lines and the heading fit on the page, the first row's six lines do not.
    std::vector<model::Block> blocks;
    for (int i = 0; i < 47; ++i) blocks.push_back(paragraph("line " + std::to_string(i)));
    auto heading = paragraph("Heading");
    heading.props.keepWithNext = true;
    blocks.push_back(heading);
    blocks.push_back(table({200.0}, {row({cell({"1", "2", "3", "4", "5", "6"})})}));
    for (bool keep : {true, false}) {
        std::get<model::Paragraph>(blocks[47]).props.keepWithNext = keep;
        const auto pub = layOut(document({section(blocks)}));
        ASSERT_EQ(pub.pages.size(), 2u);
        ASSERT_EQ(tableFramesOf(pub.pages[1]).size(), 1u) << "the row goes to the next page either way";
        const auto texts = textFramesOf(pub.pages[1]);
        const bool headingMoved = !texts.empty() && texts[0].paragraphs.front().plainText() == "Heading";
        EXPECT_EQ(headingMoved, keep);
    }
}

TEST(LayoutTable, EmptyParagraphsStateTheirLinesHeight) {
    auto t = table({100.0}, {row({cell({"x", ""})})});
    auto& empty = std::get<model::Paragraph>(t.rows[0].cells[0].blocks[1]);
    empty.runs[0].props.sizePt = 2.0;
    const auto all = pieces(layOut(document({section({t})})));
    ASSERT_EQ(all.size(), 1u);
    const auto& ps = at(all[0].table, 0, 0)->paragraphs;
    ASSERT_EQ(ps.size(), 2u);
    EXPECT_EQ(ps[0].props.lineSpacing.rule, model::LineSpacing::Rule::Multiple) << "text keeps its spacing";
    EXPECT_EQ(ps[1].props.lineSpacing.rule, model::LineSpacing::Rule::Exact);
    EXPECT_NEAR(ps[1].props.lineSpacing.value, linesHeight(measureParagraph(empty, 100.0)), 0.01);
    EXPECT_NEAR(all[0].table.rowHeightsPt[0], lineHeight() + ps[1].props.lineSpacing.value, 0.01);
}

TEST(LayoutTable, AlignedCellsRecordWhereTheirTextBegins) {
    auto t = table({100.0, 100.0, 100.0}, {row({cell({"top"}), cell({"middle"}), cell({"bottom"})})});
    t.rows[0].heightRule = model::RowHeightRule::AtLeast;
    t.rows[0].heightPt = 60.0;
    t.rows[0].cells[1].verticalAlignment = model::VerticalAlignment::Center;
    t.rows[0].cells[2].verticalAlignment = model::VerticalAlignment::Bottom;
    const auto all = pieces(layOut(document({section({t})})));
    ASSERT_EQ(all.size(), 1u);
    const double room = 60.0 - lineHeight();
    EXPECT_DOUBLE_EQ(at(all[0].table, 0, 0)->contentOffsetPt, 0.0);
    EXPECT_NEAR(at(all[0].table, 0, 1)->contentOffsetPt, room / 2.0, 0.01);
    EXPECT_NEAR(at(all[0].table, 0, 2)->contentOffsetPt, room, 0.01);
}

} // namespace
} // namespace fq::layout
