// Parsing the File Information Block.
#include "publishing/doc/Fib.h"

namespace fq::doc {

FibVersion classifyFib(const ByteReader& wd) {
    if (!wd.has(0, 4)) return FibVersion::NotWord;
    const std::uint16_t ident = wd.u16(0);
    const std::uint16_t nFib = wd.u16(2);
    // Word 97 and later write 0xA5EC, Word 6.0/95 0xA5DC; the Far East and
    // Macintosh editions of Word 6.0/95 wrote 0xA697 and 0xA699. The
    // version number tells the format; the signature only that it is Word's.
    const bool knownIdent = ident == 0xA5EC || ident == 0xA5DC || ident == 0xA697 || ident == 0xA699;
    if (!knownIdent) return FibVersion::NotWord;
    if (nFib >= 101 && nFib <= 105) return FibVersion::Word6;
    if (nFib < 101) return FibVersion::TooOld;
    return FibVersion::Word97;
}

Fib parseFib(const ByteReader& wd) {
    Fib f;
    if (!wd.has(0, 32)) throw model::damaged("the file information block is truncated");
    f.ident = wd.u16(0);
    f.nFib = wd.u16(2);
    f.lid = wd.u16(6);
    const std::uint16_t flags = wd.u16(10);
    f.complex = flags & 0x0004;
    f.hasPictures = flags & 0x0008;
    f.encrypted = flags & 0x0100;
    f.whichTableStream = flags & 0x0200;
    f.obfuscated = flags & 0x8000;
    // Beyond its first part, the FIB of an encrypted file is encrypted too.
    if (f.encrypted || f.obfuscated) throw model::ConversionError(model::messages::passwordProtected);
    f.fcMin = wd.u32(24);
    f.fcMac = wd.u32(28);

    if (classifyFib(wd) == FibVersion::Word6) {
        f.word97 = false;
        f.whichTableStream = false;
        if (!wd.has(0, 0x58)) throw model::damaged("the file information block is truncated");
        f.ccpText = wd.u32(0x34);
        f.ccpFtn = wd.u32(0x38);
        f.ccpHdd = wd.u32(0x3C);
        f.ccpMcr = wd.u32(0x40);
        f.ccpAtn = wd.u32(0x44);
        f.ccpEdn = wd.u32(0x48);
        f.ccpTxbx = wd.u32(0x4C);
        f.ccpHdrTxbx = wd.u32(0x50);
        for (std::size_t off = 0x58; off + 8 <= wd.size() && f.pairs.size() < 60; off += 8)
            f.pairs.push_back({wd.u32(off), wd.u32(off + 4)});
        return f;
    }

    f.word97 = true;
    std::size_t off = 32;
    const std::uint16_t csw = wd.u16(off);
    off += 2 + std::size_t(csw) * 2;
    const std::uint16_t cslw = wd.u16(off);
    const std::size_t lw = off + 2;
    if (cslw < 11 || !wd.has(lw, std::size_t(cslw) * 4)) throw model::damaged("the file information block is truncated");
    f.ccpText = wd.u32(lw + 12);
    f.ccpFtn = wd.u32(lw + 16);
    f.ccpHdd = wd.u32(lw + 20);
    f.ccpMcr = wd.u32(lw + 24);
    f.ccpAtn = wd.u32(lw + 28);
    f.ccpEdn = wd.u32(lw + 32);
    f.ccpTxbx = wd.u32(lw + 36);
    f.ccpHdrTxbx = wd.u32(lw + 40);
    off = lw + std::size_t(cslw) * 4;
    const std::uint16_t cbRgFcLcb = wd.u16(off);
    off += 2;
    if (!wd.has(off, std::size_t(cbRgFcLcb) * 8)) throw model::damaged("the file information block is truncated");
    for (std::uint16_t i = 0; i < cbRgFcLcb; ++i)
        f.pairs.push_back({wd.u32(off + i * 8u), wd.u32(off + i * 8u + 4)});
    return f;
}

} // namespace fq::doc
