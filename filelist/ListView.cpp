// The list control: a one-column table view over a plain vector of items.
// Appending inserts one row at the end without re-laying out the rows above
// it, so very long queues stay cheap to build.
#include "filelist/ListView.h"

#include "platform/PlatformError.h"

#include <QAbstractTableModel>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QScreen>

#include <algorithm>
#include <vector>

namespace fq::filelist {

namespace {

constexpr int indexOutOfBounds = 35600;

[[noreturn]] void throwMissingIndex()
{
    throw platform::PlatformError(indexOutOfBounds, "Index out of bounds");
}

// The key code the handlers see: the Windows virtual-key code of the key, so
// that 46 is the Delete key and nothing else (Qt's own code for "." is 46 as
// well). Keys without a code of their own give 0.
int virtualKeyCode(const QKeyEvent& event)
{
    const int key = event.key();
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return key;
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return key;
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return 112 + (key - Qt::Key_F1);
    switch (key) {
    case Qt::Key_Delete: return 46;
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab: case Qt::Key_Backtab: return 9;
    case Qt::Key_Return: case Qt::Key_Enter: return 13;
    case Qt::Key_Shift: return 16;
    case Qt::Key_Control: return 17;
    case Qt::Key_Alt: return 18;
    case Qt::Key_Pause: return 19;
    case Qt::Key_CapsLock: return 20;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Space: return 32;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Semicolon: return 186;
    case Qt::Key_Equal: case Qt::Key_Plus: return 187;
    case Qt::Key_Comma: return 188;
    case Qt::Key_Minus: return 189;
    case Qt::Key_Period: return 190;
    case Qt::Key_Slash: return 191;
    case Qt::Key_QuoteLeft: return 192;
    case Qt::Key_BracketLeft: return 219;
    case Qt::Key_Backslash: return 220;
    case Qt::Key_BracketRight: return 221;
    case Qt::Key_Apostrophe: return 222;
    default: return 0;
    }
}

int shiftState(Qt::KeyboardModifiers m)
{
    int shift = 0;
    if (m & Qt::ShiftModifier) shift |= 1;
    if (m & Qt::ControlModifier) shift |= 2;
    if (m & Qt::AltModifier) shift |= 4;
    return shift;
}

} // namespace

class ListModel : public QAbstractTableModel {
public:
    struct Entry {
        ListView::ItemId id;
        QString text;
    };

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : int(items.size()); }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : 1; }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role == Qt::DisplayRole && index.isValid() && index.row() < int(items.size()))
            return items[std::size_t(index.row())].text;
        return {};
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section == 0 && hasColumn)
            return header;
        return {};
    }
    Qt::ItemFlags flags(const QModelIndex& index) const override
    {
        return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
    }

    int append(const QString& text)
    {
        const int row = int(items.size());
        beginInsertRows({}, row, row);
        items.push_back({++lastId, text});
        endInsertRows();
        return row + 1;
    }
    void setText(int row, const QString& text)
    {
        items[std::size_t(row)].text = text;
        const QModelIndex i = index(row, 0);
        emit dataChanged(i, i, {Qt::DisplayRole});
    }
    void remove(int row)
    {
        beginRemoveRows({}, row, row);
        items.erase(items.begin() + row);
        endRemoveRows();
    }
    void clear()
    {
        beginResetModel();
        items.clear();
        endResetModel();
    }
    void setHeader(const QString& text)
    {
        header = text;
        hasColumn = true;
        emit headerDataChanged(Qt::Horizontal, 0, 0);
    }

    std::vector<Entry> items;
    ListView::ItemId lastId = ListView::noItem;
    QString header;
    bool hasColumn = false;
};

ListView::ListView(QWidget* parent) : QTableView(parent), model_(new ListModel)
{
    model_->setParent(this);
    setModel(model_);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(false);
    setWordWrap(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setDragEnabled(false);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDropIndicatorShown(false);
    setMouseTracking(true);
}

ListView::~ListView() = default;

int ListView::Add(const QString& text) { return model_->append(text); }
int ListView::Count() const { return int(model_->items.size()); }

QString ListView::Text(int index) const
{
    if (index < 1 || index > Count()) throwMissingIndex();
    return model_->items[std::size_t(index - 1)].text;
}

void ListView::SetText(int index, const QString& text)
{
    if (index < 1 || index > Count()) throwMissingIndex();
    model_->setText(index - 1, text);
}

void ListView::Remove(int index)
{
    if (index < 1 || index > Count()) throwMissingIndex();
    model_->remove(index - 1);
}

void ListView::Clear() { model_->clear(); }

ListView::ItemId ListView::Item(int index) const
{
    if (index < 1 || index > Count()) return noItem;
    return model_->items[std::size_t(index - 1)].id;
}

int ListView::IndexOf(ItemId item) const
{
    // Identities grow with every append and stay with their places (only
    // texts move), so the items are always in ascending order of identity.
    if (item == noItem) return 0;
    const auto& items = model_->items;
    const auto at = std::lower_bound(items.begin(), items.end(), item,
                                     [](const ListModel::Entry& e, ItemId id) { return e.id < id; });
    return (at != items.end() && at->id == item) ? int(at - items.begin()) + 1 : 0;
}

ListView::ItemId ListView::SelectedItem() const
{
    const QModelIndex current = selectionModel()->currentIndex();
    if (!current.isValid() || !selectionModel()->isSelected(current)) return noItem;
    return Item(current.row() + 1);
}

void ListView::Select(int index)
{
    if (index < 1 || index > Count()) throwMissingIndex();
    selectionModel()->setCurrentIndex(model_->index(index - 1, 0),
                                      QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

ListView::ItemId ListView::HitTest(QPoint position) const
{
    const QModelIndex i = indexAt(position);
    return i.isValid() ? Item(i.row() + 1) : noItem;
}

void ListView::EnsureVisible(int index)
{
    if (index < 1 || index > Count()) throwMissingIndex();
    executeDelayedItemsLayout(); // the scroll range must know of items appended just now
    scrollTo(model_->index(index - 1, 0), QAbstractItemView::EnsureVisible);
}

void ListView::AddColumn(const QString& header) { model_->setHeader(header); }

void ListView::SetColumnWidth(int column, int twips)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInch() : 96.0;
    const int pixels = qRound(twips / 15.0 * dpi / 96.0);
    setColumnWidth(column - 1, pixels);
    if (column == 1) {
        columnTwips_ = twips;
        columnPixels_ = pixels;
    }
}

QString ListView::ColumnHeader() const { return model_->hasColumn ? model_->header : QString(); }

int ListView::ColumnWidthTwips() const
{
    // The width as set, while the user has not dragged the divider since.
    if (columnPixels_ >= 0 && columnWidth(0) == columnPixels_) return columnTwips_;
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInch() : 96.0;
    return qRound(columnWidth(0) * 15.0 * 96.0 / dpi);
}

void ListView::SetMousePointer(int value)
{
    mousePointer_ = value;
    if (value == 99 && mouseIconLoaded_)
        viewport()->setCursor(mouseIcon_);
    else if (value == 1)
        viewport()->setCursor(Qt::ArrowCursor);
    else
        viewport()->unsetCursor();
}

void ListView::SetMouseIcon(const QCursor& cursor, bool loaded)
{
    mouseIcon_ = cursor;
    mouseIconLoaded_ = loaded;
    if (mousePointer_ == 99) SetMousePointer(99);
}

void ListView::mousePressEvent(QMouseEvent* event)
{
    emit MouseDown();
    const bool onItem = indexAt(event->position().toPoint()).isValid();
    QTableView::mousePressEvent(event);
    if (onItem) emit ItemClick();
}

void ListView::mouseMoveEvent(QMouseEvent* event)
{
    // The list's own selection-by-dragging is not used: the handler moves
    // the dragged document instead.
    emit MouseMove(event->position().toPoint().x(), event->position().toPoint().y());
    event->accept();
}

void ListView::mouseReleaseEvent(QMouseEvent* event)
{
    QTableView::mouseReleaseEvent(event);
    emit MouseUp();
}

void ListView::mouseDoubleClickEvent(QMouseEvent* event)
{
    QTableView::mouseDoubleClickEvent(event);
    emit DblClick();
}

void ListView::keyPressEvent(QKeyEvent* event)
{
    const int code = virtualKeyCode(*event);
    emit KeyDown(code, shiftState(event->modifiers()));
    if (code == 46) {
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void ListView::dragEnterEvent(QDragEnterEvent* event)
{
    dragMoveEvent(event); // the same question at entry as at every move
}

void ListView::dragMoveEvent(QDragMoveEvent* event)
{
    int effect = int(event->proposedAction());
    emit OLEDragOver(event->mimeData(), &effect);
    if (effect == 0)
        event->ignore();
    else
        event->acceptProposedAction();
}

void ListView::dropEvent(QDropEvent* event)
{
    emit OLEDragDrop(event->mimeData());
    event->acceptProposedAction();
}

} // namespace fq::filelist
