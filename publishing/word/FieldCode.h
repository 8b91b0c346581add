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
    std::vector<std::string> switches;    // "\p", "\* Upper", "\f Symbol": with the word after them when there is one
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

// What a field shows when it has no stored result and Word draws it from
// its code: the character of SYMBOL ("SYMBOL 109 \f Symbol"), in the font
// its \f switch names (empty: the text's own).
struct DrawnCharacter {
    std::string text;      // UTF-8
    std::string font;
};
std::optional<DrawnCharacter> symbolFieldCharacter(const FieldCode& field);

// A legacy form field as Word shows it: a check box as a ballot box
// (checked or not), a drop-down as its selected entry.
struct FormFieldState {
    enum class Kind { Text, CheckBox, DropDown } kind = Kind::Text;
    bool checked = false;                 // check box: the state shown
    std::vector<std::string> entries;     // drop-down: the entries, in order
    int selected = 0;                     // drop-down: the entry shown
};
std::string formFieldText(const FormFieldState& state);

} // namespace fq::word
