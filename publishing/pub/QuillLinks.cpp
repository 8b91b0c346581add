// TOKN chunks: the hyperlinks of a story.
#include "publishing/pub/QuillLinks.h"

#include "publishing/pub/BlockWriter.h"
#include "publishing/pub/PubConstants.h"

#include <array>

namespace fq::pub {

namespace {

constexpr std::uint32_t kLinkFlags = 0x8C0;
constexpr std::uint32_t kKindAddress = 1, kKindMail = 4;

std::uint32_t kindOf(const std::u16string& target) {
    static const std::u16string mail = u"mailto:";
    if (target.size() < mail.size()) return kKindAddress;
    for (std::size_t i = 0; i < mail.size(); ++i)
        if ((target[i] | 0x20) != mail[i]) return kKindAddress;
    return kKindMail;
}

} // namespace

void writeLinkTokens(ByteBuffer& out, const Story& story) {
    const auto n = static_cast<std::uint32_t>(story.links.size());
    out.u32(n);
    out.u32(0x0C);
    out.u32(0x0001FFFF);
    for (const auto& link : story.links) out.u32(link.start);
    out.u32(static_cast<std::uint32_t>(story.text.size()));

    // The second record repeats the length even when it is the same: the
    // value is the same either way, and Apache POI (which reads the records
    // as fixed-size ones, as in Publisher's files with links of one kind)
    // then finds the targets.
    BlockWriter w(out);
    std::array<std::uint32_t, 3> previous{};
    for (std::uint32_t i = 0; i < n; ++i) {
        const StoryLink& link = story.links[i];
        const std::array<std::uint32_t, 3> values{kLinkFlags, link.length, kindOf(link.target)};
        const auto rec = w.openRecord();
        for (std::uint8_t id = 0; id < 3; ++id)
            if (i == 0 || values[id] != previous[id] || (i == 1 && id == 1)) w.u32(id, bt::QuillLong, values[id]);
        w.closeRecord(rec);
        previous = values;
    }
    for (std::uint32_t i = 0; i < n; ++i) {
        const auto rec = w.openRecord();
        w.u32(0x00, bt::QuillLong, i);
        w.closeRecord(rec);
    }

    // The targets: Quill's list layout, one UTF-16 string a link.
    const std::size_t start = out.size();
    out.u32(0);
    out.u32(n);
    out.u32(kQuillListStamp);
    out.u32(0);
    out.u32(0);
    const std::size_t base = out.size();
    out.zeros(4 * n);
    for (std::uint32_t i = 0; i < n; ++i) {
        out.patchU32(base + 4 * i, static_cast<std::uint32_t>(out.size() - base));
        const std::u16string& target = story.links[i].target;
        out.u16(static_cast<std::uint16_t>(target.size()));
        out.utf16(target);
    }
    out.patchU32(start, static_cast<std::uint32_t>(out.size() - base));
}

} // namespace fq::pub
