// A chart as its document stores it for showing: the kind of plot, the
// title, and each series with its name, categories, values (and x values
// for scatter plots) and colour; with the way bars and areas stack.
#pragma once

#include "publishing/model/Document.h"

#include <optional>
#include <string>
#include <vector>

namespace fq::chart {

enum class Kind { Column, Bar, Line, Area, Pie, Doughnut, Scatter, Other };

struct Series {
    std::string name;
    std::vector<std::string> categories;
    std::vector<double> values;            // NaN where a value is missing
    std::vector<double> xValues;           // scatter plots
    std::optional<model::Color> color;     // the series' own colour
    std::vector<std::optional<model::Color>> pointColors;   // pie slices given their own colours
};

enum class Grouping { Clustered, Stacked, PercentStacked };

struct Chart {
    Kind kind = Kind::Other;
    std::string kindName;                  // the chart element's name, for what is not drawn
    std::string title;
    Grouping grouping = Grouping::Clustered;
    bool legend = false;
    std::string legendPosition = "r";      // r, l, t, b
    bool markers = true;                   // line and scatter plots
    std::vector<Series> series;
    std::vector<model::Color> palette;     // colours for series without their own (theme accents)

    bool drawable() const { return kind != Kind::Other && !series.empty(); }
};

// The categories of the chart: those of the first series that has them,
// else 1, 2, 3 ...
std::vector<std::string> categories(const Chart& chart);

// Draws the chart into a PNG of widthPt x heightPt at the given resolution;
// empty when it cannot be drawn (Other kinds, no values). Needs a
// QGuiApplication (fonts).
std::vector<std::uint8_t> renderChart(const Chart& chart, double widthPt, double heightPt, double dpi = 150.0);

} // namespace fq::chart
