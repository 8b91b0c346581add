// Reading VML's attribute languages: the CSS-like style of a shape, its
// colours, lengths and the path language of v:shape.
#pragma once

#include "publishing/docx/DocxModel.h"

#include <map>
#include <string>
#include <string_view>

namespace fq::docx {

// "position:absolute;width:72pt" -> {position: absolute, width: 72pt}.
std::map<std::string, std::string> parseVmlStyle(std::string_view style);

// "#FF0000", "#f00", "red", "black [3213]" -> srgbClr; unset when not understood.
DmlColor parseVmlColor(std::string_view value);

// A VML number with an optional unit, or a fraction ending in "f" (1/65536).
double parseVmlNumber(std::string_view value);

// Parses a VML path ("m0,0l100,0,100,100xe") in a coordinate space of w x h.
// False when it uses what is not understood (formulas, arcs), leaving out
// untouched.
bool parseVmlPath(std::string_view path, double w, double h, DmlPath& out);

// The shape type number of a v:shape's type attribute ("#_x0000_t202" -> 202),
// -1 when none.
int vmlShapeType(std::string_view typeAttribute);

} // namespace fq::docx
