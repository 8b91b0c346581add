// The page-filling state machine behind layOut.
#include "publishing/layout/PageBuilder.h"
#include "publishing/model/Budget.h"

#include "publishing/layout/ColumnBalance.h"
#include "publishing/layout/NoteText.h"
#include "publishing/layout/ParagraphMeasure.h"
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

// The paragraphs of a header or footer, to tell whether it shows any text:
// tables give their cells' paragraphs in reading order (see Anchored.h).
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

model::PictureFrame pictureFrame(const model::Picture& picture) {
    return model::PictureFrame{picture.format, picture.data, picture.description};
}

// The frames of a section's pages that show the given header and footer;
// the header's and footer's shapes laid out in their areas, when asked for.
SectionFrames framesWithAreas(const model::Section& section, const std::vector<model::Block>& headerBlocks,
                              const std::vector<model::Block>& footerBlocks, HeaderFooterArea* headerArea,
                              HeaderFooterArea* footerArea) {
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

    const std::vector<model::Paragraph> header = paragraphsOf(headerBlocks);
    const std::vector<model::Paragraph> footer = paragraphsOf(footerBlocks);
    if (hasVisibleText(header) || headerFooterContent(headerBlocks).hasDrawings) {
        const double distance = std::min(absOrZero(g.headerDistancePt), f.pageHeight / 2.0);
        HeaderFooterArea area = layOutHeaderFooter(headerBlocks, model::FrameRole::Header, left, width, f.pageWidth);
        const double h = std::max(1.0, area.heightPt);
        if (headerArea) *headerArea = std::move(area);
        f.hasHeader = true;
        f.header = {left, distance, width, h};
        bodyTop = std::max(bodyTop, distance + h);
    }
    if (hasVisibleText(footer) || headerFooterContent(footerBlocks).hasDrawings) {
        const double distance = std::min(absOrZero(g.footerDistancePt), f.pageHeight / 2.0);
        HeaderFooterArea area = layOutHeaderFooter(footerBlocks, model::FrameRole::Footer, left, width, f.pageWidth);
        const double h = std::max(1.0, area.heightPt);
        if (footerArea) *footerArea = std::move(area);
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

} // namespace

SectionFrames sectionFrames(const model::Section& section) {
    return sectionFrames(section, section.header, section.footer);
}

SectionFrames sectionFrames(const model::Section& section, const std::vector<model::Block>& headerBlocks,
                            const std::vector<model::Block>& footerBlocks) {
    return framesWithAreas(section, headerBlocks, footerBlocks, nullptr, nullptr);
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
    const bool first = section_ == nullptr;
    if (!first) ++sectionIndex_;
    ++flow_;
    if (pageOpen_ && !first && section.start == model::SectionStart::NewColumn && columns_.size() > 1 &&
        column_ + 1 < columns_.size()) {
        // The next column of the same page, with the section's own columns.
        closeFrame(cursor_);
        section_ = &section;
        const double top = bandTop_;
        ++column_;
        const std::size_t column = column_;
        startBand(section, top);
        column_ = std::min(column, columns_.size() - 1);
        return;
    }
    if (pageOpen_ && !first &&
        (section.start == model::SectionStart::Continuous || section.start == model::SectionStart::NewColumn)) {
        // Below what came before on the same page; the new section's page
        // geometry, header and footer begin with its next page.
        closeFrame(cursor_);
        balanceBand();
        drawColumnLines();
        section_ = &section;
        variants_.clear();
        startBand(section, cursor_);
        return;
    }
    if (pageOpen_) finishPage();
    section_ = &section;
    variants_.clear();
    sectionStartsPage_ = true;
    const bool even = section.start == model::SectionStart::EvenPage;
    if ((even || section.start == model::SectionStart::OddPage) && !pageInfo_.empty()) {
        // A blank page keeps the section's first page even or odd.
        const int next = section.pageNumberStart.value_or(pageInfo_.back().number + 1);
        if ((next % 2 == 0) != even) {
            newPage(false);
            finishPage();
        }
    }
    pageInSection_ = -1;
    newPage(false);
}

const PageBuilder::Variant& PageBuilder::variant(int kind) {
    auto it = variants_.find(kind);
    if (it != variants_.end()) return it->second;
    const model::Section& s = *section_;
    const auto& header = kind == 1 ? s.headerFirst : kind == 2 ? s.headerEven : s.header;
    const auto& footer = kind == 1 ? s.footerFirst : kind == 2 ? s.footerEven : s.footer;
    Variant v;
    v.frames = framesWithAreas(s, header, footer, &v.header, &v.footer);
    return variants_.emplace(kind, std::move(v)).first->second;
}

void PageBuilder::newPage(bool byOverflow) {
    model::checkBudget();
    if (pageOpen_) finishPage();
    static const model::Section blank;
    if (!section_) section_ = &blank;
    const model::Section& s = *section_;
    PageInfo info;
    info.section = sectionIndex_;
    info.number = pageInfo_.empty() ? 1 : pageInfo_.back().number + 1;
    if (sectionStartsPage_ && s.pageNumberStart) info.number = *s.pageNumberStart;
    info.format = s.pageNumberFormat;
    // The first page of a section with a title page, the even pages when
    // they differ, else the odd (default) ones.
    const int kind = s.titlePage && sectionStartsPage_ ? 1 : s.evenAndOddHeaders && info.number % 2 == 0 ? 2 : 0;
    sectionStartsPage_ = false;
    const Variant& v = variant(kind);
    frames_ = v.frames;
    footer_.clear();
    if (frames_.hasFooter) footer_ = v.footer.placed(frames_.footer);

    model::Page p;
    p.widthPt = frames_.pageWidth;
    p.heightPt = frames_.pageHeight;
    if (frames_.hasHeader) p.shapes = v.header.placed(frames_.header);
    out_.pages.push_back(std::move(p));
    pageInfo_.push_back(std::move(info));
    pageOpen_ = true;
    row_.clear();
    backShapes_ = 0;
    pageNotes_.clear();
    pageNotesHeight_ = 0.0;
    cursor_ = frames_.body.yPt;
    beginPageDrawings(v);
    startBand(s, frames_.body.yPt);
    decor_.columnBegins(textColumn_.xPt, textColumn_.xPt + textColumn_.widthPt, cursor_);
    topByOverflow_ = byOverflow;
    placePendingNotes();
}

void PageBuilder::startBand(const model::Section& section, double top) {
    const model::Rect& body = frames_.body;
    columns_.clear();
    const model::SectionColumns& c = section.columns;
    const int n = std::clamp(c.count, 1, 45);
    if (n > 1 && static_cast<int>(c.widthsPt.size()) == n) {
        // Columns of their own widths, scaled to the text area if need be.
        double total = 0.0;
        for (int i = 0; i < n; ++i) total += std::max(0.0, c.widthsPt[i]) + (i + 1 < n ? std::max(0.0, c.spacingsPt[i]) : 0.0);
        const double scale = total > body.widthPt && total > 0.0 ? body.widthPt / total : 1.0;
        double x = body.xPt;
        for (int i = 0; i < n; ++i) {
            const double w = std::max(0.0, c.widthsPt[i]) * scale;
            columns_.push_back({x, w});
            x += w + (i + 1 < n ? std::max(0.0, c.spacingsPt[i]) * scale : 0.0);
        }
    } else if (n > 1) {
        const double gap = std::isfinite(c.spacingPt) ? std::clamp(c.spacingPt, 0.0, body.widthPt / n) : 36.0;
        const double w = (body.widthPt - gap * (n - 1)) / n;
        for (int i = 0; i < n; ++i) columns_.push_back({body.xPt + i * (w + gap), w});
    }
    if (columns_.size() < 2 || std::any_of(columns_.begin(), columns_.end(), [](const Column& k) { return k.widthPt < 18.0; }))
        columns_.assign(1, Column{body.xPt, body.widthPt});
    column_ = 0;
    textColumn_ = columns_.front();
    bandTop_ = top;
    bandReach_ = top;
    cursor_ = top;
    frameTop_ = top;
    bodyUsed_ = false;
    topByOverflow_ = false;
    bandShapes_ = pageOpen_ ? page().shapes.size() : 0;
    bandLines_.clear();
    bandBalanceable_ = true;
    row_.clear();
}

model::Rect PageBuilder::columnArea() const {
    const Column& c = columns_.at(column_);
    return {c.xPt, bandTop_, c.widthPt, std::max(0.0, columnBottom() - bandTop_)};
}

Column PageBuilder::textColumnAt(double y, double h) const {
    if (wrap_.empty()) return columns_.at(column_);
    return wrap_.columnAt(y, h, columnArea());
}

double PageBuilder::columnBottom() const { return frames_.body.yPt + frames_.body.heightPt - notesHeight(); }

bool PageBuilder::atColumnTop() const { return !bodyUsed_ && cursor_ <= bandTop_ + kEpsilon; }

void PageBuilder::closeFrame(double bottom) {
    if (frameParagraphs_.empty()) return;
    const Column& c = textColumn_;
    WrittenFrame written = writeFrameLines(frameParagraphs_);
    const double top = frameTop_ - written.raisePt;
    const double limit = frames_.body.yPt + frames_.body.heightPt;
    const double height = std::max(1.0, std::min(bottom, limit) - top);
    page().shapes.push_back({{c.xPt, top, c.widthPt, height},
                             model::TextFrame{.paragraphs = std::move(written.paragraphs),
                                              .role = model::FrameRole::Body,
                                              .flow = flow_,
                                              .continues = frameContinues_}});
    frameParagraphs_.clear();
    frameContinues_ = false;
    bandReach_ = std::max(bandReach_, std::min(bottom, limit));
}

void PageBuilder::nextColumn() {
    closeFrame(columnBottom());
    if (column_ + 1 >= columns_.size()) {
        newPage(true);
        return;
    }
    bandReach_ = std::max(bandReach_, cursor_);
    ++column_;
    textColumn_ = columns_[column_];
    cursor_ = frameTop_ = bandTop_;
    bodyUsed_ = false;
    topByOverflow_ = true;
    row_.clear();
    // A bordered or shaded paragraph that goes on continues its box here.
    decor_.pageEnds();
    decor_.columnBegins(textColumn_.xPt, textColumn_.xPt + textColumn_.widthPt, cursor_);
}

void PageBuilder::finishPage() {
    // The body frame ends at the body's bottom even when a line taller than
    // the whole body had to be put there: it never reaches into the footer.
    closeFrame(columnBottom());
    drawColumnLines();
    model::Page& p = page();
    const model::Rect& body = frames_.body;
    if (!pageNotes_.empty()) {
        // The notes at the foot of the page, under their separator line.
        const double top = body.yPt + body.heightPt - notesHeight();
        const NoteSeparator separator = noteSeparator(body.widthPt, pageNotes_.front().lineHeightsPt.front());
        p.shapes.push_back({{body.xPt, top + separator.lineOffsetPt, separator.lineWidthPt, 0.0}, separator.line});
        WrittenFrame written = writeFrameLines(pageNotes_);
        const double y = top + separator.heightPt - written.raisePt;
        p.shapes.push_back({{body.xPt, y, body.widthPt, std::max(1.0, body.yPt + body.heightPt - y)},
                            model::TextFrame{std::move(written.paragraphs), model::FrameRole::Notes}});
        pageNotes_.clear();
    }
    // The header's tables are not the page's content.
    const model::Rect& header = frames_.header;
    auto inHeader = [&](const model::Shape& s) {
        return frames_.hasHeader && std::holds_alternative<model::TableFrame>(s.content) &&
               s.rect.yPt + kEpsilon >= header.yPt && s.rect.yPt + s.rect.heightPt <= header.yPt + header.heightPt + kEpsilon;
    };
    const bool content = std::any_of(p.shapes.begin(), p.shapes.end(), [&](const model::Shape& s) {
        const auto* text = std::get_if<model::TextFrame>(&s.content);
        return text ? text->role == model::FrameRole::Body : !inHeader(s);
    });
    if (!content) {
        // A page without any content still gets its text frame.
        p.shapes.push_back({frames_.body, model::TextFrame{}});
    }
    for (auto& shape : footer_) p.shapes.push_back(std::move(shape));
    footer_.clear();
    endPageDrawings();
    pageOpen_ = false;
}

void PageBuilder::drawColumnLines() {
    if (columns_.size() < 2 || !section_ || !section_->columns.separator || bandReach_ <= bandTop_ + kEpsilon) return;
    const model::DrawingFrame line = noteSeparator(1.0, 1.0).line;
    for (std::size_t c = 1; c < columns_.size(); ++c) {
        const double x = (columns_[c - 1].xPt + columns_[c - 1].widthPt + columns_[c].xPt) / 2.0;
        page().shapes.push_back({{x, bandTop_, 0.0, bandReach_ - bandTop_}, line});
    }
}

void PageBuilder::balanceBand() {
    if (columns_.size() < 2 || !bandBalanceable_ || bandLines_.empty() || !pageOpen_) {
        cursor_ = std::max(cursor_, bandReach_);
        return;
    }
    std::vector<BalanceLine> lines;
    for (std::size_t i = 0; i < bandLines_.size(); ++i) {
        const PlacedLines& p = bandLines_[i];
        for (std::size_t k = p.first; k < p.end; ++k) {
            BalanceLine line;
            line.heightPt = p.flow.measured->lines[k].heightPt;
            line.beforePt = k == p.first ? p.before : 0.0;
            line.afterPt = k + 1 == p.end ? p.after : 0.0;
            line.group = i;
            lines.push_back(line);
        }
    }
    const double room = columnBottom() - bandTop_;
    const BalancedColumns balanced = balanceColumns(lines, columns_.size(), room);
    if (balanced.columnOf.size() != lines.size()) {
        cursor_ = std::max(cursor_, bandReach_);
        return;
    }
    // The band's frames give way to the balanced ones.
    auto& shapes = page().shapes;
    shapes.erase(shapes.begin() + static_cast<std::ptrdiff_t>(std::min(bandShapes_, shapes.size())), shapes.end());
    std::size_t index = 0;
    for (std::size_t c = 0; c < columns_.size(); ++c) {
        std::vector<FrameParagraph> parts;
        while (index < lines.size() && balanced.columnOf[index] == c) {
            const std::size_t group = lines[index].group;
            const PlacedLines& p = bandLines_[group];
            const std::size_t firstLine = p.first + (index - firstIndexOf(lines, group));
            std::size_t count = 0;
            while (index < lines.size() && balanced.columnOf[index] == c && lines[index].group == group) {
                ++index;
                ++count;
            }
            const bool startsColumn = parts.empty();
            const double before = firstLine == p.first && !startsColumn ? p.before : 0.0;
            const double after = firstLine + count == p.end ? p.after : 0.0;
            parts.push_back(framePart(p.flow, firstLine, firstLine + count, before, after));
        }
        if (parts.empty()) continue;
        // The column's last paragraph goes on in the next column when its lines do.
        const bool continues = index < lines.size() && index > 0 && lines[index].group == lines[index - 1].group;
        WrittenFrame written = writeFrameLines(parts);
        const double top = bandTop_ - written.raisePt;
        shapes.push_back({{columns_[c].xPt, top, columns_[c].widthPt, std::max(1.0, bandTop_ + balanced.heightsPt[c] - top)},
                          model::TextFrame{.paragraphs = std::move(written.paragraphs),
                                           .role = model::FrameRole::Body,
                                           .flow = flow_,
                                           .continues = continues}});
    }
    double tallest = 0.0;
    for (double h : balanced.heightsPt) tallest = std::max(tallest, h);
    cursor_ = bandTop_ + tallest;
    bandReach_ = cursor_;
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

    const model::Rect area = columnArea();
    const double scale = std::min({1.0, area.widthPt / r.widthPt, (frames_.body.heightPt) / r.heightPt});
    r.widthPt *= scale;
    r.heightPt *= scale;
    const double bottom = columnBottom();

    // Beside the previous picture of the paragraph, when it fits there.
    if (picture.sameParagraphAsPrevious && !row_.empty() && rowWidth_ + r.widthPt <= area.widthPt + kEpsilon &&
        rowTop_ + std::max(rowHeight_, r.heightPt) <= bottom + kEpsilon) {
        page().shapes.push_back({r, pictureFrame(picture)});
        row_.push_back(page().shapes.size() - 1);
        rowWidth_ += r.widthPt;
        rowHeight_ = std::max(rowHeight_, r.heightPt);
        placeRow();
        return;
    }

    if (cursor_ + r.heightPt > bottom + kEpsilon && bodyUsed_) nextColumn();
    closeFrame(cursor_);
    bandBalanceable_ = false;
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
    bandBalanceable_ = false;
    lastStyle_.clear();
    // The table takes the current column; where it goes on, the next column.
    struct Flow final : TableFlow {
        PageBuilder& b;
        explicit Flow(PageBuilder& builder) : b(builder) {}
        model::Rect body() const override { return b.columnArea(); }
        double pageWidth() const override { return b.frames_.pageWidth; }
        double cursor() const override { return b.cursor_; }
        bool atPageTop() const override { return b.atColumnTop(); }
        void newPage() override {
            b.nextColumn();
            b.bandBalanceable_ = false;
        }
        void place(model::Shape shape) override {
            const double bottom = shape.rect.yPt + shape.rect.heightPt;
            const auto* piece = std::get_if<model::TableFrame>(&shape.content);
            b.page().shapes.push_back(std::move(shape));
            b.bodyUsed_ = true;
            if (piece) {
                // Notes referred to in the piece go to the foot of its page.
                const double cursor = b.cursor_;
                b.cursor_ = std::max(b.cursor_, bottom);
                b.placeTableNotes(std::get<model::TableFrame>(b.page().shapes.back().content));
                b.cursor_ = cursor;
            }
        }
        void placeAnchored(const model::Block& block, double topPt) override {
            // Objects that move with their paragraph are measured from the cell's top.
            b.paragraphTop_ = topPt;
            if (const auto* picture = std::get_if<model::Picture>(&block)) b.addPicture(*picture);
            else if (const auto* shape = std::get_if<model::DrawingShape>(&block)) b.addShape(*shape);
        }
        void end(double bottom) override {
            b.cursor_ = b.frameTop_ = bottom;
            b.bandReach_ = std::max(b.bandReach_, bottom);
        }
    } flow(*this);
    layOutTable(table, flow);
}

void PageBuilder::placeRow() {
    const model::Rect area = columnArea();
    const double room = std::max(0.0, area.widthPt - rowWidth_);
    double x = area.xPt;
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
    bandReach_ = std::max(bandReach_, cursor_);
}

void PageBuilder::pageBreak(bool column) {
    row_.clear();
    decor_.interrupt();
    if (!pageOpen_) newPage(false);
    if (column && columns_.size() > 1) {
        nextColumn();
        topByOverflow_ = false;
        return;
    }
    newPage(false);
}

void PageBuilder::finish() {
    if (!pageOpen_ && out_.pages.empty()) {
        static const model::Section blank;
        startSection(blank);
    }
    // Notes that still continue get pages of their own.
    for (int guard = 0; !pendingNotes_.empty() && guard < 10000; ++guard) newPage(true);
    if (pageOpen_) finishPage();
    numberNoteMarks();
}

} // namespace fq::layout
