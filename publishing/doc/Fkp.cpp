// Reading the bin tables and their CHPX / PAPX pages.
#include "publishing/doc/Fkp.h"

#include <algorithm>

namespace fq::doc {

namespace {

constexpr std::size_t kPage = 512;

std::vector<std::uint32_t> pageNumbers(const ByteReader& table, FcLcb bte, bool word97) {
    std::vector<std::uint32_t> pns;
    if (bte.lcb == 0) return pns;
    const ByteReader plc = table.sub(bte.fc, bte.lcb, "a property bin table");
    const std::size_t pnSize = word97 ? 4 : 2;
    if (bte.lcb < 4) return pns;
    const std::size_t n = (bte.lcb - 4) / (4 + pnSize);
    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t at = (n + 1) * 4 + i * pnSize;
        std::uint32_t pn = word97 ? (plc.u32(at) & 0x3FFFFF) : plc.u16(at);
        if (std::find(pns.begin(), pns.end(), pn) == pns.end()) pns.push_back(pn);
    }
    return pns;
}

void finish(PropertyRuns& out) {
    std::stable_sort(out.runs.begin(), out.runs.end(),
                     [](const PropertyRun& a, const PropertyRun& b) { return a.fcStart < b.fcStart; });
}

} // namespace

long PropertyRuns::find(std::uint32_t fc) const {
    auto it = std::upper_bound(runs.begin(), runs.end(), fc,
                               [](std::uint32_t v, const PropertyRun& r) { return v < r.fcStart; });
    if (it == runs.begin()) return -1;
    --it;
    if (fc >= it->fcEnd) return -1;
    return static_cast<long>(it - runs.begin());
}

PropertyRuns parseChpxRuns(const ByteReader& wd, const ByteReader& table, FcLcb bte, bool word97) {
    PropertyRuns out;
    for (std::uint32_t pn : pageNumbers(table, bte, word97)) {
        const std::size_t base = std::size_t(pn) * kPage;
        if (!wd.has(base, kPage)) throw model::damaged("a character property page lies outside the document stream");
        const ByteReader page = wd.sub(base, kPage, "a character property page");
        const std::size_t crun = page.u8(511);
        if ((crun + 1) * 4 + crun > 511) throw model::damaged("a character property page has too many runs");
        for (std::size_t i = 0; i < crun; ++i) {
            PropertyRun run;
            run.fcStart = page.u32(i * 4);
            run.fcEnd = page.u32(i * 4 + 4);
            const std::size_t at = std::size_t(page.u8((crun + 1) * 4 + i)) * 2;
            if (at != 0) {
                const std::size_t cb = page.u8(at);
                if (at + 1 + cb <= 511) run.grpprl = page.copy(at + 1, cb);
            }
            if (run.fcEnd > run.fcStart) out.runs.push_back(std::move(run));
        }
    }
    finish(out);
    return out;
}

PropertyRuns parsePapxRuns(const ByteReader& wd, const ByteReader& table, FcLcb bte, bool word97) {
    PropertyRuns out;
    const std::size_t bxSize = word97 ? 13 : 7;
    for (std::uint32_t pn : pageNumbers(table, bte, word97)) {
        const std::size_t base = std::size_t(pn) * kPage;
        if (!wd.has(base, kPage)) throw model::damaged("a paragraph property page lies outside the document stream");
        const ByteReader page = wd.sub(base, kPage, "a paragraph property page");
        const std::size_t cpara = page.u8(511);
        if ((cpara + 1) * 4 + cpara * bxSize > 511) throw model::damaged("a paragraph property page has too many runs");
        for (std::size_t i = 0; i < cpara; ++i) {
            PropertyRun run;
            run.fcStart = page.u32(i * 4);
            run.fcEnd = page.u32(i * 4 + 4);
            const std::size_t at = std::size_t(page.u8((cpara + 1) * 4 + i * bxSize)) * 2;
            if (at != 0 && at < 511) {
                std::size_t cb = page.u8(at);
                std::size_t start = at + 1;
                std::size_t len = 0;
                if (word97) {
                    if (cb != 0) {
                        len = 2 * cb - 1;
                    } else if (at + 1 < 511) {
                        len = 2 * std::size_t(page.u8(at + 1));
                        start = at + 2;
                    }
                } else {
                    len = 2 * cb;
                }
                if (start + len <= 511) {
                    if (word97 && len >= 2) {
                        run.istd = page.u16(start);
                        run.grpprl = page.copy(start + 2, len - 2);
                    } else if (!word97 && len >= 1) {
                        run.istd = page.u8(start);
                        run.grpprl = page.copy(start + 1, len - 1);
                    }
                }
            }
            if (run.fcEnd > run.fcStart) out.runs.push_back(std::move(run));
        }
    }
    finish(out);
    return out;
}

} // namespace fq::doc
