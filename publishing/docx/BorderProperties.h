// Borders and shading of WordprocessingML: paragraph borders (w:pBdr) and
// shading (w:shd), character highlighting and shading, page borders
// (w:pgBorders); read into the typed model, inherited side by side, and
// converted into the neutral model.
#pragma once

#include "publishing/docx/DocxModel.h"
#include "publishing/model/Document.h"

#include <pugixml.hpp>

#include <optional>

namespace fq::docx {

void parseParagraphBorders(const pugi::xml_node& pPr, ParaProps& p);
void parseRunShading(const pugi::xml_node& rPr, RunProps& r);
void parsePageBorders(const pugi::xml_node& sectPr, SectionProps& s);

// Properties of o given there replace those of b.
void overlayBorders(ParaProps& b, const ParaProps& o);
void overlayShading(RunProps& b, const RunProps& o);

void bordersToModel(const ParaProps& p, model::ParaProps& out);
// The colour behind a run: its highlighting, else its shading.
std::optional<model::Color> runBackground(const RunProps& r);
model::PageBorders pageBordersToModel(const SectionProps& s);

// One side as the model holds it.
model::Border borderToModel(const BorderSpec& b);

} // namespace fq::docx
