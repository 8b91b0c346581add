// Splitting field codes.
#include "publishing/word/FieldCode.h"

#include "publishing/word/SymbolFonts.h"
#include "publishing/word/Utf8.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace fq::word {

namespace {

std::string upper(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::toupper(c); });
    return s;
}

// The words of a code: runs of non-blanks, or text in double quotes.
std::vector<std::string> words(std::string_view code) {
    std::vector<std::string> out;
    std::size_t i = 0;
    while (i < code.size()) {
        const unsigned char c = static_cast<unsigned char>(code[i]);
        if (std::isspace(c)) {
            ++i;
            continue;
        }
        std::string w;
        if (c == '"') {
            ++i;
            while (i < code.size() && code[i] != '"') w += code[i++];
            ++i;
            out.push_back(std::move(w));
            continue;
        }
        while (i < code.size() && !std::isspace(static_cast<unsigned char>(code[i]))) w += code[i++];
        out.push_back(std::move(w));
    }
    return out;
}

bool hasSwitch(const FieldCode& f, std::string_view s) {
    for (const auto& w : f.switches)
        if (upper(w.substr(0, s.size())) == upper(std::string(s))) return true;
    return false;
}

} // namespace

FieldCode parseFieldCode(std::string_view code) {
    FieldCode f;
    std::vector<std::string> ws = words(code);
    if (ws.empty()) return f;
    // "PAGE\* roman": a switch may follow the type without a blank.
    std::string first = ws.front();
    const std::size_t slash = first.find('\\');
    if (slash != std::string::npos && slash > 0) {
        ws.insert(ws.begin() + 1, first.substr(slash));
        first.erase(slash);
    }
    f.type = upper(first);
    for (std::size_t i = 1; i < ws.size(); ++i) {
        if (ws[i].size() >= 2 && ws[i][0] == '\\') {
            std::string sw = ws[i];
            // The formatting switches take the next word as their argument.
            if ((sw == "\\*" || sw == "\\#" || sw == "\\@") && i + 1 < ws.size()) sw += " " + ws[++i];
            f.switches.push_back(std::move(sw));
        } else if (f.switches.empty()) {
            f.arguments.push_back(ws[i]);
        } else if (f.switches.back().find(' ') == std::string::npos) {
            // A switch's own argument ("\\f Symbol", "\\l bookmark").
            f.switches.back() += " " + ws[i];
        }
    }
    return f;
}

model::FieldKind pageFieldKind(const FieldCode& f) {
    if (f.type == "PAGE") return model::FieldKind::PageNumber;
    if (f.type == "NUMPAGES") return model::FieldKind::PageCount;
    if (f.type == "SECTIONPAGES") return model::FieldKind::SectionPages;
    if (f.type == "STYLEREF" && !f.arguments.empty()) return model::FieldKind::StyleRef;
    return model::FieldKind::None;
}

std::optional<NumberFormat> fieldNumberFormat(const FieldCode& f) {
    for (const auto& sw : f.switches) {
        if (sw.size() < 4 || sw.compare(0, 3, "\\* ") != 0) continue;
        const std::string name = sw.substr(3);
        const std::string key = upper(name);
        const bool capital = std::isupper(static_cast<unsigned char>(name[0])) != 0;
        if (key == "ROMAN") return capital ? NumberFormat::UpperRoman : NumberFormat::LowerRoman;
        if (key == "ALPHABETIC") return capital ? NumberFormat::UpperLetter : NumberFormat::LowerLetter;
        if (key == "ARABIC") return NumberFormat::Decimal;
        if (key == "ARABICDASH") return NumberFormat::NumberInDash;
        if (key == "ORDINAL") return NumberFormat::Ordinal;
        if (key == "CARDTEXT") return NumberFormat::CardinalText;
        if (key == "ORDTEXT") return NumberFormat::OrdinalText;
        if (key == "HEX") return NumberFormat::Hex;
    }
    return std::nullopt;
}

std::string styleRefStyle(const FieldCode& f) {
    if (f.arguments.empty()) return {};
    const std::string& a = f.arguments.front();
    if (a.size() == 1 && a[0] >= '1' && a[0] <= '9') return "Heading " + a;
    return a;
}

std::optional<std::string> computedFieldResult(const FieldCode& f, const FieldContext& c) {
    if (f.type != "FILENAME" || c.fileName.empty()) return std::nullopt;
    std::string result = hasSwitch(f, "\\p") ? c.filePath : c.fileName;
    if (hasSwitch(f, "\\* Upper")) result = upper(result);
    else if (hasSwitch(f, "\\* Lower"))
        std::transform(result.begin(), result.end(), result.begin(), [](unsigned char ch) { return std::tolower(ch); });
    return result;
}

std::optional<DrawnCharacter> symbolFieldCharacter(const FieldCode& f) {
    if (f.type != "SYMBOL" || f.arguments.empty()) return std::nullopt;
    const std::string& number = f.arguments.front();
    char* end = nullptr;
    const bool hex = number.size() > 2 && number[0] == '0' && (number[1] == 'x' || number[1] == 'X');
    const unsigned long code = std::strtoul(number.c_str() + (hex ? 2 : 0), &end, hex ? 16 : 10);
    if (end == number.c_str() || *end != '\0' || code < 0x20 || code > 0x10FFFF || (code >= 0xD800 && code < 0xE000))
        return std::nullopt;
    DrawnCharacter d;
    bool unicode = false;
    for (std::size_t i = 0; i < f.switches.size(); ++i) {
        const std::string s = upper(f.switches[i]);
        if (s == "\\U") unicode = true;
        if (s.rfind("\\F ", 0) == 0) d.font = f.switches[i].substr(3);
    }
    char32_t c = static_cast<char32_t>(code);
    // Without \u, a code under 256 in a text font is a character of the
    // Windows code page; the codes 0x80..0x9F are the ones that differ.
    static const char16_t cp1252[32] = {0x20AC, 0x81, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
                                        0x2039, 0x0152, 0x8D, 0x017D, 0x8F, 0x90, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
                                        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D, 0x017E, 0x0178};
    if (!unicode && c >= 0x80 && c <= 0x9F && !isSymbolFont(d.font)) c = cp1252[c - 0x80];
    appendUtf8(d.text, c);
    return d;
}

std::string formFieldText(const FormFieldState& s) {
    switch (s.kind) {
    case FormFieldState::Kind::CheckBox: return s.checked ? "\u2612" : "\u2610";
    case FormFieldState::Kind::DropDown:
        if (s.selected >= 0 && static_cast<std::size_t>(s.selected) < s.entries.size())
            return s.entries[static_cast<std::size_t>(s.selected)];
        return {};
    case FormFieldState::Kind::Text: break;
    }
    return {};
}

} // namespace fq::word
