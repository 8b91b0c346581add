// Computes the text of list labels ("1.", "a)", "iv.", "•") from
// numbering.xml, keeping one set of counters per list: numbering instances
// that share an abstract numbering continue each other unless an instance
// restarts a level with w:startOverride.
#pragma once

#include "publishing/docx/DocxModel.h"

#include <map>
#include <optional>
#include <string>

namespace fq::docx {

struct ListLabel {
    std::string text;          // label with its suffix (tab or space)
    const NumberingLevel* level = nullptr;
};

class ListLabeler {
public:
    // `styles` (optional) resolves lists that refer to a numbering style.
    explicit ListLabeler(const Numbering& numbering, const Styles* styles = nullptr);

    // The level definition in effect for (numId, ilvl), overrides applied,
    // or nullptr when the paragraph is not numbered.
    const NumberingLevel* level(int numId, int ilvl) const;

    // Advances the counters for a numbered paragraph and returns its label.
    std::optional<ListLabel> next(int numId, int ilvl);

private:
    struct Counters {
        std::optional<int> value[9];
    };
    const Numbering& numbering_;
    const Styles* styles_;
    std::map<std::string, Counters> counters_;
    std::map<int, bool> overrideApplied_;
};

// "a".."z", "aa".. as Word writes letters; roman numerals; etc.
std::string formatNumber(int value, const std::string& numFmt);

// Maps a bullet written in a symbol font (Symbol, Wingdings) to the Unicode
// character it shows; an unknown symbol becomes the usual bullet of the
// list level (0-based).
std::string bulletText(const std::string& lvlText, const std::string& font, int level);

} // namespace fq::docx
