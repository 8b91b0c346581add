// Editing the queue: removing the selected item by double-click or by the
// Delete key, and emptying the list with "Clear List". None of them acts
// while the window shows the hourglass.
#include "app/Form1.h"

#include "app/Steps.h"

namespace fq::app {

namespace {

constexpr int deleteKeyCode = 46;

void removeSelectedItem(Form1& form)
{
    if (form.MousePointer() == pointer::hourglass) return;
    if (!(form.ListView1->Count() > 0)) return;
    const filelist::ListView::ItemId selected = form.ListView1->SelectedItem();
    if (selected == filelist::ListView::noItem) return;
    form.ListView1->Remove(form.ListView1->IndexOf(selected));
}

} // namespace

void Form1::ListView1_DblClick() { removeSelectedItem(*this); }

// The Shift, Ctrl and Alt state is not examined.
void Form1::ListView1_KeyDown(int keyCode, int /*shift*/)
{
    if (keyCode == deleteKeyCode) removeSelectedItem(*this);
}

void Form1::PushButton5_Click()
{
    Steps s(Report, formLocation(QStringLiteral("PushButton5_Click")));
    s.step(100, [&] {
        if (MousePointer() != pointer::hourglass) ListView1->Clear();
    });
}

} // namespace fq::app
