// Reads the table property elements of WordprocessingML (w:tblPr, w:trPr,
// w:tblPrEx, w:tcPr, and a table style's w:tblStylePr regions) into the
// typed model, and overlays them for style inheritance.
#pragma once

#include "publishing/docx/DocxModel.h"

#include <pugixml.hpp>

namespace fq::docx {

TableProps parseTableProps(const pugi::xml_node& tblPr);
// trPr and, when present, the row's w:tblPrEx.
RowProps parseRowProps(const pugi::xml_node& trPr, const pugi::xml_node& tblPrEx);
CellProps parseCellProps(const pugi::xml_node& tcPr);
// The table parts of a w:style element of type "table" into style.
void parseTableStyle(const pugi::xml_node& styleNode, Style& style);

// Copies every property set in `over` onto `base`.
void overlay(BorderSet& base, const BorderSet& over);
void overlay(TableProps& base, const TableProps& over);
void overlay(RowProps& base, const RowProps& over);
void overlay(CellProps& base, const CellProps& over);

} // namespace fq::docx
