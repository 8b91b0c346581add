// Escher shapes of tables.
#include "publishing/pub/TableEscher.h"

#include "publishing/pub/BlockWriter.h"
#include "publishing/pub/PubConstants.h"

namespace fq::pub {

namespace {

// Line properties: on, off.
constexpr std::uint32_t kLineOn = 0x00080008, kLineOff = 0x00080000;
// Fill properties: filled, not filled.
constexpr std::uint32_t kFilled = 0x00100010, kNotFilled = 0x00100000;

Properties wrapAndShadow() {
    using namespace esc::op;
    const std::uint32_t d = esc::kDefaultWrapDistance;
    return {{ShadowColor, esc::kPaletteShadow}, {WrapLeft, d}, {WrapTop, d}, {WrapRight, d}, {WrapBottom, d}};
}

void writeTable(RecordWriter& w, const PlannedShape& s) {
    using namespace esc::op;
    // As in Publisher 2010's tables: no inner margins, no line, no fill; the
    // per-side lines present with zero width.
    Properties props{{TextId, s.textId}, {TextLeft, 0}, {TextTop, 0}, {TextRight, 0}, {TextBottom, 0},
                     {GeometryBools, 0x00300000}, {LineColor, esc::kPaletteBlack},
                     {LineBackColor, esc::kPaletteWhite}, {LineBools, kLineOff}};
    for (const auto& p : wrapAndShadow()) props.push_back(p);
    writeOpt(w, esc::Opt, props);
    writeOpt(w, esc::TertiaryOpt,
             {{LineBools, 0x00400040}, {LineLeftColor, esc::kPaletteBlack}, {LineLeftBack, esc::kPaletteWhite},
              {LineLeftWidth, 0}, {LineTopColor, esc::kPaletteBlack}, {LineTopBack, esc::kPaletteWhite},
              {LineTopWidth, 0}, {LineRightColor, esc::kPaletteBlack}, {LineRightBack, esc::kPaletteWhite},
              {LineRightWidth, 0}, {LineBottomColor, esc::kPaletteBlack}, {LineBottomBack, esc::kPaletteWhite},
              {LineBottomWidth, 0}, {LineColumnColor, esc::kPaletteBlack}, {LineColumnBack, esc::kPaletteWhite},
              {0x06FF, 0x00020002}});
}

void writeShading(RecordWriter& w, const PlannedShape& s) {
    using namespace esc::op;
    Properties props{{FillColor, s.fillBgr}, {FillBackColor, esc::kPaletteWhite}, {FillBools, kFilled},
                     {LineColor, esc::kPaletteBlack}, {LineBackColor, esc::kPaletteWhite}, {LineWidth, 0},
                     {LineBools, kLineOff}};
    for (const auto& p : wrapAndShadow()) props.push_back(p);
    writeOpt(w, esc::Opt, props);
    writeOpt(w, esc::TertiaryOpt, sideBorders());
}

void writeLine(RecordWriter& w, const PlannedShape& s) {
    using namespace esc::op;
    Properties props{{FillBools, kNotFilled}, {LineColor, s.line.colorBgr}, {LineBackColor, esc::kPaletteWhite},
                     {LineWidth, static_cast<std::uint32_t>(s.line.widthEmu)}, {LineBools, kLineOn}};
    if (s.line.style) props.push_back({LineStyle, s.line.style});
    if (s.line.dashing) props.push_back({LineDashing, s.line.dashing});
    for (const auto& p : wrapAndShadow()) props.push_back(p);
    writeOpt(w, esc::Opt, props);
    writeOpt(w, esc::TertiaryOpt, sideBorders());
}

// One side of a cell shape: colour, width and whether it is drawn.
void addSide(Properties& props, std::uint16_t color, std::uint16_t back, std::uint16_t width, std::uint16_t bools,
             const PlainLine& line) {
    props.push_back({color, line.visible ? line.colorBgr : esc::kPaletteBlack});
    props.push_back({back, esc::kPaletteWhite});
    if (line.visible) props.push_back({width, static_cast<std::uint32_t>(line.widthEmu)});
    props.push_back({bools, line.visible ? kLineOn : kLineOff});
}

void writeCellShape(RecordWriter& w, const PlannedTable& table, std::size_t index, std::uint32_t spid) {
    using namespace esc::op;
    const PlannedCell& c = table.cells[index];
    const auto sp = w.open(esc::SpContainer, 0xF, 0);
    writeSp(w, esc::kShapeTypeRectangle, spid, esc::kSpFlagHaveAnchor | esc::kSpFlagHaveShapeType);
    const std::uint32_t m = esc::kDefaultTextMargin;
    Properties props{{TextLeft, m}, {TextTop, m}, {TextRight, m}, {TextBottom, m},
                     {FillColor, c.fillBgr ? *c.fillBgr : esc::kPaletteWhite},
                     {FillBackColor, esc::kPaletteBlack}, {FillBools, c.fillBgr ? kFilled : kNotFilled},
                     {LineBackColor, esc::kPaletteWhite}, {LineWidth, 0}, {LineBools, kLineOff}};
    for (const auto& p : wrapAndShadow()) props.push_back(p);
    writeOpt(w, esc::Opt, props);
    Properties sides{{FillBools, 0x00200000}, {LineBools, 0x00400040}};
    addSide(sides, LineLeftColor, LineLeftBack, LineLeftWidth, LineLeftBools, c.left);
    addSide(sides, LineTopColor, LineTopBack, LineTopWidth, LineTopBools, c.top);
    addSide(sides, LineRightColor, LineRightBack, LineRightWidth, LineRightBools, c.right);
    addSide(sides, LineBottomColor, LineBottomBack, LineBottomWidth, LineBottomBools, c.bottom);
    sides.push_back({LineColumnColor, esc::kPaletteBlack});
    sides.push_back({LineColumnBack, esc::kPaletteWhite});
    writeOpt(w, esc::TertiaryOpt, sides);
    // The anchor names the table chunk and the cell's index in it (left
    // out for the first cell), as property blocks.
    ByteBuffer blocks;
    BlockWriter b(blocks);
    const auto rec = b.openRecord();
    b.u32(0x02, bt::ParentRef, table.seq);
    if (index) b.u32(0x03, bt::Long, static_cast<std::uint32_t>(index));
    b.closeRecord(rec);
    const auto a = w.open(esc::ClientAnchor, esc::kClientVersion, esc::kClientInstance);
    w.out().append(blocks);
    w.close(a);
    w.close(sp);
}

} // namespace

bool isTableShape(const PlannedShape& s) {
    return s.kind == ShapeKind::Table || s.kind == ShapeKind::CellShading || s.kind == ShapeKind::GridLine;
}

void writeTableShape(RecordWriter& w, const PlannedShape& s) {
    const auto sp = w.open(esc::SpContainer, 0xF, 0);
    const std::uint16_t type = s.kind == ShapeKind::Table      ? esc::kShapeTypeTable
                               : s.kind == ShapeKind::GridLine ? esc::kShapeTypeLine
                                                               : esc::kShapeTypeRectangle;
    writeSp(w, type, s.spid, esc::kSpFlagHaveAnchor | esc::kSpFlagHaveShapeType);
    if (s.kind == ShapeKind::Table) writeTable(w, s);
    else if (s.kind == ShapeKind::GridLine) writeLine(w, s);
    else writeShading(w, s);
    writeAnchor(w, s.anchor);
    writeClient(w, esc::ClientData, esc::kClientDataSeq, s.seq);
    if (s.kind == ShapeKind::Table) writeClient(w, esc::ClientTextbox, esc::kClientTextboxId, s.textId);
    w.close(sp);
}

std::uint32_t tableCellShapeCount(const PubPlan& plan) {
    std::uint32_t n = 0;
    for (const auto& t : plan.tables)
        if (t.formatted()) n += static_cast<std::uint32_t>(t.cells.size());
    return n;
}

void writeTableCellShapes(RecordWriter& w, const PubPlan& plan, std::uint32_t firstSpid) {
    std::uint32_t spid = firstSpid;
    for (const auto& t : plan.tables) {
        if (!t.formatted()) continue;
        for (std::size_t i = 0; i < t.cells.size(); ++i) writeCellShape(w, t, i, spid++);
    }
}

} // namespace fq::pub
