// Opening a .doc and parsing its structures into DocFile.
#include "publishing/doc/DocFile.h"

#include "publishing/doc/CompoundFile.h"
#include "publishing/doc/SummaryInfo.h"
#include "publishing/doc/Word6Sprms.h"

#include <fstream>

namespace fq::doc {

namespace {

using model::ConversionError;
namespace msg = model::messages;

// Word for Windows 1.x/2.x and Word for DOS files are not compound files but
// start with their own FIB signature.
bool isPreOleWordFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    unsigned char b[2] = {};
    in.read(reinterpret_cast<char*>(b), 2);
    if (in.gcount() != 2) return false;
    const unsigned v = b[0] | (b[1] << 8);
    return v == 0xA59B || v == 0xA59C || v == 0xA5DB || v == 0xA5DC || v == 0xBE31 || v == 0xBE32 || v == 0xBE34;
}

// Runs a parser of an optional structure; a damaged one is left out.
template <typename F>
void optional(F&& f) {
    try {
        f();
    } catch (const ConversionError&) {
    }
}

} // namespace

DocFile parseDocFile(const std::filesystem::path& path) {
    if (!looksLikeCompoundFile(path)) {
        if (isPreOleWordFile(path)) throw ConversionError(msg::versionNotSupported);
        throw ConversionError(msg::notAWordDocument);
    }
    CompoundFile cf(path);
    DocFile d;
    d.sourcePath = path.string();
    d.sourceFileName = path.filename().string();
    auto wd = cf.stream("WordDocument");
    if (!wd) throw ConversionError(msg::notAWordDocument);
    d.wordDocument = std::move(*wd);
    const ByteReader wdr(d.wordDocument, "the document stream");
    switch (classifyFib(wdr)) {
    case FibVersion::NotWord: throw ConversionError(msg::notAWordDocument);
    case FibVersion::TooOld: throw ConversionError(msg::versionNotSupported);
    default: break;
    }
    d.fib = parseFib(wdr);
    const Fib& fib = d.fib;
    if (fib.encrypted || fib.obfuscated) throw ConversionError(msg::passwordProtected);

    if (fib.word97) {
        auto t = cf.stream(fib.whichTableStream ? "1Table" : "0Table");
        if (!t) throw model::damaged("the table stream is missing");
        d.tableStream = std::move(*t);
    }
    if (auto data = cf.stream("Data")) d.dataStream = std::move(*data);
    const ByteReader table = fib.word97 ? ByteReader(d.tableStream, "the table stream") : wdr;
    const ByteReader data(d.dataStream, "the data stream");

    // Sub-documents follow each other in CP order.
    std::uint64_t cp = 0;
    auto next = [&](std::uint32_t count) {
        CpRange r{static_cast<std::uint32_t>(std::min<std::uint64_t>(cp, 0xFFFFFFFFu)),
                  static_cast<std::uint32_t>(std::min<std::uint64_t>(cp + count, 0xFFFFFFFFu))};
        cp += count;
        return r;
    };
    d.main = next(fib.ccpText);
    d.footnotes = next(fib.ccpFtn);
    d.headers = next(fib.ccpHdd);
    next(fib.ccpMcr);
    next(fib.ccpAtn);
    d.endnotes = next(fib.ccpEdn);
    d.textboxes = next(fib.ccpTxbx);
    d.headerTextboxes = next(fib.ccpHdrTxbx);
    const std::uint64_t total = cp + 1;
    if (fib.ccpText > (1u << 28) || total > (1u << 29)) throw model::damaged("the text length is impossible");

    const FcLcb clx = fib.pair(FibPair::Clx);
    if (fib.word97 || (fib.complex && clx.lcb > 0)) {
        d.pieces = parseClx(table, clx, fib.word97);
    } else {
        d.pieces = simplePieceTable(fib, static_cast<std::uint32_t>(total));
    }
    int codePageNumber = 1252;
    if (!fib.word97) {
        // Word 6.0/95 text is in the code page of its fonts; without reading
        // each run's font, take the language's, or else the first non-Western
        // character set among the fonts.
        codePageNumber = codePageForLanguage(fib.lid);
        optional([&] { d.fonts = parseFontTable6(wdr, fib.pair(FibPair::SttbfFfn)); });
        if (codePageNumber == 1252)
            for (const auto& f : d.fonts) {
                const int cp = codePageForCharset(f.charset);
                if (cp != 0 && cp != 1252) {
                    codePageNumber = cp;
                    break;
                }
            }
    }
    const CodePage codePage(codePageNumber);
    d.text = readText(wdr, d.pieces, codePage, static_cast<std::uint32_t>(total));
    if (d.text.chars.size() < d.main.end) {
        // Text shorter than the FIB claims: keep what there is.
        d.main.end = static_cast<std::uint32_t>(d.text.chars.size());
    }

    if (fib.word97) {
        optional([&] { d.chpx = parseChpxRuns(wdr, table, fib.pair(FibPair::PlcfBteChpx), true); });
        optional([&] { d.papx = parsePapxRuns(wdr, table, fib.pair(FibPair::PlcfBtePapx), true); });
        optional([&] { d.styles = parseStyleSheet(table, fib.pair(FibPair::Stshf)); });
        d.styles.resolve(d.dataStream.empty() ? nullptr : &data);
        optional([&] { d.fonts = parseFontTable(table, fib.pair(FibPair::SttbfFfn)); });
        optional([&] { d.lists = parseListTables(table, fib.pair(FibPair::PlcfLst), fib.pair(FibPair::PlfLfo)); });
    } else {
        // Word 6.0/95: the same pages and style sheet with other sprms.
        auto translate = [](PropertyRuns& runs) {
            for (auto& r : runs.runs) r.grpprl = translateWord6Grpprl(r.grpprl);
        };
        optional([&] { d.chpx = parseChpxRuns(wdr, table, fib.pair(FibPair::PlcfBteChpx), false); translate(d.chpx); });
        optional([&] { d.papx = parsePapxRuns(wdr, table, fib.pair(FibPair::PlcfBtePapx), false); translate(d.papx); });
        optional([&] { d.styles = parseStyleSheet(table, fib.pair(FibPair::Stshf), false); });
        d.styles.resolve(nullptr);
    }

    optional([&] {
        d.sections = parseSections(table, fib.pair(FibPair::PlcfSed), wdr, true);
        if (!fib.word97)
            for (auto& s : d.sections) s.sepx = translateWord6Grpprl(s.sepx);
    });

    auto absolute = [&](CpRange base, std::uint32_t a, std::uint32_t b) {
        CpRange r{base.start + std::min(a, base.end - base.start), base.start + std::min(b, base.end - base.start)};
        if (r.end < r.start) r.end = r.start;
        return r;
    };
    if (fib.word97) {
        optional([&] {
            const Plc hdd = parsePlc(table, fib.pair(FibPair::PlcfHdd), 0, "the header table");
            for (std::size_t i = 0; i + 1 < hdd.cps.size(); ++i)
                d.headerStories.push_back(absolute(d.headers, hdd.cps[i], hdd.cps[i + 1]));
        });
        auto notes = [&](FibPair ref, FibPair txt, CpRange range, Notes& out) {
            optional([&] {
                const Plc refs = parsePlc(table, fib.pair(ref), 2, "the note table");
                const Plc texts = parsePlc(table, fib.pair(txt), 0, "the note table");
                for (std::size_t i = 0; i < refs.count() && i + 1 < texts.cps.size(); ++i) {
                    out.refCps.push_back(refs.cps[i]);
                    out.autoNumbered.push_back(refs.data[i].size() < 2 || le16(refs.data[i].data()) != 0);
                    out.texts.push_back(absolute(range, texts.cps[i], texts.cps[i + 1]));
                }
            });
        };
        notes(FibPair::PlcffndRef, FibPair::PlcffndTxt, d.footnotes, d.footnoteTable);
        notes(FibPair::PlcfendRef, FibPair::PlcfendTxt, d.endnotes, d.endnoteTable);
        auto textboxes = [&](FibPair pair, CpRange range, std::vector<CpRange>& stories,
                             std::vector<std::uint32_t>& shapes) {
            optional([&] {
                const Plc tx = parsePlc(table, fib.pair(pair), 22, "the text box table");
                for (std::size_t i = 0; i < tx.count(); ++i) {
                    const bool reusable = i + 1 == tx.count() || le16(tx.data[i].data() + 8) != 0;
                    stories.push_back(absolute(range, tx.cps[i], tx.cps[i + 1]));
                    shapes.push_back(reusable ? 0 : le32(tx.data[i].data() + 14));
                }
            });
        };
        textboxes(FibPair::PlcftxbxTxt, d.textboxes, d.textboxStories, d.textboxShapes);
        textboxes(FibPair::PlcfHdrtxbxTxt, d.headerTextboxes, d.headerTextboxStories, d.headerTextboxShapes);
        auto anchors = [&](FibPair pair, std::uint32_t base, std::vector<ShapeAnchor>& out) {
            optional([&] {
                const Plc spa = parsePlc(table, fib.pair(pair), 26, "the shape table");
                for (std::size_t i = 0; i < spa.count(); ++i) {
                    const auto* p = spa.data[i].data();
                    ShapeAnchor a;
                    a.cp = base + spa.cps[i];
                    a.spid = le32(p);
                    a.xaLeft = static_cast<std::int32_t>(le32(p + 4));
                    a.yaTop = static_cast<std::int32_t>(le32(p + 8));
                    a.xaRight = static_cast<std::int32_t>(le32(p + 12));
                    a.yaBottom = static_cast<std::int32_t>(le32(p + 16));
                    const std::uint16_t flags = le16(p + 20);
                    a.bx = (flags >> 1) & 3;
                    a.by = (flags >> 3) & 3;
                    a.wr = (flags >> 5) & 0xF;
                    a.wrk = (flags >> 9) & 0xF;
                    a.belowText = (flags >> 14) & 1;
                    out.push_back(a);
                }
            });
        };
        anchors(FibPair::PlcSpaMom, 0, d.anchors);
        anchors(FibPair::PlcSpaHdr, d.headers.start, d.headerAnchors);
        optional([&] { d.drawing = parseDrawing(table, fib.pair(FibPair::DggInfo), wdr); });
        optional([&] {
            const FcLcb dop = fib.pair(FibPair::Dop);
            if (dop.lcb >= 2 && table.has(dop.fc, 2)) d.facingPages = (table.u8(dop.fc) & 1) != 0;
        });
    }

    if (auto si = cf.stream("\005SummaryInformation")) d.properties = parseSummaryInformation(*si);
    return d;
}

} // namespace fq::doc
