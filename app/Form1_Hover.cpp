// The hover pointer: the hand over the seven buttons, the default pointer
// over the window's surface, the frames and the text box; the hourglass of
// a busy run or scan is left alone everywhere.
#include "app/Form1.h"

namespace fq::app {

namespace {

void showHand(Form1& form)
{
    if (form.MousePointer() != pointer::hourglass) form.SetMousePointer(pointer::custom);
}

void showDefault(Form1& form)
{
    if (form.MousePointer() != pointer::hourglass) form.SetMousePointer(pointer::defaultPointer);
}

} // namespace

void Form1::PushButton1_MouseMove() { showHand(*this); }
void Form1::PushButton2_MouseMove() { showHand(*this); }
void Form1::PushButton3_MouseMove() { showHand(*this); }
void Form1::PushButton4_MouseMove() { showHand(*this); }
void Form1::PushButton5_MouseMove() { showHand(*this); }
void Form1::PushButton6_MouseMove() { showHand(*this); }
void Form1::PushButton7_MouseMove() { showHand(*this); }

void Form1::Form_MouseMove() { showDefault(*this); }
void Form1::Frame5_MouseMove() { showDefault(*this); }
void Form1::Frame1_MouseMove() { showDefault(*this); }
void Form1::Text1_MouseMove() { showDefault(*this); }

} // namespace fq::app
