// The second stage of the .doc reader: turns the faithful DocFile into the
// neutral document model, resolving every property (style chain, character
// style, direct formatting, piece modifiers) and mapping Word's special
// characters, fields, tables, notes, headers and pictures.
#pragma once

#include "publishing/doc/DocFile.h"
#include "publishing/model/Document.h"

namespace fq::doc {

model::Document convertDocFile(const DocFile& file);

// Model values of format properties, exposed for tests.
model::CharProps toCharProps(const Chp& chp, const std::vector<FontDef>& fonts);
model::ParaProps toParaProps(const Pap& pap);
model::PageGeometry toPageGeometry(const Sep& sep);
// Start, columns, page numbers, line grid and note numbering of a section.
void sectionLayout(const Sep& sep, model::Section& section);

} // namespace fq::doc
