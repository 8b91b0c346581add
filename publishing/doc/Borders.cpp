// Border descriptors, shading and highlighting of a .doc.
#include "publishing/doc/Borders.h"

#include <algorithm>

namespace fq::doc {

namespace {

namespace op {
inline constexpr std::uint16_t PBrcTop80 = 0x6424, PBrcLeft80 = 0x6425, PBrcBottom80 = 0x6426, PBrcRight80 = 0x6427,
                               PBrcBetween80 = 0x6428, PShd80 = 0x442D, PBrcTop = 0xC64E, PBrcLeft = 0xC64F,
                               PBrcBottom = 0xC650, PBrcRight = 0xC651, PBrcBetween = 0xC652, PShd = 0xC64D,
                               CHighlight = 0x2A0C, CShd80 = 0x4866, CShd = 0xCA71, SBrcTop80 = 0x702B,
                               SBrcLeft80 = 0x702C, SBrcBottom80 = 0x702D, SBrcRight80 = 0x702E, SPgbProp = 0x522F,
                               SBrcTop = 0xD234, SBrcLeft = 0xD235, SBrcBottom = 0xD236, SBrcRight = 0xD237;
} // namespace op

// The colours of the Word 97 indices, as 0xRRGGBB.
constexpr std::uint32_t kIco[17] = {0xFF000000, 0x000000, 0x0000FF, 0x00FFFF, 0x00FF00, 0xFF00FF, 0xFF0000, 0xFFFF00,
                                    0xFFFFFF,   0x000080, 0x008080, 0x008000, 0x800080, 0x800000, 0x808000, 0x808080,
                                    0xC0C0C0};

std::uint32_t le32(std::span<const std::uint8_t> d, std::size_t at) {
    if (at + 4 > d.size()) return 0;
    return doc::le32(&d[at]);
}

Brc brc80(std::span<const std::uint8_t> d) { return d.size() < 4 ? Brc{} : readBrc80(d.data()); }
Brc brc(std::span<const std::uint8_t> d) { return d.size() < 8 ? Brc{} : readBrc(d.data()); }

// Shading: only the background colour is carried (patterns are not).
std::optional<std::uint32_t> shd80(std::uint16_t v) {
    const std::uint8_t back = static_cast<std::uint8_t>((v >> 5) & 0x1F);
    const std::uint8_t pattern = static_cast<std::uint8_t>(v >> 10);
    if (pattern == 1) return icoColor(static_cast<std::uint8_t>(v & 0x1F));   // solid: the foreground
    return icoColor(back);
}

std::optional<std::uint32_t> shd(std::span<const std::uint8_t> d) {
    if (d.size() < 10) return std::nullopt;
    const std::uint32_t fore = le32(d, 0), back = le32(d, 4);
    const std::uint16_t pattern = static_cast<std::uint16_t>(d[8] | (d[9] << 8));
    const std::uint32_t c = pattern == 1 ? fore : back;
    if (c & 0xFF000000) return std::nullopt;   // automatic
    return c;
}

model::Color color(std::uint32_t cv) {
    return {static_cast<std::uint8_t>(cv & 0xFF), static_cast<std::uint8_t>((cv >> 8) & 0xFF),
            static_cast<std::uint8_t>((cv >> 16) & 0xFF)};
}

} // namespace

// Word 97's four-byte BRC: width, type, colour index, space and flags; all
// ones is the "no border" marker.
Brc readBrc80(const std::uint8_t* p) {
    Brc b;
    b.set = true;
    if (le32(p) == 0xFFFFFFFF) {
        b.nil = true;
        return b;
    }
    b.width = p[0];
    b.type = p[1];
    b.ico = p[2];
    b.cv = icoColor(p[2]);
    b.space = p[3] & 0x1F;
    b.nil = b.type == 0xFF;
    return b;
}

// Word 2000's eight-byte BRC: COLORREF, width, type, space and flags.
Brc readBrc(const std::uint8_t* p) {
    Brc b;
    b.set = true;
    if (const std::uint32_t cv = le32(p); (cv >> 24) != 0xFF) b.cv = cv & 0xFFFFFF;   // else automatic
    b.width = p[4];
    b.type = p[5];
    b.space = p[6] & 0x1F;
    b.nil = b.type == 0xFF;
    return b;
}

std::optional<std::uint32_t> icoColor(std::uint8_t ico) {
    if (ico == 0 || ico > 16) return std::nullopt;
    const std::uint32_t rgb = kIco[ico];
    // kIco holds 0xRRGGBB; the colour is stored as 0x00BBGGRR.
    return ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
}

bool applyParagraphBorderSprm(BorderSet& b, std::optional<std::uint32_t>& shading, const Sprm& s) {
    switch (s.op) {
    case op::PBrcTop80: b.top = brc80(s.operand); return true;
    case op::PBrcLeft80: b.left = brc80(s.operand); return true;
    case op::PBrcBottom80: b.bottom = brc80(s.operand); return true;
    case op::PBrcRight80: b.right = brc80(s.operand); return true;
    case op::PBrcBetween80: b.between = brc80(s.operand); return true;
    case op::PBrcTop: b.top = brc(s.operand); return true;
    case op::PBrcLeft: b.left = brc(s.operand); return true;
    case op::PBrcBottom: b.bottom = brc(s.operand); return true;
    case op::PBrcRight: b.right = brc(s.operand); return true;
    case op::PBrcBetween: b.between = brc(s.operand); return true;
    case op::PShd80: shading = shd80(s.u16()); return true;
    case op::PShd: shading = shd(s.operand); return true;
    default: return false;
    }
}

bool applyCharacterShadingSprm(std::optional<std::uint32_t>& highlight, std::optional<std::uint32_t>& shading,
                               const Sprm& s) {
    switch (s.op) {
    case op::CHighlight: highlight = icoColor(s.u8()); return true;
    case op::CShd80: shading = shd80(s.u16()); return true;
    case op::CShd: shading = shd(s.operand); return true;
    default: return false;
    }
}

bool applyPageBorderSprm(BorderSet& b, std::uint16_t& options, const Sprm& s) {
    switch (s.op) {
    case op::SBrcTop80: b.top = brc80(s.operand); return true;
    case op::SBrcLeft80: b.left = brc80(s.operand); return true;
    case op::SBrcBottom80: b.bottom = brc80(s.operand); return true;
    case op::SBrcRight80: b.right = brc80(s.operand); return true;
    case op::SBrcTop: b.top = brc(s.operand); return true;
    case op::SBrcLeft: b.left = brc(s.operand); return true;
    case op::SBrcBottom: b.bottom = brc(s.operand); return true;
    case op::SBrcRight: b.right = brc(s.operand); return true;
    case op::SPgbProp: options = s.u16(); return true;
    default: return false;
    }
}

model::Border toModelBorder(const Brc& brc) {
    model::Border m;
    if (!brc.set || brc.nil || brc.type == 0 || brc.type == 0xFF) return m;
    using S = model::BorderStyle;
    switch (brc.type) {
    case 2: m.style = S::Thick; break;
    case 3: m.style = S::Double; break;
    case 6: m.style = S::Dotted; break;
    case 7: case 22: m.style = S::Dashed; break;
    case 8: m.style = S::DotDash; break;
    case 9: m.style = S::DotDotDash; break;
    case 10: m.style = S::Triple; break;
    case 20: case 21: m.style = S::Wave; break;
    default: m.style = S::Single; break;
    }
    m.widthPt = std::max<double>(brc.width, 2) / 8.0;
    if (m.style == S::Double) m.widthPt *= 3.0;
    if (brc.cv) m.color = color(*brc.cv);
    m.spacePt = brc.space;
    return m;
}

model::ParagraphBorders toModelBorders(const BorderSet& b) {
    model::ParagraphBorders m;
    m.top = toModelBorder(b.top);
    m.left = toModelBorder(b.left);
    m.bottom = toModelBorder(b.bottom);
    m.right = toModelBorder(b.right);
    m.between = toModelBorder(b.between);
    return m;
}

model::PageBorders toModelPageBorders(const BorderSet& b, std::uint16_t options) {
    model::PageBorders m;
    m.top = toModelBorder(b.top);
    m.left = toModelBorder(b.left);
    m.bottom = toModelBorder(b.bottom);
    m.right = toModelBorder(b.right);
    switch (options & 0x7) {
    case 1: m.pages = model::PageBorders::Pages::First; break;
    case 2: m.pages = model::PageBorders::Pages::AllButFirst; break;
    default: break;
    }
    m.fromText = ((options >> 5) & 0x7) == 0;
    return m;
}

} // namespace fq::doc
