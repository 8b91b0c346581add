// Charts into pictures.
#include "publishing/docx/ChartConverter.h"

#include "publishing/chart/Chart.h"

#include <algorithm>

namespace fq::docx {

namespace {

chart::Kind kindOf(const ChartPart& c) {
    const std::string& p = c.plot;
    if (p == "barChart" || p == "bar3DChart") return c.barDirection == "bar" ? chart::Kind::Bar : chart::Kind::Column;
    if (p == "lineChart" || p == "line3DChart" || p == "stockChart") return chart::Kind::Line;
    if (p == "areaChart" || p == "area3DChart") return chart::Kind::Area;
    if (p == "pieChart" || p == "pie3DChart" || p == "ofPieChart") return chart::Kind::Pie;
    if (p == "doughnutChart") return chart::Kind::Doughnut;
    if (p == "scatterChart" || p == "bubbleChart") return chart::Kind::Scatter;
    return chart::Kind::Other;
}

std::optional<model::Color> fillColor(const DmlFill& f, const ShapeConverter& colors) {
    if (f.kind == DmlFill::Kind::Solid) return colors.color(f.color, {0, 0, 0});
    if (f.kind == DmlFill::Kind::Gradient && !f.stops.empty()) return colors.color(f.stops.front().second, {0, 0, 0});
    return std::nullopt;
}

} // namespace

model::Block chartBlock(const ChartPart& part, double widthPt, double heightPt, const ShapeConverter& colors,
                        const WordDocument& doc) {
    chart::Chart c;
    c.kind = kindOf(part);
    c.kindName = part.plot.empty() ? "chart" : part.plot;
    c.title = part.title;
    c.grouping = part.grouping == "stacked"          ? chart::Grouping::Stacked
                 : part.grouping == "percentStacked" ? chart::Grouping::PercentStacked
                                                     : chart::Grouping::Clustered;
    c.legend = part.legend;
    c.legendPosition = part.legendPosition.empty() ? "r" : part.legendPosition;
    c.markers = part.scatterStyle.find("Marker") != std::string::npos || part.scatterStyle.empty() ||
                part.scatterStyle == "marker";
    for (const char* accent : {"accent1", "accent2", "accent3", "accent4", "accent5", "accent6"}) {
        auto it = doc.theme.colors.find(accent);
        if (it != doc.theme.colors.end()) c.palette.push_back(colors.color({"srgbClr", it->second, {}}, {0, 0, 0}));
    }
    for (const ChartSeries& s : part.series) {
        chart::Series out;
        out.name = s.name;
        out.categories = s.categories;
        out.values = s.values;
        out.xValues = s.xValues;
        out.color = fillColor(s.fill, colors);
        // Lines are coloured by their line.
        if (c.kind == chart::Kind::Line || c.kind == chart::Kind::Scatter)
            if (auto line = fillColor(s.line.fill, colors)) out.color = line;
        for (const auto& [idx, fill] : s.pointFills) {
            if (idx < 0 || idx > 10000) continue;
            if (out.pointColors.size() <= static_cast<std::size_t>(idx)) out.pointColors.resize(static_cast<std::size_t>(idx) + 1);
            out.pointColors[static_cast<std::size_t>(idx)] = fillColor(fill, colors);
        }
        c.series.push_back(std::move(out));
    }
    std::vector<std::uint8_t> png = chart::renderChart(c, widthPt, heightPt);
    if (!png.empty()) {
        model::Picture pic;
        pic.format = model::ImageFormat::Png;
        pic.data = std::move(png);
        pic.widthPt = widthPt;
        pic.heightPt = heightPt;
        pic.description = c.title.empty() ? "Chart" : "Chart: " + c.title;
        return pic;
    }
    // A kind that is not drawn: a framed box of the chart's size that says so.
    model::DrawingShape box;
    box.widthPt = widthPt;
    box.heightPt = heightPt;
    box.textBox = true;
    box.line.visible = true;
    box.line.color = {128, 128, 128};
    box.textAlignment = model::VerticalAlignment::Center;
    model::Paragraph p;
    p.props.alignment = model::Alignment::Center;
    model::Run r;
    std::string kind = c.kindName;
    if (kind.size() > 5 && kind.substr(kind.size() - 5) == "Chart") kind.resize(kind.size() - 5);
    r.text = "[chart: " + kind + (c.title.empty() ? "" : " \u2013 " + c.title) + "]";
    r.props.color = model::Color{96, 96, 96};
    p.runs.push_back(std::move(r));
    box.text.push_back(std::move(p));
    return box;
}

} // namespace fq::docx
