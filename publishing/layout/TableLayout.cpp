// Rows, merged cells and page breaks of a table.
#include "publishing/layout/TableLayout.h"
#include "publishing/model/Budget.h"

#include "publishing/layout/Anchored.h"
#include "publishing/layout/TableCellContent.h"
#include "publishing/layout/TableGrid.h"

#include <algorithm>
#include <cmath>
#include <list>
#include <optional>

namespace fq::layout {

namespace {

constexpr double kEpsilon = 0.01;

double length(double v, double limit) { return std::isfinite(v) ? std::clamp(v, 0.0, limit) : 0.0; }

// Cells row by row, each row from left to right, as the table's text runs.
void sortCells(model::TableFrame& frame) {
    std::stable_sort(frame.cells.begin(), frame.cells.end(), [](const auto& a, const auto& b) {
        return a.row != b.row ? a.row < b.row : a.column < b.column;
    });
}

// A cell that has begun and not yet ended: its content not yet placed
// and where its part in the current piece begins.
struct OpenCell {
    const GridCell* cell;
    int endRow;
    CellContent content;
    double top = 0.0;
    int firstPieceRow = 0;
};

class TablePager {
public:
    TablePager(const model::Table& table, TableFlow& flow)
        : table_(table), flow_(flow), grid_(resolveGrid(table, flow.body(), flow.pageWidth())) {}
    void run();

private:
    model::Rect body() const { return flow_.body(); }
    double bottom() const { return body().yPt + body().heightPt; }
    double marginsV(const GridCell& c) const { return c.margins.topPt + c.margins.bottomPt; }
    double rowMinimum(int r, bool continuation) const;
    double rowNeed(int r, bool continuation) const;
    bool anythingFits(double at) const;
    void open(int r);
    void placeRow(int r, double height);
    void finishPart(OpenCell& cell, CellPart part, int lastPieceRow);
    void closePiece(bool force, int keepRow);
    void startPiece();
    void countHeaderRows();
    void measure();
    double bandHeight(int r) const;
    double headersHeight() const { return headerRecorded_ && headerRows_ > 0 ? headerHeight_ : 0.0; }

    const model::Table& table_;
    TableFlow& flow_;
    TableGrid grid_;
    std::list<OpenCell> open_;
    std::vector<std::optional<CellContent>> contents_;   // per grid cell, until it begins
    std::vector<double> natural_;           // row heights when nothing breaks the table
    std::vector<int> lastTied_;             // per row: the last row its cells reach

    model::TableFrame piece_;
    std::vector<model::Shape> pictures_;    // over the piece's cells
    double pieceTop_ = 0.0;
    double y_ = 0.0;
    bool pieceAtPageTop_ = false;
    int bodyRowsInPiece_ = 0;

    int headerRows_ = 0;                    // leading rows repeated on every further page
    bool headerRecorded_ = false;
    model::TableFrame header_;
    std::vector<model::Shape> headerPictures_;   // y from the piece's top
    double headerHeight_ = 0.0;
};

void TablePager::countHeaderRows() {
    const int rows = grid_.rows;
    int n = 0;
    while (n < rows && table_.rows[n].header) ++n;
    if (n == rows) n = 0;                   // a table of header rows only has nothing to repeat them over
    for (const auto& c : grid_.cells)
        if (c.row < n && c.row + c.rowSpan > n) n = 0;   // a merge across the header's end
    headerRows_ = n;
}

double TablePager::rowMinimum(int r, bool continuation) const {
    const auto& row = table_.rows[r];
    if (continuation || row.heightRule == model::RowHeightRule::Auto) return 0.0;
    return length(row.heightPt, body().heightPt);
}

// The height row r needs from y_: its rule's minimum and what the cells
// that end in it still have to show. Exact heights too grow to show the
// whole content, so that nothing is hidden.
double TablePager::rowNeed(int r, bool continuation) const {
    double need = rowMinimum(r, continuation);
    for (const auto& c : open_)
        if (c.endRow == r)
            need = std::max(need, marginsV(*c.cell) + c.content.heightPt() - (y_ - c.top));
    return need;
}

// Whether some open cell can show at least one line in a piece ending at at.
bool TablePager::anythingFits(double at) const {
    for (const auto& c : open_) {
        CellContent trial = c.content;
        if (!trial.empty() && !trial.take(at - c.top - marginsV(*c.cell), false).paragraphs.empty()) return true;
    }
    return false;
}

void TablePager::open(int r) {
    const int pieceRow = static_cast<int>(piece_.rowHeightsPt.size());
    for (std::size_t index : grid_.startingIn[r]) {
        const GridCell& cell = grid_.cells[index];
        OpenCell c{&cell, cell.row + cell.rowSpan - 1, std::move(*contents_[index]), y_, pieceRow};
        contents_[index].reset();
        for (const auto& block : c.content.takeAnchored()) flow_.placeAnchored(block, y_ + cell.margins.topPt);
        open_.push_back(std::move(c));
    }
}

void TablePager::finishPart(OpenCell& c, CellPart part, int lastPieceRow) {
    const GridCell& g = *c.cell;
    model::TableFrameCell out;
    out.row = c.firstPieceRow;
    out.column = g.column;
    out.rowSpan = lastPieceRow - c.firstPieceRow + 1;
    out.columnSpan = g.columnSpan;
    out.borders = g.borders;
    out.shading = g.shading;
    out.margins = g.margins;
    out.verticalAlignment = g.verticalAlignment;
    out.paragraphs = std::move(part.paragraphs);
    if (out.paragraphs.empty()) {
        // A cell part without content still holds an empty paragraph, too
        // small to make its row taller.
        model::Paragraph empty;
        model::Run mark;
        mark.props.sizePt = 1.0;
        empty.runs.push_back(mark);
        out.paragraphs.push_back(std::move(empty));
    }

    double height = 0.0;
    for (int i = out.row; i <= lastPieceRow; ++i) height += piece_.rowHeightsPt[i];
    const double inner = std::max(0.0, height - marginsV(g));
    double shift = 0.0;
    if (g.verticalAlignment == model::VerticalAlignment::Center) shift = std::max(0.0, (inner - part.heightPt) / 2.0);
    else if (g.verticalAlignment == model::VerticalAlignment::Bottom) shift = std::max(0.0, inner - part.heightPt);
    const double left = grid_.xPt + grid_.columnOffset(g.column) + g.margins.leftPt;
    const double width = std::max(0.0, grid_.spanWidth(g) - g.margins.leftPt - g.margins.rightPt);
    for (const auto& pic : part.pictures) {
        double x = left;
        if (pic.picture.alignment == model::Alignment::Center) x += std::max(0.0, (width - pic.widthPt) / 2.0);
        else if (pic.picture.alignment == model::Alignment::Right) x += std::max(0.0, width - pic.widthPt);
        const model::Rect r{x, c.top + g.margins.topPt + shift + pic.offsetPt, pic.widthPt, pic.heightPt};
        if (pic.shape)
            pictures_.push_back({r, drawingFrame(*pic.shape)});
        else
            pictures_.push_back({r, model::PictureFrame{pic.picture.format, pic.picture.data, pic.picture.description}});
    }
    piece_.cells.push_back(std::move(out));
}

void TablePager::placeRow(int r, double height) {
    piece_.rowHeightsPt.push_back(height);
    const int pieceRow = static_cast<int>(piece_.rowHeightsPt.size()) - 1;
    y_ += height;
    for (auto it = open_.begin(); it != open_.end();) {
        if (it->endRow == r) {
            finishPart(*it, it->content.takeAll(), pieceRow);
            it = open_.erase(it);
        } else {
            ++it;
        }
    }
    if (r >= headerRows_) ++bodyRowsInPiece_;
    if (r == headerRows_ - 1 && !headerRecorded_) {
        headerRecorded_ = true;
        header_ = piece_;
        sortCells(header_);
        headerHeight_ = y_ - pieceTop_;
        for (auto shape : pictures_) {
            shape.rect.yPt -= pieceTop_;
            headerPictures_.push_back(std::move(shape));
        }
        if (headerHeight_ > body().heightPt / 2.0) headerRows_ = 0;   // too tall to repeat
    }
}

// Ends the piece at y_: the cells that go on are cut there (keepRow: the
// cells that begin in that row have not started yet), the piece and the
// pictures over its cells go onto the page.
void TablePager::closePiece(bool force, int keepRow) {
    const int lastPieceRow = static_cast<int>(piece_.rowHeightsPt.size()) - 1;
    for (auto& c : open_) {
        if (c.cell->row == keepRow || c.firstPieceRow > lastPieceRow) continue;
        CellPart part = c.content.take(y_ - c.top - marginsV(*c.cell), force);
        finishPart(c, std::move(part), lastPieceRow);
    }
    // A piece of nothing but the repeated header rows is left out: the
    // next piece repeats them.
    const bool headerOnly = bodyRowsInPiece_ == 0 && headerRecorded_ && headerRows_ > 0;
    sortCells(piece_);
    if (!piece_.rowHeightsPt.empty() && !headerOnly) {
        const model::Rect rect{grid_.xPt, pieceTop_, grid_.widthPt(), y_ - pieceTop_};
        flow_.place({rect, std::move(piece_)});
        for (auto& shape : pictures_) flow_.place(std::move(shape));
    }
    piece_ = {};
    pictures_.clear();
}

void TablePager::startPiece() {
    pieceTop_ = y_ = flow_.cursor();
    pieceAtPageTop_ = flow_.atPageTop();
    piece_ = {};
    piece_.columnWidthsPt = grid_.columnsPt;
    pictures_.clear();
    bodyRowsInPiece_ = 0;
    if (headerRecorded_ && headerRows_ > 0) {
        piece_ = header_;
        for (auto shape : headerPictures_) {
            shape.rect.yPt += pieceTop_;
            pictures_.push_back(std::move(shape));
        }
        y_ += headerHeight_;
    }
    const int pieceRow = static_cast<int>(piece_.rowHeightsPt.size());
    for (auto& c : open_) {
        c.top = y_;
        c.firstPieceRow = pieceRow;
    }
}

// Measures every cell once, and works out the rows' heights as they are
// when no page breaks the table, and the bands of rows that vertical
// merges tie together.
void TablePager::measure() {
    contents_.clear();
    std::vector<double> need(grid_.cells.size());
    for (const auto& cell : grid_.cells) {
        model::checkBudget();
        std::vector<const model::TableCell*> sources;
        if (cell.source) sources.push_back(cell.source);
        for (const auto* more : cell.continuations) sources.push_back(more);
        const double width = std::max(1.0, grid_.spanWidth(cell) - cell.margins.leftPt - cell.margins.rightPt);
        contents_.emplace_back(CellContent(sources, width, body().heightPt - marginsV(cell)));
        need[contents_.size() - 1] = marginsV(cell) + contents_.back()->heightPt();
    }
    natural_.assign(grid_.rows, 0.0);
    lastTied_.assign(grid_.rows, 0);
    std::vector<std::vector<std::size_t>> endingIn(grid_.rows);
    for (std::size_t i = 0; i < grid_.cells.size(); ++i) {
        const GridCell& c = grid_.cells[i];
        endingIn[c.row + c.rowSpan - 1].push_back(i);
    }
    std::vector<double> top(grid_.rows + 1, 0.0);
    for (int r = 0; r < grid_.rows; ++r) {
        double h = rowMinimum(r, false);
        for (std::size_t i : endingIn[r]) h = std::max(h, need[i] - (top[r] - top[grid_.cells[i].row]));
        natural_[r] = h;
        top[r + 1] = top[r] + h;
        lastTied_[r] = r;
        for (std::size_t i : grid_.startingIn[r]) lastTied_[r] = std::max(lastTied_[r], r + grid_.cells[i].rowSpan - 1);
    }
}

// The height of the band of rows that begins at r: the rows that cells
// beginning in it reach down to, and those that theirs reach, and so on.
double TablePager::bandHeight(int r) const {
    double band = 0.0;
    for (int k = r, end = r; k <= end && k < grid_.rows; ++k) {
        end = std::max(end, lastTied_[k]);
        band += natural_[k];
    }
    return band;
}

void TablePager::run() {
    countHeaderRows();
    measure();
    startPiece();
    int r = 0;
    int nextToOpen = 0;                     // the first row whose cells have not begun
    bool continuation = false;              // row r began in an earlier piece
    while (r < grid_.rows) {
        model::checkBudget();
        if (r == nextToOpen && open_.empty()) {
            // A band of rows (a row, or rows that merged cells tie
            // together) that fits on a page is not broken: when it does
            // not fit here, it goes to the next page whole.
            const double band = bandHeight(r);
            const bool canMove = bodyRowsInPiece_ > 0 || !pieceAtPageTop_;
            if (canMove && y_ + band > bottom() + kEpsilon && band <= body().heightPt - headersHeight()) {
                closePiece(false, -1);
                flow_.newPage();
                startPiece();
                continue;
            }
        }
        if (r == nextToOpen) {
            open(r);
            ++nextToOpen;
        }
        const double need = rowNeed(r, continuation);
        const bool canMove = bodyRowsInPiece_ > 0 || !pieceAtPageTop_;
        // On a page where moving on gains nothing, a row whose content fits
        // keeps it and gives up the rest of its minimum height.
        const bool fits = y_ + need <= bottom() + kEpsilon ||
                          (!canMove && y_ + rowNeed(r, true) <= bottom() + kEpsilon);
        if (fits) {
            placeRow(r, std::min(need, std::max(0.0, bottom() - y_)));
            ++r;
            continuation = false;
            continue;
        }
        if (canMove) {
            const bool whole = table_.rows[r].cantSplit && !continuation && need <= body().heightPt - headersHeight();
            if (whole || !anythingFits(bottom())) {
                // The row goes to the next page; what began above it ends here.
                closePiece(false, continuation ? -1 : r);
                flow_.newPage();
                startPiece();
                continue;
            }
        }
        // Split inside the row: it fills the page, its cells continue. A
        // header row cut in two is no longer repeated.
        if (r < headerRows_) headerRows_ = 0;
        piece_.rowHeightsPt.push_back(bottom() - y_);
        y_ = bottom();
        if (r >= headerRows_) ++bodyRowsInPiece_;
        closePiece(!canMove, -1);
        // When only the row's spacing did not fit, its cells are done: the
        // next page goes on with the next row.
        const bool done = std::none_of(open_.begin(), open_.end(),
                                       [r](const OpenCell& c) { return c.endRow == r && !c.content.empty(); });
        if (done) open_.remove_if([r](const OpenCell& c) { return c.endRow == r; });
        flow_.newPage();
        startPiece();
        continuation = !done;
        if (done) ++r;
    }
    closePiece(false, -1);
    flow_.end(y_);
}

} // namespace

void layOutTable(const model::Table& table, TableFlow& flow) {
    if (table.rows.empty()) return;
    TablePager pager(table, flow);
    pager.run();
}

} // namespace fq::layout
