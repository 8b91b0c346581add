// Drawing charts with QPainter: a title, a legend, and the plot (columns and
// bars clustered or stacked, lines, areas, pies and doughnuts, scatter
// plots) with its axes, gridlines and labels.
#include "publishing/chart/Chart.h"

#include <QBuffer>
#include <QByteArray>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <limits>

namespace fq::chart {

namespace {

// Office's default accents, for charts that name no colours.
const model::Color kAccents[] = {{0x4F, 0x81, 0xBD}, {0xC0, 0x50, 0x4D}, {0x9B, 0xBB, 0x59},
                                 {0x80, 0x64, 0xA2}, {0x4B, 0xAC, 0xC6}, {0xF7, 0x96, 0x46}};

QColor qcolor(const model::Color& c) { return QColor(c.r, c.g, c.b); }

QColor seriesColor(const Chart& chart, std::size_t i) {
    if (i < chart.series.size() && chart.series[i].color) return qcolor(*chart.series[i].color);
    const auto& palette = chart.palette;
    const model::Color base = palette.empty() ? kAccents[i % 6] : palette[i % palette.size()];
    QColor c = qcolor(base);
    // Past the palette Office darkens the accents.
    const std::size_t round = palette.empty() ? i / 6 : i / palette.size();
    return round ? c.darker(100 + 40 * static_cast<int>(round)) : c;
}

QColor pointColor(const Chart& chart, std::size_t point) {
    const Series& s = chart.series.front();
    if (point < s.pointColors.size() && s.pointColors[point]) return qcolor(*s.pointColors[point]);
    const auto& palette = chart.palette;
    return qcolor(palette.empty() ? kAccents[point % 6] : palette[point % palette.size()]);
}

bool finite(double v) { return std::isfinite(v); }

// Round numbers for an axis from lo to hi: the step and the ends.
void niceAxis(double lo, double hi, double& start, double& end, double& step) {
    if (!(hi > lo)) hi = lo + 1.0;
    const double raw = (hi - lo) / 5.0;
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    const double fraction = raw / magnitude;
    step = (fraction <= 1 ? 1 : fraction <= 2 ? 2 : fraction <= 2.5 ? 2.5 : fraction <= 5 ? 5 : 10) * magnitude;
    start = std::floor(lo / step) * step;
    end = std::ceil(hi / step) * step;
    if (end - start < step) end = start + step;
}

QString label(double v) {
    if (std::fabs(v) >= 1e6 || (std::fabs(v) < 1e-3 && v != 0)) return QString::number(v, 'g', 3);
    if (std::fabs(v - std::round(v)) < 1e-9) return QString::number(std::llround(v));
    QString text = QString::number(v, 'f', 2);
    while (text.endsWith('0')) text.chop(1);
    return text;
}

class Painter {
public:
    Painter(const Chart& chart, QPainter& p, QRectF area, double scale) : c_(chart), p_(p), area_(area), scale_(scale) {
        font_ = QFont(QStringLiteral("Liberation Sans"));
        font_.setPixelSize(std::max(6, static_cast<int>(std::lround(9.0 * scale_))));
    }
    void draw();

private:
    double value(std::size_t s, std::size_t i) const {
        const auto& v = c_.series[s].values;
        return i < v.size() && finite(v[i]) ? v[i] : 0.0;
    }
    std::size_t pointCount() const {
        std::size_t n = 0;
        for (const auto& s : c_.series) n = std::max(n, s.values.size());
        return n;
    }
    void title();
    void legend();
    void categoryPlot();
    void pie();
    void scatter();
    // Value axis of a category plot: from lo to hi along the plot's side.
    void valueAxis(double start, double end, double step, bool horizontal);

    const Chart& c_;
    QPainter& p_;
    QRectF area_;                           // what is left for the plot
    double scale_;
    QFont font_;
};

void Painter::title() {
    if (c_.title.empty()) return;
    QFont f = font_;
    f.setPixelSize(static_cast<int>(font_.pixelSize() * 1.4));
    f.setBold(true);
    p_.setFont(f);
    p_.setPen(Qt::black);
    const double h = QFontMetricsF(f).height() * 1.4;
    p_.drawText(QRectF(area_.left(), area_.top(), area_.width(), h), Qt::AlignCenter,
                QString::fromStdString(c_.title));
    area_.setTop(area_.top() + h);
}

void Painter::legend() {
    if (!c_.legend) return;
    const bool pieLike = c_.kind == Kind::Pie || c_.kind == Kind::Doughnut;
    std::vector<std::pair<QString, QColor>> entries;
    if (pieLike) {
        const auto cats = categories(c_);
        for (std::size_t i = 0; i < cats.size(); ++i) entries.emplace_back(QString::fromStdString(cats[i]), pointColor(c_, i));
    } else {
        for (std::size_t i = 0; i < c_.series.size(); ++i)
            entries.emplace_back(QString::fromStdString(c_.series[i].name.empty() ? "Series " + std::to_string(i + 1)
                                                                                  : c_.series[i].name),
                                 seriesColor(c_, i));
    }
    if (entries.empty()) return;
    p_.setFont(font_);
    const QFontMetricsF fm(font_);
    const double box = fm.height() * 0.7, gap = fm.height() * 0.4;
    const bool side = c_.legendPosition == "r" || c_.legendPosition == "l";
    if (side) {
        double w = 0;
        for (const auto& e : entries) w = std::max(w, fm.horizontalAdvance(e.first));
        w = std::min(w + box + 3 * gap, area_.width() * 0.4);
        const double h = entries.size() * fm.height() * 1.3;
        const double x = c_.legendPosition == "r" ? area_.right() - w : area_.left();
        double y = area_.center().y() - h / 2;
        for (const auto& [text, color] : entries) {
            p_.fillRect(QRectF(x + gap, y + (fm.height() - box) / 2, box, box), color);
            p_.setPen(Qt::black);
            p_.drawText(QRectF(x + box + 2 * gap, y, w - box - 2 * gap, fm.height()), Qt::AlignLeft | Qt::AlignVCenter,
                        fm.elidedText(text, Qt::ElideRight, w - box - 2 * gap));
            y += fm.height() * 1.3;
        }
        if (c_.legendPosition == "r") area_.setRight(area_.right() - w);
        else area_.setLeft(area_.left() + w);
    } else {
        double total = 0;
        for (const auto& e : entries) total += fm.horizontalAdvance(e.first) + box + 3 * gap;
        double x = area_.center().x() - std::min(total, area_.width()) / 2;
        const double h = fm.height() * 1.5;
        const double y = c_.legendPosition == "t" ? area_.top() : area_.bottom() - h;
        for (const auto& [text, color] : entries) {
            p_.fillRect(QRectF(x, y + (h - box) / 2, box, box), color);
            p_.setPen(Qt::black);
            const double tw = fm.horizontalAdvance(text);
            p_.drawText(QRectF(x + box + gap, y, tw + gap, h), Qt::AlignLeft | Qt::AlignVCenter, text);
            x += tw + box + 3 * gap;
        }
        if (c_.legendPosition == "t") area_.setTop(area_.top() + h);
        else area_.setBottom(area_.bottom() - h);
    }
}

void Painter::valueAxis(double start, double end, double step, bool horizontal) {
    p_.setFont(font_);
    const QFontMetricsF fm(font_);
    QPen grid(QColor(217, 217, 217));
    grid.setWidthF(std::max(1.0, scale_ * 0.5));
    for (int k = 0; k <= 1000; ++k) {
        const double v = start + k * step;
        if (v > end + step * 1e-6) break;
        const double f = (v - start) / (end - start);
        p_.setPen(grid);
        if (horizontal) {
            const double x = area_.left() + f * area_.width();
            p_.drawLine(QPointF(x, area_.top()), QPointF(x, area_.bottom()));
            p_.setPen(QColor(89, 89, 89));
            p_.drawText(QRectF(x - 40 * scale_, area_.bottom() + 2, 80 * scale_, fm.height()), Qt::AlignHCenter | Qt::AlignTop,
                        label(v));
        } else {
            const double y = area_.bottom() - f * area_.height();
            p_.drawLine(QPointF(area_.left(), y), QPointF(area_.right(), y));
            p_.setPen(QColor(89, 89, 89));
            p_.drawText(QRectF(0, y - fm.height() / 2, area_.left() - 4 * scale_, fm.height()),
                        Qt::AlignRight | Qt::AlignVCenter, label(v));
        }
    }
}

void Painter::categoryPlot() {
    const std::size_t n = pointCount();
    const std::size_t ns = c_.series.size();
    if (n == 0) return;
    const bool stacked = c_.grouping != Grouping::Clustered && c_.kind != Kind::Line;
    const bool percent = c_.grouping == Grouping::PercentStacked && c_.kind != Kind::Line;
    const bool horizontal = c_.kind == Kind::Bar;
    // The range of values shown.
    double lo = 0, hi = 0;
    std::vector<double> totals(n, 0.0);
    for (std::size_t i = 0; i < n; ++i) {
        double pos = 0, neg = 0;
        for (std::size_t s = 0; s < ns; ++s) {
            const double v = value(s, i);
            if (stacked) (v >= 0 ? pos : neg) += v;
            else {
                lo = std::min(lo, v);
                hi = std::max(hi, v);
            }
            totals[i] += std::fabs(v);
        }
        if (stacked) {
            lo = std::min(lo, neg);
            hi = std::max(hi, pos);
        }
    }
    if (percent) {
        lo = 0;
        hi = 1;
    }
    double start, end, step;
    niceAxis(lo, hi, start, end, step);
    if (percent) {
        start = 0;
        end = 1;
        step = 0.2;
    }
    const auto cats = categories(c_);
    const QFontMetricsF fm(font_);
    // Room for the labels.
    double labelWidth = 0;
    for (int k = 0; k <= 10; ++k) labelWidth = std::max(labelWidth, fm.horizontalAdvance(label(start + k * step)));
    if (horizontal) {
        double catWidth = 0;
        for (const auto& cat : cats) catWidth = std::max(catWidth, fm.horizontalAdvance(QString::fromStdString(cat)));
        area_.setLeft(area_.left() + std::min(catWidth + 6 * scale_, area_.width() * 0.35));
        area_.setBottom(area_.bottom() - fm.height() * 1.4);
    } else {
        area_.setLeft(area_.left() + labelWidth + 6 * scale_);
        area_.setBottom(area_.bottom() - fm.height() * 1.6);
    }
    area_.setRight(area_.right() - 6 * scale_);
    area_.setTop(area_.top() + fm.height() * 0.6);
    if (area_.width() < 10 || area_.height() < 10) return;
    valueAxis(start, end, step, horizontal);
    auto along = [&](double v) {   // position of a value along the value axis
        const double f = (v - start) / (end - start);
        return horizontal ? area_.left() + f * area_.width() : area_.bottom() - f * area_.height();
    };
    const double slot = (horizontal ? area_.height() : area_.width()) / n;
    // Category labels.
    p_.setPen(QColor(89, 89, 89));
    for (std::size_t i = 0; i < n && i < cats.size(); ++i) {
        const QString text = QString::fromStdString(cats[i]);
        if (horizontal) {
            // Bars run from the first category at the bottom up, as Office draws them.
            const double y = area_.bottom() - slot * (i + 1);
            p_.drawText(QRectF(0, y, area_.left() - 4 * scale_, slot), Qt::AlignRight | Qt::AlignVCenter,
                        fm.elidedText(text, Qt::ElideRight, area_.left() - 4 * scale_));
        } else {
            const double x = area_.left() + slot * i;
            p_.drawText(QRectF(x, area_.bottom() + 2, slot, fm.height() * 1.5), Qt::AlignHCenter | Qt::AlignTop,
                        fm.elidedText(text, Qt::ElideRight, slot));
        }
    }
    QPen axis(QColor(134, 134, 134));
    axis.setWidthF(std::max(1.0, scale_ * 0.75));
    p_.setPen(axis);
    const double zero = along(std::clamp(0.0, start, end));
    if (horizontal) p_.drawLine(QPointF(zero, area_.top()), QPointF(zero, area_.bottom()));
    else p_.drawLine(QPointF(area_.left(), zero), QPointF(area_.right(), zero));

    if (c_.kind == Kind::Column || c_.kind == Kind::Bar) {
        const double group = slot * 0.65;
        const double bar = stacked ? group : group / std::max<std::size_t>(1, ns);
        for (std::size_t i = 0; i < n; ++i) {
            double pos = 0, neg = 0;
            for (std::size_t s = 0; s < ns; ++s) {
                double v = value(s, i);
                if (percent && totals[i] > 0) v /= totals[i];
                double from = 0, to = v;
                if (stacked) {
                    double& base = v >= 0 ? pos : neg;
                    from = base;
                    to = base + v;
                    base = to;
                }
                const double a = along(from), b = along(to);
                const double offset = slot * i + (slot - group) / 2 + (stacked ? 0 : bar * s);
                QRectF r = horizontal ? QRectF(std::min(a, b), area_.bottom() - offset - bar, std::fabs(b - a), bar)
                                      : QRectF(area_.left() + offset, std::min(a, b), bar, std::fabs(b - a));
                p_.fillRect(r, seriesColor(c_, s));
            }
        }
        return;
    }
    // Lines and areas: one point per category at the middle of its slot.
    std::vector<double> base(n, 0.0);
    for (std::size_t s = 0; s < ns; ++s) {
        QPolygonF line;
        std::vector<double> top(n);
        for (std::size_t i = 0; i < n; ++i) {
            double v = value(s, i);
            if (percent && totals[i] > 0) v /= totals[i];
            top[i] = stacked ? base[i] + v : v;
            line << QPointF(area_.left() + slot * (i + 0.5), along(top[i]));
        }
        const QColor color = seriesColor(c_, s);
        if (c_.kind == Kind::Area) {
            QPolygonF shape = line;
            for (std::size_t i = n; i-- > 0;)
                shape << QPointF(area_.left() + slot * (i + 0.5), along(stacked ? base[i] : std::clamp(0.0, start, end)));
            QColor fill = color;
            if (!stacked) fill.setAlpha(200);
            p_.setPen(Qt::NoPen);
            p_.setBrush(fill);
            p_.drawPolygon(shape);
        } else {
            QPen pen(color);
            pen.setWidthF(2.25 * scale_);
            p_.setPen(pen);
            p_.setBrush(Qt::NoBrush);
            p_.drawPolyline(line);
            if (c_.markers) {
                p_.setBrush(color);
                for (const QPointF& pt : line) p_.drawEllipse(pt, 2.5 * scale_, 2.5 * scale_);
            }
        }
        if (stacked) base = top;
    }
}

void Painter::pie() {
    const Series& s = c_.series.front();
    double total = 0;
    for (double v : s.values)
        if (finite(v) && v > 0) total += v;
    if (total <= 0) return;
    const double d = std::min(area_.width(), area_.height()) * 0.9;
    const QRectF circle(area_.center().x() - d / 2, area_.center().y() - d / 2, d, d);
    double angle = 90.0;   // Office starts at twelve o'clock, clockwise
    p_.setPen(QPen(Qt::white, std::max(1.0, scale_)));
    for (std::size_t i = 0; i < s.values.size(); ++i) {
        const double v = s.values[i];
        if (!finite(v) || v <= 0) continue;
        const double span = v / total * 360.0;
        p_.setBrush(pointColor(c_, i));
        p_.drawPie(circle, static_cast<int>(std::lround((angle - span) * 16)), static_cast<int>(std::lround(span * 16)));
        angle -= span;
    }
    if (c_.kind == Kind::Doughnut) {
        p_.setBrush(Qt::white);
        p_.setPen(Qt::NoPen);
        p_.drawEllipse(circle.center(), d * 0.25, d * 0.25);
    }
}

void Painter::scatter() {
    double xlo = std::numeric_limits<double>::max(), xhi = -xlo, ylo = xlo, yhi = -xlo;
    for (const auto& s : c_.series)
        for (std::size_t i = 0; i < s.values.size(); ++i) {
            const double x = i < s.xValues.size() ? s.xValues[i] : double(i + 1), y = s.values[i];
            if (!finite(x) || !finite(y)) continue;
            xlo = std::min(xlo, x);
            xhi = std::max(xhi, x);
            ylo = std::min(ylo, y);
            yhi = std::max(yhi, y);
        }
    if (xlo > xhi) return;
    double xs, xe, xstep, ys, ye, ystep;
    niceAxis(std::min(0.0, xlo), xhi, xs, xe, xstep);
    niceAxis(std::min(0.0, ylo), yhi, ys, ye, ystep);
    const QFontMetricsF fm(font_);
    double labelWidth = 0;
    for (int k = 0; k <= 10; ++k) labelWidth = std::max(labelWidth, fm.horizontalAdvance(label(ys + k * ystep)));
    area_.setLeft(area_.left() + labelWidth + 6 * scale_);
    area_.setBottom(area_.bottom() - fm.height() * 1.6);
    area_.setRight(area_.right() - 8 * scale_);
    area_.setTop(area_.top() + fm.height() * 0.6);
    if (area_.width() < 10 || area_.height() < 10) return;
    valueAxis(ys, ye, ystep, false);
    p_.setPen(QColor(89, 89, 89));
    for (int k = 0; k <= 1000; ++k) {
        const double v = xs + k * xstep;
        if (v > xe + xstep * 1e-6) break;
        const double x = area_.left() + (v - xs) / (xe - xs) * area_.width();
        p_.drawText(QRectF(x - 40 * scale_, area_.bottom() + 2, 80 * scale_, fm.height()), Qt::AlignHCenter | Qt::AlignTop,
                    label(v));
    }
    for (std::size_t si = 0; si < c_.series.size(); ++si) {
        const auto& s = c_.series[si];
        QPolygonF points;
        for (std::size_t i = 0; i < s.values.size(); ++i) {
            const double x = i < s.xValues.size() ? s.xValues[i] : double(i + 1), y = s.values[i];
            if (!finite(x) || !finite(y)) continue;
            points << QPointF(area_.left() + (x - xs) / (xe - xs) * area_.width(),
                              area_.bottom() - (y - ys) / (ye - ys) * area_.height());
        }
        const QColor color = seriesColor(c_, si);
        if (!c_.markers) {
            QPen pen(color);
            pen.setWidthF(2.25 * scale_);
            p_.setPen(pen);
            p_.drawPolyline(points);
        }
        p_.setPen(Qt::NoPen);
        p_.setBrush(color);
        for (const QPointF& pt : points) p_.drawEllipse(pt, 3 * scale_, 3 * scale_);
    }
}

void Painter::draw() {
    title();
    legend();
    area_.adjust(4 * scale_, 4 * scale_, -4 * scale_, -4 * scale_);
    switch (c_.kind) {
    case Kind::Pie:
    case Kind::Doughnut: pie(); break;
    case Kind::Scatter: scatter(); break;
    default: categoryPlot(); break;
    }
}

} // namespace

std::vector<std::uint8_t> renderChart(const Chart& chart, double widthPt, double heightPt, double dpi) {
    if (!chart.drawable() || !(widthPt > 1) || !(heightPt > 1)) return {};
    const double scale = dpi / 72.0;
    const int w = static_cast<int>(std::clamp(widthPt * scale, 16.0, 4000.0));
    const int h = static_cast<int>(std::clamp(heightPt * scale, 16.0, 4000.0));
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.setPen(QColor(217, 217, 217));
        p.drawRect(QRectF(0.5, 0.5, w - 1.0, h - 1.0));
        Painter painter(chart, p, QRectF(4 * scale, 4 * scale, w - 8 * scale, h - 8 * scale), scale);
        painter.draw();
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

} // namespace fq::chart
