// Fills in the page-dependent fields (page number, number of pages, pages
// of the section, the nearest heading) of the runs on laid-out pages, once
// the number of pages is known.
#pragma once

#include "publishing/model/Publication.h"

#include <string>
#include <utility>
#include <vector>

namespace fq::layout {

// What the fields need to know of one page.
struct PageInfo {
    std::size_t section = 0;                // the section the page belongs to
    int number = 1;                         // its page number (restarts included)
    word::NumberFormat format = word::NumberFormat::Decimal;   // how its section shows page numbers
    // The paragraphs that start on the page, in order: their style name
    // (lower case) and text, for STYLEREF.
    std::vector<std::pair<std::string, std::string>> styled;
};

// Every page field gets its page's value: the page number (in the field's
// format, else the section's), the number of pages of the publication or
// of the section, the text of the nearest paragraph of a style (the first on
// the page, else the last before it; without one the stored result stays).
// pages has one entry per page.
void fillPageFields(model::Publication& publication, const std::vector<PageInfo>& pages);

// As above with the pages numbered from 1 in one section.
void fillPageFields(model::Publication& publication);

} // namespace fq::layout
