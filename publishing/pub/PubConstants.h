// Every number the .pub writer puts into a file, named once: property-block
// type codes, Contents chunk types and block ids, Quill property ids, Escher
// record types and shape properties, and picture (BLIP) codes.
#pragma once

#include <cstdint>

namespace fq::pub {

// Length units.
inline constexpr double kEmuPerPoint = 12700.0;
inline constexpr double kEmuPerInch = 914400.0;

// ---------------------------------------------------------------------------
// Property-block type codes (the byte after the block id).
namespace bt {
inline constexpr std::uint8_t Empty = 0x00;        // no data (seen in Publisher's files)
inline constexpr std::uint8_t Flag = 0x08;         // no data: presence means true
inline constexpr std::uint8_t QuillFlag = 0x0A;
inline constexpr std::uint8_t Short10 = 0x10;      // u16
inline constexpr std::uint8_t QuillShort = 0x12;   // u16
inline constexpr std::uint8_t Short = 0x18;        // u16
inline constexpr std::uint8_t Long = 0x20;         // u32
inline constexpr std::uint8_t QuillLong = 0x22;    // u32
inline constexpr std::uint8_t Bytes8 = 0x28;
inline constexpr std::uint8_t Bytes16 = 0x38;
inline constexpr std::uint8_t Bytes24 = 0x48;
inline constexpr std::uint8_t ParentRef = 0x68;    // u32 sequence number
inline constexpr std::uint8_t ObjectRef = 0x70;    // u32 sequence number
inline constexpr std::uint8_t Unused = 0x78;       // placeholder, no data
inline constexpr std::uint8_t Container80 = 0x80;
inline constexpr std::uint8_t QuillContainer82 = 0x82;
inline constexpr std::uint8_t Container = 0x88;
inline constexpr std::uint8_t QuillContainer = 0x8A;
inline constexpr std::uint8_t Array90 = 0x90;
inline constexpr std::uint8_t Container98 = 0x98;
inline constexpr std::uint8_t Array = 0xA0;
inline constexpr std::uint8_t StreamOffset = 0xB8; // u32
inline constexpr std::uint8_t String = 0xC0;       // u32 length, UTF-16LE, 0 terminator
} // namespace bt

// ---------------------------------------------------------------------------
// The Contents stream.
inline constexpr std::uint16_t kContentsMagic = 0xACE8;
inline constexpr std::uint8_t kContentsFormat = 0x2C;
inline constexpr std::uint16_t kContentsVersion = 0x0106;       // Publisher 2010
inline constexpr std::uint32_t kContentsFlags0C = 0x01000018;
inline constexpr std::uint32_t kObjectVersion = 0x03E80018;     // 1000 << 16 | 0x18
inline constexpr std::uint8_t kFormatByte2010 = 0x0E;           // at 0x22 and 0x24 of the header
// The build of Publisher 2010 (14.0.5126) that saved the 2010 samples.
inline constexpr std::uint32_t kPublisherBuild = 5126;
// Margins of the page setup and the master's guides.
inline constexpr std::uint32_t kMarginEmu = 914400;
inline constexpr std::uint32_t kFirstSequenceNumber = 0x100;    // 0..0xFF are placeholders

namespace chunk {
inline constexpr std::uint16_t Shape = 0x01;
inline constexpr std::uint16_t AltShape = 0x20;    // lines
inline constexpr std::uint16_t Page = 0x43;
inline constexpr std::uint16_t Document = 0x44;
inline constexpr std::uint16_t BorderArt = 0x46;
inline constexpr std::uint16_t Settings4A = 0x4A;
inline constexpr std::uint16_t Layout4B = 0x4B;
inline constexpr std::uint16_t Guides4C = 0x4C;
inline constexpr std::uint16_t Layout4F = 0x4F;
inline constexpr std::uint16_t Settings54 = 0x54;
inline constexpr std::uint16_t StoryTable = 0x5B;
inline constexpr std::uint16_t Palette = 0x5C;
inline constexpr std::uint16_t FrameTable = 0x61;
inline constexpr std::uint16_t StoryData = 0x65;
inline constexpr std::uint16_t PageSettings60 = 0x60;
inline constexpr std::uint16_t WebForm77 = 0x77;
inline constexpr std::uint16_t FontList = 0x6C;
inline constexpr std::uint16_t Settings72 = 0x72;
inline constexpr std::uint16_t Settings73 = 0x73;
inline constexpr std::uint16_t Settings7F = 0x7F;
inline constexpr std::uint16_t Settings8A = 0x8A;
inline constexpr std::uint16_t Table = 0x10;
inline constexpr std::uint16_t TableCells = 0x63;
} // namespace chunk

// Header record of Contents.
namespace hdr {
inline constexpr std::uint8_t Magic = 0x01, Document = 0x02, Version3 = 0x03, Version4 = 0x04,
                              Version5 = 0x05, Version7 = 0x07, StreamLength = 0x08, SavedAs = 0x09,
                              TrailerOffset = 0x0A, FirstChunk = 0x0B, One = 0x0C, Build0D = 0x0D,
                              Build0E = 0x0E, Build0F = 0x0F, Build10 = 0x10;
} // namespace hdr

// Trailer record and its directory entries.
namespace trl {
inline constexpr std::uint8_t Count = 0x01, Last = 0x02, Directory = 0x03;
inline constexpr std::uint8_t EntryType = 0x02, EntryOffset = 0x04, EntryParent = 0x05,
                              Entry06 = 0x06, Entry08 = 0x08, Entry0B = 0x0B;
} // namespace trl

namespace doc {
inline constexpr std::uint8_t PageCount = 0x01, PageList = 0x02, Ref4B = 0x03, Ref4A = 0x04,
                              Flag08 = 0x08, Value10 = 0x10, PageSize = 0x12, Value15 = 0x15,
                              Ref73 = 0x18, RefBorderArt = 0x19,
                              Ref72 = 0x1A, RefStoryTable = 0x20, Ref54 = 0x21, RefPalette = 0x22,
                              Value23 = 0x23, Bytes2A = 0x2A, Value2C = 0x2C, Value2D = 0x2D,
                              Ref7F = 0x31, Value3C = 0x3C, Value41 = 0x41, Ref8A = 0x44,
                              Flag4C = 0x4C, Flag4D = 0x4D;
inline constexpr std::uint8_t Width = 0x01, Height = 0x02;
inline constexpr std::uint32_t kValue15 = 359410;   // as in every Publisher 2007/2010 sample
} // namespace doc

namespace page {
inline constexpr std::uint8_t ShapeCount = 0x01, ShapeList = 0x02, RefGuides = 0x03,
                              ScratchSize = 0x05, IndexPair = 0x06, RefSettings60 = 0x09,
                              RefForm77 = 0x0B, AppliedMaster = 0x0D, MasterName = 0x0E,
                              MasterLongName = 0x0F, Kind10 = 0x10, ScratchOuter = 0x11;
inline constexpr std::uint32_t kScratchSize = 22860000;
inline constexpr std::uint32_t kScratchOuter = 110185200;
inline constexpr std::uint32_t kKindMaster = 3, kKindPage = 5;
} // namespace page

namespace shape {
// 02, 2B and 2C are flags every Publisher 2007 shape carries (meaning
// unknown); 34 = 0 is on every picture; 35 is a text box's vertical
// alignment. Block 04's low byte tells whether the text wraps around the
// shape (3) or not (0); Publisher 2010 sets a high byte as well, 2007
// leaves it 0.
inline constexpr std::uint8_t Flag02 = 0x02, Flags04 = 0x04, Crop0C = 0x0C, Crop0D = 0x0D, TextId = 0x27,
                              ChainIndex = 0x28,
                              Flag2B = 0x2B, Flag2C = 0x2C, Picture34 = 0x34, VerticalAlign = 0x35, Width = 0xAA,
                              Height = 0xAB;
inline constexpr std::uint16_t kShapeFlags = 3, kShapeFlagsNoWrap = 0;
} // namespace shape

// Table chunks (0x10, after the shape blocks) and their cell lists (0x63).
namespace tbl {
inline constexpr std::uint8_t Rows = 0x66, Columns = 0x67, Width = 0x68, Height = 0x69, Cells = 0x6B,
                              Sizes = 0x6D, Value70 = 0x70, SizeEnd = 0x01, Size = 0x02;
inline constexpr std::uint8_t CellCount = 0x01, CellList = 0x02, FirstRow = 0x01, LastRow = 0x02,
                              FirstColumn = 0x03, LastColumn = 0x04, MarginLeft = 0x0A, MarginRight = 0x0B,
                              MarginTop = 0x0C, MarginBottom = 0x0D;
} // namespace tbl

// ---------------------------------------------------------------------------
// Quill property ids.
namespace cp {
inline constexpr std::uint8_t Bold = 0x02, Italic = 0x03, Size = 0x0C, SuperSub = 0x0F,
                              SmallCaps = 0x13, AllCaps = 0x14, Underline = 0x1E, Font = 0x24,
                              Bold2 = 0x37, Italic2 = 0x38, Size2 = 0x39, Color = 0x44,
                              Hyperlink = 0x48;
inline constexpr std::uint16_t kSuperscript = 1, kSubscript = 2;
} // namespace cp

namespace pp {
inline constexpr std::uint8_t Alignment = 0x04, FirstIndent = 0x0C, LeftIndent = 0x0D,
                              RightIndent = 0x0E, SpaceBefore = 0x12, SpaceAfter = 0x13,
                              Tabs = 0x32, TabArray = 0x28, TabPosition = 0x00,
                              LineSpacing = 0x34;
inline constexpr std::uint16_t kLeft = 0, kRight = 1, kCenter = 2, kJustify = 6;
} // namespace pp

// Underline codes of character property 1E.
namespace ul {
inline constexpr std::uint16_t Single = 1, Words = 2, Double = 3, Dotted = 4, Thick = 6, Dash = 7,
                               DotDash = 9, DotDotDash = 0x0A, Wave = 0x0B;
// Publisher marks the underline of a hyperlink's text with this bit.
inline constexpr std::uint16_t kHyperlink = 0x0800;
} // namespace ul

// Quill script slots of the font container (Publisher writes all of them).
inline constexpr std::uint8_t kFontSlots[] = {0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x2A, 0x2C};

// Offset of TEXT in the Quill stream; FDP pages and TOC blocks are 512 bytes.
inline constexpr std::uint32_t kQuillTextOffset = 0x200;
inline constexpr std::uint32_t kQuillPage = 0x200;
inline constexpr std::uint16_t kQuillTocBlockMark = 0x01F8;
inline constexpr std::uint32_t kQuillFirstTocCapacity = 19;
// Publisher stamps every Quill list with a number that varies per file.
inline constexpr std::uint32_t kQuillListStamp = 0x038A599C;
inline constexpr std::uint32_t kQuillTocCapacity = 20;

// ---------------------------------------------------------------------------
// Escher (Office Art) records.
namespace esc {
inline constexpr std::uint16_t DggContainer = 0xF000, BStoreContainer = 0xF001,
                               DgContainer = 0xF002, SpgrContainer = 0xF003, SpContainer = 0xF004,
                               Dgg = 0xF006, Bse = 0xF007, Dg = 0xF008, Spgr = 0xF009, Sp = 0xF00A,
                               Opt = 0xF00B, ClientTextbox = 0xF00D, ClientAnchor = 0xF010,
                               ClientData = 0xF011, SplitMenuColors = 0xF11E, TertiaryOpt = 0xF122,
                               BlipEmf = 0xF01A, BlipWmf = 0xF01B, BlipJpeg = 0xF01D,
                               BlipPng = 0xF01E, BlipDib = 0xF01F, BlipTiff = 0xF029;

// Client records carry this version/instance (Publisher 2010).
inline constexpr std::uint16_t kClientVersion = 0xA;
inline constexpr std::uint16_t kClientInstance = 0x18;

inline constexpr std::uint16_t kShapeTypeRectangle = 1;
inline constexpr std::uint16_t kShapeTypeTextBox = 202;
inline constexpr std::uint16_t kShapeTypeTable = 201;
inline constexpr std::uint16_t kShapeTypeLine = 20;
inline constexpr std::uint32_t kSpFlagGroup = 0x001, kSpFlagPatriarch = 0x004, kSpFlagBackground = 0x400,
                               kSpFlagHaveAnchor = 0x200, kSpFlagHaveShapeType = 0x800;

inline constexpr std::uint16_t kAnchorLeft = 0x2001, kAnchorTop = 0x2002, kAnchorRight = 0x2003,
                               kAnchorBottom = 0x2004;
inline constexpr std::uint16_t kClientDataSeq = 0x6801;
inline constexpr std::uint16_t kClientTextboxId = 0x2001;

// Shape properties (FOPT ids).
namespace op {
inline constexpr std::uint16_t TextId = 0x0080, TextLeft = 0x0081, TextTop = 0x0082,
                               TextRight = 0x0083, TextBottom = 0x0084, TextBools = 0x00BF,
                               ColumnSpacing = 0x008D, GeometryBools = 0x017F, Pib = 0x4104,
                               BlipBools = 0x013F,
                               FillColor = 0x0181, FillBackColor = 0x0183, FillBools = 0x01BF,
                               LineColor = 0x01C0, LineBackColor = 0x01C2, LineWidth = 0x01CB,
                               LineStyle = 0x01CD, LineDashing = 0x01CE,
                               LineLeftWidth = 0x054B, LineLeftBools = 0x057F, LineTopWidth = 0x058B,
                               LineTopBools = 0x05BF, LineRightWidth = 0x05CB, LineRightBools = 0x05FF,
                               LineBottomWidth = 0x060B, LineBottomBools = 0x063F,
                               LineEndCap = 0x01D7, LineBools = 0x01FF, ShadowColor = 0x0201,
                               BwMode = 0x0304, ShapeBools = 0x033F, Description = 0x0381, WrapLeft = 0x0384,
                               WrapTop = 0x0385, WrapRight = 0x0386, WrapBottom = 0x0387,
                               GroupBools = 0x03BF, LineLeftColor = 0x0540, LineLeftBack = 0x0542,
                               LineTopColor = 0x0580, LineTopBack = 0x0582,
                               LineRightColor = 0x05C0, LineRightBack = 0x05C2,
                               LineBottomColor = 0x0600, LineBottomBack = 0x0602,
                               LineColumnColor = 0x0640, LineColumnBack = 0x0642;
} // namespace op

// Colours: 0x08nnnnnn = palette entry n of the Contents palette chunk.
inline constexpr std::uint32_t kPaletteBlack = 0x08000000;
inline constexpr std::uint32_t kPaletteShadow = 0x08000004;
inline constexpr std::uint32_t kPaletteWhite = 0x08000007;
inline constexpr std::int32_t kDefaultTextMargin = 36576;   // 0.04 in
inline constexpr std::int32_t kDefaultWrapDistance = 36576;
} // namespace esc

// Picture codes: FBSE Win32/Mac types and BLIP instances.
namespace blip {
inline constexpr std::uint8_t TypeEmf = 2, TypeWmf = 3, TypePict = 4, TypeJpeg = 5, TypePng = 6, TypeDib = 7,
                              TypeTiff = 0x11;
inline constexpr std::uint16_t InstEmf = 0x3D4, InstWmf = 0x216, InstJpeg = 0x46A,
                               InstPng = 0x6E0, InstDib = 0x7A8, InstTiff = 0x6E4;
} // namespace blip

} // namespace fq::pub
