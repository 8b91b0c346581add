// Parsing the STSH and resolving style inheritance.
#include "publishing/doc/StyleSheet.h"

#include "publishing/doc/TextEncoding.h"
#include "publishing/doc/Word6Sprms.h"

namespace fq::doc {

StyleSheet parseStyleSheet(const ByteReader& table, FcLcb stshf, bool word97) {
    StyleSheet sheet;
    if (stshf.lcb < 2 || !table.has(stshf.fc, stshf.lcb)) return sheet;
    const ByteReader r = table.sub(stshf.fc, stshf.lcb, "the style sheet");
    const std::size_t cbStshi = r.u16(0);
    if (cbStshi < 4 || !r.has(2, cbStshi)) return sheet;
    const std::size_t cstd = r.u16(2);
    const std::size_t cbBase = r.u16(4);
    if (cbStshi >= 18 && word97) {
        for (int i = 0; i < 3; ++i) sheet.defaultFtc[i] = r.u16(14 + i * 2);
    } else if (cbStshi >= 14) {
        sheet.defaultFtc[0] = r.u16(14);
    }
    std::size_t off = 2 + cbStshi;
    for (std::size_t i = 0; i < cstd && off + 2 <= r.size(); ++i) {
        const std::size_t cbStd = r.u16(off);
        StyleDef sd;
        const std::size_t start = off + 2;
        off = start + cbStd;
        if (cbStd == 0 || !r.has(start, cbStd) || cbStd < 8 || cbBase < 8 || cbBase > cbStd) {
            sheet.styles.push_back(sd);
            continue;
        }
        const ByteReader std_ = r.sub(start, cbStd, "a style");
        sd.present = true;
        sd.sti = std_.u16(0) & 0x0FFF;
        sd.kind = std_.u16(2) & 0x000F;
        sd.istdBase = std_.u16(2) >> 4;
        const std::size_t cupx = std_.u16(4) & 0x000F;
        std::size_t p = cbBase;
        // The name: a length-prefixed string with a terminating zero, UTF-16
        // or (Word 6.0/95) 8-bit.
        if (!word97) {
            const std::size_t cch = std_.u8(p);
            for (std::size_t k = 0; k < cch && std_.has(p + 1 + k, 1); ++k)
                sd.name += static_cast<char>(std_.u8(p + 1 + k) & 0x7F);
            p += 1 + cch + 1;
        } else if (std_.has(p, 2)) {
            const std::size_t cch = std_.u16(p);
            if (std_.has(p + 2, cch * 2)) {
                std::u16string name;
                for (std::size_t k = 0; k < cch; ++k) name += static_cast<char16_t>(std_.u16(p + 2 + k * 2));
                sd.name = utf16ToUtf8(name);
                p += 2 + cch * 2 + 2;
            } else {
                p = cbStd;
            }
        }
        for (std::size_t u = 0; u < cupx; ++u) {
            if (p % 2) ++p;
            if (!std_.has(p, 2)) break;
            const std::size_t cb = std_.u16(p);
            if (!std_.has(p + 2, cb)) break;
            const ByteReader upx = std_.sub(p + 2, cb, "a style");
            auto grpprl = [&](std::size_t from) {
                Bytes g = upx.copy(from, cb - from);
                return word97 ? g : translateWord6Grpprl(g);
            };
            if (sd.kind == 1) {
                if (u == 0 && cb >= 2) sd.papx = grpprl(2);
                if (u == 1) sd.chpx = grpprl(0);
            } else if (sd.kind == 2) {
                if (u == 0) sd.chpx = grpprl(0);
            } else if (sd.kind == 3) {
                if (u == 1 && cb >= 2) sd.papx = grpprl(2);
                if (u == 2) sd.chpx = grpprl(0);
            }
            p += 2 + cb;
        }
        sheet.styles.push_back(std::move(sd));
    }
    return sheet;
}

void StyleSheet::resolve(const ByteReader* data) {
    defaultChp_ = Chp{};
    for (int i = 0; i < 3; ++i) defaultChp_.ftc[i] = defaultFtc[i];
    const std::size_t n = styles.size();
    paps_.assign(n, defaultPap_);
    chps_.assign(n, defaultChp_);
    std::vector<int> state(n, 0);  // 0 new, 1 in progress, 2 done
    // Iterative depth-first resolution, so base chains of any length and
    // cycles in damaged files are both safe.
    for (std::size_t root = 0; root < n; ++root) {
        std::vector<std::size_t> stack{root};
        while (!stack.empty()) {
            const std::size_t i = stack.back();
            if (state[i] == 2) { stack.pop_back(); continue; }
            const StyleDef& sd = styles[i];
            const std::size_t base = sd.istdBase;
            if (state[i] == 0 && sd.present && base < n && state[base] == 0) {
                state[i] = 1;
                stack.push_back(base);
                continue;
            }
            Pap pap = defaultPap_;
            Chp chp = defaultChp_;
            if (sd.present && base < n && state[base] == 2) {
                pap = paps_[base];
                chp = chps_[base];
            }
            if (sd.present) {
                applyPap(pap, sd.papx, data);
                const Chp before = chp;
                applyChp(chp, before, sd.chpx);
            }
            pap.istd = static_cast<std::uint16_t>(i);
            paps_[i] = pap;
            chps_[i] = chp;
            state[i] = 2;
            stack.pop_back();
        }
    }
}

const Pap& StyleSheet::paragraphStyle(std::uint16_t istd) const {
    if (istd < paps_.size() && styles[istd].present) return paps_[istd];
    if (!paps_.empty()) return paps_[0];
    return defaultPap_;
}

const Chp& StyleSheet::paragraphStyleChp(std::uint16_t istd) const {
    if (istd < chps_.size() && styles[istd].present && styles[istd].kind != 2) return chps_[istd];
    if (!chps_.empty()) return chps_[0];
    return defaultChp_;
}

Chp StyleSheet::withCharacterStyle(const Chp& base, std::uint16_t istd) const {
    Chp c = base;
    if (istd >= styles.size() || !styles[istd].present || styles[istd].kind != 2) return c;
    // Collect the chain from the character style up to its root, then apply
    // from the root down; the root "Default Paragraph Font" has no properties.
    std::vector<std::uint16_t> chain;
    std::uint16_t cur = istd;
    while (cur < styles.size() && styles[cur].present && styles[cur].kind == 2 && chain.size() < 64) {
        chain.push_back(cur);
        cur = styles[cur].istdBase;
    }
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        const Chp before = c;
        applyChp(c, before, styles[*it].chpx);
    }
    c.istd = istd;
    return c;
}

} // namespace fq::doc
