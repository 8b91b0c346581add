// Reference texts of the corpora, prepared for comparison.
#include "tests/support/ReferenceText.h"

namespace fq::test {

std::string withoutExportedBullets(const std::string& ref) {
    static const std::string bullets[] = {"\xE2\x80\xA2 ", "\xE2\x97\xA6 ", "\xE2\x96\xAA "};
    std::string out;
    out.reserve(ref.size());
    std::size_t pos = 0;
    while (pos < ref.size()) {
        std::size_t end = ref.find('\n', pos);
        if (end == std::string::npos) end = ref.size();
        std::size_t text = pos;
        if (ref.compare(text, 3, "\xEF\xBB\xBF") == 0) text += 3;
        while (text < end && ref[text] == ' ') ++text;
        for (const auto& b : bullets)
            if (ref.compare(text, b.size(), b) == 0) {
                out.append(ref, pos, text - pos);
                pos = text + b.size();
                break;
            }
        out.append(ref, pos, end - pos + (end < ref.size() ? 1 : 0));
        pos = end + 1;
    }
    return out;
}

} // namespace fq::test
