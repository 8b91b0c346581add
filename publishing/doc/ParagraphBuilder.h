// Collects the runs of one model paragraph while the converter walks the
// text: adjacent text with equal properties joins one run, and the UTF-16
// text becomes UTF-8 when the paragraph is taken.
#pragma once

#include "publishing/model/Document.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fq::doc {

// What a run that stands for a page-dependent field or a note mark carries.
struct FieldRun {
    model::FieldKind kind = model::FieldKind::None;
    std::size_t serial = 0;                 // tells one field's result from the next
    std::optional<word::NumberFormat> format;
    std::string argument;
    int note = -1;
};

class ParagraphBuilder {
public:
    bool started = false;        // properties set for the paragraph under way
    bool emittedBlock = false;   // a picture or break already left this paragraph
    bool lastWasPicture = false; // the last block that left this paragraph is a picture
    bool lastWasPageBreak = false; // the last block that left this paragraph is a page break
    std::string link;            // where the text appended now links to (empty: nowhere)

    void setProps(const model::ParaProps& props) { para_.props = props; }
    const model::ParaProps& props() const { return para_.props; }
    bool hasText() const { return !texts_.empty(); }
    // True when the text so far is only spaces and tabs.
    bool onlySpaces() const;
    void clearText();
    // A page-dependent field result stays one run per field (serial).
    void append(const model::CharProps& props, std::u16string_view text,
                model::FieldKind field = model::FieldKind::None, std::size_t serial = 0);
    void append(const model::CharProps& props, std::u16string_view text, const FieldRun& field);
    // An inline picture that stands in the line here (see model::Run::picture).
    void appendPicture(const model::CharProps& props, model::Picture picture);
    // Removes one tab at the end: the separator after a table row's last cell.
    void trimTrailingTab();
    // The paragraph so far; the builder keeps its properties for what follows.
    model::Paragraph take();
    // The same; a paragraph without text gets an empty run with the
    // properties of its mark, which give its line its height.
    model::Paragraph take(const model::CharProps& mark);

private:
    model::Paragraph para_;
    std::vector<std::u16string> texts_;
    std::vector<std::size_t> serials_;
};

} // namespace fq::doc
