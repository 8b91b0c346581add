// Collects the runs of one model paragraph while the converter walks the
// text: adjacent text with equal properties joins one run, and the UTF-16
// text becomes UTF-8 when the paragraph is taken.
#pragma once

#include "publishing/model/Document.h"

#include <string>
#include <string_view>
#include <vector>

namespace fq::doc {

class ParagraphBuilder {
public:
    bool started = false;        // properties set for the paragraph under way
    bool emittedBlock = false;   // a picture or break already left this paragraph
    bool lastWasPicture = false; // the last block that left this paragraph is a picture
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
    // Removes one tab at the end: the separator after a table row's last cell.
    void trimTrailingTab();
    // The paragraph so far; the builder keeps its properties for what follows.
    model::Paragraph take();

private:
    model::Paragraph para_;
    std::vector<std::u16string> texts_;
    std::vector<std::size_t> serials_;
};

} // namespace fq::doc
