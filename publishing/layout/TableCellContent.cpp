// Measuring and cutting the content of a table cell.
#include "publishing/layout/TableCellContent.h"
#include "publishing/model/Budget.h"

#include "publishing/layout/Anchored.h"
#include "publishing/layout/PageBuilder.h"
#include "publishing/layout/ParagraphSplit.h"
#include "publishing/layout/TableText.h"

#include <algorithm>
#include <cmath>

namespace fq::layout {

namespace {

constexpr double kEpsilon = 0.01;

double spacing(double v) { return std::isfinite(v) ? std::clamp(v, 0.0, 1000.0) : 0.0; }

// As in the body's frames: a paragraph without runs carries its mark's
// properties in an empty run, and a hanging first line gets the tab stop
// at the left indent that the measuring assumed.
model::Paragraph asWritten(const model::Paragraph& given) {
    model::Paragraph p = given;
    if (p.runs.empty()) {
        model::Run mark;
        mark.props = markProps(given);
        p.runs.push_back(std::move(mark));
    }
    if (p.props.firstLineIndentPt < 0.0 &&
        std::none_of(p.props.tabStopsPt.begin(), p.props.tabStopsPt.end(), [](double t) { return t == 0.0; }))
        p.props.tabStopsPt.insert(p.props.tabStopsPt.begin(), 0.0);
    return p;
}

// The paragraph that keeps a picture's or shape's height free: empty, one
// line of exactly that height, aligned as the picture's paragraph.
model::Paragraph spacer(model::Alignment alignment, double heightPt) {
    model::Paragraph p;
    p.props.alignment = alignment;
    p.props.lineSpacing = {model::LineSpacing::Rule::Exact, heightPt};
    model::Run r;
    r.props.sizePt = 1.0;
    p.runs.push_back(r);
    return p;
}

bool holdsPictures(const std::vector<model::TableRow>& rows) {
    for (const auto& row : rows)
        for (const auto& cell : row.cells)
            for (const auto& block : cell.blocks) {
                if (std::holds_alternative<model::Picture>(block) || std::holds_alternative<model::DrawingShape>(block))
                    return true;
                if (const auto* t = std::get_if<model::Table>(&block); t && holdsPictures(t->rows)) return true;
            }
    return false;
}

// How many of a paragraph's remaining lines stay in this piece when
// fitting of its total lines fit: all or none when its lines keep together;
// with widow control, never one line alone on either side of the break.
std::size_t keptLines(const model::ParaProps& props, std::size_t fitting, std::size_t total) {
    if (fitting >= total) return fitting;
    if (props.keepLinesTogether) return 0;
    if (props.widowControl) {
        if (total - fitting == 1 && fitting > 0) --fitting;
        if (fitting == 1) return 0;
    }
    return fitting;
}

} // namespace

double CellContent::Item::heightPt() const {
    const double before = firstLine == 0 ? spacing(paragraph.props.spaceBeforePt) : 0.0;
    return before + linesHeight(measured, firstLine) + spacing(paragraph.props.spaceAfterPt);
}

model::Paragraph CellContent::Item::rest() const {
    if (firstLine == 0) return paragraph;
    return paragraphPart(paragraph, measured, measured.lines[firstLine].start, measured.text.size());
}

CellContent::CellContent(const std::vector<const model::TableCell*>& cells, double widthPt, double maxHeightPt) {
    for (const auto* cell : cells) collect(cell->blocks, widthPt, maxHeightPt);
}

void CellContent::collect(const std::vector<model::Block>& blocks, double widthPt, double maxHeightPt) {
    for (const auto& block : blocks) {
        model::checkBudget();
        if (const auto* p = std::get_if<model::Paragraph>(&block)) {
            Item item;
            item.paragraph = asWritten(*p);
            item.measured = measureParagraph(item.paragraph, widthPt);
            items_.push_back(std::move(item));
        } else if (const auto* pic = std::get_if<model::Picture>(&block)) {
            if (pic->anchor) {
                anchored_.push_back(block);
                continue;
            }
            model::Rect r = pictureSize(*pic);
            const double scale = std::min({1.0, std::max(1.0, widthPt) / r.widthPt, std::max(1.0, maxHeightPt) / r.heightPt});
            addInline(CellPicture{*pic, std::nullopt, 0.0, r.widthPt * scale, r.heightPt * scale}, widthPt);
        } else if (const auto* shape = std::get_if<model::DrawingShape>(&block)) {
            if (shape->anchor) {
                anchored_.push_back(block);
                continue;
            }
            const model::Rect r = shapeSize(*shape);
            const double scale = std::min({1.0, std::max(1.0, widthPt) / std::max(r.widthPt, kEpsilon),
                                           std::max(1.0, maxHeightPt) / std::max(r.heightPt, kEpsilon)});
            addInline(CellPicture{model::Picture{}, *shape, 0.0, r.widthPt * scale, r.heightPt * scale}, widthPt);
        } else if (const auto* table = std::get_if<model::Table>(&block)) {
            // A table inside a cell: a line per row, its cells at tab
            // stops; one that holds pictures gives its cells' content in
            // reading order instead.
            if (holdsPictures(table->rows)) {
                for (const auto& row : table->rows)
                    for (const auto& cell : row.cells) collect(cell.blocks, widthPt, maxHeightPt);
            } else {
                std::vector<model::Block> lines;
                for (auto& line : tableAsLines(*table)) lines.emplace_back(std::move(line));
                collect(lines, widthPt, maxHeightPt);
            }
        }
    }
}

void CellContent::addInline(CellPicture placed, double widthPt) {
    Item item;
    item.paragraph = spacer(placed.picture.alignment, placed.heightPt);
    item.measured = measureParagraph(item.paragraph, widthPt);
    item.picture = std::move(placed);
    items_.push_back(std::move(item));
}

double CellContent::heightPt() const {
    double h = 0.0;
    for (const auto& item : items_) h += item.heightPt();
    return h;
}

CellPart CellContent::take(double heightPt, bool force) {
    CellPart part;
    double used = 0.0;
    auto place = [&](Item& item, double height) {
        if (item.picture) {
            CellPicture pic = *item.picture;
            pic.offsetPt = used;
            part.pictures.push_back(std::move(pic));
        }
        part.paragraphs.push_back(item.rest());
        used += height;
    };
    std::size_t taken = 0;
    for (; taken < items_.size(); ++taken) {
        Item& item = items_[taken];
        const double full = item.heightPt();
        const bool first = part.paragraphs.empty();
        if (used + full <= heightPt + kEpsilon || (force && first && item.picture)) {
            place(item, full);
            continue;
        }
        if (item.picture) break;
        // Lines of the paragraph while they fit; the rest stays.
        const auto& lines = item.measured.lines;
        double at = used + (item.firstLine == 0 ? spacing(item.paragraph.props.spaceBeforePt) : 0.0);
        const std::size_t firstLine = item.firstLine;
        std::size_t k = firstLine;
        while (k < lines.size() && at + lines[k].heightPt <= heightPt + kEpsilon) at += lines[k++].heightPt;
        if (k < lines.size()) {
            const std::size_t kept = firstLine + keptLines(item.paragraph.props, k - firstLine, lines.size() - firstLine);
            for (; k > kept; --k) at -= lines[k - 1].heightPt;
        }
        if (k == firstLine && force && first) at += lines[k++].heightPt;
        if (k == static_cast<std::size_t>(item.firstLine)) break;
        if (k == lines.size()) {
            // Only its space after is left over: the whole paragraph goes.
            place(item, full);
            continue;
        }
        const int from = lines[item.firstLine].start;
        part.paragraphs.push_back(paragraphPart(item.paragraph, item.measured, from, lines[k].start));
        item.firstLine = static_cast<int>(k);
        used = at;
        break;
    }
    items_.erase(items_.begin(), items_.begin() + static_cast<std::ptrdiff_t>(taken));
    part.heightPt = used;
    return part;
}

} // namespace fq::layout
