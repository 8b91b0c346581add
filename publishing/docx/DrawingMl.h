// Reading DrawingML shape properties into the typed model: colours with
// their modifications, fills, lines, preset and custom geometry, the
// transform, text-body insets and anchoring, the theme references of
// wps:style, and the theme's colour scheme.
#pragma once

#include "publishing/docx/DocxModel.h"

#include <pugixml.hpp>

#include <functional>
#include <string>

namespace fq::docx {

// Resolves a relationship id of the part being read to a media part name.
using PartResolver = std::function<std::string(const std::string& relId)>;

// The first colour element among node's children (srgbClr, schemeClr, ...).
DmlColor parseDmlColor(const pugi::xml_node& node);

// The fill among node's children (noFill, solidFill, gradFill, blipFill,
// pattFill); Unset when there is none.
DmlFill parseDmlFill(const pugi::xml_node& node, const PartResolver& resolve);

DmlLine parseDmlLine(const pugi::xml_node& ln, const PartResolver& resolve);

// Reads spPr (or grpSpPr) into the shape: transform, geometry, fill, line.
void parseShapeProperties(const pugi::xml_node& spPr, DrawnShape& shape, const PartResolver& resolve);

// Reads wps:bodyPr: insets and vertical anchoring.
void parseBodyProperties(const pugi::xml_node& bodyPr, DrawnShape& shape);

// Reads wps:style (lnRef, fillRef, fontRef).
ShapeStyleRefs parseStyleRefs(const pugi::xml_node& style);

// Adds the colour scheme of a theme part (a:theme) to theme.colors.
void parseThemeColors(const pugi::xml_node& themeRoot, ThemeFonts& theme);

} // namespace fq::docx
