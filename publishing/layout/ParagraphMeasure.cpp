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

// Word lays lines out in whole twentieths of a point.
double twentieths(double pt) { return std::round(pt * 20.0) / 20.0; }

double spacedHeight(double natural, const model::LineSpacing& spacing) {
    using Rule = model::LineSpacing::Rule;
    const double value = finite(spacing.value);
    double h = natural;
    switch (spacing.rule) {
    case Rule::Multiple: h = value > 0.0 ? twentieths(natural * value) : natural; break;
    case Rule::Exact: h = value > 0.0 ? value : natural; break;
    case Rule::AtLeast: h = std::max(natural, value); break;
    }
    return std::min(h, kMaxLineHeightPt);
}

MeasuredLine measuredLine(int start, int length, double natural, double descent, const model::LineSpacing& spacing) {
    MeasuredLine line{start, length, spacedHeight(natural, spacing), natural};
    line.descentPt = descent;
    if (spacing.rule == model::LineSpacing::Rule::Multiple) line.textDropPt = std::max(0.0, line.heightPt - natural);
    return line;
}

// The room a run of text takes above and below the baseline of its line, in
// whole twentieths of a point as Word counts them.
struct RunExtent {
    int start = 0, end = 0;                 // UTF-16 offsets of the run
    double up = 0.0, down = 0.0;
};

RunExtent runExtent(FontResolver& fonts, const model::Run& run, int start, int end) {
    const double size = FontResolver::effectiveSizePt(run.props);
    const FontResolver::LineMetrics m = fonts.lineMetrics(fonts.font(run.props));
    RunExtent e{start, end, twentieths(m.ascent * size), twentieths(m.descent * size)};
    // A picture stands on the baseline: all of its height is above it.
    if (run.picture && std::isfinite(run.picture->heightPt))
        e.up = std::max(e.up, twentieths(std::min(run.picture->heightPt, kMaxLineHeightPt)));
    return e;
}

// A single line's room above and below the baseline: the most any of its
// runs takes.
RunExtent lineExtent(const std::vector<RunExtent>& extents, int from, int to, const RunExtent& fallback) {
    RunExtent line{from, to};
    for (const RunExtent& e : extents) {
        if (e.end <= from || e.start >= to) continue;
        line.up = std::max(line.up, e.up);
        line.down = std::max(line.down, e.down);
    }
    return line.up + line.down > 0.0 ? line : fallback;
}

MeasuredLine measuredLine(int start, int length, const RunExtent& extent, const model::LineSpacing& spacing) {
    return measuredLine(start, length, extent.up + extent.down, extent.down, spacing);
}

// Where text at x of the line stands once the line is aligned: readers
// centre or right-align the text without its trailing spaces and widen
// the spaces of a justified line but the paragraph's last.
double alignedX(const QTextLine& line, const QString& text, int pos, model::Alignment alignment, bool last) {
    const double x = line.cursorToX(pos);
    const double room = std::max(0.0, line.width() - line.naturalTextWidth());
    switch (alignment) {
    case model::Alignment::Center: return x + room / 2.0;
    case model::Alignment::Right: return x + room;
    case model::Alignment::Justify: {
        const int end = line.textStart() + line.textLength();
        if (last || (end > 0 && text[end - 1] == QChar::LineSeparator)) return x;
        int trailing = end;
        while (trailing > line.textStart() && text[trailing - 1] == u' ') --trailing;
        int before = 0, all = 0;
        for (int i = line.textStart(); i < trailing; ++i) {
            if (text[i] != u' ') continue;
            ++all;
            if (i < pos) ++before;
        }
        return all > 0 ? x + room * before / all : x;
    }
    case model::Alignment::Left: break;
    }
    return x;
}

// On a line grid a single line takes whole cells of the grid's pitch.
void snapToGrid(MeasuredParagraph& m, const model::ParaProps& props, double pitch) {
    if (!(pitch > 0.0) || !std::isfinite(pitch) || !props.snapToGrid ||
        props.lineSpacing.rule != model::LineSpacing::Rule::Multiple)
        return;
    for (MeasuredLine& line : m.lines) {
        const double cells = std::max(1.0, std::ceil(line.naturalPt / pitch - 0.001));
        line = measuredLine(line.start, line.length, cells * pitch, line.descentPt, props.lineSpacing);
    }
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

QTextOption::Tab qtTab(const model::TabStop& stop) {
    switch (stop.alignment) {
    case model::TabAlignment::Center: return QTextOption::Tab(stop.positionPt, QTextOption::CenterTab);
    case model::TabAlignment::Right: return QTextOption::Tab(stop.positionPt, QTextOption::RightTab);
    case model::TabAlignment::Decimal: return QTextOption::Tab(stop.positionPt, QTextOption::DelimiterTab, QChar('.'));
    case model::TabAlignment::Left: break;
    }
    return QTextOption::Tab(stop.positionPt, QTextOption::LeftTab);
}

// Set stops as the paragraph gives them; after the last one Word's default
// stops every half inch from the text area's left edge (the model's stops
// count from the left indent).
QTextOption paragraphOption(const model::ParaProps& props, double widthPt) {
    QTextOption option;
    option.setUseDesignMetrics(true);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    option.setTabStopDistance(kDefaultTabPt * kUnits);
    QList<QTextOption::Tab> tabs;
    // A hanging first line jumps to the left indent at its first tab.
    if (props.firstLineIndentPt < 0.0) tabs.append(QTextOption::Tab(0.0, QTextOption::LeftTab));
    if (!props.tabs.empty()) {
        for (const model::TabStop& stop : props.tabs)
            if (stop.positionPt > 0.0 && std::isfinite(stop.positionPt)) tabs.append(qtTab(stop));
    } else {
        for (double stop : props.tabStopsPt)
            if (stop > 0.0 && std::isfinite(stop)) tabs.append(QTextOption::Tab(stop, QTextOption::LeftTab));
    }
    std::sort(tabs.begin(), tabs.end(),
              [](const QTextOption::Tab& a, const QTextOption::Tab& b) { return a.position < b.position; });
    const double left = std::max(0.0, finite(props.leftIndentPt));
    const double last = tabs.isEmpty() ? -left : tabs.back().position;
    const double limit = std::min(std::max(widthPt, 0.0), 20000.0) + kDefaultTabPt;
    for (double x = std::floor((last + left) / kDefaultTabPt + 1.0) * kDefaultTabPt; x - left <= limit; x += kDefaultTabPt)
        if (x - left > 0.0) tabs.append(QTextOption::Tab(x - left, QTextOption::LeftTab));
    for (QTextOption::Tab& tab : tabs) tab.position *= kUnits;
    if (!tabs.isEmpty()) option.setTabs(tabs);
    return option;
}

} // namespace

const model::CharProps& markProps(const model::Paragraph& paragraph) {
    static const model::CharProps defaults;
    return paragraph.runs.empty() ? defaults : paragraph.runs.front().props;
}

MeasuredParagraph measureParagraph(const model::Paragraph& paragraph, double widthPt, double gridPitchPt) {
    FontResolver& fonts = FontResolver::instance();
    const model::ParaProps& props = paragraph.props;
    MeasuredParagraph out;
    out.runStarts.reserve(paragraph.runs.size());

    QList<QTextLayout::FormatRange> formats;
    std::vector<RunExtent> extents;
    bool oneFont = true;
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
            extents.push_back(runExtent(fonts, run, start, out.text.size()));
        }
    }

    const model::CharProps& mark = markProps(paragraph);
    const QFont& baseFont = fonts.font(mark);
    const RunExtent markExtent = runExtent(fonts, model::Run{std::string(), mark}, 0, 0);
    if (out.text.isEmpty()) {
        out.lines.push_back(measuredLine(0, 0, markExtent, props.lineSpacing));
        snapToGrid(out, props, gridPitchPt);
        return out;
    }

    QTextLayout layout(out.text, baseFont);
    layout.setTextOption(paragraphOption(props, widthPt));
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
        out.lines.push_back(measuredLine(start, length, lineExtent(extents, start, start + length, markExtent), props.lineSpacing));
        for (std::size_t r = 0; r < paragraph.runs.size(); ++r) {
            const int at = out.runStarts[r];
            if (!paragraph.runs[r].picture || at < start || at >= start + length) continue;
            const bool last = start + length >= total;
            out.pictures.push_back({r, out.lines.size() - 1, alignedX(line, out.text, at, props.alignment, last) / kUnits});
        }
        for (int pos = start; pos < start + length; ++pos)
            if (out.text[pos] == u'\t') out.tabs.push_back({pos, line.cursorToX(pos) / kUnits, line.cursorToX(pos + 1) / kUnits});
        consumed = start + length;
    }
    layout.endLayout();

    if (out.lines.empty()) {
        out.lines.push_back(measuredLine(0, total, lineExtent(extents, 0, total, markExtent), props.lineSpacing));
    } else if (consumed < total) {
        // Whatever the layout did not place stays on the last line.
        out.lines.back().length = total - out.lines.back().start;
    }
    snapToGrid(out, props, gridPitchPt);
    return out;
}

double linesHeight(const MeasuredParagraph& measured, std::size_t first) {
    double h = 0.0;
    for (std::size_t i = first; i < measured.lines.size(); ++i) h += measured.lines[i].heightPt;
    return h;
}

} // namespace fq::layout
