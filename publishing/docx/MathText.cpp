// Office Math in linear form.
#include "publishing/docx/MathText.h"

#include "publishing/docx/XmlUtil.h"

namespace fq::docx {

namespace {

constexpr int kMaxDepth = 64;

std::string linear(const pugi::xml_node& node, int depth);

// The text of a child argument (m:num, m:e, m:sup, ...), empty when absent.
std::string arg(const pugi::xml_node& node, std::string_view name, int depth) {
    pugi::xml_node c = xml::child(node, name);
    return c ? linear(c, depth + 1) : std::string();
}

std::size_t codePoints(const std::string& s) {
    std::size_t n = 0;
    for (unsigned char c : s) n += (c & 0xC0) != 0x80;
    return n;
}

// An operand of more than one character is bracketed, so that "a+b" over
// "c" reads (a+b)/c; one already in brackets stays as it is.
std::string group(const std::string& s) {
    if (codePoints(s) <= 1) return s;
    if ((s.front() == '(' && s.back() == ')') || (s.front() == '[' && s.back() == ']') ||
        (s.front() == '{' && s.back() == '}'))
        return s;
    return "(" + s + ")";
}

// A character property (m:chr, m:begChr, ...) of an element's m:*Pr.
std::string property(const pugi::xml_node& node, std::string_view pr, std::string_view name, const std::string& fallback) {
    pugi::xml_node p = xml::child(xml::child(node, pr), name);
    if (!p) return fallback;
    return xml::text(p, "val").value_or(std::string());
}

std::string scripts(const std::string& base, const std::string& sub, const std::string& sup) {
    std::string s = base;
    if (!sub.empty()) s += "_" + group(sub);
    if (!sup.empty()) s += "^" + group(sup);
    return s;
}

std::string linear(const pugi::xml_node& node, int depth) {
    if (depth > kMaxDepth) return {};
    std::string out;
    for (pugi::xml_node c = node.first_child(); c; c = c.next_sibling()) {
        if (c.type() != pugi::node_element) continue;
        const std::string_view n = xml::localName(c);
        if (n == "t") {
            out += c.text().get();
        } else if (n == "r") {
            out += linear(c, depth + 1);
        } else if (n == "f") {
            const std::string type = property(c, "fPr", "type", "bar");
            const std::string num = arg(c, "num", depth), den = arg(c, "den", depth);
            out += type == "lin" ? num + "/" + den : group(num) + "/" + group(den);
        } else if (n == "rad") {
            const std::string deg = arg(c, "deg", depth), e = arg(c, "e", depth);
            if (deg == "3") out += "\u221B" + group(e);
            else if (deg == "4") out += "\u221C" + group(e);
            else if (!deg.empty()) out += "\u221A(" + deg + "&" + e + ")";
            else out += "\u221A" + group(e);
        } else if (n == "sSup") {
            out += scripts(arg(c, "e", depth), {}, arg(c, "sup", depth));
        } else if (n == "sSub") {
            out += scripts(arg(c, "e", depth), arg(c, "sub", depth), {});
        } else if (n == "sSubSup") {
            out += scripts(arg(c, "e", depth), arg(c, "sub", depth), arg(c, "sup", depth));
        } else if (n == "sPre") {
            out += scripts({}, arg(c, "sub", depth), arg(c, "sup", depth)) + arg(c, "e", depth);
        } else if (n == "nary") {
            // Without m:chr the operator is the integral.
            const std::string op = property(c, "naryPr", "chr", "\u222B");
            const std::string e = arg(c, "e", depth);
            out += scripts(op, arg(c, "sub", depth), arg(c, "sup", depth)) + (e.empty() ? "" : " " + e);
        } else if (n == "d") {
            const std::string sep = property(c, "dPr", "sepChr", "|");
            std::string inner;
            bool first = true;
            for (pugi::xml_node e = c.first_child(); e; e = e.next_sibling()) {
                if (!xml::is(e, "e")) continue;
                if (!first) inner += sep;
                inner += linear(e, depth + 1);
                first = false;
            }
            out += property(c, "dPr", "begChr", "(") + inner + property(c, "dPr", "endChr", ")");
        } else if (n == "m" || n == "eqArr") {
            // Rows separated by @, cells by &, as Word writes them.
            std::string rows;
            for (pugi::xml_node row = c.first_child(); row; row = row.next_sibling()) {
                if (xml::is(row, "mr")) {
                    std::string cells;
                    for (pugi::xml_node e = row.first_child(); e; e = e.next_sibling())
                        if (xml::is(e, "e")) cells += (cells.empty() ? "" : "&") + linear(e, depth + 1);
                    rows += (rows.empty() ? "" : "@") + cells;
                } else if (xml::is(row, "e")) {
                    rows += (rows.empty() ? "" : "@") + linear(row, depth + 1);
                }
            }
            out += (n == "m" ? "\u25A0(" : "\u2588(") + rows + ")";
        } else if (n == "func") {
            out += arg(c, "fName", depth) + " " + arg(c, "e", depth);
        } else if (n == "acc") {
            const std::string e = arg(c, "e", depth);
            out += (codePoints(e) == 1 ? e : group(e)) + property(c, "accPr", "chr", "\u0302");
        } else if (n == "bar") {
            const std::string e = arg(c, "e", depth);
            out += codePoints(e) == 1 ? e + "\u0305" : "\u00AF" + group(e);
        } else if (n == "limLow") {
            out += arg(c, "e", depth) + "_" + group(arg(c, "lim", depth));
        } else if (n == "limUpp") {
            out += arg(c, "e", depth) + "^" + group(arg(c, "lim", depth));
        } else if (n == "groupChr") {
            out += arg(c, "e", depth);
        } else if (n == "oMath") {
            if (!out.empty()) out += " ";
            out += linear(c, depth + 1);
        } else if (n.size() > 2 && n.substr(n.size() - 2) == "Pr") {
            // Properties (m:rPr, m:fPr, w:rPr ...) carry no text.
        } else {
            out += linear(c, depth + 1);
        }
    }
    return out;
}

} // namespace

std::string linearMathText(const pugi::xml_node& math) {
    // An equation without characters has no linear form: operators alone
    // ("/" of an empty fraction) would say nothing.
    if (xml::descendantText(math, "t").empty()) return {};
    return linear(math, 0);
}

} // namespace fq::docx
