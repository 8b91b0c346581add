// Splitting field codes.
#include "publishing/word/FieldCode.h"

#include <algorithm>
#include <cctype>

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

} // namespace fq::word
