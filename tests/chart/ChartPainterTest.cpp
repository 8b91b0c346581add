// Charts drawn from their values: every kind that is drawn gives a picture
// of the asked size that shows its series' colours where the values put
// them; what is not drawn gives none.
#include "publishing/chart/Chart.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cmath>

using namespace fq;

namespace {

chart::Chart twoSeries(chart::Kind kind) {
    chart::Chart c;
    c.kind = kind;
    c.title = "Title";
    c.legend = true;
    chart::Series a, b;
    a.name = "A";
    b.name = "B";
    a.categories = b.categories = {"x", "y", "z"};
    a.values = {1, 4, 2};
    b.values = {3, std::nan(""), 5};
    a.xValues = b.xValues = {1, 2, 3};
    a.color = model::Color{255, 0, 0};
    b.color = model::Color{0, 0, 255};
    c.series = {a, b};
    return c;
}

struct Counts {
    int red = 0, blue = 0;
    double redX = 0, redY = 0;    // centre of the red pixels
};

Counts count(const QImage& image) {
    Counts c;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor p = image.pixelColor(x, y);
            if (p.red() > 200 && p.green() < 60 && p.blue() < 60) {
                ++c.red;
                c.redX += x;
                c.redY += y;
            }
            c.blue += p.blue() > 200 && p.red() < 60 && p.green() < 60;
        }
    if (c.red) {
        c.redX /= c.red;
        c.redY /= c.red;
    }
    return c;
}

QImage render(const chart::Chart& c, double w = 288, double h = 216) {
    const auto png = chart::renderChart(c, w, h, 72);
    QImage image;
    image.loadFromData(png.data(), static_cast<int>(png.size()), "PNG");
    return image;
}

} // namespace

TEST(ChartPainter, EveryDrawnKindShowsItsSeries) {
    using K = chart::Kind;
    for (K kind : {K::Column, K::Bar, K::Line, K::Area, K::Scatter}) {
        SCOPED_TRACE(static_cast<int>(kind));
        const QImage image = render(twoSeries(kind));
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.width(), 288);
        EXPECT_EQ(image.height(), 216);
        const Counts c = count(image);
        EXPECT_GT(c.red, 40);
        EXPECT_GT(c.blue, 40);
    }
}

TEST(ChartPainter, PiesTakeTheirSlicesColoursAndStackedBarsTheirHeights) {
    auto pie = twoSeries(chart::Kind::Pie);
    pie.series.resize(1);
    pie.series[0].values = {3, 1};
    pie.series[0].pointColors = {model::Color{255, 0, 0}, model::Color{0, 0, 255}};
    const Counts p = count(render(pie));
    // Three quarters red, a quarter blue.
    ASSERT_GT(p.blue, 0);
    EXPECT_NEAR(static_cast<double>(p.red) / p.blue, 3.0, 0.4);
    auto doughnut = pie;
    doughnut.kind = chart::Kind::Doughnut;
    EXPECT_LT(count(render(doughnut)).red, p.red);

    // Stacked: B stands on A, so the red (A) stays near the axis.
    auto clustered = twoSeries(chart::Kind::Column);
    auto stacked = clustered;
    stacked.grouping = chart::Grouping::Stacked;
    const Counts c = count(render(clustered)), s = count(render(stacked));
    EXPECT_GT(s.redY, c.redY);
    // Horizontal bars begin with the first category at the bottom.
    auto bars = twoSeries(chart::Kind::Bar);
    bars.series.resize(1);
    bars.series[0].values = {5, 0, 0};
    EXPECT_GT(count(render(bars)).redY, 216 / 2.0);
}

TEST(ChartPainter, WhatIsNotDrawnGivesNoPicture) {
    auto other = twoSeries(chart::Kind::Other);
    EXPECT_TRUE(chart::renderChart(other, 100, 100).empty());
    auto empty = twoSeries(chart::Kind::Line);
    empty.series.clear();
    EXPECT_TRUE(chart::renderChart(empty, 100, 100).empty());
    EXPECT_TRUE(chart::renderChart(twoSeries(chart::Kind::Line), 0, 100).empty());
}
