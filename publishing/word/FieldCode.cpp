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
    return model::FieldKind::None;
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
