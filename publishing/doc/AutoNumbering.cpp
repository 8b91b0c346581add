// Word 6.0/95 paragraph numbers.
#include "publishing/doc/AutoNumbering.h"

#include "publishing/word/NumberFormat.h"
#include "publishing/word/Utf8.h"

#include <algorithm>

namespace fq::doc {

namespace {

constexpr std::size_t kHeaderSize = 20;
constexpr std::size_t kTextChars = 32;
constexpr std::uint8_t kBullet = 23;

std::u16string number(long long value, std::uint8_t nfc) {
    return word::utf8ToUtf16(word::formatNumber(value, word::numberFormatFromCode(nfc)));
}

} // namespace

Anld parseAnld(std::span<const std::uint8_t> o) {
    Anld a;
    if (o.size() < kHeaderSize) return a;
    a.present = true;
    a.nfc = o[0];
    a.includePrevious = (o[3] & 0x04) != 0;
    a.ftc = static_cast<std::uint16_t>(o[6] | (o[7] << 8));
    a.startAt = static_cast<std::int16_t>(o[10] | (o[11] << 8));
    const std::size_t chars = std::min(kTextChars, (o.size() - kHeaderSize) / 2);
    std::u16string text;
    for (std::size_t k = 0; k < chars; ++k)
        text += static_cast<char16_t>(o[kHeaderSize + 2 * k] | (o[kHeaderSize + 2 * k + 1] << 8));
    const std::size_t before = std::min<std::size_t>(o[1], text.size());
    const std::size_t after = std::min<std::size_t>(o[2], text.size() - before);
    a.before = text.substr(0, before);
    a.after = text.substr(before, after);
    return a;
}

std::u16string AutoNumbering::next(std::uint8_t level, const Anld& anld) {
    const bool numbered = level == 10 && anld.present && anld.nfc != kBullet;
    if (!numbered) run_ = 0;
    if (level == 0 || level > 11 || !anld.present) return {};
    if (level == 11 || anld.nfc == kBullet) return anld.before + anld.after;
    if (numbered) {
        run_ = run_ > 0 ? run_ + 1 : anld.startAt;
        return anld.before + number(run_, anld.nfc) + anld.after;
    }
    const std::size_t l = level - 1u;
    heading_[l] = heading_[l] > 0 ? heading_[l] + 1 : anld.startAt;
    headingNfc_[l] = anld.nfc;
    std::fill(heading_.begin() + static_cast<std::ptrdiff_t>(l) + 1, heading_.end(), 0);
    std::u16string label = anld.before;
    if (anld.includePrevious)
        for (std::size_t above = 0; above < l; ++above)
            label += number(std::max<long long>(heading_[above], 1), headingNfc_[above]) + u".";
    return label + number(heading_[l], anld.nfc) + anld.after;
}

} // namespace fq::doc
