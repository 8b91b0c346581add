// Computes the text of list labels ("1.", "a)", "iv.", "•") from
// numbering.xml. The counting is the one both readers share: numbering
// instances (w:num) of one abstract numbering continue each other, and an
// instance that overrides a level's start restarts that level when it is
// first used.
#pragma once

#include "publishing/docx/DocxModel.h"
#include "publishing/word/ListNumbering.h"

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
    // The abstract numbering whose levels the instance uses, following a
    // numbering style's link.
    const AbstractNumbering* abstractFor(const NumberingInstance& num) const;

    const Numbering& numbering_;
    const Styles* styles_;
    word::ListCounters counters_;
};

// The shared form of a level (0-based index `ilvl`).
word::ListLevelDef toListLevelDef(const NumberingLevel& level, int ilvl);

} // namespace fq::docx
