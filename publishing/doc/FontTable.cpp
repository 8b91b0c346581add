// Parsing the SttbfFfn.
#include "publishing/doc/FontTable.h"

#include "publishing/doc/TextEncoding.h"

namespace fq::doc {

std::vector<FontDef> parseFontTable(const ByteReader& table, FcLcb sttb) {
    std::vector<FontDef> fonts;
    if (sttb.lcb < 4 || !table.has(sttb.fc, sttb.lcb)) return fonts;
    const ByteReader r = table.sub(sttb.fc, sttb.lcb, "the font table");
    std::size_t count = r.u16(0);
    std::size_t off = 4;
    if (count == 0xFFFF) {  // extended form: a 16-bit count follows
        count = r.u16(2);
        off = 6;
    }
    for (std::size_t i = 0; i < count && off < r.size(); ++i) {
        const std::size_t cb = r.u8(off);
        FontDef f;
        if (cb >= 40 && r.has(off + 1, cb)) {
            f.charset = r.u8(off + 1 + 3);
            std::u16string name;
            for (std::size_t p = off + 1 + 39; p + 1 < off + 1 + cb; p += 2) {
                const char16_t ch = r.u16(p);
                if (ch == 0) break;
                name += ch;
            }
            f.name = utf16ToUtf8(name);
        }
        fonts.push_back(std::move(f));
        off += 1 + cb;
    }
    return fonts;
}

std::vector<FontDef> parseFontTable6(const ByteReader& wd, FcLcb sttb) {
    std::vector<FontDef> fonts;
    if (sttb.lcb < 2 || !wd.has(sttb.fc, sttb.lcb)) return fonts;
    const ByteReader r = wd.sub(sttb.fc, sttb.lcb, "the font table");
    std::size_t off = 2;
    while (off + 6 <= r.size() && fonts.size() < 4096) {
        const std::size_t size = std::size_t(r.u8(off)) + 1;
        FontDef f;
        f.charset = r.u8(off + 4);
        for (std::size_t p = off + 6; p < off + size && p < r.size(); ++p) {
            const std::uint8_t c = r.u8(p);
            if (!c) break;
            f.name += static_cast<char>(c < 0x80 ? c : '?');
        }
        fonts.push_back(std::move(f));
        off += size;
    }
    return fonts;
}

} // namespace fq::doc
