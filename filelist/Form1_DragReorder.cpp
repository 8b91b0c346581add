// Drag reordering: a press on the list arms the drag, an item click makes
// the selected item the dragged one, and every move over another item swaps
// the two texts, so the dragged document travels with the pointer one swap
// at a time. The list scrolls by one item when the pointer's screen position
// lies above or below two fixed heights.
#include "app/Form1.h"

#include "app/CursorFile.h"
#include "conversion/PathHelpers.h"

namespace fq::app {

namespace {

constexpr int upperScrollThreshold = 305; // screen pixels from the top
constexpr int lowerScrollThreshold = 364;

} // namespace

void Form1::ListView1_MouseDown() { DragActive = true; }

void Form1::ListView1_ItemClick()
{
    ListView1->SetMousePointer(pointer::custom);
    // Without a loadable "drag.ico" the list keeps the default pointer; the
    // click still makes the item the dragged one.
    try {
        ListView1->SetMouseIcon(
            loadPointerFile(os.shell.programFolder() + conversion::nativeSeparator() + QStringLiteral("drag.ico")), true);
    } catch (const std::exception&) {
        ListView1->SetMouseIcon(QCursor(), false);
    }
    ListView1->OLEDragMode = 0;
    DraggedItem = ListView1->SelectedItem();
}

void Form1::ListView1_MouseMove(int x, int y)
{
    if (MousePointer() != pointer::hourglass) SetMousePointer(pointer::defaultPointer);
    if (!DragActive) return;
    HoverItem = ListView1->HitTest(QPoint(x, y));
    const int hover = ListView1->IndexOf(HoverItem);
    const int dragged = ListView1->IndexOf(DraggedItem); // 0 once the item was removed
    if (hover != 0 && dragged != 0 && ListView1->Text(hover) != ListView1->Text(dragged)) {
        const QString moving = ListView1->Text(dragged);
        ListView1->SetText(dragged, ListView1->Text(hover));
        ListView1->SetText(hover, moving);
        ListView1->Select(hover);
        DraggedItem = ListView1->Item(hover);
        const int screenY = os.windows.cursorScreenPosition().y();
        if (screenY < upperScrollThreshold && hover > 1)
            ListView1->EnsureVisible(hover - 1);
        else if (screenY > lowerScrollThreshold && ListView1->Count() >= hover + 1)
            ListView1->EnsureVisible(hover + 1);
    }
    HoverItem = filelist::ListView::noItem;
}

void Form1::ListView1_MouseUp()
{
    DragActive = false;
    ListView1->SetMousePointer(pointer::arrow);
}

} // namespace fq::app
