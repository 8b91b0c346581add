// Borders, shading and highlighting.
#include "publishing/docx/BorderProperties.h"

#include "publishing/docx/XmlUtil.h"

#include <algorithm>
#include <cstdlib>
#include <map>

namespace fq::docx {

namespace {

std::optional<BorderSpec> side(const pugi::xml_node& parent, std::string_view name) {
    pugi::xml_node n = xml::child(parent, name);
    if (!n) return std::nullopt;
    BorderSpec b;
    b.val = xml::text(n, "val").value_or("single");
    b.sizeEighths = std::clamp(xml::int32(n, "sz").value_or(4), 0, 480);
    b.spacePt = std::clamp(xml::int32(n, "space").value_or(0), 0, 31);
    b.color = xml::text(n, "color").value_or("auto");
    return b;
}

std::optional<model::Color> hexColor(const std::string& hex) {
    if (hex.size() != 6 || hex.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) return std::nullopt;
    const long v = std::strtol(hex.c_str(), nullptr, 16);
    return model::Color{static_cast<std::uint8_t>((v >> 16) & 0xFF), static_cast<std::uint8_t>((v >> 8) & 0xFF),
                        static_cast<std::uint8_t>(v & 0xFF)};
}

// The fill of w:shd; a pattern (w:val) of solid colours in w:color.
std::optional<std::string> shadingFill(const pugi::xml_node& shd) {
    if (!shd) return std::nullopt;
    const std::string val = xml::text(shd, "val").value_or("clear");
    if (val == "solid") return xml::text(shd, "color").value_or("auto");
    return xml::text(shd, "fill").value_or("auto");
}

template <class Optional>
void take(Optional& b, const Optional& o) {
    if (o) b = o;
}

} // namespace

void parseParagraphBorders(const pugi::xml_node& pPr, ParaProps& p) {
    if (pugi::xml_node bdr = xml::child(pPr, "pBdr")) {
        p.borderTop = side(bdr, "top");
        p.borderLeft = side(bdr, "left");
        if (!p.borderLeft) p.borderLeft = side(bdr, "start");
        p.borderBottom = side(bdr, "bottom");
        p.borderRight = side(bdr, "right");
        if (!p.borderRight) p.borderRight = side(bdr, "end");
        p.borderBetween = side(bdr, "between");
    }
    p.shading = shadingFill(xml::child(pPr, "shd"));
}

void parseRunShading(const pugi::xml_node& rPr, RunProps& r) {
    r.highlight = xml::text(xml::child(rPr, "highlight"), "val");
    r.shading = shadingFill(xml::child(rPr, "shd"));
}

void parsePageBorders(const pugi::xml_node& sectPr, SectionProps& s) {
    pugi::xml_node b = xml::child(sectPr, "pgBorders");
    if (!b) return;
    s.pageBorderTop = side(b, "top");
    s.pageBorderLeft = side(b, "left");
    s.pageBorderBottom = side(b, "bottom");
    s.pageBorderRight = side(b, "right");
    s.pageBorderOffsetFrom = xml::text(b, "offsetFrom").value_or("text");
    s.pageBorderDisplay = xml::text(b, "display").value_or("allPages");
}

void overlayBorders(ParaProps& b, const ParaProps& o) {
    take(b.borderTop, o.borderTop);
    take(b.borderLeft, o.borderLeft);
    take(b.borderBottom, o.borderBottom);
    take(b.borderRight, o.borderRight);
    take(b.borderBetween, o.borderBetween);
    take(b.shading, o.shading);
}

void overlayShading(RunProps& b, const RunProps& o) {
    take(b.highlight, o.highlight);
    take(b.shading, o.shading);
}

model::Border borderToModel(const BorderSpec& b) {
    model::Border m;
    const std::string& v = b.val;
    using S = model::BorderStyle;
    if (v == "nil" || v == "none") m.style = S::None;
    else if (v == "double") m.style = S::Double;
    else if (v == "triple") m.style = S::Triple;
    else if (v == "dotted") m.style = S::Dotted;
    else if (v == "dashed" || v == "dashSmallGap") m.style = S::Dashed;
    else if (v == "dotDash") m.style = S::DotDash;
    else if (v == "dotDotDash") m.style = S::DotDotDash;
    else if (v == "wave" || v == "doubleWave") m.style = S::Wave;
    else if (v == "thick") m.style = S::Thick;
    else m.style = S::Single;   // single and the art and 3-D styles Word draws as lines
    m.widthPt = b.sizeEighths.value_or(4) / 8.0;
    if (m.style == S::Double) m.widthPt *= 3.0;   // two lines and the gap between them
    m.color = hexColor(b.color.value_or("auto"));
    m.spacePt = b.spacePt.value_or(0);
    return m;
}

void bordersToModel(const ParaProps& p, model::ParaProps& out) {
    auto put = [](const model::Boxed<BorderSpec>& b, model::Border& m) {
        if (b) m = borderToModel(*b);
    };
    put(p.borderTop, out.borders.top);
    put(p.borderLeft, out.borders.left);
    put(p.borderBottom, out.borders.bottom);
    put(p.borderRight, out.borders.right);
    put(p.borderBetween, out.borders.between);
    if (p.shading) out.shading = hexColor(*p.shading);
}

std::optional<model::Color> runBackground(const RunProps& r) {
    static const std::map<std::string, std::string> highlights = {
        {"yellow", "FFFF00"},   {"green", "00FF00"},     {"cyan", "00FFFF"},     {"magenta", "FF00FF"},
        {"blue", "0000FF"},     {"red", "FF0000"},       {"darkBlue", "000080"}, {"darkCyan", "008080"},
        {"darkGreen", "008000"}, {"darkMagenta", "800080"}, {"darkRed", "800000"}, {"darkYellow", "808000"},
        {"darkGray", "808080"}, {"lightGray", "C0C0C0"}, {"black", "000000"},    {"white", "FFFFFF"}};
    if (r.highlight) {
        auto it = highlights.find(*r.highlight);
        if (it != highlights.end()) return hexColor(it->second);
    }
    if (r.shading) return hexColor(*r.shading);
    return std::nullopt;
}

model::PageBorders pageBordersToModel(const SectionProps& s) {
    model::PageBorders b;
    auto put = [](const model::Boxed<BorderSpec>& side, model::Border& m) {
        if (side) m = borderToModel(*side);
    };
    put(s.pageBorderTop, b.top);
    put(s.pageBorderLeft, b.left);
    put(s.pageBorderBottom, b.bottom);
    put(s.pageBorderRight, b.right);
    b.fromText = s.pageBorderOffsetFrom != "page";
    b.pages = s.pageBorderDisplay == "firstPage"      ? model::PageBorders::Pages::First
              : s.pageBorderDisplay == "notFirstPage" ? model::PageBorders::Pages::AllButFirst
                                                      : model::PageBorders::Pages::All;
    return b;
}

} // namespace fq::docx
