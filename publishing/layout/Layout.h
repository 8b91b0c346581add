// Lays a document out into pages: measures text with real fonts, fills one
// text frame per page over its text area, places pictures.
#pragma once

#include "publishing/model/Publication.h"

namespace fq::layout {

// Needs a QGuiApplication (for the font database).
model::Publication layOut(const model::Document& document);

} // namespace fq::layout
