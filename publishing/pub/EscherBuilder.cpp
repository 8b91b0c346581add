// The Escher streams of a .pub file.
#include "publishing/pub/EscherBuilder.h"

#include "publishing/pub/EscherRecords.h"
#include "publishing/pub/PubConstants.h"
#include "publishing/pub/ShapeWriter.h"
#include "publishing/pub/TableEscher.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace fq::pub {

namespace {

void writeDefaults(RecordWriter& w) {
    using namespace esc::op;
    const std::uint32_t m = esc::kDefaultTextMargin, d = esc::kDefaultWrapDistance;
    writeOpt(w, esc::Opt,
             {{TextLeft, m}, {TextTop, m}, {TextRight, m}, {TextBottom, m},
              {FillColor, esc::kPaletteWhite}, {FillBackColor, esc::kPaletteWhite}, {FillBools, 0x00100000},
              {LineColor, esc::kPaletteBlack}, {LineBackColor, esc::kPaletteWhite}, {LineEndCap, 2},
              {LineBools, 0x00080008}, {ShadowColor, esc::kPaletteShadow},
              {WrapLeft, d}, {WrapTop, d}, {WrapRight, d}, {WrapBottom, d}});
    writeOpt(w, esc::TertiaryOpt, sideBorders());
    const auto s = w.open(esc::SplitMenuColors, 0, 4);
    for (std::uint32_t c : {0x08000001u, esc::kPaletteBlack, esc::kPaletteShadow, 0x100000F7u}) w.out().u32(c);
    w.close(s);
}

void writeShape(RecordWriter& w, const PlannedShape& s) {
    using namespace esc::op;
    if (isDrawnShape(s)) {
        writeDrawingShape(w.out(), s);
        return;
    }
    if (isTableShape(s)) {
        writeTableShape(w, s);
        return;
    }
    const auto sp = w.open(esc::SpContainer, 0xF, 0);
    const bool text = s.kind == ShapeKind::TextBox || s.kind == ShapeKind::Placeholder;
    writeSp(w, text ? esc::kShapeTypeTextBox : esc::kShapeTypeRectangle, s.spid,
            esc::kSpFlagHaveAnchor | esc::kSpFlagHaveShapeType);
    const std::uint32_t d = esc::kDefaultWrapDistance;
    Properties props;
    if (text) props.push_back({TextId, s.textId});
    if (s.kind == ShapeKind::Picture) props.insert(props.end(), {{Pib, s.pib}, {BlipBools, 0x00010000}});
    if (text) {
        // The layout fitted the lines to the frame: no inner margins.
        const std::uint32_t m = s.kind == ShapeKind::Placeholder ? esc::kDefaultTextMargin : 0;
        props.insert(props.end(), {{TextLeft, m}, {TextTop, m}, {TextRight, m}, {TextBottom, m},
                                   {TextBools, 0x00170014}});
    }
    // No fill anywhere: frames stay transparent, as the layout drew them.
    props.insert(props.end(), {{FillColor, esc::kPaletteWhite}, {FillBackColor, esc::kPaletteBlack},
                               {FillBools, 0x00100000}});
    if (s.kind == ShapeKind::Placeholder) {
        // A visible thin border around the placeholder's text.
        props.insert(props.end(), {{LineColor, esc::kPaletteBlack}, {LineBackColor, esc::kPaletteWhite},
                                   {LineWidth, 9525}, {LineBools, 0x00080008}});
    } else {
        props.insert(props.end(), {{LineColor, esc::kPaletteBlack}, {LineBackColor, esc::kPaletteWhite},
                                   {LineWidth, 0}, {LineBools, 0x00080000}});
    }
    props.insert(props.end(), {{ShadowColor, esc::kPaletteShadow}, {WrapLeft, d}, {WrapTop, d},
                               {WrapRight, d}, {WrapBottom, d}, {GroupBools, 0x00100000}});
    std::vector<ComplexProperty> complex;
    if (!s.description.empty()) complex.push_back({esc::op::Description, s.description});
    writeOpt(w, esc::Opt, props, complex);

    Properties tertiary;
    if (text) tertiary.push_back({ColumnSpacing, 72390});
    if (s.kind == ShapeKind::Picture) tertiary.push_back({BlipBools, 0x00400000});
    tertiary.insert(tertiary.end(), {{GeometryBools, 0x00400040}, {FillBools, 0x00200000},
                                     {LineBools, 0x00400040}});
    for (const auto& p : sideBorders()) tertiary.push_back(p);
    if (text) tertiary.insert(tertiary.end(), {{0x064B, 0}, {0x067F, 0x00080000}});
    writeOpt(w, esc::TertiaryOpt, tertiary);

    writeAnchor(w, s.anchor);
    writeClient(w, esc::ClientData, esc::kClientDataSeq, s.seq);
    if (text) writeClient(w, esc::ClientTextbox, esc::kClientTextboxId, s.textId);
    w.close(sp);
}

void writePatriarch(RecordWriter& w, std::uint32_t spid) {
    const auto sp = w.open(esc::SpContainer, 0xF, 0);
    const auto g = w.open(esc::Spgr, 1, 0);
    w.out().zeros(16);
    w.close(g);
    writeSp(w, 0, spid, esc::kSpFlagGroup | esc::kSpFlagPatriarch);
    w.close(sp);
}

// The rectangle and the line of Publisher's third drawing.
void writeExtraShapes(RecordWriter& w, std::uint32_t patriarch) {
    using namespace esc::op;
    const std::uint32_t m = esc::kDefaultTextMargin, d = esc::kDefaultWrapDistance;
    {
        const auto sp = w.open(esc::SpContainer, 0xF, 0);
        writeSp(w, esc::kShapeTypeRectangle, patriarch + 1, esc::kSpFlagHaveAnchor | esc::kSpFlagHaveShapeType);
        writeOpt(w, esc::Opt,
                 {{TextLeft, m}, {TextTop, m}, {TextRight, m}, {TextBottom, m}, {FillColor, 0xFFFFFFFF},
                  {FillBools, 0x001F000C}, {LineColor, esc::kPaletteBlack}, {LineBackColor, esc::kPaletteWhite},
                  {LineBools, 0x00080008}, {ShadowColor, esc::kPaletteShadow},
                  {WrapLeft, d}, {WrapTop, d}, {WrapRight, d}, {WrapBottom, d}});
        Properties tertiary{{FillBools, 0x00600000}, {LineBools, 0x00400040}};
        for (const auto& p : sideBorders()) tertiary.push_back(p);
        writeOpt(w, esc::TertiaryOpt, tertiary);
        const auto a = w.open(esc::ClientAnchor, esc::kClientVersion, esc::kClientInstance);
        w.out().u32(4);
        w.close(a);
        w.close(sp);
    }
    {
        const auto sp = w.open(esc::SpContainer, 0xF, 0);
        writeSp(w, 20, patriarch + 2, esc::kSpFlagHaveAnchor | esc::kSpFlagHaveShapeType);
        writeOpt(w, esc::Opt,
                 {{TextLeft, m}, {TextTop, m}, {TextRight, m}, {TextBottom, m}, {FillBools, 0x00100000},
                  {LineColor, 0xFFFFFFFF}, {LineBackColor, esc::kPaletteWhite}, {LineWidth, 0},
                  {LineBools, 0x00080000}, {ShadowColor, esc::kPaletteShadow},
                  {WrapLeft, d}, {WrapTop, d}, {WrapRight, d}, {WrapBottom, d}});
        writeOpt(w, esc::TertiaryOpt, sideBorders());
        writeClient(w, esc::ClientAnchor, esc::kAnchorLeft, 1);
        w.close(sp);
    }
}

std::size_t shapeCount(const PubPlan& plan) {
    std::size_t n = 0;
    for (const auto& p : plan.pages) n += p.shapes.size();
    return n;
}

} // namespace

EscherStreams buildEscher(const PubPlan& plan) {
    EscherStreams s;
    RecordWriter w(s.main);
    const std::size_t shapes = shapeCount(plan);
    std::uint32_t lastSpid = 1024;
    for (const auto& p : plan.pages)
        for (const auto& sh : p.shapes) lastSpid = std::max(lastSpid, sh.spid);

    // Publisher's two further drawings: drawing 2 is the master page's,
    // holding its background rectangle; drawing 3 holds a rectangle and a
    // line with empty anchors. None of their shapes is linked to Contents.
    const std::uint32_t backgroundSpid = plan.masterSpid;
    const std::uint32_t extraSpid = plan.masterSpid + 1024;
    // Drawing 3 also holds the shapes of formatted table cells, after its
    // rectangle and line, over as many id clusters as they need.
    const std::uint32_t cellShapes = tableCellShapeCount(plan);
    const std::uint32_t extraIds = 3 + cellShapes;
    const std::uint32_t extraClusters = (extraIds + 1023) / 1024;

    // Drawing group: id clusters, picture directory, default properties.
    const auto dgg = w.open(esc::DggContainer, 0xF, 0);
    {
        const auto m = w.open(esc::Dgg, 0, 0);
        w.out().u32(extraSpid + extraIds);                     // spidMax
        w.out().u32(plan.pageClusters + 2 + extraClusters);    // cidcl
        w.out().u32(static_cast<std::uint32_t>(shapes + 5 + cellShapes));   // shapes saved: pages' + patriarch, 1, 3
        w.out().u32(3);                                        // drawings saved
        for (std::uint32_t c = 1; c <= plan.pageClusters; ++c) {
            w.out().u32(1);
            const std::uint32_t used = c < plan.pageClusters ? 1024 : (lastSpid % 1024) + 1;
            w.out().u32(used);
        }
        w.out().u32(2);
        w.out().u32(2);
        for (std::uint32_t c = 0; c < extraClusters; ++c) {
            w.out().u32(3);
            w.out().u32(std::min<std::uint32_t>(1024, extraIds - 1024 * c));
        }
        w.close(m);
    }
    if (!plan.blips.empty()) {
        const auto bstore = w.open(esc::BStoreContainer, 0xF, static_cast<std::uint16_t>(plan.blips.size()));
        std::uint32_t delayOffset = 0;
        for (const auto& b : plan.blips) {
            const auto m = w.open(esc::Bse, 2, b.bseType);
            w.out().u8(b.bseType);
            // Publisher gives metafiles PICT as their Mac type.
            const bool metafile = b.bseType == blip::TypeEmf || b.bseType == blip::TypeWmf;
            w.out().u8(metafile ? blip::TypePict : b.bseType);
            w.out().append(b.uid.data(), b.uid.size());
            w.out().u16(0x00FF);
            w.out().u32(b.recordSize());
            w.out().u32(1);              // reference count
            w.out().u32(delayOffset);
            w.out().zeros(4);            // usage, name length, two unused bytes
            w.close(m);
            delayOffset += b.recordSize();
        }
        w.close(bstore);
    }
    writeDefaults(w);
    w.close(dgg);

    // Each drawing is preceded by a u32: 2, 1, 0 in Publisher's files.
    s.main.u32(2);
    {
        const auto dg = w.open(esc::DgContainer, 0xF, 0);
        const auto fdg = w.open(esc::Dg, 0, 3);
        w.out().u32(extraIds);
        w.out().u32(extraSpid + extraIds - 1);
        w.close(fdg);
        const auto spgr = w.open(esc::SpgrContainer, 0xF, 0);
        writePatriarch(w, extraSpid);
        writeExtraShapes(w, extraSpid);
        writeTableCellShapes(w, plan, extraSpid + 3);
        w.close(spgr);
        w.close(dg);
    }
    s.main.u32(1);
    {
        const auto dg = w.open(esc::DgContainer, 0xF, 0);
        const auto fdg = w.open(esc::Dg, 0, 2);
        w.out().u32(1);
        w.out().u32(backgroundSpid + 1);
        w.close(fdg);
        const auto spgr = w.open(esc::SpgrContainer, 0xF, 0);
        writePatriarch(w, backgroundSpid);
        w.close(spgr);
        const auto sp = w.open(esc::SpContainer, 0xF, 0);
        writeSp(w, esc::kShapeTypeRectangle, backgroundSpid + 1, esc::kSpFlagBackground | esc::kSpFlagHaveShapeType);
        writeOpt(w, esc::Opt, {{esc::op::BwMode, 9}, {esc::op::ShapeBools, 0x00010001}});
        writeOpt(w, esc::TertiaryOpt, {{esc::op::LineBools, 0x00400040}});
        w.close(sp);
        w.close(dg);
    }
    s.main.u32(0);

    // All ordinary pages share drawing 1.
    {
        const auto dg = w.open(esc::DgContainer, 0xF, 0);
        const auto fdg = w.open(esc::Dg, 0, 1);
        w.out().u32(static_cast<std::uint32_t>(shapes + 1));
        w.out().u32(lastSpid);
        w.close(fdg);
        const auto spgr = w.open(esc::SpgrContainer, 0xF, 0);
        writePatriarch(w, 1024);
        for (const auto& p : plan.pages)
            for (const auto& sh : p.shapes) writeShape(w, sh);
        w.close(spgr);
        w.close(dg);
    }

    // The delay stream: the pictures' BLIP records, in BStore order.
    RecordWriter d(s.delay);
    for (const auto& b : plan.blips) {
        const auto m = d.open(b.recordType, 0, b.instance);
        s.delay.append(b.body);
        d.close(m);
    }
    return s;
}

} // namespace fq::pub
