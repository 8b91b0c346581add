// Helpers for reading WordprocessingML with pugixml. Elements and attributes
// are matched by their local name, so documents that bind the usual
// namespaces to other prefixes are read the same way.
#pragma once

#include <pugixml.hpp>

#include <optional>
#include <string>
#include <string_view>

namespace fq::docx::xml {

// Parses a part. Throws model::damaged naming the part when the XML is not
// well formed. A DOCTYPE is accepted and ignored; entities other than the
// predefined ones are never expanded, so nothing outside the part is read.
void parse(pugi::xml_document& doc, const std::string& data, const std::string& partName);

std::string_view localName(const pugi::xml_node& node);
std::string_view prefix(const pugi::xml_node& node);
bool is(const pugi::xml_node& node, std::string_view local);

// First child element with that local name, or an empty node.
pugi::xml_node child(const pugi::xml_node& node, std::string_view local);
// Attribute by local name ("val" finds w:val), or an empty attribute.
pugi::xml_attribute attr(const pugi::xml_node& node, std::string_view local);

std::optional<std::string> text(const pugi::xml_node& node, std::string_view attrLocal);
std::optional<long long> integer(const pugi::xml_node& node, std::string_view attrLocal);
std::optional<int> int32(const pugi::xml_node& node, std::string_view attrLocal);
// Parses an integer that may carry a unit suffix or a fraction ("12.5pt" -> 12).
std::optional<long long> parseInteger(std::string_view s);

// An on/off property element: absent -> nullopt; present without w:val or
// with true/1/on -> true; false/0/off/none -> false.
std::optional<bool> onOff(const pugi::xml_node& parent, std::string_view local);

// Collects the text of every descendant with the given local name, in
// document order.
std::string descendantText(const pugi::xml_node& node, std::string_view local);

// Appends a code point to a UTF-8 string.
void appendUtf8(std::string& out, char32_t cp);

} // namespace fq::docx::xml
