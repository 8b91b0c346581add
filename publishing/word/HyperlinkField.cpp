// HYPERLINK field codes.
#include "publishing/word/HyperlinkField.h"

#include <cctype>
#include <vector>

namespace fq::word {

namespace {

struct Word {
    std::string text;
    bool quoted = false;
};

// Runs of non-blanks, or text in double quotes with "\\" read as "\".
std::vector<Word> words(std::string_view code) {
    std::vector<Word> out;
    std::size_t i = 0;
    while (i < code.size()) {
        if (std::isspace(static_cast<unsigned char>(code[i]))) {
            ++i;
            continue;
        }
        Word w;
        if (code[i] == '"') {
            w.quoted = true;
            for (++i; i < code.size() && code[i] != '"'; ++i) {
                if (code[i] == '\\' && i + 1 < code.size() && code[i + 1] == '\\') ++i;
                w.text += code[i];
            }
            ++i;
        } else {
            while (i < code.size() && !std::isspace(static_cast<unsigned char>(code[i]))) w.text += code[i++];
        }
        out.push_back(std::move(w));
    }
    return out;
}

bool is(const Word& w, const char* name) {
    if (w.quoted || w.text.size() != std::char_traits<char>::length(name)) return false;
    for (std::size_t i = 0; i < w.text.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(w.text[i])) != name[i]) return false;
    return true;
}

} // namespace

std::optional<std::string> hyperlinkTarget(std::string_view code) {
    const std::vector<Word> ws = words(code);
    if (ws.empty() || !is(ws[0], "HYPERLINK")) return std::nullopt;
    std::string address, location;
    for (std::size_t i = 1; i < ws.size(); ++i) {
        if (is(ws[i], "\\L") && i + 1 < ws.size()) {
            location = ws[++i].text;
        } else if ((is(ws[i], "\\O") || is(ws[i], "\\T")) && i + 1 < ws.size()) {
            ++i;   // tooltip, target frame
        } else if (!ws[i].quoted && ws[i].text.rfind('\\', 0) == 0) {
            // \m, \n and unknown switches take no argument
        } else if (address.empty()) {
            address = ws[i].text;
        }
    }
    if (address.empty() && location.empty()) return std::nullopt;
    return location.empty() ? address : address + "#" + location;
}

} // namespace fq::word
