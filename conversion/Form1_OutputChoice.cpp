// Not built yet: placeholder bodies so the window links; replaced by the real handlers.
#include "app/Form1.h"

namespace fq::app {

void Form1::Option1_Click() {}

void Form1::Option2_Click() {}

void Form1::Text1_Change() {}

void Form1::PushButton7_Click() {}

} // namespace fq::app
