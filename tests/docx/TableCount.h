// Counts the tables of a Word 2007+ package straight from its XML, without
// the reader: the w:tbl elements of the main document and of the normal
// footnotes and endnotes that are not inside another table, not in the
// fallback branch of mc:AlternateContent nor in removed content (w:del,
// w:moveFrom), and that keep at least one row tracked changes did not
// remove. These are the tables a reader must deliver as top-level blocks.
#pragma once

#include "publishing/model/Document.h"

#include <filesystem>
#include <optional>

namespace fq::test {

// nullopt when the package or its word/document.xml cannot be read.
std::optional<int> countPackageTables(const std::filesystem::path& docx);

// The Table blocks of every section's flow (headers and footers left out).
int countModelTables(const model::Document& document);

} // namespace fq::test
