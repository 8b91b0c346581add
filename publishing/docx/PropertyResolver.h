// Resolves paragraph and character properties of the typed model into the
// fully specified properties of the neutral model: document defaults, then
// the paragraph style chain, the numbering level, the character style chain
// and finally direct formatting. Toggle properties (bold, italic, caps, ...)
// follow Word: inside one style chain the nearest definition wins; a style
// of the paragraph chain and one of the character chain that both switch the
// property on cancel out; direct formatting sets the value outright. Inside
// a table, the table style sits between the defaults and the paragraph style.
#pragma once

#include "publishing/docx/DocxModel.h"
#include "publishing/model/Document.h"

#include <string>
#include <vector>

namespace fq::docx {

class PropertyResolver {
public:
    PropertyResolver(const Styles& styles, const ThemeFonts& theme);

    // The paragraph style in effect (the given one or the default style).
    std::string paragraphStyle(const ParaProps& direct) const;
    // The name the document gives the style with this id ("heading 1"), with
    // its other names after commas; empty when unknown.
    std::string styleName(const std::string& id) const;

    // Defaults + style chain + direct, before numbering: tells which list
    // (numId/ilvl) the paragraph belongs to.
    ParaProps mergedParagraph(const ParaProps& direct) const;
    // As above with the numbering level's properties between the style
    // chain and direct formatting.
    ParaProps mergedParagraph(const ParaProps& direct, const ParaProps* numberingLevel) const;

    model::ParaProps toModel(const ParaProps& merged) const;

    // Character properties of a run in a paragraph of style `paraStyle`.
    // `extra` (optional) is applied after the character style chain and
    // before `direct`, e.g. the numbering level's run properties.
    // With `eastAsian`, the font is the one for East Asian text (w:eastAsia).
    model::CharProps resolveRun(const std::string& paraStyle, const RunProps& direct,
                                const RunProps* extra = nullptr, bool eastAsian = false) const;

    // The table formatting in effect for the paragraphs resolved next: the
    // paragraph and run properties of a table style chain and of the
    // conditional formats that apply to the cell, lowest first; empty
    // outside tables. The properties must outlive their use.
    struct TableLayers {
        std::vector<const ParaProps*> para;
        std::vector<const RunProps*> run;
    };
    // Sets the layers; returns the previous ones.
    TableLayers setTableLayers(TableLayers layers);
    // The style chain of a table style, root first; empty when id names no table style.
    std::vector<const Style*> tableStyleChain(const std::string& id) const;

    // The font name for a resolved run property set (theme fonts applied).
    std::string fontName(const RunProps& merged, bool eastAsian = false) const;

private:
    std::vector<const Style*> chain(const std::string& id) const;

    const Styles& styles_;
    const ThemeFonts& theme_;
    TableLayers table_;
};

} // namespace fq::docx
