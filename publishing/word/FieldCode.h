// Field codes ("PAGE \* roman", "FILENAME \p", "STYLEREF "Heading 1" \n")
// as both readers meet them, and the fields whose result the reader fills
// in itself rather than showing the result stored in the document.
#pragma once

#include "publishing/model/Document.h"
#include "publishing/word/NumberFormat.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fq::word {

struct FieldCode {
    std::string type;                     // the first word, upper case
    std::vector<std::string> arguments;   // the words after it, quotes removed
    std::vector<std::string> switches;    // "\p", "\*", with their word after them when they take one
};

FieldCode parseFieldCode(std::string_view code);

// PAGE, NUMPAGES, SECTIONPAGES and STYLEREF: the layout fills them in per page.
model::FieldKind pageFieldKind(const FieldCode& field);

// The number format a field's "\* roman" (ROMAN, alphabetic, ALPHABETIC,
// Arabic, ArabicDash, Ordinal, CardText, OrdText, Hex) asks for; nullopt
// when it names none.
std::optional<NumberFormat> fieldNumberFormat(const FieldCode& field);

// The style STYLEREF looks for: its argument, or "Heading N" for a
// number N (the built-in heading of that level).
std::string styleRefStyle(const FieldCode& field);

// What the document being converted is, for the fields that name it.
struct FieldContext {
    std::string filePath;   // as given to the converter
    std::string fileName;   // its last component
};

// The result the reader writes instead of the stored one: FILENAME shows
// the name of the file being converted, as Word shows it once the field is
// updated. nullopt: show the stored result.
std::optional<std::string> computedFieldResult(const FieldCode& field, const FieldContext& context);

} // namespace fq::word
