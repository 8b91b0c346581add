// Single property modifiers (sprms) of Word 97-2003: a 16-bit opcode whose
// top three bits give the operand size, then the operand. A grpprl is a
// sequence of them; iteration stops at the first one that would overrun.
#pragma once

#include <cstdint>
#include <functional>
#include <span>

namespace fq::doc {

struct Sprm {
    std::uint16_t op = 0;
    std::span<const std::uint8_t> operand;

    std::uint8_t u8() const { return operand.empty() ? 0 : operand[0]; }
    std::uint16_t u16() const {
        return operand.size() < 2 ? u8() : static_cast<std::uint16_t>(operand[0] | (operand[1] << 8));
    }
    std::int16_t i16() const { return static_cast<std::int16_t>(u16()); }
    std::uint32_t u32() const {
        if (operand.size() < 4) return u16();
        return static_cast<std::uint32_t>(operand[0]) | (static_cast<std::uint32_t>(operand[1]) << 8) |
               (static_cast<std::uint32_t>(operand[2]) << 16) | (static_cast<std::uint32_t>(operand[3]) << 24);
    }
};

// Calls f for every sprm of grpprl, in order.
void forEachSprm(std::span<const std::uint8_t> grpprl, const std::function<void(const Sprm&)>& f);

namespace sprm {
// Character
inline constexpr std::uint16_t CFRMarkDel = 0x0800;
inline constexpr std::uint16_t CFFldVanish = 0x0802;
inline constexpr std::uint16_t CPicLocation = 0x6A03;
inline constexpr std::uint16_t CSymbol = 0x6A09;
inline constexpr std::uint16_t CFData = 0x0806;
inline constexpr std::uint16_t CFOle2 = 0x080A;
inline constexpr std::uint16_t CIstd = 0x4A30;
inline constexpr std::uint16_t CFBold = 0x0835;
inline constexpr std::uint16_t CFItalic = 0x0836;
inline constexpr std::uint16_t CFStrike = 0x0837;
inline constexpr std::uint16_t CFSmallCaps = 0x083A;
inline constexpr std::uint16_t CFCaps = 0x083B;
inline constexpr std::uint16_t CFVanish = 0x083C;
inline constexpr std::uint16_t CFtcDefault = 0x4A3D;
inline constexpr std::uint16_t CKul = 0x2A3E;
inline constexpr std::uint16_t CIco = 0x2A42;
inline constexpr std::uint16_t CHps = 0x4A43;
inline constexpr std::uint16_t CHpsPos = 0x4845;
inline constexpr std::uint16_t CIss = 0x2A48;
inline constexpr std::uint16_t CRgFtc0 = 0x4A4F;
inline constexpr std::uint16_t CRgFtc1 = 0x4A50;
inline constexpr std::uint16_t CRgFtc2 = 0x4A51;
inline constexpr std::uint16_t CFDStrike = 0x2A53;
inline constexpr std::uint16_t CFSpec = 0x0855;
inline constexpr std::uint16_t CFObj = 0x0856;
inline constexpr std::uint16_t CCv = 0x6870;
// Paragraph
inline constexpr std::uint16_t PIstd = 0x4600;
inline constexpr std::uint16_t PJc80 = 0x2403;
inline constexpr std::uint16_t PFKeep = 0x2405;
inline constexpr std::uint16_t PFKeepFollow = 0x2406;
inline constexpr std::uint16_t PDcs = 0x442C;
inline constexpr std::uint16_t PFPageBreakBefore = 0x2407;
inline constexpr std::uint16_t PIlvl = 0x260A;
inline constexpr std::uint16_t PIlfo = 0x460B;
inline constexpr std::uint16_t PAnld = 0xC63E;
// Word 6.0/95's numbering level of a paragraph; Word 97 files have no such
// sprm, so the Word 6.0/95 one is carried under this otherwise unused code.
inline constexpr std::uint16_t PNLvlAnm = 0x25FF;
inline constexpr std::uint16_t PChgTabsPapx = 0xC60D;
inline constexpr std::uint16_t PDxaRight80 = 0x840E;
inline constexpr std::uint16_t PDxaLeft80 = 0x840F;
inline constexpr std::uint16_t PDxaLeft180 = 0x8411;
inline constexpr std::uint16_t PDyaLine = 0x6412;
inline constexpr std::uint16_t PDyaBefore = 0xA413;
inline constexpr std::uint16_t PDyaAfter = 0xA414;
inline constexpr std::uint16_t PChgTabs = 0xC615;
inline constexpr std::uint16_t PFInTable = 0x2416;
inline constexpr std::uint16_t PFTtp = 0x2417;
inline constexpr std::uint16_t PFInnerTableCell = 0x244B;
inline constexpr std::uint16_t PFInnerTtp = 0x244C;
inline constexpr std::uint16_t PDxaRight = 0x845D;
inline constexpr std::uint16_t PDxaLeft = 0x845E;
inline constexpr std::uint16_t PDxaLeft1 = 0x8460;
inline constexpr std::uint16_t PJc = 0x2461;
inline constexpr std::uint16_t PFDyaBeforeAuto = 0x245B;
inline constexpr std::uint16_t PFDyaAfterAuto = 0x245C;
inline constexpr std::uint16_t PHugePapx = 0x6646;
inline constexpr std::uint16_t PFWidowControl = 0x2431;
inline constexpr std::uint16_t PFContextualSpacing = 0x246D;
inline constexpr std::uint16_t PItap = 0x6649;
inline constexpr std::uint16_t PDtap = 0x664A;
// Section
inline constexpr std::uint16_t SBkc = 0x3009;
inline constexpr std::uint16_t SFTitlePage = 0x300A;
inline constexpr std::uint16_t SDyaHdrTop = 0xB017;
inline constexpr std::uint16_t SDyaHdrBottom = 0xB018;
inline constexpr std::uint16_t SXaPage = 0xB01F;
inline constexpr std::uint16_t SYaPage = 0xB020;
inline constexpr std::uint16_t SDxaLeft = 0xB021;
inline constexpr std::uint16_t SDxaRight = 0xB022;
inline constexpr std::uint16_t SDyaTop = 0x9023;
inline constexpr std::uint16_t SDyaBottom = 0x9024;
inline constexpr std::uint16_t SFEvenlySpaced = 0x3005;
inline constexpr std::uint16_t SCcolumns = 0x500B;
inline constexpr std::uint16_t SDxaColumns = 0x900C;
inline constexpr std::uint16_t SNfcPgn = 0x300E;
inline constexpr std::uint16_t SFPgnRestart = 0x3011;
inline constexpr std::uint16_t SLBetween = 0x3019;
inline constexpr std::uint16_t SPgnStart97 = 0x501C;
inline constexpr std::uint16_t SDyaLinePitch = 0x9031;
inline constexpr std::uint16_t SClm = 0x5032;
inline constexpr std::uint16_t SRncFtn = 0x303C;
inline constexpr std::uint16_t SRncEdn = 0x303E;
inline constexpr std::uint16_t SNFtn = 0x503F;
inline constexpr std::uint16_t SNfcFtnRef = 0x5040;
inline constexpr std::uint16_t SNEdn = 0x5041;
inline constexpr std::uint16_t SNfcEdnRef = 0x5042;
inline constexpr std::uint16_t SDxaColWidth = 0xF203;
inline constexpr std::uint16_t SDxaColSpacing = 0xF204;
// Table
inline constexpr std::uint16_t TJc90 = 0x5400;
inline constexpr std::uint16_t TDxaLeft = 0x9601;
inline constexpr std::uint16_t TDxaGapHalf = 0x9602;
inline constexpr std::uint16_t TFCantSplit90 = 0x3403;
inline constexpr std::uint16_t TTableHeader = 0x3404;
inline constexpr std::uint16_t TTableBorders80 = 0xD605;
inline constexpr std::uint16_t TDyaRowHeight = 0x9407;
inline constexpr std::uint16_t TDefTable = 0xD608;
inline constexpr std::uint16_t TDefTableShd80 = 0xD609;
inline constexpr std::uint16_t TDefTableShd3rd = 0xD60C;
inline constexpr std::uint16_t TDefTableShd = 0xD612;
inline constexpr std::uint16_t TTableBorders = 0xD613;
inline constexpr std::uint16_t TDefTableShd2nd = 0xD616;
inline constexpr std::uint16_t TSetBrc80 = 0xD620;
inline constexpr std::uint16_t TInsert = 0x7621;
inline constexpr std::uint16_t TDelete = 0x5622;
inline constexpr std::uint16_t TDxaCol = 0x7623;
inline constexpr std::uint16_t TMerge = 0x5624;
inline constexpr std::uint16_t TSplit = 0x5625;
inline constexpr std::uint16_t TSetShd80 = 0x7627;
inline constexpr std::uint16_t TVertMerge = 0xD62B;
inline constexpr std::uint16_t TVertAlign = 0xD62C;
inline constexpr std::uint16_t TSetShd = 0xD62D;
inline constexpr std::uint16_t TSetBrc = 0xD62F;
inline constexpr std::uint16_t TCellPadding = 0xD632;
inline constexpr std::uint16_t TCellSpacingDefault = 0xD633;
inline constexpr std::uint16_t TCellPaddingDefault = 0xD634;
inline constexpr std::uint16_t TSetShdTable = 0xD660;
inline constexpr std::uint16_t TFCantSplit = 0x3466;
inline constexpr std::uint16_t TDefTableShdRaw = 0xD670;
inline constexpr std::uint16_t TDefTableShdRaw2nd = 0xD671;
inline constexpr std::uint16_t TDefTableShdRaw3rd = 0xD672;
inline constexpr std::uint16_t TJc = 0x548A;
inline constexpr std::uint16_t TTableWidth = 0xF614;
inline constexpr std::uint16_t TFAutofit = 0x3615;
inline constexpr std::uint16_t TWidthBefore = 0xF617;
inline constexpr std::uint16_t TWidthAfter = 0xF618;
inline constexpr std::uint16_t TCellWidth = 0xD635;
} // namespace sprm

} // namespace fq::doc
