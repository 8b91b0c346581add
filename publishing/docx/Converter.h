// The second stage of the docx reader: turns the typed WordprocessingML model
// into the neutral document model. Properties are resolved through
// PropertyResolver, list labels through ListLabeler; constructs the neutral
// model has no place for keep their text (fields show their result, things
// not carried a placeholder). The body is consumed: each block is released
// once converted, so that a long document's two models do not both stand
// whole in memory.
#pragma once

#include "publishing/docx/DocxModel.h"
#include "publishing/model/Document.h"

namespace fq::docx {

model::Document convertDocument(WordDocument&& doc);

} // namespace fq::docx
