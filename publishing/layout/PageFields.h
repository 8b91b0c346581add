// Fills in the page-dependent fields (page number, number of pages) of the
// runs on laid-out pages, once the number of pages is known.
#pragma once

#include "publishing/model/Publication.h"

namespace fq::layout {

// Every run marked as a page field gets the number of the page it sits on
// (counted from 1 over the whole publication) or the number of pages.
void fillPageFields(model::Publication& publication);

} // namespace fq::layout
