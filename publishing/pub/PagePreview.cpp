// The page preview: drawn with QPainter four times larger than asked and
// scaled down smoothly, so that small text turns into the grey lines a
// preview shows.
#include "publishing/pub/PagePreview.h"

#include "publishing/pub/Pictures.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace fq::pub {

namespace {

constexpr int kSupersample = 4;
constexpr int kDotsPerMeterAt72Dpi = 2835;   // fonts sized in points then measure in page points

QColor toQColor(const std::optional<model::Color>& c, QColor fallback) {
    return c ? QColor(c->r, c->g, c->b) : fallback;
}

QFont fontFor(const model::CharProps& c) {
    QFont f(QString::fromStdString(c.font));
    const bool shifted = c.vertical != model::VerticalPosition::Baseline;
    f.setPointSizeF(std::max(1.0, c.sizePt * (shifted ? 0.65 : 1.0)));
    f.setBold(c.bold);
    f.setItalic(c.italic);
    f.setUnderline(c.underline != model::Underline::None);
    f.setStrikeOut(c.strike);
    if (c.smallCaps) f.setCapitalization(QFont::SmallCaps);
    else if (c.allCaps) f.setCapitalization(QFont::AllUppercase);
    return f;
}

Qt::Alignment alignmentOf(model::Alignment a) {
    switch (a) {
    case model::Alignment::Center: return Qt::AlignHCenter;
    case model::Alignment::Right: return Qt::AlignRight;
    case model::Alignment::Justify: return Qt::AlignJustify;
    case model::Alignment::Left: break;
    }
    return Qt::AlignLeft;
}

double lineAdvance(double natural, const model::LineSpacing& s) {
    switch (s.rule) {
    case model::LineSpacing::Rule::Multiple: return natural * (s.value > 0 ? s.value : 1.0);
    case model::LineSpacing::Rule::Exact: return s.value > 0 ? s.value : natural;
    case model::LineSpacing::Rule::AtLeast: return std::max(natural, s.value);
    }
    return natural;
}

// Draws the paragraphs from the top of the box down; the caller clips.
void drawParagraphs(QPainter& painter, QPaintDevice* device, const std::vector<model::Paragraph>& paragraphs,
                    const QRectF& box) {
    double y = box.top();
    for (const auto& para : paragraphs) {
        if (y > box.bottom()) break;
        y += std::max(0.0, para.props.spaceBeforePt);
        QString text;
        QList<QTextLayout::FormatRange> ranges;
        for (const auto& run : para.runs) {
            QString piece = QString::fromStdString(run.text);
            piece.replace(QLatin1Char('\n'), QChar(QChar::LineSeparator));
            QTextLayout::FormatRange range;
            range.start = static_cast<int>(text.size());
            range.length = static_cast<int>(piece.size());
            range.format.setFont(fontFor(run.props));
            range.format.setForeground(toQColor(run.props.color, Qt::black));
            ranges.append(range);
            text += piece;
        }
        const QFont base = fontFor(para.runs.empty() ? model::CharProps{} : para.runs.front().props);
        QTextLayout layout(text, base, device);
        layout.setFormats(ranges);
        QTextOption option(alignmentOf(para.props.alignment));
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(option);
        const double left = std::max(0.0, para.props.leftIndentPt);
        const double width = std::max(1.0, box.width() - left - std::max(0.0, para.props.rightIndentPt));
        double height = 0.0;
        layout.beginLayout();
        for (bool first = true;; first = false) {
            QTextLine line = layout.createLine();
            if (!line.isValid()) break;
            const double indent = first ? std::clamp(para.props.firstLineIndentPt, -left, width - 1.0) : 0.0;
            line.setLineWidth(width - indent);
            line.setPosition(QPointF(indent, height));
            height += lineAdvance(line.height(), para.props.lineSpacing);
        }
        layout.endLayout();
        if (text.isEmpty()) height = lineAdvance(QFontMetricsF(base, device).height(), para.props.lineSpacing);
        layout.draw(&painter, QPointF(box.left() + left, y));
        y += height + std::max(0.0, para.props.spaceAfterPt);
    }
}

QImage decodePicture(const model::PictureFrame& pic) {
    std::vector<std::uint8_t> bytes = pic.data;
    if (pic.format == model::ImageFormat::Dib) bytes = dibWithFileHeader(bytes);
    QImage image;
    if (pic.format != model::ImageFormat::Emf && pic.format != model::ImageFormat::Wmf)
        image.loadFromData(QByteArrayView(reinterpret_cast<const char*>(bytes.data()),
                                          static_cast<qsizetype>(bytes.size())));
    return image;
}

void drawPicture(QPainter& painter, const model::PictureFrame& pic, const QRectF& r) {
    const QImage image = decodePicture(pic);
    if (image.isNull()) {
        painter.fillRect(r, QColor(0xD8, 0xD8, 0xD8));   // a metafile or an unreadable picture
        return;
    }
    painter.drawImage(r, image);
}

void drawBorder(QPainter& painter, const std::optional<model::Border>& b, QPointF from, QPointF to) {
    if (!b || !b->visible()) return;
    painter.setPen(QPen(toQColor(b->color, Qt::black), std::max(0.5, b->widthPt)));
    painter.drawLine(from, to);
}

void drawTable(QPainter& painter, QPaintDevice* device, const model::TableFrame& table, const QRectF& r) {
    std::vector<double> xs{r.left()}, ys{r.top()};
    for (double w : table.columnWidthsPt) xs.push_back(xs.back() + w);
    for (double h : table.rowHeightsPt) ys.push_back(ys.back() + h);
    for (const auto& cell : table.cells) {
        if (cell.column < 0 || cell.row < 0) continue;
        const auto c0 = static_cast<std::size_t>(cell.column), r0 = static_cast<std::size_t>(cell.row);
        const std::size_t c1 = std::min(xs.size() - 1, c0 + static_cast<std::size_t>(std::max(1, cell.columnSpan)));
        const std::size_t r1 = std::min(ys.size() - 1, r0 + static_cast<std::size_t>(std::max(1, cell.rowSpan)));
        if (c0 >= c1 || r0 >= r1) continue;
        const QRectF box(QPointF(xs[c0], ys[r0]), QPointF(xs[c1], ys[r1]));
        if (cell.shading) painter.fillRect(box, toQColor(cell.shading, Qt::white));
        drawBorder(painter, cell.borders.top, box.topLeft(), box.topRight());
        drawBorder(painter, cell.borders.bottom, box.bottomLeft(), box.bottomRight());
        drawBorder(painter, cell.borders.left, box.topLeft(), box.bottomLeft());
        drawBorder(painter, cell.borders.right, box.topRight(), box.bottomRight());
        const QRectF inner = box.adjusted(cell.margins.leftPt, cell.margins.topPt, -cell.margins.rightPt,
                                          -cell.margins.bottomPt);
        painter.save();
        painter.setClipRect(box, Qt::IntersectClip);
        drawParagraphs(painter, device, cell.paragraphs, inner);
        painter.restore();
    }
}

} // namespace

QImage renderPagePreview(const model::Page& page, int longestSide) {
    const double pageW = page.widthPt > 0 ? page.widthPt : 612.0;
    const double pageH = page.heightPt > 0 ? page.heightPt : 792.0;
    const double scale = longestSide / std::max(pageW, pageH);
    const QSize full(std::max(4, static_cast<int>(std::lround(pageW * scale))),
                     std::max(4, static_cast<int>(std::lround(pageH * scale))));
    // As Publisher draws it: the page inside a grey-blue frame, with a
    // black shadow on the right and at the bottom.
    const QSize size = full - QSize(3, 3);

    QImage canvas(size * kSupersample, QImage::Format_RGB32);
    canvas.setDotsPerMeterX(kDotsPerMeterAt72Dpi);
    canvas.setDotsPerMeterY(kDotsPerMeterAt72Dpi);
    canvas.fill(Qt::white);
    {
        QPainter painter(&canvas);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.scale(canvas.width() / pageW, canvas.height() / pageH);
        for (const auto& shape : page.shapes) {
            const QRectF r(shape.rect.xPt, shape.rect.yPt, shape.rect.widthPt, shape.rect.heightPt);
            painter.save();
            painter.setClipRect(r.adjusted(-1, -1, 1, 1));
            if (const auto* text = std::get_if<model::TextFrame>(&shape.content))
                drawParagraphs(painter, &canvas, text->paragraphs, r);
            else if (const auto* pic = std::get_if<model::PictureFrame>(&shape.content))
                drawPicture(painter, *pic, r);
            else if (const auto* table = std::get_if<model::TableFrame>(&shape.content))
                drawTable(painter, &canvas, *table, r);
            painter.restore();
        }
    }
    QImage preview(full, QImage::Format_RGB888);
    preview.fill(Qt::black);
    {
        QPainter painter(&preview);
        painter.setPen(QColor(169, 176, 184));
        painter.drawRect(0, 0, full.width() - 2, full.height() - 2);
        painter.drawImage(1, 1, canvas.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    }
    return preview;
}

} // namespace fq::pub
