// The File Information Block at the start of the WordDocument stream: the
// version, the flags and the offsets of every table the reader uses. Word
// 97-2003 files keep a variable FIB (counted arrays); Word 6.0/95 files a
// fixed one with the same order of offset/length pairs.
#pragma once

#include "publishing/doc/ByteReader.h"

#include <cstdint>

namespace fq::doc {

// Indices into the offset/length pair array; the order is the same in the
// Word 6.0/95 and in the Word 97 FIB.
enum class FibPair : int {
    Stshf = 1, PlcffndRef = 2, PlcffndTxt = 3, PlcfSed = 6, PlcfHdd = 11, PlcfBteChpx = 12,
    PlcfBtePapx = 13, SttbfFfn = 15, Dop = 31, Clx = 33, PlcSpaMom = 40, PlcSpaHdr = 41, PlcfendRef = 46,
    PlcfendTxt = 47, DggInfo = 50, PlcftxbxTxt = 56, PlcfHdrtxbxTxt = 57, PlcfLst = 73, PlfLfo = 74,
};

struct FcLcb {
    std::uint32_t fc = 0;
    std::uint32_t lcb = 0;
};

struct Fib {
    std::uint16_t ident = 0;
    std::uint16_t nFib = 0;
    std::uint16_t lid = 0;
    bool complex = false;
    bool hasPictures = false;
    bool encrypted = false;
    bool whichTableStream = false;  // true: "1Table"
    bool obfuscated = false;
    bool word97 = false;            // the variable Word 97+ layout
    std::uint32_t fcMin = 0;
    std::uint32_t fcMac = 0;
    // Character counts of the sub-documents, in the order they follow each
    // other in the CP space.
    std::uint32_t ccpText = 0, ccpFtn = 0, ccpHdd = 0, ccpMcr = 0, ccpAtn = 0, ccpEdn = 0, ccpTxbx = 0,
                  ccpHdrTxbx = 0;
    std::vector<FcLcb> pairs;

    FcLcb pair(FibPair p) const {
        const auto i = static_cast<std::size_t>(p);
        return i < pairs.size() ? pairs[i] : FcLcb{};
    }
};

enum class FibVersion { Word97, Word6, TooOld, NotWord };

// Looks at the first bytes only: which kind of FIB this is.
FibVersion classifyFib(const ByteReader& wordDocument);
// Parses a FIB classified as Word97 or Word6.
Fib parseFib(const ByteReader& wordDocument);

} // namespace fq::doc
