// The text of an Office Math equation (m:oMath, m:oMathPara) in Word's
// linear form: a fraction as "(a+b)/c", a radical as "√x", scripts as
// "x^2" and "a_i", an n-ary operator as "∑_(i=1)^n i", a matrix as
// "■(1&0@0&1)". A publication cannot draw the built-up form; the linear
// one keeps every character in the order it is read.
#pragma once

#include <pugixml.hpp>

#include <string>

namespace fq::docx {

std::string linearMathText(const pugi::xml_node& math);

} // namespace fq::docx
