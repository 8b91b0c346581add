// Not built yet: placeholder bodies so the window links; replaced by the real handlers.
#include "app/Form1.h"

namespace fq::app {

void Form1::PushButton1_MouseMove() {}

void Form1::PushButton2_MouseMove() {}

void Form1::PushButton3_MouseMove() {}

void Form1::PushButton4_MouseMove() {}

void Form1::PushButton5_MouseMove() {}

void Form1::PushButton6_MouseMove() {}

void Form1::PushButton7_MouseMove() {}

void Form1::Form_MouseMove() {}

void Form1::Frame5_MouseMove() {}

void Form1::Frame1_MouseMove() {}

void Form1::Text1_MouseMove() {}

} // namespace fq::app
