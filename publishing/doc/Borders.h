// Borders and shading as a .doc stores them: the border descriptors of
// paragraphs and pages (BRC, in their Word 97 and Word 2000 forms), paragraph
// and character shading (SHD), highlighting, and the page-border options of
// a section; the sprms that set them, and their conversion into the model.
#pragma once

#include "publishing/doc/ByteReader.h"
#include "publishing/doc/Sprm.h"
#include "publishing/model/Document.h"

#include <cstdint>
#include <optional>

namespace fq::doc {

// A border descriptor: Word 97's four bytes (Brc80, a colour index) or
// Word 2000's eight (Brc, a COLORREF).
struct Brc {
    bool set = false;                  // read from a sprm or a cell descriptor
    std::uint8_t width = 0;            // eighths of a point
    std::uint8_t type = 0;             // brcType: 0 none, 1 single, 3 double, 6 dotted, 7 dashed ...
    std::uint8_t ico = 0;              // colour index (Brc80)
    std::optional<std::uint32_t> cv;   // 0x00BBGGRR; unset: automatic
    std::uint8_t space = 0;            // points
    bool nil = false;                  // explicitly no border
};

// Brc80 (4 bytes) and Brc (8 bytes) at p.
Brc readBrc80(const std::uint8_t* p);
Brc readBrc(const std::uint8_t* p);

struct BorderSet {
    Brc top, left, bottom, right, between;
};

struct Pap;
struct Chp;
struct Sep;

// Applies a paragraph, character or section sprm about borders or shading;
// false when the sprm is about something else.
bool applyParagraphBorderSprm(BorderSet& borders, std::optional<std::uint32_t>& shading, const Sprm& s);
bool applyCharacterShadingSprm(std::optional<std::uint32_t>& highlight, std::optional<std::uint32_t>& shading,
                               const Sprm& s);
bool applyPageBorderSprm(BorderSet& borders, std::uint16_t& pageBorderOptions, const Sprm& s);

model::Border toModelBorder(const Brc& brc);
model::ParagraphBorders toModelBorders(const BorderSet& b);
model::PageBorders toModelPageBorders(const BorderSet& b, std::uint16_t options);

// The colour of a Word 97 colour index (ico), 0 = automatic.
std::optional<std::uint32_t> icoColor(std::uint8_t ico);

} // namespace fq::doc
