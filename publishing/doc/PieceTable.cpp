// Parsing the CLX and reading the text of its pieces.
#include "publishing/doc/PieceTable.h"

#include <algorithm>

namespace fq::doc {

namespace {

// Positions a damaged document may claim beyond its stream's bytes (lost
// characters kept so that the positions after them stay in place).
constexpr std::size_t kTextSlack = 4096;

} // namespace

Bytes pieceModifiers(std::uint16_t prm, const std::vector<Bytes>& prcs) {
    if (prm & 1) {
        const std::size_t idx = prm >> 1;
        return idx < prcs.size() ? prcs[idx] : Bytes{};
    }
    // Short indices of the sprms a piece can carry directly, for the
    // properties the reader uses.
    struct Short { std::uint8_t isprm; std::uint16_t sprm; };
    static constexpr Short table[] = {
        {0x05, 0x2403}, {0x07, 0x2405}, {0x08, 0x2406}, {0x09, 0x2407}, {0x18, 0x2416}, {0x19, 0x2417},
        {0x55, 0x0835}, {0x56, 0x0836}, {0x57, 0x0837}, {0x5A, 0x083A}, {0x5B, 0x083B}, {0x5C, 0x083C},
        {0x5E, 0x2A3E}, {0x62, 0x2A42}, {0x68, 0x2A48},
    };
    const std::uint8_t isprm = (prm >> 1) & 0x7F;
    const std::uint8_t val = prm >> 8;
    if (isprm == 0) return {};
    for (const auto& e : table)
        if (e.isprm == isprm)
            return Bytes{static_cast<std::uint8_t>(e.sprm & 0xFF), static_cast<std::uint8_t>(e.sprm >> 8), val};
    return {};
}

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
                if (word97) p.modifiers = pieceModifiers(p.prm, pt.prcs);
                // A piece that goes back in the text: the character positions
                // from here on cannot be trusted, the text before them can.
                const bool backwards =
                    p.cpEnd < p.cpStart || (!pt.pieces.empty() && p.cpStart < pt.pieces.back().cpEnd);
                if (backwards && pt.pieces.empty()) throw model::damaged("the piece table is out of order");
                if (backwards) return pt;
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
    std::size_t readable = 0;
    // Every character of a document takes at least a byte of its stream: a
    // damaged piece table or FIB that claims more positions than that
    // describes text that is not there, and is not spelled out as gaps.
    cpLimit = static_cast<std::uint32_t>(std::min<std::size_t>(cpLimit, wd.size() + kTextSlack));
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
        const std::size_t avail = p.fc < wd.size() ? (wd.size() - p.fc) / width : 0;
        const std::size_t n = std::min<std::size_t>(count, avail);
        const auto* d = wd.data().data() + std::min<std::size_t>(p.fc, wd.size());
        for (std::size_t i = 0; i < n; ++i) {
            t.chars.push_back(p.compressed ? cp[d[i]] : static_cast<char16_t>(le16(d + 2 * i)));
            t.fcs.push_back(static_cast<std::uint32_t>(p.fc + i * width));
            t.pieceIndex.push_back(static_cast<std::uint32_t>(pi));
        }
        readable += n;
        // What lies outside the stream is lost; the positions after it stay where they are.
        for (std::size_t i = n; i < count; ++i) {
            t.chars.push_back(kLost);
            t.fcs.push_back(0xFFFFFFFFu);
            t.pieceIndex.push_back(static_cast<std::uint32_t>(pi));
        }
    }
    if (readable == 0 && !t.chars.empty()) throw model::damaged("the text lies outside the document stream");
    return t;
}

} // namespace fq::doc
