// Not built yet: placeholder bodies so the window links; replaced by the real handlers.
#include "app/Form1.h"

namespace fq::app {

void Form1::ListView1_MouseDown() {}

void Form1::ListView1_ItemClick() {}

void Form1::ListView1_MouseMove(int, int) {}

void Form1::ListView1_MouseUp() {}

} // namespace fq::app
