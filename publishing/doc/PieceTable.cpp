// Parsing the CLX and reading the text of its pieces.
#include "publishing/doc/PieceTable.h"

namespace fq::doc {

PieceTable parseClx(const ByteReader& table, FcLcb clx, bool word97) {
    PieceTable pt;
    if (clx.lcb == 0) throw model::damaged("the piece table is missing");
    const ByteReader r = table.sub(clx.fc, clx.lcb, "the piece table");
    std::size_t off = 0;
    while (off < r.size()) {
        const std::uint8_t clxt = r.u8(off);
        if (clxt == 1) {
            const std::size_t cb = r.u16(off + 1);
            pt.prcs.push_back(r.copy(off + 3, cb));
            off += 3 + cb;
        } else if (clxt == 2) {
            const std::uint32_t lcb = r.u32(off + 1);
            const ByteReader plc = r.sub(off + 5, lcb, "the piece table");
            if (lcb < 4 || (lcb - 4) % 12 != 0) throw model::damaged("the piece table has a wrong size");
            const std::size_t n = (lcb - 4) / 12;
            const std::size_t pcdBase = (n + 1) * 4;
            for (std::size_t i = 0; i < n; ++i) {
                Piece p;
                p.cpStart = plc.u32(i * 4);
                p.cpEnd = plc.u32(i * 4 + 4);
                std::uint32_t fc = plc.u32(pcdBase + i * 8 + 2);
                p.prm = plc.u16(pcdBase + i * 8 + 6);
                if (word97) {
                    p.compressed = fc & 0x40000000u;
                    fc &= ~0x40000000u;
                    if (p.compressed) fc /= 2;
                } else {
                    p.compressed = true;
                }
                p.fc = fc;
                if (p.cpEnd < p.cpStart) throw model::damaged("the piece table is out of order");
                if (!pt.pieces.empty() && p.cpStart < pt.pieces.back().cpEnd)
                    throw model::damaged("the piece table is out of order");
                pt.pieces.push_back(p);
            }
            return pt;
        } else {
            throw model::damaged("the piece table has an unknown entry");
        }
    }
    throw model::damaged("the piece table has no pieces");
}

PieceTable simplePieceTable(const Fib& fib, std::uint32_t cpCount) {
    PieceTable pt;
    Piece p;
    p.cpStart = 0;
    p.cpEnd = cpCount;
    p.fc = fib.fcMin;
    p.compressed = true;
    pt.pieces.push_back(p);
    return pt;
}

DocText readText(const ByteReader& wd, const PieceTable& pt, const CodePage& cp, std::uint32_t cpLimit) {
    DocText t;
    for (std::size_t pi = 0; pi < pt.pieces.size(); ++pi) {
        const Piece& p = pt.pieces[pi];
        if (p.cpStart >= cpLimit) break;
        // Pieces must follow each other without gaps; fill a gap with nothing.
        if (p.cpStart != t.chars.size()) {
            if (p.cpStart < t.chars.size()) continue;
            while (t.chars.size() < p.cpStart) {
                t.chars.push_back(u' ');
                t.fcs.push_back(0xFFFFFFFFu);
                t.pieceIndex.push_back(static_cast<std::uint32_t>(pi));
            }
        }
        const std::uint32_t count = std::min(p.cpEnd, cpLimit) - p.cpStart;
        const std::size_t width = p.compressed ? 1 : 2;
        if (p.fc >= wd.size()) throw model::damaged("a piece of text lies outside the document stream");
        const std::size_t avail = (wd.size() - p.fc) / width;
        const std::size_t n = std::min<std::size_t>(count, avail);
        const auto* d = wd.data().data() + p.fc;
        for (std::size_t i = 0; i < n; ++i) {
            t.chars.push_back(p.compressed ? cp[d[i]] : static_cast<char16_t>(le16(d + 2 * i)));
            t.fcs.push_back(static_cast<std::uint32_t>(p.fc + i * width));
            t.pieceIndex.push_back(static_cast<std::uint32_t>(pi));
        }
        if (n < count) throw model::damaged("a piece of text lies outside the document stream");
    }
    return t;
}

} // namespace fq::doc
