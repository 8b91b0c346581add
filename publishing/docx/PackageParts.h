// The Open Packaging parts around the document: content types, relationship
// parts and core properties, and the rules that turn relationship targets
// into part names.
#pragma once

#include "publishing/docx/DocxModel.h"

#include <pugixml.hpp>

#include <string>
#include <string_view>

namespace fq::docx {

// "word/_rels/document.xml.rels" for "word/document.xml"; "_rels/.rels" for "".
std::string relationshipsPartName(const std::string& sourcePart);

// Resolves a relative or absolute target against the folder of the source
// part, removing "." and ".." segments and percent escapes.
std::string resolveTarget(const std::string& sourcePart, const std::string& target);

Relationships parseRelationships(const pugi::xml_node& root, const std::string& sourcePart);
ContentTypes parseContentTypes(const pugi::xml_node& root);
CoreProperties parseCoreProperties(const pugi::xml_node& root);

// True when the relationship type URI ends with "/<suffix>", which covers
// the transitional and the strict namespaces.
bool hasType(const Relationship& rel, std::string_view suffix);

} // namespace fq::docx
