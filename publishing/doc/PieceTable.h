// The piece table (CLX): which stretch of the WordDocument stream holds the
// text of each character position (CP), 8-bit (cp1252 or the file's code page)
// or UTF-16, and the property modifier of each piece. The whole text of all
// sub-documents is read once into CP order.
#pragma once

#include "publishing/doc/ByteReader.h"
#include "publishing/doc/Fib.h"
#include "publishing/doc/TextEncoding.h"

#include <cstdint>
#include <string>
#include <vector>

namespace fq::doc {

struct Piece {
    std::uint32_t cpStart = 0;
    std::uint32_t cpEnd = 0;
    std::uint32_t fc = 0;        // byte offset of the first character in the WordDocument stream
    bool compressed = false;     // one byte per character
    std::uint16_t prm = 0;       // property modifier
    Bytes modifiers;             // the sprms prm stands for
};

struct PieceTable {
    std::vector<Piece> pieces;
    std::vector<Bytes> prcs;     // the grpprls of the CLX, referenced by prm
};

// The text in CP order with the stream offset of every character, so that
// FC-based property runs can be found for each CP.
struct DocText {
    std::u16string chars;
    std::vector<std::uint32_t> fcs;
    std::vector<std::uint32_t> pieceIndex;
};

// Parses the CLX at clx in the table stream. Word 97 CLX pieces flag 8-bit
// text with 0x40000000 (fc halved); Word 6.0/95 pieces are always 8-bit.
// The pieces end before the first one that goes back in the text.
PieceTable parseClx(const ByteReader& table, FcLcb clx, bool word97);
// The sprms of a property modifier: a grpprl of the CLX (prm with bit 0 set),
// or one sprm with a one-byte operand, named by its short index.
Bytes pieceModifiers(std::uint16_t prm, const std::vector<Bytes>& prcs);
// A piece table for a Word 6.0/95 file that has no CLX: one 8-bit piece from fcMin.
PieceTable simplePieceTable(const Fib& fib, std::uint32_t cpCount);

// Stands for a character whose piece lies outside the document stream: a
// control code the converter shows as nothing.
inline constexpr char16_t kLost = 0x0000;

// Reads the characters of all pieces. Characters of pieces that lie (partly)
// outside the stream are kLost; a text of which nothing can be read is damaged.
DocText readText(const ByteReader& wordDocument, const PieceTable& pt, const CodePage& codePage,
                 std::uint32_t cpLimit);

} // namespace fq::doc
