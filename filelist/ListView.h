// The list control that holds the queue: a report view with one column whose
// items carry only a text. Its operations follow the item collection the
// handlers are written against (1-based positions, Add appends, Remove
// renumbers). User input on the list is handed to the main window's
// handlers through the signals below.
#pragma once

#include <QCursor>
#include <QPoint>
#include <QString>
#include <QTableView>

#include <cstdint>
#include <memory>

class QMimeData;

namespace fq::filelist {

class ListModel;

class ListView : public QTableView {
    Q_OBJECT
public:
    // An item's identity: it stays with the item's place while texts move
    // between items, and it is gone once the item is removed.
    using ItemId = std::uint64_t;
    static constexpr ItemId noItem = 0;

    explicit ListView(QWidget* parent = nullptr);
    ~ListView() override;

    // Item collection.
    int Add(const QString& text);                 // appends; returns the new item's index
    int Count() const;
    QString Text(int index) const;                // throws PlatformError for a missing index
    void SetText(int index, const QString& text); // throws PlatformError for a missing index
    void Remove(int index);                       // throws PlatformError for a missing index
    void Clear();
    ItemId Item(int index) const;                 // noItem for a missing index
    int IndexOf(ItemId item) const;               // 0 when the item no longer exists

    // Selection and view.
    ItemId SelectedItem() const;                  // noItem when none is selected
    void Select(int index);
    ItemId HitTest(QPoint position) const;        // in the list's own coordinates
    void EnsureVisible(int index);

    // The column: header text, width in twips.
    void AddColumn(const QString& header);
    void SetColumnWidth(int column, int twips);
    QString ColumnHeader() const;
    int ColumnWidthTwips() const;

    // The list's own mouse pointer: 0 default, 1 arrow, 99 the custom picture.
    void SetMousePointer(int value);
    int MousePointer() const { return mousePointer_; }
    void SetMouseIcon(const QCursor& cursor, bool loaded);
    int OLEDragMode = 0;

signals:
    void MouseDown();
    void ItemClick();
    void MouseMove(int x, int y);
    void MouseUp();
    void DblClick();
    void KeyDown(int keyCode, int shift);
    // effect: the proposed effect on entry; set to 0 to refuse the drop.
    void OLEDragOver(const QMimeData* data, int* effect);
    void OLEDragDrop(const QMimeData* data);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    ListModel* model_;
    int mousePointer_ = 0;
    int columnTwips_ = 0;
    int columnPixels_ = -1;
    QCursor mouseIcon_;
    bool mouseIconLoaded_ = false;
};

} // namespace fq::filelist
