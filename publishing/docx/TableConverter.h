// Converts a table of the typed model into a model table: the grid, rows
// and cells with their spans and merges, borders, shading, margins and
// alignment, the table style applied underneath direct formatting (its
// whole-table formatting and the regions the table's look switches on:
// first and last row and column, banded rows and columns, corner cells).
// The cells' content goes through the document converter, with the table
// style's paragraph and run properties in effect.
#pragma once

#include "publishing/docx/DocxModel.h"
#include "publishing/docx/PropertyResolver.h"
#include "publishing/model/Document.h"

#include <functional>
#include <vector>

namespace fq::docx {

class TableConverter {
public:
    // Converts the blocks of a cell whose content is widthPt wide.
    using CellContent =
        std::function<void(const std::vector<Block>& blocks, std::vector<model::Block>& out, double widthPt)>;

    // compatibilityMode: Word's compatibility setting (15 and later measure
    // the table indent to the cell edge, earlier ones to the text).
    TableConverter(const Styles& styles, PropertyResolver& resolver, int compatibilityMode)
        : styles_(styles), resolver_(resolver), compatibilityMode_(compatibilityMode) {}

    // availableWidthPt: the width the table may take (text area or cell),
    // for tables whose grid is missing and for percentage widths.
    model::Table convert(const Table& table, double availableWidthPt, const CellContent& content);

private:
    const Styles& styles_;
    PropertyResolver& resolver_;
    int compatibilityMode_;
};

} // namespace fq::docx
