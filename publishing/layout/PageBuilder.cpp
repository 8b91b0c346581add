// The page-filling state machine behind layOut.
#include "publishing/layout/PageBuilder.h"
#include "publishing/model/Budget.h"

#include "publishing/layout/ParagraphMeasure.h"
#include "publishing/layout/ParagraphSplit.h"
#include "publishing/layout/TableLayout.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>

#include <algorithm>
#include <cmath>
#include <optional>

namespace fq::layout {

namespace {

constexpr double kEpsilon = 0.01;
constexpr double kDefaultPictureSizePt = 72.0;

bool usable(double v, double lo, double hi) { return std::isfinite(v) && v >= lo && v <= hi; }

double absOrZero(double v) { return std::isfinite(v) ? std::fabs(v) : 0.0; }

// Shrinks two margins together so that at least minimum is left between them.
void fitMargins(double extent, double minimum, double& a, double& b) {
    const double room = extent - minimum;
    if (a + b > room && a + b > 0.0) {
        const double scale = std::max(0.0, room) / (a + b);
        a *= scale;
        b *= scale;
    }
}

// Space before or after a paragraph: never negative, never more than a page.
double spacing(double v, double limit) {
    return std::isfinite(v) ? std::clamp(v, 0.0, std::max(0.0, limit)) : 0.0;
}

// The paragraphs of a header or footer: tables give their cells' paragraphs
// in reading order; pictures and shapes leave room (see Anchored.h).
std::vector<model::Paragraph> paragraphsOf(const std::vector<model::Block>& blocks) {
    return headerFooterContent(blocks).paragraphs;
}

bool hasVisibleText(const std::vector<model::Paragraph>& paragraphs) {
    for (const auto& p : paragraphs) {
        for (const auto& r : p.runs) {
            if (r.field != model::FieldKind::None) return true;     // filled in per page
            if (r.text.find_first_not_of(" \t\n\r\v\f") != std::string::npos) return true;
        }
    }
    return false;
}

// A hanging first line jumps to the left indent at its first tab; the
// measuring does so by itself, a reader of the frame needs the stop.
bool needsIndentStop(const model::ParaProps& props) {
    if (!(props.firstLineIndentPt < 0.0)) return false;
    for (double t : props.tabStopsPt)
        if (t == 0.0) return false;
    return true;
}

// The paragraph as it goes into a frame: what the measuring assumed is
// written out (see addParagraph).
model::PictureFrame pictureFrame(const model::Picture& picture) {
    return model::PictureFrame{picture.format, picture.data, picture.description};
}

model::Paragraph withMarkRun(const model::Paragraph& paragraph) {
    model::Paragraph p = paragraph;
    if (p.runs.empty()) p.runs.push_back(model::Run{std::string(), markProps(paragraph)});
    if (needsIndentStop(p.props)) p.props.tabStopsPt.insert(p.props.tabStopsPt.begin(), 0.0);
    return p;
}

std::vector<model::Paragraph> withMarkRuns(const std::vector<model::Paragraph>& paragraphs) {
    std::vector<model::Paragraph> out;
    out.reserve(paragraphs.size());
    for (const auto& p : paragraphs) out.push_back(withMarkRun(p));
    return out;
}

double stackHeight(const std::vector<model::Paragraph>& paragraphs, double width) {
    double h = 0.0;
    for (const auto& p : paragraphs) {
        h += spacing(p.props.spaceBeforePt, 1000.0);
        h += linesHeight(measureParagraph(p, width));
        h += spacing(p.props.spaceAfterPt, 1000.0);
    }
    return h;
}

} // namespace

SectionFrames sectionFrames(const model::Section& section) {
    const model::PageGeometry& g = section.page;
    SectionFrames f;
    const bool sizeOk = usable(g.widthPt, 36.0, 20000.0) && usable(g.heightPt, 36.0, 20000.0);
    f.pageWidth = sizeOk ? g.widthPt : 612.0;
    f.pageHeight = sizeOk ? g.heightPt : 792.0;

    double left = absOrZero(g.marginLeftPt), right = absOrZero(g.marginRightPt);
    double top = absOrZero(g.marginTopPt), bottom = absOrZero(g.marginBottomPt);
    const double minWidth = std::max(36.0, f.pageWidth * 0.1);
    const double minHeight = std::max(36.0, f.pageHeight * 0.1);
    fitMargins(f.pageWidth, minWidth, left, right);
    fitMargins(f.pageHeight, minHeight, top, bottom);

    const double width = f.pageWidth - left - right;
    double bodyTop = top;
    double bodyBottom = f.pageHeight - bottom;

    const std::vector<model::Paragraph> header = paragraphsOf(section.header);
    const std::vector<model::Paragraph> footer = paragraphsOf(section.footer);
    if (hasVisibleText(header) || headerFooterContent(section.header).hasDrawings) {
        const double distance = std::min(absOrZero(g.headerDistancePt), f.pageHeight / 2.0);
        const double h = std::max(1.0, stackHeight(header, width));
        f.hasHeader = true;
        f.header = {left, distance, width, h};
        bodyTop = std::max(bodyTop, distance + h);
    }
    if (hasVisibleText(footer) || headerFooterContent(section.footer).hasDrawings) {
        const double distance = std::min(absOrZero(g.footerDistancePt), f.pageHeight / 2.0);
        const double h = std::max(1.0, stackHeight(footer, width));
        f.hasFooter = true;
        f.footer = {left, f.pageHeight - distance - h, width, h};
        bodyBottom = std::min(bodyBottom, f.footer.yPt);
    }
    // Headers and footers taller than the page leave the body its minimum:
    // the room above and below it is shared out in proportion to what each
    // asked for, and the header and footer frames are cut to their share, so
    // that the three frames never overlap.
    if (bodyBottom - bodyTop < minHeight) {
        const double above = std::max(0.0, bodyTop), below = std::max(0.0, f.pageHeight - bodyBottom);
        const double room = std::max(0.0, f.pageHeight - minHeight);
        const double scale = above + below > room && above + below > 0.0 ? room / (above + below) : 1.0;
        bodyTop = above * scale;
        bodyBottom = f.pageHeight - below * scale;
        if (f.hasHeader) {
            f.header.yPt = std::min(f.header.yPt, std::max(0.0, bodyTop - 1.0));
            f.header.heightPt = std::max(0.0, bodyTop - f.header.yPt);
        }
        if (f.hasFooter) {
            f.footer.yPt = std::max(f.footer.yPt, bodyBottom);
            f.footer.heightPt = std::max(0.0, std::min(f.footer.heightPt, f.pageHeight - f.footer.yPt));
        }
    }
    f.body = {left, bodyTop, width, bodyBottom - bodyTop};
    return f;
}

model::Rect pictureSize(const model::Picture& picture) {
    model::Rect r;
    r.widthPt = picture.widthPt;
    r.heightPt = picture.heightPt;
    if (usable(r.widthPt, 0.01, 1e6) && usable(r.heightPt, 0.01, 1e6)) return r;

    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(picture.data.data()),
                                                     static_cast<qsizetype>(picture.data.size()));
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer);
    const QSize px = reader.size();
    if (px.isValid() && px.width() > 0 && px.height() > 0) {
        r.widthPt = px.width() * 0.75;      // pixels at 96 per inch
        r.heightPt = px.height() * 0.75;
    } else {
        r.widthPt = r.heightPt = kDefaultPictureSizePt;
    }
    return r;
}

void PageBuilder::startSection(const model::Section& section) {
    if (pageOpen_) finishPage();
    section_ = &section;
    ++flow_;
    frames_ = sectionFrames(section);
    header_ = withMarkRuns(paragraphsOf(section.header));
    footer_ = withMarkRuns(paragraphsOf(section.footer));
    headerContent_ = headerFooterContent(section.header);
    footerContent_ = headerFooterContent(section.footer);
    pageInSection_ = -1;
    newPage(false);
}

void PageBuilder::newPage(bool byOverflow) {
    model::checkBudget();
    if (pageOpen_) finishPage();
    model::Page p;
    p.widthPt = frames_.pageWidth;
    p.heightPt = frames_.pageHeight;
    if (frames_.hasHeader && section_)
        p.shapes.push_back({frames_.header, model::TextFrame{header_, model::FrameRole::Header}});
    out_.pages.push_back(std::move(p));
    pageOpen_ = true;
    row_.clear();
    backShapes_ = 0;
    topByOverflow_ = byOverflow;
    bodyUsed_ = false;
    cursor_ = frames_.body.yPt;
    frameTop_ = cursor_;
    beginPageDrawings();
}

void PageBuilder::closeFrame(double bottom) {
    if (frameParagraphs_.empty()) return;
    const model::Rect& b = frames_.body;
    const double height = std::max(1.0, std::min(bottom, b.yPt + b.heightPt) - frameTop_);
    page().shapes.push_back({{column_.xPt, frameTop_, column_.widthPt, height},
                             model::TextFrame{.paragraphs = std::move(frameParagraphs_),
                                              .role = model::FrameRole::Body,
                                              .flow = flow_,
                                              .continues = frameContinues_}});
    frameParagraphs_.clear();
    frameContinues_ = false;
}

void PageBuilder::finishPage() {
    // The body frame ends at the body's bottom even when a line taller than
    // the whole body had to be put there: it never reaches into the footer.
    closeFrame(frames_.body.yPt + frames_.body.heightPt);
    model::Page& p = page();
    const bool content = std::any_of(p.shapes.begin(), p.shapes.end(), [](const model::Shape& s) {
        const auto* text = std::get_if<model::TextFrame>(&s.content);
        return !text || text->role == model::FrameRole::Body;
    });
    if (!content) {
        // A page without any content still gets its text frame.
        p.shapes.push_back({frames_.body, model::TextFrame{}});
    }
    if (frames_.hasFooter && section_)
        p.shapes.push_back({frames_.footer, model::TextFrame{footer_, model::FrameRole::Footer}});
    endPageDrawings();
    pageOpen_ = false;
}

void PageBuilder::addParagraph(const model::Paragraph& given, const model::Paragraph* next) {
    if (!pageOpen_) newPage(false);
    row_.clear();
    // A paragraph without runs is measured with the default properties; it
    // gets an empty run that carries them, so that whoever reads the frame
    // sets its mark as it was measured and not like the text before it. A
    // hanging paragraph gets the tab stop at its left indent written out.
    std::optional<model::Paragraph> marked;
    if (given.runs.empty() || needsIndentStop(given.props)) marked = withMarkRun(given);
    const model::Paragraph& paragraph = marked ? *marked : given;
    const double bottom = frames_.body.yPt + frames_.body.heightPt;
    // Beside a floating object the paragraph is set in a narrower frame.
    if (const Column column = wrap_.columnAt(cursor_, 1.0, frames_.body); !(column == column_)) {
        closeFrame(cursor_);
        frameTop_ = cursor_;
        column_ = column;
    }
    const MeasuredParagraph measured = measureParagraph(paragraph, column_.widthPt);

    if (paragraph.props.keepWithNext && next && bodyUsed_) {
        // The paragraph fits here but the next one's first line would not:
        // both go to the next page (when they fit on an empty one).
        const double own = spacing(paragraph.props.spaceBeforePt, frames_.body.heightPt) + linesHeight(measured) +
                           spacing(paragraph.props.spaceAfterPt, frames_.body.heightPt);
        if (cursor_ + own <= bottom + kEpsilon) {
            const MeasuredParagraph following = measureParagraph(*next, frames_.body.widthPt);
            const double needed =
                own + spacing(next->props.spaceBeforePt, frames_.body.heightPt) + following.lines.front().heightPt;
            if (cursor_ + needed > bottom + kEpsilon && needed <= frames_.body.heightPt) newPage(true);
        }
    }

    const bool atTop = !bodyUsed_ && cursor_ <= frames_.body.yPt + kEpsilon;
    if (!(atTop && topByOverflow_)) cursor_ += spacing(paragraph.props.spaceBeforePt, frames_.body.heightPt);
    paragraphTop_ = cursor_;
    decor_.paragraph(paragraph.props, column_.xPt, column_.xPt + column_.widthPt, cursor_);

    // What is left of the paragraph is measured again when its width
    // changes beside a floating object.
    const model::Paragraph* current = &paragraph;
    const MeasuredParagraph* lines = &measured;
    std::optional<model::Paragraph> rest;
    std::optional<MeasuredParagraph> restLines;
    int partStart = 0;
    double switchedAt = -1.0;               // a line whose height changes with the width switches once
    for (std::size_t i = 0; i < lines->lines.size(); ++i) {
        const MeasuredLine& line = lines->lines[i];
        if (!wrap_.empty()) {
            // Beside a floating object, or back to the full width below it.
            if (const Column want = wrap_.columnAt(cursor_, line.heightPt, frames_.body);
                !(want == column_) && switchedAt != cursor_) {
                switchedAt = cursor_;
                if (line.start > partStart) {
                    frameParagraphs_.push_back(paragraphPart(*current, *lines, partStart, line.start));
                    frameContinues_ = true;
                }
                closeFrame(cursor_);
                frameTop_ = cursor_;
                column_ = want;
                model::Paragraph left = paragraphPart(*current, *lines, line.start, lines->text.size());
                rest = std::move(left);
                restLines = measureParagraph(*rest, column_.widthPt);
                current = &*rest;
                lines = &*restLines;
                partStart = 0;
                i = static_cast<std::size_t>(-1);
                continue;
            }
            // A line that would run into a floating object goes below it.
            if (const double below = wrap_.clearBelow(cursor_, line.heightPt, column_); below > cursor_ + kEpsilon) {
                if (line.start > partStart) {
                    frameParagraphs_.push_back(paragraphPart(*current, *lines, partStart, line.start));
                    partStart = line.start;
                    frameContinues_ = true;
                }
                closeFrame(cursor_);
                cursor_ = frameTop_ = below;
                --i;
                continue;
            }
        }
        if (cursor_ + line.heightPt > bottom + kEpsilon && (bodyUsed_ || cursor_ > frames_.body.yPt + kEpsilon)) {
            if (line.start > partStart) {
                frameParagraphs_.push_back(paragraphPart(*current, *lines, partStart, line.start));
                partStart = line.start;
                frameContinues_ = true;
            }
            newPage(true);
        }
        cursor_ += line.heightPt;
        decor_.extend(cursor_);
        bodyUsed_ = true;
    }
    frameParagraphs_.push_back(partStart == 0 ? *current
                                              : paragraphPart(*current, *lines, partStart, lines->text.size()));
    decor_.paragraphEnd();
    cursor_ += spacing(paragraph.props.spaceAfterPt, frames_.body.heightPt);
}

void PageBuilder::addPicture(const model::Picture& picture, const model::Paragraph* anchoring) {
    if (!pageOpen_) newPage(false);
    model::Rect r = pictureSize(picture);

    if (picture.anchor) {
        // Anchored: where the anchor says, scaled to the page and kept on it.
        r = floatingRect(*picture.anchor, r.widthPt, r.heightPt, anchoringTop(anchoring), frames_.pageWidth,
                         frames_.pageHeight);
        placeFloating({r, pictureFrame(picture)}, *picture.anchor);
        return;
    }
    decor_.interrupt();

    const model::Rect& body = frames_.body;
    const double scale = std::min({1.0, body.widthPt / r.widthPt, body.heightPt / r.heightPt});
    r.widthPt *= scale;
    r.heightPt *= scale;
    const double bottom = body.yPt + body.heightPt;

    // Beside the previous picture of the paragraph, when it fits there.
    if (picture.sameParagraphAsPrevious && !row_.empty() && rowWidth_ + r.widthPt <= body.widthPt + kEpsilon &&
        rowTop_ + std::max(rowHeight_, r.heightPt) <= bottom + kEpsilon) {
        page().shapes.push_back({r, pictureFrame(picture)});
        row_.push_back(page().shapes.size() - 1);
        rowWidth_ += r.widthPt;
        rowHeight_ = std::max(rowHeight_, r.heightPt);
        placeRow();
        return;
    }

    if (cursor_ + r.heightPt > bottom + kEpsilon && bodyUsed_) newPage(true);
    closeFrame(cursor_);
    page().shapes.push_back({r, pictureFrame(picture)});
    row_.assign(1, page().shapes.size() - 1);
    rowTop_ = cursor_;
    rowWidth_ = r.widthPt;
    rowHeight_ = r.heightPt;
    rowAlignment_ = picture.alignment;
    placeRow();
    bodyUsed_ = true;
}

void PageBuilder::addTable(const model::Table& table) {
    if (!pageOpen_) newPage(false);
    row_.clear();
    decor_.interrupt();
    closeFrame(cursor_);
    struct Flow final : TableFlow {
        PageBuilder& b;
        explicit Flow(PageBuilder& builder) : b(builder) {}
        model::Rect body() const override { return b.frames_.body; }
        double pageWidth() const override { return b.frames_.pageWidth; }
        double cursor() const override { return b.cursor_; }
        bool atPageTop() const override { return !b.bodyUsed_ && b.cursor_ <= b.frames_.body.yPt + kEpsilon; }
        void newPage() override { b.newPage(true); }
        void place(model::Shape shape) override {
            b.page().shapes.push_back(std::move(shape));
            b.bodyUsed_ = true;
        }
        void placeAnchored(const model::Block& block, double topPt) override {
            // Objects that move with their paragraph are measured from the cell's top.
            b.paragraphTop_ = topPt;
            if (const auto* picture = std::get_if<model::Picture>(&block)) b.addPicture(*picture);
            else if (const auto* shape = std::get_if<model::DrawingShape>(&block)) b.addShape(*shape);
        }
        void end(double bottom) override { b.cursor_ = b.frameTop_ = bottom; }
    } flow(*this);
    layOutTable(table, flow);
}

void PageBuilder::placeRow() {
    const model::Rect& body = frames_.body;
    const double room = std::max(0.0, body.widthPt - rowWidth_);
    double x = body.xPt;
    if (rowAlignment_ == model::Alignment::Center) x += room / 2.0;
    else if (rowAlignment_ == model::Alignment::Right) x += room;
    for (std::size_t index : row_) {
        model::Rect& rect = page().shapes[index].rect;
        rect.xPt = x;
        rect.yPt = rowTop_ + rowHeight_ - rect.heightPt;
        x += rect.widthPt;
    }
    cursor_ = rowTop_ + rowHeight_;
    frameTop_ = cursor_;
}

void PageBuilder::pageBreak() {
    row_.clear();
    decor_.interrupt();
    newPage(false);
}

void PageBuilder::finish() {
    if (!pageOpen_) {
        if (out_.pages.empty()) {
            static const model::Section blank;
            startSection(blank);
        } else {
            return;
        }
    }
    finishPage();
}

} // namespace fq::layout
