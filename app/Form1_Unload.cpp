// Not built yet: placeholder bodies so the window links; replaced by the real handlers.
#include "app/Form1.h"

namespace fq::app {

void Form1::Form_QueryUnload() {}

} // namespace fq::app

namespace fq::app {

// The window has unloaded: the program ends at once. A handler that is
// letting events through when this happens leaves without going on.
void Form1::Form_Unload() { os.windows.endProgram(); }

} // namespace fq::app
