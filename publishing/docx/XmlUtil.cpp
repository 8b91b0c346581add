// pugixml helpers shared by the part parsers.
#include "publishing/docx/XmlUtil.h"

#include "publishing/model/ConversionError.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace fq::docx::xml {

void parse(pugi::xml_document& doc, const std::string& data, const std::string& partName) {
    // A DOCTYPE is skipped, not kept (no parse_doctype). Text that is only
    // white space (w:t xml:space="preserve") must survive: parse_ws_pcdata_single.
    const unsigned flags = pugi::parse_default | pugi::parse_ws_pcdata_single;
    pugi::xml_parse_result result = doc.load_buffer(data.data(), data.size(), flags, pugi::encoding_auto);
    if (!result) {
        throw model::damaged("the part " + partName + " is not well-formed XML (" +
                             result.description() + " at byte " + std::to_string(result.offset) + ")");
    }
    if (!doc.document_element())
        throw model::damaged("the part " + partName + " holds no XML element");
}

std::string_view localName(const pugi::xml_node& node) {
    std::string_view n = node.name();
    auto colon = n.find(':');
    return colon == std::string_view::npos ? n : n.substr(colon + 1);
}

std::string_view prefix(const pugi::xml_node& node) {
    std::string_view n = node.name();
    auto colon = n.find(':');
    return colon == std::string_view::npos ? std::string_view() : n.substr(0, colon);
}

bool is(const pugi::xml_node& node, std::string_view local) {
    return node.type() == pugi::node_element && localName(node) == local;
}

pugi::xml_node child(const pugi::xml_node& node, std::string_view local) {
    for (pugi::xml_node c = node.first_child(); c; c = c.next_sibling())
        if (is(c, local)) return c;
    return {};
}

pugi::xml_attribute attr(const pugi::xml_node& node, std::string_view local) {
    for (pugi::xml_attribute a = node.first_attribute(); a; a = a.next_attribute()) {
        std::string_view n = a.name();
        auto colon = n.find(':');
        std::string_view l = colon == std::string_view::npos ? n : n.substr(colon + 1);
        if (l == local && n.substr(0, 5) != "xmlns") return a;
    }
    return {};
}

std::optional<std::string> text(const pugi::xml_node& node, std::string_view attrLocal) {
    if (!node) return std::nullopt;
    pugi::xml_attribute a = attr(node, attrLocal);
    if (!a) return std::nullopt;
    return std::string(a.value());
}

std::optional<long long> parseInteger(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '+')) s.remove_prefix(1);
    if (s.empty()) return std::nullopt;
    double value = 0;
    std::string tmp(s);
    char* end = nullptr;
    value = std::strtod(tmp.c_str(), &end);
    if (end == tmp.c_str() || !std::isfinite(value)) return std::nullopt;
    if (value > 9e15) value = 9e15;
    if (value < -9e15) value = -9e15;
    return static_cast<long long>(value);
}

std::optional<long long> integer(const pugi::xml_node& node, std::string_view attrLocal) {
    auto t = text(node, attrLocal);
    if (!t) return std::nullopt;
    return parseInteger(*t);
}

std::optional<int> int32(const pugi::xml_node& node, std::string_view attrLocal) {
    auto v = integer(node, attrLocal);
    if (!v) return std::nullopt;
    if (*v > 100000000) return 100000000;
    if (*v < -100000000) return -100000000;
    return static_cast<int>(*v);
}

std::optional<bool> onOff(const pugi::xml_node& parent, std::string_view local) {
    pugi::xml_node n = child(parent, local);
    if (!n) return std::nullopt;
    pugi::xml_attribute v = attr(n, "val");
    if (!v) return true;
    std::string_view s = v.value();
    return !(s == "false" || s == "0" || s == "off" || s == "none");
}

namespace {
void collect(const pugi::xml_node& node, std::string_view local, std::string& out) {
    for (pugi::xml_node c = node.first_child(); c; c = c.next_sibling()) {
        if (c.type() != pugi::node_element) continue;
        if (localName(c) == local) out += c.text().get();
        else collect(c, local, out);
    }
}
} // namespace

std::string descendantText(const pugi::xml_node& node, std::string_view local) {
    std::string out;
    collect(node, local, out);
    return out;
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

} // namespace fq::docx::xml
