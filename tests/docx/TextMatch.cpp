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
    // Length of the longest common subsequence, bit-parallel (Hyyrö): one
    // bit per character of our text, one pass per reference character.
    MatchResult r;
    r.referenceChars = ref.size();
    const std::size_t m = ours.size();
    if (m == 0 || ref.empty()) return r;
    const std::size_t words = (m + 63) / 64;
    std::unordered_map<char32_t, std::vector<std::uint64_t>> masks;
    for (std::size_t k = 0; k < m; ++k) {
        auto& mask = masks[ours[k]];
        if (mask.empty()) mask.assign(words, 0);
        mask[k / 64] |= std::uint64_t(1) << (k % 64);
    }
    std::vector<std::uint64_t> v(words, ~std::uint64_t(0));
    for (char32_t c : ref) {
        auto it = masks.find(c);
        if (it == masks.end()) continue;   // V & M = 0 leaves V unchanged
        const auto& mask = it->second;
        std::uint64_t carry = 0;
        for (std::size_t w = 0; w < words; ++w) {
            const std::uint64_t u = v[w] & mask[w];
            const std::uint64_t sum1 = v[w] + u;
            const std::uint64_t c1 = sum1 < v[w] ? 1 : 0;
            const std::uint64_t sum = sum1 + carry;
            const std::uint64_t c2 = sum < sum1 ? 1 : 0;
            carry = c1 | c2;
            v[w] = sum | (v[w] & ~mask[w]);
        }
    }
    std::size_t zeros = 0;
    for (std::size_t w = 0; w < words; ++w) {
        std::uint64_t bits = ~v[w];
        if (w == words - 1 && m % 64) bits &= (std::uint64_t(1) << (m % 64)) - 1;
        zeros += static_cast<std::size_t>(__builtin_popcountll(bits));
    }
    r.matched = zeros;
    return r;
}

namespace {

// Paragraph texts of blocks, table cells in reading order.
void appendText(std::string& out, const std::vector<model::Block>& blocks) {
    for (const auto& b : blocks) {
        if (const auto* p = std::get_if<model::Paragraph>(&b)) {
            out += p->plainText();
            out += '\n';
        } else if (const auto* t = std::get_if<model::Table>(&b)) {
            for (const auto& row : t->rows)
                for (const auto& cell : row.cells) appendText(out, cell.blocks);
        }
    }
}

} // namespace

std::string documentText(const model::Document& doc) {
    std::string out;
    for (const auto& s : doc.sections) appendText(out, s.blocks);
    return out;
}

} // namespace fq::docx::test
