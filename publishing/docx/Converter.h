// The second stage of the docx reader: turns the typed WordprocessingML model
// into the neutral document model. Properties are resolved through
// PropertyResolver, list labels through ListLabeler; constructs the neutral
// model has no place for keep their text: table rows become paragraphs with
// tab-separated cells, text boxes follow their paragraph, fields show their
// result, notes are appended at the end of the document.
#pragma once

#include "publishing/docx/DocxModel.h"
#include "publishing/model/Document.h"

namespace fq::docx {

model::Document convertDocument(const WordDocument& doc);

} // namespace fq::docx
