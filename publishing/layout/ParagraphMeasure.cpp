// Line breaking and line heights for one paragraph.
#include "publishing/layout/ParagraphMeasure.h"
#include "publishing/model/Budget.h"

#include "publishing/layout/FontResolver.h"

#include <QFontMetricsF>
#include <QList>
#include <QTextCharFormat>
#include <QTextLayout>
#include <QTextOption>

#include <algorithm>
#include <cmath>

namespace fq::layout {

namespace {

constexpr double kDefaultTabPt = 36.0;
constexpr double kMinLineWidthPt = 12.0;
// The text layout works in the measuring fonts' units (FontResolver).
constexpr double kUnits = FontResolver::kUnitsPerPoint;

// Lengths from a document may be anything; unusable ones count as zero.
double finite(double v) { return std::isfinite(v) ? v : 0.0; }

constexpr double kMaxLineHeightPt = 10000.0;

double spacedHeight(double natural, const model::LineSpacing& spacing) {
    using Rule = model::LineSpacing::Rule;
    const double value = finite(spacing.value);
    double h = natural;
    switch (spacing.rule) {
    case Rule::Multiple: h = value > 0.0 ? natural * value : natural; break;
    case Rule::Exact: h = value > 0.0 ? value : natural; break;
    case Rule::AtLeast: h = std::max(natural, value); break;
    }
    return std::min(h, kMaxLineHeightPt);
}

// Characters that end a line inside a paragraph become Qt's line separator;
// every replacement keeps the text's length, so offsets stay valid.
void appendRunText(QString& text, const std::string& utf8) {
    const int from = text.size();
    text += QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    for (int i = from; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c == u'\n' || c == u'\r' || c == u'\v' || c == u'\f') text[i] = QChar::LineSeparator;
    }
}

QTextOption paragraphOption(const model::ParaProps& props) {
    QTextOption option;
    option.setUseDesignMetrics(true);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    option.setTabStopDistance(kDefaultTabPt * kUnits);
    QList<QTextOption::Tab> tabs;
    // A hanging first line jumps to the left indent at its first tab.
    if (props.firstLineIndentPt < 0.0) tabs.append(QTextOption::Tab(0.0, QTextOption::LeftTab));
    for (double stop : props.tabStopsPt) {
        if (stop > 0.0 && std::isfinite(stop)) tabs.append(QTextOption::Tab(stop * kUnits, QTextOption::LeftTab));
    }
    std::sort(tabs.begin(), tabs.end(),
              [](const QTextOption::Tab& a, const QTextOption::Tab& b) { return a.position < b.position; });
    if (!tabs.isEmpty()) option.setTabs(tabs);
    return option;
}

} // namespace

const model::CharProps& markProps(const model::Paragraph& paragraph) {
    static const model::CharProps defaults;
    return paragraph.runs.empty() ? defaults : paragraph.runs.front().props;
}

MeasuredParagraph measureParagraph(const model::Paragraph& paragraph, double widthPt) {
    FontResolver& fonts = FontResolver::instance();
    const model::ParaProps& props = paragraph.props;
    MeasuredParagraph out;
    out.runStarts.reserve(paragraph.runs.size());

    QList<QTextLayout::FormatRange> formats;
    bool oneFont = true;
    double ratio = 1.0;                     // the largest line-height ratio of the paragraph's fonts
    for (const auto& run : paragraph.runs) {
        const int start = out.text.size();
        out.runStarts.push_back(start);
        appendRunText(out.text, run.text);
        if (!(run.props == paragraph.runs.front().props)) oneFont = false;
        if (out.text.size() > start) {
            QTextLayout::FormatRange range;
            range.start = start;
            range.length = out.text.size() - start;
            const QFont& font = fonts.font(run.props);
            range.format.setFont(font);
            formats.append(range);
            ratio = std::max(ratio, fonts.lineHeightRatio(font));
        }
    }

    const QFont& baseFont = fonts.font(markProps(paragraph));
    if (out.text.isEmpty()) {
        const QFontMetricsF metrics(baseFont);
        const double natural = (metrics.ascent() + metrics.descent()) / kUnits * fonts.lineHeightRatio(baseFont);
        out.lines.push_back({0, 0, spacedHeight(natural, props.lineSpacing)});
        return out;
    }

    QTextLayout layout(out.text, baseFont);
    layout.setTextOption(paragraphOption(props));
    if (!oneFont) layout.setFormats(formats);
    layout.setCacheEnabled(false);

    const double left = std::max(0.0, finite(props.leftIndentPt));
    const double inner = widthPt - left - std::max(0.0, finite(props.rightIndentPt));
    const double firstX = std::max(finite(props.firstLineIndentPt), -left);
    const double restWidth = std::max(kMinLineWidthPt, inner);
    const double firstWidth = std::max(kMinLineWidthPt, inner - firstX);

    layout.beginLayout();
    const int total = out.text.size();
    int consumed = 0;
    while (consumed < total) {
        model::checkBudget();
        QTextLine line = layout.createLine();
        if (!line.isValid()) break;
        const bool first = out.lines.empty();
        line.setPosition(QPointF(first ? firstX * kUnits : 0.0, 0.0));
        line.setLineWidth((first ? firstWidth : restWidth) * kUnits);
        const int start = line.textStart();
        const int length = line.textLength();
        if (length <= 0) break;
        const double natural = (line.ascent() + line.descent()) / kUnits * ratio;
        out.lines.push_back({start, length, spacedHeight(natural, props.lineSpacing)});
        consumed = start + length;
    }
    layout.endLayout();

    if (out.lines.empty()) {
        const QFontMetricsF metrics(baseFont);
        out.lines.push_back({0, total, spacedHeight(metrics.height() / kUnits * ratio, props.lineSpacing)});
    } else if (consumed < total) {
        // Whatever the layout did not place stays on the last line.
        out.lines.back().length = total - out.lines.back().start;
    }
    return out;
}

double linesHeight(const MeasuredParagraph& measured, std::size_t first) {
    double h = 0.0;
    for (std::size_t i = first; i < measured.lines.size(); ++i) h += measured.lines[i].heightPt;
    return h;
}

} // namespace fq::layout
