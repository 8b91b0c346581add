// In-order character matching for the corpus fidelity check.
#include "TextMatch.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

namespace fq::docx::test {

namespace {

bool isSpace(char32_t c) {
    return c <= 0x20 || c == 0x7F || c == 0x85 || c == 0xA0 || c == 0x1680 || (c >= 0x2000 && c <= 0x200B) ||
           c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F || c == 0x3000 || c == 0xFEFF;
}

constexpr std::size_t window = 8;

std::uint64_t hashAt(const std::u32string& s, std::size_t pos) {
    std::uint64_t h = 1469598103934665603ull;
    for (std::size_t k = 0; k < window; ++k) h = (h ^ s[pos + k]) * 1099511628211ull;
    return h;
}

} // namespace

std::u32string significantChars(const std::string& s) {
    std::u32string out;
    for (std::size_t i = 0; i < s.size();) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        int len = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 1;
        if (i + static_cast<std::size_t>(len) > s.size()) len = 1;
        char32_t cp = len == 1 ? c : len == 2 ? (c & 0x1F) : len == 3 ? (c & 0x0F) : (c & 0x07);
        for (int k = 1; k < len; ++k) cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
        i += static_cast<std::size_t>(len);
        if (!isSpace(cp)) out += cp;
    }
    return out;
}

MatchResult matchInOrder(const std::u32string& ref, const std::u32string& ours) {
    MatchResult r;
    r.referenceChars = ref.size();
    std::unordered_map<std::uint64_t, std::vector<std::size_t>> index;
    if (ours.size() >= window)
        for (std::size_t p = 0; p + window <= ours.size(); ++p) index[hashAt(ours, p)].push_back(p);

    std::size_t i = 0, j = 0;
    while (i < ref.size()) {
        if (j < ours.size() && ref[i] == ours[j]) {
            ++r.matched;
            ++i;
            ++j;
            continue;
        }
        // Resynchronise: the next place in our text where the reference
        // continues with the same window of characters.
        std::size_t found = std::u32string::npos;
        if (i + window <= ref.size()) {
            auto it = index.find(hashAt(ref, i));
            if (it != index.end()) {
                auto pos = std::lower_bound(it->second.begin(), it->second.end(), j);
                for (; pos != it->second.end(); ++pos)
                    if (ours.compare(*pos, window, ref, i, window) == 0) { found = *pos; break; }
            }
        } else {
            found = ours.find(ref.substr(i), j);
        }
        if (found != std::u32string::npos) j = found;
        else ++i;   // this reference character is missing
    }
    return r;
}

std::string documentText(const model::Document& doc) {
    std::string out;
    for (const auto& s : doc.sections)
        for (const auto& b : s.blocks)
            if (const auto* p = std::get_if<model::Paragraph>(&b)) {
                out += p->plainText();
                out += '\n';
            }
    return out;
}

} // namespace fq::docx::test
