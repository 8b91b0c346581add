// Tables of the typed model into model tables.
#include "publishing/docx/TableConverter.h"

#include "publishing/docx/PropertyParser.h"
#include "publishing/docx/TableParser.h"
#include "publishing/word/TableMerges.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <numeric>

namespace fq::docx {

namespace {

constexpr double twipsToPt(int t) { return t / 20.0; }

std::optional<model::Color> hexColor(const std::optional<std::string>& v) {
    if (!v || v->size() != 6) return std::nullopt;
    char* end = nullptr;
    const unsigned long rgb = std::strtoul(v->c_str(), &end, 16);
    if (end != v->c_str() + 6) return std::nullopt;
    return model::Color{static_cast<std::uint8_t>(rgb >> 16), static_cast<std::uint8_t>(rgb >> 8),
                        static_cast<std::uint8_t>(rgb)};
}

model::BorderStyle borderStyle(const std::string& v) {
    using S = model::BorderStyle;
    if (v == "nil" || v == "none") return S::None;
    if (v == "thick") return S::Thick;
    if (v == "double" || v.starts_with("thinThick") || v.starts_with("thickThin")) return S::Double;
    if (v == "triple") return S::Triple;
    if (v == "dotted") return S::Dotted;
    if (v == "dashed" || v == "dashSmallGap") return S::Dashed;
    if (v == "dotDash" || v == "dashDotStroked") return S::DotDash;
    if (v == "dotDotDash") return S::DotDotDash;
    if (v == "wave" || v == "doubleWave") return S::Wave;
    return S::Single;
}

model::Border border(const BorderSpec& b) {
    model::Border m;
    m.style = borderStyle(b.val);
    if (m.style == model::BorderStyle::None) return m;
    // w:sz is in eighths of a point; Word draws at least a quarter point.
    m.widthPt = std::max(0.25, b.sizeEighths.value_or(4) / 8.0);
    m.color = hexColor(b.color);
    m.spacePt = b.spacePt.value_or(0);
    return m;
}

// The share of the pattern colour in a w:shd pattern, in percent.
double patternPercent(const std::string& v) {
    if (v == "clear" || v == "nil" || v.empty()) return 0;
    if (v == "solid") return 100;
    if (v.starts_with("pct")) {
        const double n = std::strtod(v.c_str() + 3, nullptr);
        // pct12, pct37, pct62 and pct87 stand for the halves.
        const int whole = static_cast<int>(n);
        return (whole == 12 || whole == 37 || whole == 62 || whole == 87) ? whole + 0.5 : n;
    }
    return v.starts_with("thin") ? 25 : 50;   // stripes and crosses
}

std::optional<model::Color> shading(const model::Boxed<ShadingSpec>& s) {
    if (!s || s->val.value_or("clear") == "nil") return std::nullopt;
    return word::shadingColor(hexColor(s->color), hexColor(s->fill), patternPercent(s->val.value_or("clear")));
}

std::optional<double> twipsOf(const std::optional<TableWidth>& w) {
    if (!w || w->type != "dxa") return std::nullopt;
    return twipsToPt(w->value);
}

// A width as stated: twips, fiftieths of a percent, or auto ("nil" and
// unknown types too).
model::PreferredWidth preferred(const std::optional<TableWidth>& w) {
    model::PreferredWidth p;
    if (!w || w->value <= 0) return p;
    if (w->type == "dxa") p = {model::PreferredWidth::Unit::Points, twipsToPt(w->value)};
    else if (w->type == "pct") p = {model::PreferredWidth::Unit::Percent, w->value / 50.0};
    return p;
}

// How the borders of a region map onto one of its cells.
enum class RegionShape { Whole, Row, Column, Corner };

RegionShape shapeOf(const std::string& type) {
    if (type == "firstRow" || type == "lastRow" || type == "band1Horz" || type == "band2Horz") return RegionShape::Row;
    if (type == "firstCol" || type == "lastCol" || type == "band1Vert" || type == "band2Vert") return RegionShape::Column;
    if (type.ends_with("Cell")) return RegionShape::Corner;
    return RegionShape::Whole;
}

// Where a cell sits in the table.
struct Position {
    bool firstRow, lastRow, firstInRow, lastInRow;
};

// The borders `set` gives a cell of a region of this shape: outer edges of
// the region take its outer lines, edges inside it the inside lines.
void applyBorders(model::CellBorders& out, const BorderSet& set, RegionShape shape, const Position& at) {
    auto side = [](std::optional<model::Border>& to, const model::Boxed<BorderSpec>& given) {
        if (given) to = border(*given);
    };
    const bool rowEdges = shape != RegionShape::Row;      // a row region is one row: top and bottom are its own
    const bool columnEdges = shape != RegionShape::Column;
    side(out.top, !rowEdges || at.firstRow || shape == RegionShape::Corner ? set.top : set.insideH);
    side(out.bottom, !rowEdges || at.lastRow || shape == RegionShape::Corner ? set.bottom : set.insideH);
    side(out.left, !columnEdges || at.firstInRow || shape == RegionShape::Corner ? set.left : set.insideV);
    side(out.right, !columnEdges || at.lastInRow || shape == RegionShape::Corner ? set.right : set.insideV);
}

// A table style chain folded into one set of properties.
struct ResolvedStyle {
    TableProps table;
    RowProps row;
    CellProps cell;
    std::map<std::string, TableStyleRegion> regions;
    PropertyResolver::TableLayers layers;   // the chain's own paragraph and run properties
};

ResolvedStyle resolveStyle(const std::vector<const Style*>& chain) {
    ResolvedStyle r;
    for (const Style* s : chain) {
        overlay(r.table, s->tableProps);
        overlay(r.row, s->rowProps);
        overlay(r.cell, s->cellProps);
        for (const auto& [type, region] : s->regions) {
            TableStyleRegion& m = r.regions[type];
            overlay(m.paraProps, region.paraProps);
            overlay(m.runProps, region.runProps);
            overlay(m.table, region.table);
            overlay(m.row, region.row);
            overlay(m.cell, region.cell);
        }
        r.layers.para.push_back(&s->paraProps);
        r.layers.run.push_back(&s->runProps);
    }
    return r;
}

// The regions of the table style that format cell `c` of `cols` in row
// `r` of `rows`, lowest priority first.
std::vector<std::string> regionsOf(int r, int rows, int c, int cols, int look, int rowBand, int colBand) {
    const bool firstRow = (look & kLookFirstRow) && r == 0;
    const bool lastRow = (look & kLookLastRow) && r == rows - 1;
    const bool firstCol = (look & kLookFirstColumn) && c == 0;
    const bool lastCol = (look & kLookLastColumn) && c == cols - 1;
    std::vector<std::string> out{"wholeTable"};
    if (!(look & kLookNoVBand) && !firstCol && !lastCol) {
        const int i = c - ((look & kLookFirstColumn) ? 1 : 0);
        out.push_back((i / colBand) % 2 == 0 ? "band1Vert" : "band2Vert");
    }
    if (!(look & kLookNoHBand) && !firstRow && !lastRow) {
        const int i = r - ((look & kLookFirstRow) ? 1 : 0);
        out.push_back((i / rowBand) % 2 == 0 ? "band1Horz" : "band2Horz");
    }
    if (firstRow) out.push_back("firstRow");
    if (lastRow) out.push_back("lastRow");
    if (firstCol) out.push_back("firstCol");
    if (lastCol) out.push_back("lastCol");
    if (firstRow && lastCol) out.push_back("neCell");
    if (firstRow && firstCol) out.push_back("nwCell");
    if (lastRow && lastCol) out.push_back("seCell");
    if (lastRow && firstCol) out.push_back("swCell");
    return out;
}

// The grid columns a row's cells cover, and the cells of the row that are
// one merged cell (legacy horizontal merges) grouped together.
struct RowLayout {
    std::vector<std::vector<const TableCell*>> groups;
    int columns = 0;
};

RowLayout layoutOf(const TableRow& row, const RowProps& props) {
    RowLayout l;
    l.columns = props.gridBefore.value_or(0) + props.gridAfter.value_or(0);
    for (const TableCell& c : row.cells) {
        l.columns += c.props.gridSpan.value_or(1);
        if (c.props.hMerge && *c.props.hMerge != "restart" && !l.groups.empty()) l.groups.back().push_back(&c);
        else l.groups.push_back({&c});
    }
    return l;
}

// Grid column widths: the table's grid, completed where rows need more
// columns or the grid is missing (from the cells' widths, else shared out).
std::vector<double> gridOf(const Table& t, const std::vector<RowLayout>& layouts, const TableProps& props,
                           double available) {
    std::vector<double> grid;
    for (int w : t.gridTwips) grid.push_back(twipsToPt(w));
    int needed = 0;
    for (const auto& l : layouts) needed = std::max(needed, l.columns);
    if (static_cast<int>(grid.size()) >= needed && std::accumulate(grid.begin(), grid.end(), 0.0) > 0) return grid;
    double total = available;
    if (auto w = twipsOf(props.width); w && *w > 0) total = *w;
    else if (props.width && props.width->type == "pct" && props.width->value > 0)
        total = available * props.width->value / 5000.0;
    // Widths the cells of the fullest row state, else an equal share.
    std::vector<double> stated;
    for (std::size_t r = 0; r < t.rows.size() && stated.empty(); ++r) {
        if (layouts[r].columns != needed) continue;
        stated.assign(static_cast<std::size_t>(t.rows[r].props.gridBefore.value_or(0)), 0.0);
        for (const TableCell& c : t.rows[r].cells) {
            const int span = c.props.gridSpan.value_or(1);
            const double w = twipsOf(c.props.width).value_or(0.0);
            for (int i = 0; i < span; ++i) stated.push_back(w / span);
        }
    }
    stated.resize(static_cast<std::size_t>(needed), 0.0);
    if (grid.size() < stated.size()) grid.resize(stated.size(), 0.0);
    const double known = std::accumulate(grid.begin(), grid.end(), 0.0);
    int unknown = 0;
    for (std::size_t i = 0; i < grid.size(); ++i) {
        if (grid[i] <= 0 && stated[i] > 0) grid[i] = stated[i];
        if (grid[i] <= 0) ++unknown;
    }
    const double share = unknown > 0 ? std::max(18.0, (total - known) / unknown) : 0.0;
    for (double& g : grid)
        if (g <= 0) g = share;
    return grid;
}

model::CellMargins marginsOf(const CellMarginSet& set, model::CellMargins m) {
    if (auto v = twipsOf(set.top)) m.topPt = std::max(0.0, *v);
    if (auto v = twipsOf(set.left)) m.leftPt = std::max(0.0, *v);
    if (auto v = twipsOf(set.bottom)) m.bottomPt = std::max(0.0, *v);
    if (auto v = twipsOf(set.right)) m.rightPt = std::max(0.0, *v);
    return m;
}

bool anyMargin(const CellMarginSet& s) { return twipsOf(s.top) || twipsOf(s.left) || twipsOf(s.bottom) || twipsOf(s.right); }

} // namespace

model::Table TableConverter::convert(const Table& t, double available, const CellContent& content) {
    std::vector<const Style*> chain = resolver_.tableStyleChain(t.props.styleId.value_or(""));
    if (chain.empty() && styles_.defaultTableStyle) chain = resolver_.tableStyleChain(*styles_.defaultTableStyle);
    const ResolvedStyle style = resolveStyle(chain);
    TableProps props = style.table;
    if (auto whole = style.regions.find("wholeTable"); whole != style.regions.end()) overlay(props, whole->second.table);
    overlay(props, t.props);

    model::Table out;
    std::vector<RowProps> rowProps;
    std::vector<RowLayout> layouts;
    for (const TableRow& row : t.rows) {
        RowProps rp = style.row;
        overlay(rp, row.props);
        layouts.push_back(layoutOf(row, rp));
        rowProps.push_back(std::move(rp));
    }
    // The grid as the document states it (the layout sizes the columns from
    // it and the preferred widths); the cells' content is converted at the
    // widths of a grid completed where it is missing.
    for (int w : t.gridTwips) out.gridPt.push_back(std::max(0.0, twipsToPt(w)));
    const std::vector<double> grid = gridOf(t, layouts, props, available);
    const double tableWidth = std::accumulate(grid.begin(), grid.end(), 0.0);
    out.preferredWidth = preferred(props.width);
    // Word writes the grid its layout made of the table; other writers'
    // grids may be anything, and Word lays their tables out afresh.
    out.widthRule = t.savedByWord && !out.gridPt.empty() ? model::TableWidthRule::Grid
                    : props.layout.value_or("autofit") == "fixed" ? model::TableWidthRule::Fixed
                                                                  : model::TableWidthRule::AutoFit;

    const std::string jc = props.justification.value_or("left");
    out.alignment = jc == "center" ? model::Alignment::Center
                    : (jc == "right" || jc == "end") ? model::Alignment::Right
                                                     : model::Alignment::Left;
    out.cellMargins = marginsOf(props.cellMargins, model::CellMargins{});
    // Spacing given for the rows (older writers) stands for the table's when it has none.
    std::optional<double> spacing = twipsOf(props.cellSpacing);
    if (!spacing && !rowProps.empty()) spacing = twipsOf(rowProps.front().cellSpacing);
    out.cellSpacingPt = std::max(0.0, spacing.value_or(0.0));
    out.shading = shading(props.shading);
    const BorderSet& tb = props.borders;
    model::Border* sides[6] = {&out.borders.top, &out.borders.left, &out.borders.bottom,
                               &out.borders.right, &out.borders.insideH, &out.borders.insideV};
    const model::Boxed<BorderSpec>* given[6] = {&tb.top, &tb.left, &tb.bottom, &tb.right, &tb.insideH, &tb.insideV};
    for (int i = 0; i < 6; ++i)
        if (*given[i]) *sides[i] = border(**given[i]);

    const int look = props.look.value_or(0);
    const int rowBand = props.rowBandSize.value_or(1), colBand = props.colBandSize.value_or(1);
    const int rows = static_cast<int>(t.rows.size());
    for (int r = 0; r < rows; ++r) {
        const RowProps& rp = rowProps[static_cast<std::size_t>(r)];
        const RowLayout& layout = layouts[static_cast<std::size_t>(r)];
        model::TableRow row;
        row.gridBefore = rp.gridBefore.value_or(0);
        row.gridAfter = rp.gridAfter.value_or(0);
        row.widthBefore = preferred(rp.widthBefore);
        row.widthAfter = preferred(rp.widthAfter);
        row.header = rp.header.value_or(false);
        row.cantSplit = rp.cantSplit.value_or(false);
        if (rp.height && *rp.height > 0) {
            const std::string rule = rp.heightRule.value_or("atLeast");
            row.heightRule = rule == "exact" ? model::RowHeightRule::Exact
                             : rule == "auto" ? model::RowHeightRule::Auto
                                              : model::RowHeightRule::AtLeast;
            row.heightPt = twipsToPt(*rp.height);
        }
        const int cols = static_cast<int>(layout.groups.size());
        std::size_t column = static_cast<std::size_t>(row.gridBefore);
        for (int c = 0; c < cols; ++c) {
            const auto& group = layout.groups[static_cast<std::size_t>(c)];
            const std::vector<std::string> regions = regionsOf(r, rows, c, cols, look, rowBand, colBand);
            const Position at{r == 0, r == rows - 1, c == 0, c == cols - 1};
            CellProps cp = style.cell;
            model::TableCell cell;
            applyBorders(cell.borders, style.cell.borders, RegionShape::Whole, at);
            PropertyResolver::TableLayers layers = style.layers;
            for (const std::string& name : regions) {
                const auto found = style.regions.find(name);
                if (found == style.regions.end()) continue;
                overlay(cp, found->second.cell);
                applyBorders(cell.borders, found->second.cell.borders, shapeOf(name), at);
                layers.para.push_back(&found->second.paraProps);
                layers.run.push_back(&found->second.runProps);
            }
            if (rp.exceptionBorders) applyBorders(cell.borders, *rp.exceptionBorders, RegionShape::Whole, at);
            const CellProps& direct = group.front()->props;
            overlay(cp, direct);
            applyBorders(cell.borders, direct.borders, RegionShape::Corner, at);

            int span = 0;
            for (const TableCell* part : group) span += part->props.gridSpan.value_or(1);
            cell.gridSpan = std::max(1, span);
            const std::string vm = direct.vMerge.value_or("");
            cell.verticalMerge = vm == "restart"    ? model::VerticalMerge::Restart
                                 : vm.empty()       ? model::VerticalMerge::None
                                                    : model::VerticalMerge::Continue;
            cell.preferredWidth = preferred(direct.width);
            if (auto w = twipsOf(direct.width); w && *w > 0) cell.widthPt = *w;
            else if (direct.width && direct.width->type == "pct" && direct.width->value > 0)
                cell.widthPt = tableWidth * direct.width->value / 5000.0;
            cell.shading = shading(cp.shading);
            if (anyMargin(cp.margins)) cell.margins = marginsOf(cp.margins, out.cellMargins);
            const std::string va = cp.vAlign.value_or("top");
            cell.verticalAlignment = va == "center" ? model::VerticalAlignment::Center
                                     : va == "bottom" ? model::VerticalAlignment::Bottom
                                                      : model::VerticalAlignment::Top;

            double width = 0.0;
            for (std::size_t i = column; i < column + static_cast<std::size_t>(cell.gridSpan) && i < grid.size(); ++i)
                width += grid[i];
            column += static_cast<std::size_t>(cell.gridSpan);
            const model::CellMargins& m = cell.margins ? *cell.margins : out.cellMargins;
            const double inner = std::max(0.0, width - m.leftPt - m.rightPt);

            const PropertyResolver::TableLayers previous = resolver_.setTableLayers(layers);
            for (std::size_t i = 0; i < group.size(); ++i) {
                std::vector<model::Block> blocks;
                content(group[i]->blocks, blocks, inner);
                // A page break means nothing inside a table cell.
                std::erase_if(blocks, [](const model::Block& b) { return std::holds_alternative<model::PageBreak>(b); });
                if (i > 0 && !word::holdsContent(blocks)) continue;
                for (auto& b : blocks) cell.blocks.push_back(std::move(b));
            }
            resolver_.setTableLayers(previous);
            row.cells.push_back(std::move(cell));
        }
        // A row with fewer cells than the grid has leaves the rest empty, as in Word.
        row.gridAfter += std::max(0, static_cast<int>(grid.size()) - static_cast<int>(column) - row.gridAfter);
        out.rows.push_back(std::move(row));
    }

    // Word measures a table's indent to the text of its first cell before
    // the 2013 compatibility mode, to the cell's edge from then on.
    if (auto indent = twipsOf(props.indent)) out.indentPt = *indent;
    if (compatibilityMode_ < 15 && !out.rows.empty() && !out.rows.front().cells.empty()) {
        const auto& first = out.rows.front().cells.front();
        out.indentPt -= first.margins ? first.margins->leftPt : out.cellMargins.leftPt;
    }
    word::settleVerticalMerges(out);
    return out;
}

} // namespace fq::docx
