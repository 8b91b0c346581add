// Parsing a property set stream.
#include "publishing/doc/SummaryInfo.h"

#include "publishing/doc/TextEncoding.h"

#include <cstdio>

namespace fq::doc {

namespace {

std::string eightBit(std::span<const std::uint8_t> s, int codePage) {
    std::string out;
    if (codePage == 65001) {
        for (auto c : s) {
            if (!c) break;
            out += static_cast<char>(c);
        }
        return out;
    }
    const CodePage cp(codePage == 1200 ? 1252 : codePage);
    for (auto c : s) {
        if (!c) break;
        appendUtf8(out, cp[c]);
    }
    return out;
}

} // namespace

std::string fileTimeToIso(std::uint64_t ticks) {
    if (ticks == 0) return {};
    const std::int64_t secs = static_cast<std::int64_t>(ticks / 10000000ULL) - 11644473600LL;
    if (secs < 0) return {};
    std::int64_t days = secs / 86400;
    const std::int64_t rem = secs % 86400;
    // Civil date from days since 1970-01-01.
    days += 719468;
    const std::int64_t era = days / 146097;
    const std::int64_t doe = days - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    std::int64_t y = yoe + era * 400;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    const std::int64_t d = doy - (153 * mp + 2) / 5 + 1;
    const std::int64_t m = mp < 10 ? mp + 3 : mp - 9;
    if (m <= 2) ++y;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%04lld-%02lld-%02lldT%02lld:%02lld:%02lldZ", static_cast<long long>(y),
                  static_cast<long long>(m), static_cast<long long>(d), static_cast<long long>(rem / 3600),
                  static_cast<long long>((rem / 60) % 60), static_cast<long long>(rem % 60));
    return buf;
}

model::DocumentProperties parseSummaryInformation(std::span<const std::uint8_t> bytes) {
    model::DocumentProperties props;
    const ByteReader r(bytes, "the summary information");
    try {
        if (r.u16(0) != 0xFFFE || r.u32(24) < 1) return props;
        const std::size_t sectionAt = r.u32(44);
        const std::uint32_t count = r.u32(sectionAt + 4);
        int codePage = 1252;
        struct Entry { std::uint32_t id, offset; };
        std::vector<Entry> entries;
        for (std::uint32_t i = 0; i < count && i < 1000; ++i)
            entries.push_back({r.u32(sectionAt + 8 + i * 8), r.u32(sectionAt + 12 + i * 8)});
        for (const auto& e : entries)
            if (e.id == 1 && r.has(sectionAt + e.offset, 6) && r.u16(sectionAt + e.offset) == 2)
                codePage = r.u16(sectionAt + e.offset + 4);
        for (const auto& e : entries) {
            const std::size_t at = sectionAt + e.offset;
            if (!r.has(at, 4)) continue;
            const std::uint16_t type = r.u16(at);
            std::string text;
            if (type == 0x1E && r.has(at + 4, 4)) {
                const std::uint32_t n = r.u32(at + 4);
                if (!r.has(at + 8, n)) continue;
                if (codePage == 1200) {
                    std::u16string w;
                    for (std::uint32_t k = 0; k + 1 < n; k += 2) {
                        const char16_t c = r.u16(at + 8 + k);
                        if (!c) break;
                        w += c;
                    }
                    text = utf16ToUtf8(w);
                } else {
                    text = eightBit(r.slice(at + 8, n), codePage);
                }
            } else if (type == 0x1F && r.has(at + 4, 4)) {
                const std::uint32_t n = r.u32(at + 4);
                if (!r.has(at + 8, std::size_t(n) * 2)) continue;
                std::u16string w;
                for (std::uint32_t k = 0; k < n; ++k) {
                    const char16_t c = r.u16(at + 8 + k * 2);
                    if (!c) break;
                    w += c;
                }
                text = utf16ToUtf8(w);
            } else if (type == 0x40 && r.has(at + 4, 8)) {
                const std::uint64_t t = r.u32(at + 4) | (static_cast<std::uint64_t>(r.u32(at + 8)) << 32);
                text = fileTimeToIso(t);
            } else {
                continue;
            }
            switch (e.id) {
            case 2: props.title = text; break;
            case 3: props.subject = text; break;
            case 4: props.author = text; break;
            case 5: props.keywords = text; break;
            case 12: if (type == 0x40) props.created = text; break;
            case 13: if (type == 0x40) props.modified = text; break;
            default: break;
            }
        }
    } catch (const model::ConversionError&) {
        // A damaged property set only costs the properties.
    }
    return props;
}

} // namespace fq::doc
