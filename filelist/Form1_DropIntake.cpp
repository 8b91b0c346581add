// Not built yet: placeholder bodies so the window links; replaced by the real handlers.
#include "app/Form1.h"

namespace fq::app {

void Form1::ListView1_OLEDragOver(const QMimeData*, int*) {}

void Form1::ListView1_OLEDragDrop(const QMimeData*) {}

} // namespace fq::app
