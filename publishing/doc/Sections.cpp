// Reading the section table and the SEPXs.
#include "publishing/doc/Sections.h"

#include "publishing/doc/Plc.h"

namespace fq::doc {

std::vector<SectionDesc> parseSections(const ByteReader& table, FcLcb plcfSed, const ByteReader& wd, bool withSprms) {
    std::vector<SectionDesc> out;
    const Plc sed = parsePlc(table, plcfSed, 12, "the section table");
    for (std::size_t i = 0; i < sed.count(); ++i) {
        SectionDesc s;
        s.cpEnd = sed.cps[i + 1];
        const std::uint32_t fc = le32(sed.data[i].data() + 2);
        if (withSprms && fc != 0xFFFFFFFFu && wd.has(fc, 2)) {
            const std::size_t cb = wd.u16(fc);
            if (wd.has(fc + 2, cb)) s.sepx = wd.copy(fc + 2, cb);
        }
        out.push_back(std::move(s));
    }
    return out;
}

} // namespace fq::doc
