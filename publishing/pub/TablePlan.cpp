// Planning a table piece: its cells, its story and the plain shapes behind it.
#include "publishing/pub/TablePlan.h"

#include "publishing/pub/PubConstants.h"
#include "publishing/pub/PubPlan.h"
#include "publishing/pub/TextStories.h"

#include <algorithm>
#include <cmath>

namespace fq::pub {

namespace {

constexpr double kThinnestLinePt = 0.25;

std::int32_t emu(double pt) { return static_cast<std::int32_t>(std::lround((std::isfinite(pt) ? pt : 0.0) * kEmuPerPoint)); }

std::uint32_t bgr(const model::Color& c) { return std::uint32_t(c.r) | (std::uint32_t(c.g) << 8) | (std::uint32_t(c.b) << 16); }

// MSOLINEDASHING and MSOLINESTYLE values.
constexpr std::uint32_t kDashSys = 1, kDotSys = 2, kDashDotSys = 3, kDashDotDotSys = 4;
constexpr std::uint32_t kLineDouble = 1, kLineTriple = 4;

PlainLine lineOf(const std::optional<model::Border>& border) {
    PlainLine line;
    if (!border || !border->visible()) return line;
    const model::Border& b = *border;
    line.visible = true;
    line.colorBgr = b.color ? bgr(*b.color) : 0;
    double width = std::max(kThinnestLinePt, b.widthPt);
    switch (b.style) {
    case model::BorderStyle::Double: line.style = kLineDouble; width *= 3; break;
    case model::BorderStyle::Triple: line.style = kLineTriple; width *= 5; break;
    case model::BorderStyle::Dotted: line.dashing = kDotSys; break;
    case model::BorderStyle::Dashed: line.dashing = kDashSys; break;
    case model::BorderStyle::DotDash: line.dashing = kDashDotSys; break;
    case model::BorderStyle::DotDotDash: line.dashing = kDashDotDotSys; break;
    default: break;
    }
    line.widthEmu = emu(width);
    return line;
}

void keepHeavier(PlainLine& edge, const PlainLine& candidate) {
    if (candidate.visible && (!edge.visible || candidate.widthEmu > edge.widthEmu)) edge = candidate;
}

std::vector<double> offsets(const std::vector<double>& sizes) {
    std::vector<double> out{0.0};
    for (double s : sizes) out.push_back(out.back() + (std::isfinite(s) ? std::max(0.0, s) : 0.0));
    return out;
}

} // namespace

bool PlannedTable::formatted() const {
    return std::any_of(cells.begin(), cells.end(), [](const PlannedCell& c) {
        return c.fillBgr || c.top.visible || c.left.visible || c.bottom.visible || c.right.visible;
    });
}

void planTable(const model::TableFrame& frame, const model::Rect& rect, const TableNumbering& numbering,
               StoryCollector& stories, PubPlan& plan, PlannedPage& page) {
    if (frame.columnWidthsPt.empty() || frame.rowHeightsPt.empty() || frame.cells.empty()) {
        // Not a grid: the cells' text in a text box, so that none is lost.
        model::TextFrame text;
        for (const auto& c : frame.cells) text.paragraphs.insert(text.paragraphs.end(), c.paragraphs.begin(), c.paragraphs.end());
        PlannedShape s;
        s.seq = numbering.nextSeq();
        s.spid = numbering.nextSpid();
        s.anchor = anchorOf(rect, plan.pageWidthEmu, plan.pageHeightEmu);
        s.textId = stories.add(text, rect);
        page.shapes.push_back(std::move(s));
        return;
    }
    PlannedTable table;
    for (double w : frame.columnWidthsPt) table.columnsEmu.push_back(std::max<std::int32_t>(1, emu(w)));
    for (double h : frame.rowHeightsPt) table.rowsEmu.push_back(std::max<std::int32_t>(1, emu(h)));
    const int rows = static_cast<int>(table.rowsEmu.size());
    const int columns = static_cast<int>(table.columnsEmu.size());
    const std::vector<double> xs = offsets(frame.columnWidthsPt), ys = offsets(frame.rowHeightsPt);

    // Cells row by row, as their text follows in the story; cells outside
    // the grid are left out.
    std::vector<const model::TableFrameCell*> cells;
    for (const auto& c : frame.cells)
        if (c.row >= 0 && c.column >= 0 && c.row < rows && c.column < columns) cells.push_back(&c);
    std::stable_sort(cells.begin(), cells.end(), [](const auto* a, const auto* b) {
        return a->row != b->row ? a->row < b->row : a->column < b->column;
    });

    model::TextFrame text;
    std::vector<std::size_t> paragraphCounts;
    for (const auto* c : cells) {
        PlannedCell p;
        p.row = c->row;
        p.column = c->column;
        p.rowSpan = std::clamp(c->rowSpan, 1, rows - c->row);
        p.columnSpan = std::clamp(c->columnSpan, 1, columns - c->column);
        p.marginLeftEmu = emu(c->margins.leftPt);
        p.marginRightEmu = emu(c->margins.rightPt);
        p.marginTopEmu = emu(c->margins.topPt);
        p.marginBottomEmu = emu(c->margins.bottomPt);
        if (c->shading) p.fillBgr = bgr(*c->shading);
        p.top = lineOf(c->borders.top);
        p.left = lineOf(c->borders.left);
        p.bottom = lineOf(c->borders.bottom);
        p.right = lineOf(c->borders.right);
        table.cells.push_back(p);
        if (c->paragraphs.empty()) {
            // Every cell holds at least its paragraph mark.
            model::Paragraph empty;
            empty.runs.push_back(model::Run{});
            empty.runs.back().props.sizePt = 1.0;
            text.paragraphs.push_back(std::move(empty));
            paragraphCounts.push_back(1);
        } else {
            text.paragraphs.insert(text.paragraphs.end(), c->paragraphs.begin(), c->paragraphs.end());
            paragraphCounts.push_back(c->paragraphs.size());
        }
    }

    auto add = [&](ShapeKind kind, const model::Rect& r) -> PlannedShape& {
        PlannedShape s;
        s.kind = kind;
        s.seq = numbering.nextSeq();
        s.spid = numbering.nextSpid();
        s.anchor = anchorOf(r, plan.pageWidthEmu, plan.pageHeightEmu);
        page.shapes.push_back(std::move(s));
        return page.shapes.back();
    };

    // Behind the table: the shaded cells ...
    for (const auto& c : table.cells) {
        if (!c.fillBgr) continue;
        const model::Rect r{rect.xPt + xs[c.column], rect.yPt + ys[c.row], xs[c.column + c.columnSpan] - xs[c.column],
                            ys[c.row + c.rowSpan] - ys[c.row]};
        add(ShapeKind::CellShading, r).fillBgr = *c.fillBgr;
    }
    // ... and the grid lines: every stretch of an edge along one row or
    // column gets the heavier of the lines its two cells give it; stretches
    // that continue each other with the same line become one line.
    std::vector<std::vector<PlainLine>> across(rows + 1, std::vector<PlainLine>(columns));
    std::vector<std::vector<PlainLine>> down(rows, std::vector<PlainLine>(columns + 1));
    for (const auto& c : table.cells) {
        for (int j = c.column; j < c.column + c.columnSpan; ++j) {
            keepHeavier(across[c.row][j], c.top);
            keepHeavier(across[c.row + c.rowSpan][j], c.bottom);
        }
        for (int i = c.row; i < c.row + c.rowSpan; ++i) {
            keepHeavier(down[i][c.column], c.left);
            keepHeavier(down[i][c.column + c.columnSpan], c.right);
        }
    }
    for (int i = 0; i <= rows; ++i)
        for (int j = 0; j < columns;) {
            const PlainLine line = across[i][j];
            int k = j + 1;
            while (k < columns && across[i][k] == line) ++k;
            if (line.visible) add(ShapeKind::GridLine, {rect.xPt + xs[j], rect.yPt + ys[i], xs[k] - xs[j], 0.0}).line = line;
            j = k;
        }
    for (int j = 0; j <= columns; ++j)
        for (int i = 0; i < rows;) {
            const PlainLine line = down[i][j];
            int k = i + 1;
            while (k < rows && down[k][j] == line) ++k;
            if (line.visible) add(ShapeKind::GridLine, {rect.xPt + xs[j], rect.yPt + ys[i], 0.0, ys[k] - ys[i]}).line = line;
            i = k;
        }

    // The table, its story and its cells.
    PlannedShape& shape = add(ShapeKind::Table, rect);
    table.seq = shape.seq;
    table.cellsSeq = numbering.nextSeq();
    shape.textId = stories.add(text, rect);
    Story& story = stories.last();
    std::size_t paragraph = 0;
    std::uint32_t end = 0;
    for (std::size_t i = 0; i < table.cells.size(); ++i) {
        for (std::size_t k = 0; k < paragraphCounts[i]; ++k) end += story.paragraphs[paragraph++].length;
        const PlannedCell& c = table.cells[i];
        StoryCell cell;
        cell.end = end;
        cell.widthEmu = emu(xs[c.column + c.columnSpan] - xs[c.column]);
        cell.heightEmu = emu(ys[c.row + c.rowSpan] - ys[c.row]);
        cell.marginLeftEmu = c.marginLeftEmu;
        cell.marginTopEmu = c.marginTopEmu;
        cell.marginRightEmu = c.marginRightEmu;
        cell.marginBottomEmu = c.marginBottomEmu;
        story.cells.push_back(cell);
    }
    plan.tables.push_back(std::move(table));
    shape.table = plan.tables.size();
}

} // namespace fq::pub
