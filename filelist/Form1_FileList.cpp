// Not built yet: placeholder bodies so the window links; replaced by the real handlers.
#include "app/Form1.h"

namespace fq::app {

void Form1::ListView1_DblClick() {}

void Form1::ListView1_KeyDown(int, int) {}

void Form1::PushButton5_Click() {}

} // namespace fq::app
