// Measuring the narrowest and widest setting of a cell's content.
#include "publishing/layout/CellWidths.h"
#include "publishing/model/Budget.h"

#include "publishing/layout/FontResolver.h"
#include "publishing/layout/PageBuilder.h"
#include "publishing/layout/ParagraphMeasure.h"

#include <QTextLayout>
#include <QTextOption>

#include <algorithm>
#include <cmath>

namespace fq::layout {

namespace {

constexpr double kDefaultTabPt = 36.0;
constexpr double kUnits = FontResolver::kUnitsPerPoint;
constexpr double kLimitPt = 100000.0;
constexpr double kLongestLinePt = 20000.0;   // within what the text layout's fixed-point lengths hold

double indent(double v) { return std::isfinite(v) ? std::clamp(v, -kLimitPt, kLimitPt) : 0.0; }

// The widest line of the layout, the first line set off by firstX.
double widestLine(QTextLayout& layout, double lineWidth, double firstX) {
    double widest = 0.0;
    layout.beginLayout();
    for (bool first = true;; first = false) {
        model::checkBudget();
        QTextLine line = layout.createLine();
        if (!line.isValid()) break;
        line.setLineWidth(lineWidth);
        if (line.textLength() <= 0) break;
        widest = std::max(widest, line.naturalTextWidth() / kUnits + (first ? firstX : 0.0));
    }
    layout.endLayout();
    return widest;
}

} // namespace

ContentWidths paragraphWidths(const model::Paragraph& paragraph) {
    FontResolver& fonts = FontResolver::instance();
    QString text;
    QList<QTextLayout::FormatRange> formats;
    for (const auto& run : paragraph.runs) {
        const int start = text.size();
        text += QString::fromUtf8(run.text.data(), static_cast<qsizetype>(run.text.size()));
        for (int i = start; i < text.size(); ++i) {
            const char16_t c = text[i].unicode();
            if (c == u'\n' || c == u'\r' || c == u'\v' || c == u'\f') text[i] = QChar::LineSeparator;
        }
        if (text.size() > start) {
            QTextLayout::FormatRange range;
            range.start = start;
            range.length = text.size() - start;
            range.format.setFont(fonts.font(run.props));
            formats.append(range);
        }
    }
    const model::ParaProps& props = paragraph.props;
    const double sides = std::max(0.0, indent(props.leftIndentPt)) + std::max(0.0, indent(props.rightIndentPt));
    const double firstX = std::max(0.0, indent(props.firstLineIndentPt));
    if (text.isEmpty()) return {sides + firstX, sides + firstX};

    QTextLayout layout(text, fonts.font(markProps(paragraph)));
    layout.setFormats(formats);
    layout.setCacheEnabled(true);
    QTextOption option;
    option.setUseDesignMetrics(true);
    option.setTabStopDistance(kDefaultTabPt * kUnits);
    QList<QTextOption::Tab> tabs;
    for (double stop : props.tabStopsPt)
        if (stop > 0.0 && std::isfinite(stop)) tabs.append(QTextOption::Tab(std::min(stop, kLimitPt) * kUnits, QTextOption::LeftTab));
    std::sort(tabs.begin(), tabs.end(), [](const auto& a, const auto& b) { return a.position < b.position; });
    if (!tabs.isEmpty()) option.setTabs(tabs);

    // Widest: lines as long as they get. Narrowest: a line per word.
    option.setWrapMode(QTextOption::ManualWrap);
    layout.setTextOption(option);
    const double widest = widestLine(layout, kLongestLinePt * kUnits, firstX);
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    const double narrowest = widestLine(layout, 0.0, firstX);
    return {sides + narrowest, sides + std::max(widest, narrowest)};
}

ContentWidths blocksWidths(const std::vector<model::Block>& blocks) {
    ContentWidths out;
    auto take = [&out](const ContentWidths& w) {
        out.minPt = std::max(out.minPt, w.minPt);
        out.maxPt = std::max(out.maxPt, w.maxPt);
    };
    for (const auto& block : blocks) {
        if (const auto* p = std::get_if<model::Paragraph>(&block)) {
            take(paragraphWidths(*p));
        } else if (const auto* pic = std::get_if<model::Picture>(&block)) {
            if (pic->anchor) continue;
            const double w = std::min(pictureSize(*pic).widthPt, kLimitPt);
            take({w, w});
        } else if (const auto* table = std::get_if<model::Table>(&block)) {
            double w = 0.0;
            for (double g : table->gridPt)
                if (std::isfinite(g) && g > 0.0) w += g;
            if (w <= 0.0)
                for (const auto& row : table->rows)
                    for (const auto& cell : row.cells) w = std::max(w, blocksWidths(cell.blocks).maxPt);
            w = std::min(w, kLimitPt);
            take({w, w});
        } else if (const auto* shape = std::get_if<model::DrawingShape>(&block)) {
            if (shape->anchor) continue;
            const double w = std::isfinite(shape->widthPt) ? std::clamp(shape->widthPt, 0.0, kLimitPt) : 0.0;
            take({w, w});
        }
    }
    return out;
}

} // namespace fq::layout
