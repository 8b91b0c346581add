// Walking a grpprl sprm by sprm.
#include "publishing/doc/Sprm.h"

namespace fq::doc {

void forEachSprm(std::span<const std::uint8_t> g, const std::function<void(const Sprm&)>& f) {
    std::size_t off = 0;
    while (off + 2 <= g.size()) {
        const std::uint16_t op = static_cast<std::uint16_t>(g[off] | (g[off + 1] << 8));
        off += 2;
        std::size_t len = 0;
        switch (op >> 13) {
        case 0: case 1: len = 1; break;
        case 2: case 4: case 5: len = 2; break;
        case 3: len = 4; break;
        case 7: len = 3; break;
        case 6:
            if (op == 0xD608 || op == 0xD606) {
                // Table definitions carry a 16-bit size that counts one byte too many.
                if (off + 2 > g.size()) return;
                const std::size_t cb = static_cast<std::size_t>(g[off] | (g[off + 1] << 8));
                off += 2;
                len = cb > 0 ? cb - 1 : 0;
            } else if (op == sprm::PChgTabs) {
                if (off >= g.size()) return;
                std::size_t cb = g[off];
                if (cb == 255) {
                    // Size given by the structure itself: deletions with close zones, then additions.
                    std::size_t p = off + 1;
                    if (p >= g.size()) return;
                    const std::size_t del = g[p];
                    p += 1 + del * 4;
                    if (p >= g.size()) return;
                    const std::size_t add = g[p];
                    p += 1 + add * 3;
                    cb = p - off - 1;
                }
                ++off;
                len = cb;
            } else {
                if (off >= g.size()) return;
                len = g[off];
                ++off;
            }
            break;
        }
        if (len > g.size() - off) return;
        f(Sprm{op, g.subspan(off, len)});
        off += len;
    }
}

} // namespace fq::doc
