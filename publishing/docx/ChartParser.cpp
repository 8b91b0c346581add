// Chart parts.
#include "publishing/docx/ChartParser.h"

#include "publishing/docx/DrawingMl.h"
#include "publishing/docx/XmlUtil.h"

#include <cmath>
#include <cstdlib>
#include <limits>

namespace fq::docx {

namespace {

constexpr std::string_view kPlots[] = {"barChart",   "bar3DChart",   "lineChart",  "line3DChart",  "pieChart",
                                       "pie3DChart", "ofPieChart",   "doughnutChart", "areaChart", "area3DChart",
                                       "scatterChart", "bubbleChart", "radarChart", "stockChart", "surfaceChart",
                                       "surface3DChart"};

// The cached points of a reference or literal (strCache, numCache, strLit,
// numLit; multi-level categories give their first level), by index.
std::vector<std::string> cachedPoints(const pugi::xml_node& holder) {
    pugi::xml_node cache;
    for (pugi::xml_node c = holder.first_child(); c && !cache; c = c.next_sibling()) {
        const std::string_view n = xml::localName(c);
        if (n == "strRef" || n == "numRef") cache = xml::child(c, n == "strRef" ? "strCache" : "numCache");
        else if (n == "strLit" || n == "numLit") cache = c;
        else if (n == "multiLvlStrRef") cache = xml::child(xml::child(c, "multiLvlStrCache"), "lvl");
    }
    std::vector<std::string> out;
    const int count = xml::int32(xml::child(cache, "ptCount"), "val").value_or(0);
    if (count > 0 && count < 100000) out.resize(static_cast<std::size_t>(count));
    for (pugi::xml_node pt = cache.first_child(); pt; pt = pt.next_sibling()) {
        if (!xml::is(pt, "pt")) continue;
        const int idx = xml::int32(pt, "idx").value_or(-1);
        if (idx < 0 || idx >= 100000) continue;
        if (static_cast<std::size_t>(idx) >= out.size()) out.resize(static_cast<std::size_t>(idx) + 1);
        out[static_cast<std::size_t>(idx)] = xml::child(pt, "v").text().get();
    }
    return out;
}

std::vector<double> numbers(const std::vector<std::string>& points) {
    std::vector<double> out;
    for (const auto& p : points) {
        char* end = nullptr;
        const double v = std::strtod(p.c_str(), &end);
        out.push_back(end == p.c_str() ? std::numeric_limits<double>::quiet_NaN() : v);
    }
    return out;
}

std::string richText(const pugi::xml_node& tx) { return xml::descendantText(tx, "t"); }

const PartResolver noPictures = [](const std::string&) { return std::string(); };

} // namespace

ChartPart parseChartPart(const pugi::xml_node& chartSpace) {
    ChartPart c;
    pugi::xml_node chart = xml::child(chartSpace, "chart");
    pugi::xml_node title = xml::child(chart, "title");
    if (title) c.title = richText(xml::child(title, "tx"));
    if (pugi::xml_node legend = xml::child(chart, "legend")) {
        c.legend = true;
        c.legendPosition = xml::text(xml::child(legend, "legendPos"), "val").value_or("r");
    }
    pugi::xml_node plotArea = xml::child(chart, "plotArea");
    pugi::xml_node plot;
    for (pugi::xml_node n = plotArea.first_child(); n && !plot; n = n.next_sibling())
        for (std::string_view name : kPlots)
            if (xml::localName(n) == name) plot = n;
    if (!plot) return c;
    c.plot = std::string(xml::localName(plot));
    c.barDirection = xml::text(xml::child(plot, "barDir"), "val").value_or("col");
    c.grouping = xml::text(xml::child(plot, "grouping"), "val").value_or("clustered");
    c.scatterStyle = xml::text(xml::child(plot, "scatterStyle"), "val").value_or("");
    for (pugi::xml_node ser = plot.first_child(); ser; ser = ser.next_sibling()) {
        if (!xml::is(ser, "ser")) continue;
        ChartSeries s;
        pugi::xml_node tx = xml::child(ser, "tx");
        const auto name = cachedPoints(tx);
        s.name = !name.empty() ? name.front() : xml::child(tx, "v").text().get();
        s.categories = cachedPoints(xml::child(ser, "cat"));
        s.values = numbers(cachedPoints(xml::child(ser, "val")));
        if (pugi::xml_node x = xml::child(ser, "xVal")) {
            s.xValues = numbers(cachedPoints(x));
            s.categories.clear();
        }
        if (pugi::xml_node y = xml::child(ser, "yVal")) s.values = numbers(cachedPoints(y));
        pugi::xml_node spPr = xml::child(ser, "spPr");
        s.fill = parseDmlFill(spPr, noPictures);
        s.line = parseDmlLine(xml::child(spPr, "ln"), noPictures);
        for (pugi::xml_node dpt = ser.first_child(); dpt; dpt = dpt.next_sibling())
            if (xml::is(dpt, "dPt"))
                s.pointFills.emplace_back(xml::int32(xml::child(dpt, "idx"), "val").value_or(0),
                                          parseDmlFill(xml::child(dpt, "spPr"), noPictures));
        c.series.push_back(std::move(s));
    }
    // A title without text of its own: the only series' name, else Word's default.
    if (title && c.title.empty()) c.title = c.series.size() == 1 && !c.series[0].name.empty() ? c.series[0].name : "Chart Title";
    return c;
}

} // namespace fq::docx
