// What each supported sprm does to the CHP, PAP and SEP.
#include "publishing/doc/Properties.h"

#include <algorithm>

namespace fq::doc {

namespace {

bool toggle(std::uint8_t v, bool current, bool style) {
    switch (v) {
    case 0: return false;
    case 1: return true;
    case 0x80: return style;
    case 0x81: return !style;
    default: return current;
    }
}

void changeTabs(std::vector<std::int16_t>& tabs, std::map<std::int16_t, std::uint8_t>& descriptors, const Sprm& s) {
    const auto& o = s.operand;
    std::size_t p = 0;
    auto i16at = [&](std::size_t at) { return static_cast<std::int16_t>(o[at] | (o[at + 1] << 8)); };
    if (p >= o.size()) return;
    const std::size_t del = o[p++];
    if (s.op == sprm::PChgTabs) {
        if (p + del * 4 > o.size()) return;
        for (std::size_t i = 0; i < del; ++i) {
            const int pos = i16at(p + i * 2), close = i16at(p + del * 2 + i * 2);
            std::erase_if(tabs, [&](std::int16_t t) { return t >= pos - close && t <= pos + close; });
            std::erase_if(descriptors, [&](const auto& d) { return d.first >= pos - close && d.first <= pos + close; });
        }
        p += del * 4;
    } else {
        if (p + del * 2 > o.size()) return;
        for (std::size_t i = 0; i < del; ++i) {
            const std::int16_t pos = i16at(p + i * 2);
            std::erase(tabs, pos);
            descriptors.erase(pos);
        }
        p += del * 2;
    }
    if (p >= o.size()) return;
    const std::size_t add = o[p++];
    if (p + add * 2 > o.size()) return;
    for (std::size_t i = 0; i < add; ++i) {
        const std::int16_t pos = i16at(p + i * 2);
        if (std::find(tabs.begin(), tabs.end(), pos) == tabs.end()) tabs.push_back(pos);
        // One descriptor byte per added stop follows the positions.
        const std::size_t tbd = p + add * 2 + i;
        if (tbd < o.size() && o[tbd] != 0) descriptors[pos] = o[tbd];
        else descriptors.erase(pos);
    }
    std::sort(tabs.begin(), tabs.end());
}

} // namespace

void applyChp(Chp& c, const Chp& st, std::span<const std::uint8_t> grpprl) {
    forEachSprm(grpprl, [&](const Sprm& s) {
        switch (s.op) {
        case sprm::CFRMarkDel: c.deleted = toggle(s.u8(), c.deleted, st.deleted); break;
        case sprm::CPicLocation: c.picLocation = s.u32(); break;
        case sprm::CSymbol:
            if (s.operand.size() >= 4)
                c.symbol = std::make_pair(static_cast<std::uint16_t>(s.operand[0] | (s.operand[1] << 8)),
                                          static_cast<char16_t>(s.operand[2] | (s.operand[3] << 8)));
            break;
        case sprm::CFData: c.data = s.u8() != 0; break;
        case sprm::CFOle2: c.ole2 = s.u8() != 0; break;
        case sprm::CFSpec: c.special = s.u8() != 0; break;
        case sprm::CFObj: c.object = s.u8() != 0; break;
        case sprm::CIstd: c.istd = s.u16(); break;
        case sprm::CFBold: c.bold = toggle(s.u8(), c.bold, st.bold); break;
        case sprm::CFItalic: c.italic = toggle(s.u8(), c.italic, st.italic); break;
        case sprm::CFStrike: c.strike = toggle(s.u8(), c.strike, st.strike); break;
        case sprm::CFSmallCaps: c.smallCaps = toggle(s.u8(), c.smallCaps, st.smallCaps); break;
        case sprm::CFCaps: c.caps = toggle(s.u8(), c.caps, st.caps); break;
        case sprm::CFVanish: c.vanish = toggle(s.u8(), c.vanish, st.vanish); break;
        case sprm::CFDStrike: c.dstrike = toggle(s.u8(), c.dstrike, st.dstrike); break;
        case sprm::CKul: c.kul = s.u8(); break;
        case sprm::CIco: c.ico = s.u8(); c.cv.reset(); break;
        case sprm::CCv: {
            const std::uint32_t v = s.u32();
            if ((v >> 24) == 0xFF) c.cv.reset(), c.ico = 0;
            else c.cv = v & 0xFFFFFF;
            break;
        }
        case sprm::CHps: if (s.u16() > 0) c.hps = s.u16(); break;
        case sprm::CHpsPos: c.hpsPos = s.i16(); break;
        case sprm::CIss: c.iss = s.u8(); break;
        case sprm::CRgFtc0: case sprm::CFtcDefault: c.ftc[0] = s.u16(); break;
        case sprm::CRgFtc1: c.ftc[1] = s.u16(); break;
        case sprm::CRgFtc2: c.ftc[2] = s.u16(); break;
        default: applyCharacterShadingSprm(c.highlight, c.shading, s); break;
        }
    });
}

void applyPap(Pap& p, std::span<const std::uint8_t> grpprl, const ByteReader* data) {
    forEachSprm(grpprl, [&](const Sprm& s) {
        switch (s.op) {
        case sprm::PIstd: p.istd = s.u16(); break;
        case sprm::PJc80: case sprm::PJc: p.jc = s.u8(); break;
        case sprm::PFKeep: p.keep = s.u8() != 0; break;
        case sprm::PFKeepFollow: p.keepFollow = s.u8() != 0; break;
        case sprm::PDcs: p.dropCap = static_cast<std::uint8_t>(s.u16() & 7); break;
        case sprm::PFPageBreakBefore: p.pageBreakBefore = s.u8() != 0; break;
        case sprm::PIlvl: p.ilvl = s.u8(); break;
        case sprm::PIlfo: p.ilfo = s.u16(); break;
        case sprm::PNLvlAnm: p.nLvlAnm = s.u8(); break;
        case sprm::PAnld: p.anld = parseAnld(s.operand); break;
        case sprm::PDxaRight80: case sprm::PDxaRight: p.dxaRight = s.i16(); break;
        case sprm::PDxaLeft80: case sprm::PDxaLeft: p.dxaLeft = s.i16(); break;
        case sprm::PDxaLeft180: case sprm::PDxaLeft1: p.dxaLeft1 = s.i16(); break;
        case sprm::PDyaLine:
            if (s.operand.size() >= 4) {
                p.dyaLine = static_cast<std::int16_t>(s.operand[0] | (s.operand[1] << 8));
                p.multLine = (s.operand[2] | (s.operand[3] << 8)) != 0;
            }
            break;
        case sprm::PDyaBefore: p.dyaBefore = s.u16(); break;
        case sprm::PDyaAfter: p.dyaAfter = s.u16(); break;
        case sprm::PFDyaBeforeAuto: p.beforeAuto = s.u8() != 0; break;
        case sprm::PFDyaAfterAuto: p.afterAuto = s.u8() != 0; break;
        case sprm::PChgTabs: case sprm::PChgTabsPapx: changeTabs(p.tabs, p.tabDescriptors, s); break;
        case sprm::PFWidowControl: p.widowControl = s.u8() != 0; break;
        case sprm::PFContextualSpacing: p.contextualSpacing = s.u8() != 0; break;
        case sprm::PFInTable: p.inTable = s.u8() != 0; break;
        case sprm::PFTtp: p.ttp = s.u8() != 0; break;
        case sprm::PFInnerTableCell: p.innerCell = s.u8() != 0; break;
        case sprm::PFInnerTtp: p.innerTtp = s.u8() != 0; break;
        case sprm::PItap: p.itap = static_cast<std::int32_t>(s.u32()); if (p.itap > 0) p.inTable = true; break;
        case sprm::PDtap:
            p.itap = std::max(0, p.itap + static_cast<std::int32_t>(s.u32()));
            if (p.itap > 0) p.inTable = true;
            break;
        case sprm::PHugePapx:
            if (data) {
                const std::uint32_t fc = s.u32();
                if (data->has(fc, 2)) {
                    const std::size_t cb = data->u16(fc);
                    if (data->has(fc + 2, cb)) {
                        Pap copy = p;
                        applyPap(copy, data->slice(fc + 2, cb), nullptr);
                        p = copy;
                    }
                }
            }
            break;
        default: applyParagraphBorderSprm(p.borders, p.shading, s); break;
        }
    });
}

void applySep(Sep& sp, std::span<const std::uint8_t> grpprl) {
    forEachSprm(grpprl, [&](const Sprm& s) {
        switch (s.op) {
        case sprm::SBkc: sp.bkc = s.u8(); break;
        case sprm::SFTitlePage: sp.titlePage = s.u8() != 0; break;
        case sprm::SXaPage: if (s.u16() > 0) sp.xaPage = s.u16(); break;
        case sprm::SYaPage: if (s.u16() > 0) sp.yaPage = s.u16(); break;
        case sprm::SDxaLeft: sp.dxaLeft = s.u16(); break;
        case sprm::SDxaRight: sp.dxaRight = s.u16(); break;
        case sprm::SDyaTop: sp.dyaTop = s.i16(); break;
        case sprm::SDyaBottom: sp.dyaBottom = s.i16(); break;
        case sprm::SDyaHdrTop: sp.dyaHdrTop = s.u16(); break;
        case sprm::SDyaHdrBottom: sp.dyaHdrBottom = s.u16(); break;
        case sprm::SCcolumns: sp.ccolM1 = s.u16(); break;
        case sprm::SDxaColumns: sp.dxaColumns = s.i16(); break;
        case sprm::SFEvenlySpaced: sp.evenlySpaced = s.u8() != 0; break;
        case sprm::SLBetween: sp.lineBetween = s.u8() != 0; break;
        case sprm::SDxaColWidth:
        case sprm::SDxaColSpacing:
            if (s.operand.size() >= 3) {
                auto& size = sp.columnSizes[s.operand[0]];
                const auto v = static_cast<std::uint16_t>(s.operand[1] | (s.operand[2] << 8));
                (s.op == sprm::SDxaColWidth ? size.first : size.second) = v;
            }
            break;
        case sprm::SNfcPgn: sp.nfcPgn = s.u8(); break;
        case sprm::SFPgnRestart: sp.pgnRestart = s.u8() != 0; break;
        case sprm::SPgnStart97: sp.pgnStart = s.u16(); break;
        case sprm::SClm: sp.clm = s.u16(); break;
        case sprm::SDyaLinePitch: sp.dyaLinePitch = s.i16(); break;
        case sprm::SRncFtn: sp.rncFtn = s.u8(); break;
        case sprm::SRncEdn: sp.rncEdn = s.u8(); break;
        case sprm::SNFtn: sp.nFtn = s.u16(); break;
        case sprm::SNEdn: sp.nEdn = s.u16(); break;
        case sprm::SNfcFtnRef: sp.nfcFtnRef = s.u16(); break;
        case sprm::SNfcEdnRef: sp.nfcEdnRef = s.u16(); break;
        default: applyPageBorderSprm(sp.pageBorders, sp.pageBorderOptions, s); break;
        }
    });
}

} // namespace fq::doc
