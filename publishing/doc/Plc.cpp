// Reading PLCs.
#include "publishing/doc/Plc.h"

namespace fq::doc {

Plc parsePlc(const ByteReader& table, FcLcb where, std::size_t dataSize, const char* what) {
    Plc plc;
    if (where.lcb < 4) return plc;
    const ByteReader r = table.sub(where.fc, where.lcb, what);
    if ((where.lcb - 4) % (4 + dataSize) != 0) throw model::damaged(std::string(what) + " has a wrong size");
    const std::size_t n = (where.lcb - 4) / (4 + dataSize);
    plc.cps.reserve(n + 1);
    for (std::size_t i = 0; i <= n; ++i) plc.cps.push_back(r.u32(i * 4));
    for (std::size_t i = 0; i < n; ++i) plc.data.push_back(r.copy((n + 1) * 4 + i * dataSize, dataSize));
    return plc;
}

} // namespace fq::doc
