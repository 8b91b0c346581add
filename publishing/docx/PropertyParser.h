// Reads w:rPr, w:pPr and w:sectPr elements into the typed model.
#pragma once

#include "publishing/docx/DocxModel.h"

#include <pugixml.hpp>

namespace fq::docx {

RunProps parseRunProps(const pugi::xml_node& rPr);
ParaProps parseParaProps(const pugi::xml_node& pPr, const Relationships& rels);
SectionProps parseSectionProps(const pugi::xml_node& sectPr, const Relationships& rels);
// w:footnotePr or w:endnotePr: number format, start and restart, as far as given.
void parseNoteProps(const pugi::xml_node& notePr, std::optional<std::string>& format, std::optional<int>& start,
                    std::optional<std::string>& restart);

// Copies every property set in `over` onto `base` (style inheritance and
// direct formatting). Tabs are merged: a "clear" stop removes a stop.
void overlay(RunProps& base, const RunProps& over);
void overlay(ParaProps& base, const ParaProps& over);

} // namespace fq::docx
