// Text extraction and in-order matching for the .doc reader tests.
#include "DocTestSupport.h"

#include <fstream>
#include <sstream>

namespace fq::doc::test {

namespace {

bool isSpace(char32_t c) {
    return c <= 0x20 || c == 0xA0 || c == 0x2007 || c == 0x202F || c == 0xFEFF || c == 0x200B ||
           (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x3000 || c == 0xAD;
}

std::u32string squeeze(const std::u32string& s) {
    std::u32string out;
    out.reserve(s.size());
    for (char32_t c : s)
        if (!isSpace(c)) out += c;
    return out;
}

// Paragraph texts, table cells in reading order.
void appendParagraphs(std::string& out, const std::vector<model::Block>& blocks) {
    for (const auto& b : blocks) {
        if (const auto* p = std::get_if<model::Paragraph>(&b)) {
            out += p->plainText() + "\n";
        } else if (const auto* t = std::get_if<model::Table>(&b)) {
            for (const auto& row : t->rows)
                for (const auto& cell : row.cells) appendParagraphs(out, cell.blocks);
        }
    }
}

} // namespace

std::string bodyText(const model::Document& doc) {
    std::string out;
    for (const auto& s : doc.sections) appendParagraphs(out, s.blocks);
    return out;
}

std::string allText(const model::Document& doc) {
    std::string out;
    for (const auto& s : doc.sections) {
        appendParagraphs(out, s.header);
        appendParagraphs(out, s.blocks);
        appendParagraphs(out, s.footer);
    }
    return out;
}

Fidelity inOrderMatch(const std::u32string& referenceIn, const std::u32string& candidateIn) {
    const std::u32string ref = squeeze(referenceIn);
    const std::u32string cand = squeeze(candidateIn);
    // A reference character counts as found at the nearest candidate
    // position where it and the next few reference characters agree, so a
    // missing character does not pull the match far ahead; right next to
    // the current position a lone agreement is enough.
    constexpr std::size_t kWindow = 4000, kAgree = 4, kNear = 2;
    Fidelity f;
    f.referenceChars = ref.size();
    std::size_t pos = 0;
    for (std::size_t r = 0; r < ref.size(); ++r) {
        const std::size_t limit = std::min(cand.size(), pos + kWindow);
        for (std::size_t i = pos; i < limit; ++i) {
            if (cand[i] != ref[r]) continue;
            bool agree = i - pos < kNear;
            if (!agree) {
                agree = true;
                for (std::size_t k = 1; k < kAgree && r + k < ref.size(); ++k)
                    if (i + k >= cand.size() || cand[i + k] != ref[r + k]) {
                        agree = false;
                        break;
                    }
            }
            if (agree) {
                ++f.found;
                pos = i + 1;
                break;
            }
        }
    }
    return f;
}

std::u32string toUtf32(const std::string& s) {
    std::u32string out;
    for (std::size_t i = 0; i < s.size();) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        char32_t cp = 0xFFFD;
        std::size_t n = 1;
        if (c < 0x80) cp = c;
        else if ((c >> 5) == 6 && i + 1 < s.size()) cp = ((c & 0x1F) << 6) | (s[i + 1] & 0x3F), n = 2;
        else if ((c >> 4) == 14 && i + 2 < s.size())
            cp = ((c & 0x0F) << 12) | ((s[i + 1] & 0x3F) << 6) | (s[i + 2] & 0x3F), n = 3;
        else if ((c >> 3) == 30 && i + 3 < s.size())
            cp = ((c & 0x07) << 18) | ((s[i + 1] & 0x3F) << 12) | ((s[i + 2] & 0x3F) << 6) | (s[i + 3] & 0x3F), n = 4;
        out += cp;
        i += n;
    }
    return out;
}

std::string readFile(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

} // namespace fq::doc::test
