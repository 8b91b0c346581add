// Converting DocFile into model::Document.
#include "publishing/doc/Converter.h"
#include "publishing/model/Budget.h"

#include "publishing/doc/Fields.h"
#include "publishing/doc/InlinePicture.h"
#include "publishing/doc/ParagraphBuilder.h"
#include "publishing/doc/ShapeConverter.h"
#include "publishing/doc/Tables.h"
#include "publishing/doc/TextEncoding.h"
#include "publishing/word/FieldCode.h"
#include "publishing/word/NumberFormat.h"
#include "publishing/word/SymbolFonts.h"
#include "publishing/word/Utf8.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

namespace fq::doc {

namespace {

using model::Block;
using model::Paragraph;

constexpr model::Color kIcoColors[17] = {
    {0, 0, 0},       {0, 0, 0},       {0, 0, 255},   {0, 255, 255}, {0, 255, 0},     {255, 0, 255},
    {255, 0, 0},     {255, 255, 0},   {255, 255, 255}, {0, 0, 128}, {0, 128, 128},   {0, 128, 0},
    {128, 0, 128},   {128, 0, 0},     {128, 128, 0}, {128, 128, 128}, {192, 192, 192}};

model::Underline underlineFor(std::uint8_t kul) {
    using U = model::Underline;
    switch (kul) {
    case 0: return U::None;
    case 2: return U::Words;
    case 3: return U::Double;
    case 4: case 20: return U::Dotted;
    case 6: return U::Thick;
    case 7: case 23: case 39: case 55: return U::Dash;
    case 9: case 25: return U::DotDash;
    case 10: case 26: return U::DotDotDash;
    case 11: case 27: case 43: return U::Wave;
    default: return U::Single;
    }
}

// The character set of fonts whose characters are pictures (Symbol, Wingdings, ...).
constexpr std::uint8_t kSymbolCharset = 2;

std::string roman(int n) { return word::formatNumber(n, word::NumberFormat::LowerRoman); }

class Converter {
public:
    explicit Converter(const DocFile& d) : d_(d), data_(d.dataStream, "the data stream"), numbering_(d.lists) {
        for (std::size_t i = 0; i < d.footnoteTable.refCps.size(); ++i)
            noteMarks_[d.footnoteTable.refCps[i]] = std::to_string(i + 1);
        for (std::size_t i = 0; i < d.endnoteTable.refCps.size(); ++i)
            noteMarks_[d.endnoteTable.refCps[i]] = roman(static_cast<int>(i) + 1);
        // Shapes stack in the order their anchors are listed.
        for (std::size_t i = 0; i < d.anchors.size(); ++i) anchors_[d.anchors[i].cp] = {&d.anchors[i], static_cast<int>(i)};
        for (std::size_t i = 0; i < d.headerAnchors.size(); ++i)
            anchors_[d.headerAnchors[i].cp] = {&d.headerAnchors[i], static_cast<int>(i)};
        for (std::size_t i = 0; i < d.textboxShapes.size() && i < d.textboxStories.size(); ++i)
            if (d.textboxShapes[i] != 0) boxOfShape_[d.textboxShapes[i]] = i;
        for (std::size_t i = 0; i < d.headerTextboxShapes.size() && i < d.headerTextboxStories.size(); ++i)
            if (d.headerTextboxShapes[i] != 0) headerBoxOfShape_[d.headerTextboxShapes[i]] = i;
    }

    model::Document run() {
        model::Document doc;
        doc.properties = d_.properties;
        std::vector<SectionDesc> sections = d_.sections;
        if (sections.empty() || sections.back().cpEnd < d_.main.end) sections.push_back({d_.main.end, {}});
        std::uint32_t start = d_.main.start;
        std::vector<Block> header, footer;
        for (std::size_t i = 0; i < sections.size() && start < d_.main.end; ++i) {
            const std::uint32_t end = std::min(std::max(sections[i].cpEnd, start), d_.main.end);
            if (end <= start && i + 1 < sections.size()) continue;
            Sep sep;
            applySep(sep, sections[i].sepx);
            model::Section s;
            s.page = toPageGeometry(sep);
            s.pageBorders = toModelPageBorders(sep.pageBorders, sep.pageBorderOptions);
            page_ = s.page;
            if (auto h = headerStory(i, 1); h) header = *h;
            if (auto f = headerStory(i, 3); f) footer = *f;
            s.header = header;
            s.footer = footer;
            convertRange({start, end}, s.blocks, true, {});
            doc.sections.push_back(std::move(s));
            start = end;
        }
        if (doc.sections.empty()) doc.sections.emplace_back();
        auto& tail = doc.sections.back().blocks;
        fields_.clear();
        // Text boxes whose anchor was not met in the main text.
        // Reusable entries hold no text box.
        for (std::size_t i = 0; i < d_.textboxStories.size(); ++i) {
            const bool reusable = i < d_.textboxShapes.size() && d_.textboxShapes[i] == 0;
            if (!boxDone_.count(i) && !reusable) convertRange(d_.textboxStories[i], tail, false, {});
        }
        for (std::size_t i = 0; i < d_.footnoteTable.texts.size(); ++i) {
            fields_.clear();
            convertRange(d_.footnoteTable.texts[i], tail, false, std::to_string(i + 1));
        }
        for (std::size_t i = 0; i < d_.endnoteTable.texts.size(); ++i) {
            fields_.clear();
            convertRange(d_.endnoteTable.texts[i], tail, false, roman(static_cast<int>(i) + 1));
        }
        return doc;
    }

private:
    const DocFile& d_;
    ByteReader data_;
    std::map<std::uint32_t, std::string> noteMarks_;
    std::map<std::uint32_t, std::pair<const ShapeAnchor*, int>> anchors_;   // by CP, with the z-order
    FieldStack fields_;
    std::map<std::uint32_t, std::size_t> boxOfShape_;  // shape id -> text box story
    std::map<std::uint32_t, std::size_t> headerBoxOfShape_;   // the same for the headers' text boxes
    std::set<std::size_t> boxDone_;
    // Floating shapes and pictures stand before the paragraph that anchors
    // them (from floatingStart_ in its output); text of a text box without
    // a shape follows it.
    std::vector<Block> pendingFloating_;
    std::size_t floatingStart_ = 0;
    std::vector<Block> pendingBoxes_;
    model::PageGeometry page_;
    ListNumbering numbering_;
    AutoNumbering autoNumbering_;

    // Character-property cache key: CHPX run, piece, paragraph style.
    long lastRun_ = -2;
    std::uint32_t lastPiece_ = 0xFFFFFFFF;
    std::uint16_t lastIstd_ = 0xFFFF;
    Chp lastChp_;

    std::uint32_t fcAt(std::uint32_t cp) const { return cp < d_.text.fcs.size() ? d_.text.fcs[cp] : 0xFFFFFFFF; }

    const Bytes* pieceGrpprl(std::uint32_t cp) const {
        if (cp >= d_.text.pieceIndex.size()) return nullptr;
        const std::uint32_t pi = d_.text.pieceIndex[cp];
        if (pi >= d_.pieces.pieces.size() || d_.pieces.pieces[pi].modifiers.empty()) return nullptr;
        return &d_.pieces.pieces[pi].modifiers;
    }

    Pap papAt(std::uint32_t cp) const {
        const long idx = d_.papx.find(fcAt(cp));
        Pap pap;
        const ByteReader* data = d_.dataStream.empty() ? nullptr : &data_;
        if (idx >= 0) {
            const auto& run = d_.papx.runs[static_cast<std::size_t>(idx)];
            pap = d_.styles.paragraphStyle(run.istd);
            pap.istd = run.istd;
            // A list level's indents come between the style's and the paragraph's own.
            Pap probe = pap;
            applyPap(probe, run.grpprl, data);
            if (const ListLevel* lvl = listLevel(probe)) applyPap(pap, lvl->papx, data);
            applyPap(pap, run.grpprl, data);
        } else {
            pap = d_.styles.paragraphStyle(0);
        }
        if (const Bytes* g = pieceGrpprl(cp)) applyPap(pap, *g, data);
        return pap;
    }

    // The table properties of the row whose end mark is at cp.
    Tap tapAt(std::uint32_t cp) const {
        Tap tap;
        const ByteReader* data = d_.dataStream.empty() ? nullptr : &data_;
        const long idx = d_.papx.find(fcAt(cp));
        if (idx >= 0) applyTap(tap, d_.papx.runs[static_cast<std::size_t>(idx)].grpprl, data);
        if (const Bytes* g = pieceGrpprl(cp)) applyTap(tap, *g, data);
        return tap;
    }

    // How deep in nested tables a paragraph is: 0 outside tables.
    static int tableDepth(const Pap& pap) { return pap.itap > 0 ? pap.itap : pap.inTable ? 1 : 0; }

    const Chp& chpAt(std::uint32_t cp, const Pap& pap) {
        const long run = d_.chpx.find(fcAt(cp));
        const std::uint32_t piece = cp < d_.text.pieceIndex.size() ? d_.text.pieceIndex[cp] : 0;
        if (run == lastRun_ && piece == lastPiece_ && pap.istd == lastIstd_) return lastChp_;
        lastRun_ = run;
        lastPiece_ = piece;
        lastIstd_ = pap.istd;
        Chp chp = d_.styles.paragraphStyleChp(pap.istd);
        auto apply = [&](const Bytes& g) {
            std::optional<std::uint16_t> istd;
            forEachSprm(g, [&](const Sprm& s) { if (s.op == sprm::CIstd) istd = s.u16(); });
            Chp styleChp = chp;
            if (istd) {
                styleChp = d_.styles.withCharacterStyle(chp, *istd);
                chp = styleChp;
            }
            applyChp(chp, styleChp, g);
        };
        if (run >= 0) apply(d_.chpx.runs[static_cast<std::size_t>(run)].grpprl);
        if (const Bytes* g = pieceGrpprl(cp)) apply(*g);
        lastChp_ = chp;
        return lastChp_;
    }

    std::optional<std::vector<Block>> headerStory(std::size_t section, std::size_t kind) {
        const std::size_t idx = 6 + section * 6 + kind;
        if (idx >= d_.headerStories.size()) return std::nullopt;
        const CpRange r = d_.headerStories[idx];
        if (r.end <= r.start) return std::nullopt;
        std::vector<Block> blocks;
        const FieldStack saved = fields_;
        fields_.clear();
        convertRange(r, blocks, false, {});
        fields_ = saved;
        // A page break means nothing in a header or footer; trailing empty
        // paragraphs only add height.
        std::erase_if(blocks, [](const Block& b) { return std::holds_alternative<model::PageBreak>(b); });
        while (!blocks.empty()) {
            const auto* p = std::get_if<Paragraph>(&blocks.back());
            if (!p || !p->runs.empty()) break;
            blocks.pop_back();
        }
        return blocks;
    }

    void flushText(ParagraphBuilder& b, std::vector<Block>& out) {
        if (b.hasText()) {
            out.emplace_back(b.take());
            b.lastWasPicture = false;
        }
    }

    void emitPicture(ParagraphBuilder& b, std::vector<Block>& out, model::Picture pic) {
        if (!pic.anchor) {
            // Pictures of one paragraph with only spaces between them may stand side by side.
            if (b.lastWasPicture && b.onlySpaces()) b.clearText();
            pic.sameParagraphAsPrevious = b.lastWasPicture && !b.hasText();
            pic.alignment = b.props().alignment;
        }
        flushText(b, out);
        out.emplace_back(std::move(pic));
        b.emittedBlock = true;
        b.lastWasPicture = true;
    }

    // The text of the text box a shape shows, as blocks (once).
    std::vector<Block> textBoxText(std::uint32_t spid) {
        std::vector<Block> blocks;
        const FieldStack saved = fields_;
        fields_.clear();
        if (const auto box = boxOfShape_.find(spid); box != boxOfShape_.end() && !boxDone_.count(box->second)) {
            boxDone_.insert(box->second);
            convertRange(d_.textboxStories[box->second], blocks, false, {});
        } else if (const auto hbox = headerBoxOfShape_.find(spid); hbox != headerBoxOfShape_.end()) {
            convertRange(d_.headerTextboxStories[hbox->second], blocks, false, {});
        }
        fields_ = saved;
        return blocks;
    }

    // A floating shape or picture follows its paragraph, holding its text box's text.
    void floatingShape(std::uint32_t cp) {
        const auto it = anchors_.find(cp);
        if (it == anchors_.end()) return;
        const auto [a, zOrder] = it->second;
        // The text box's story is converted on its own; what waits for the
        // current paragraph stays apart from it.
        std::vector<Block> floating = std::move(pendingFloating_), boxes = std::move(pendingBoxes_);
        const std::size_t start = floatingStart_;
        pendingFloating_.clear();
        pendingBoxes_.clear();
        auto blocks = floatingShapeBlocks(*a, d_.drawing, page_,
                                          [&](std::uint32_t spid) { return textBoxText(spid); }, zOrder);
        for (auto& blk : blocks) floating.push_back(std::move(blk));
        // A shape the drawing does not describe still gives its text box's text.
        if (blocks.empty())
            for (auto& blk : textBoxText(a->spid)) boxes.push_back(std::move(blk));
        pendingFloating_ = std::move(floating);
        pendingBoxes_ = std::move(boxes);
        floatingStart_ = start;
    }

    void convertRange(CpRange r, std::vector<Block>& out, bool mainStory, const std::string& noteMark) {
        const auto& text = d_.text.chars;
        r.end = std::min<std::uint32_t>(r.end, static_cast<std::uint32_t>(text.size()));
        ParagraphBuilder b;
        TableAssembler tables;
        std::vector<Block>* target = &out;   // where the paragraph under way goes: out, or a table cell
        std::uint32_t pos = r.start;
        bool joinsPrevious = false;
        while (pos < r.end) {
            model::checkBudget();
            std::uint32_t term = pos;
            while (term < r.end && text[term] != 0x0D && text[term] != 0x07 &&
                   !(mainStory && text[term] == 0x0C && term + 1 == r.end))
                ++term;
            const std::uint32_t markCp = term < r.end ? term : r.end - 1;
            const Pap pap = papAt(markCp);
            const int depth = tableDepth(pap);
            if (!b.started) {
                target = &tables.enter(depth, out);
                b.setProps(toParaProps(pap));
                b.started = true;
                if (pap.pageBreakBefore && mainStory && depth == 0 && !target->empty())
                    target->emplace_back(model::PageBreak{});
                floatingStart_ = target->size();
            }
            // A paragraph whose mark was deleted (tracked) joins the next
            // one once the changes are accepted; the joined paragraph has one label.
            // Page breaks that open the paragraph come before its label, and
            // a paragraph that holds nothing but its section mark has none.
            std::uint32_t first = pos;
            while (first < term && text[first] == 0x0C)
                handleChar(first++, pap, b, *target, mainStory, noteMark, depth);
            const bool sectionMarkOnly = first == term && term < r.end && text[term] == 0x0C;
            if (pap.ilfo != 0 && d_.fib.word97 && !joinsPrevious && !sectionMarkOnly) listLabel(first, pap, b);
            if (!d_.fib.word97 && !joinsPrevious && !sectionMarkOnly) autoNumberLabel(first, pap, b);
            for (std::uint32_t cp = first; cp < term; ++cp) handleChar(cp, pap, b, *target, mainStory, noteMark, depth);
            joinsPrevious = term < r.end && text[term] == 0x0D && !pap.inTable && chpAt(term, pap).deleted;
            // A drop cap is a paragraph of its own in the file; Word shows
            // it as the first letter of the next one, whose properties apply.
            const bool dropCap = term + 1 < r.end && text[term] == 0x0D && !pap.inTable &&
                                 (pap.dropCap == 1 || pap.dropCap == 2);
            if (dropCap && !joinsPrevious) {
                joinsPrevious = true;
                b.started = false;
            }
            if (term < r.end && !joinsPrevious) handleMark(term, pap, b, *target, tables, depth);
            pos = term + 1;
        }
        if (b.started && (b.hasText() || !b.emittedBlock)) {
            b.trimTrailingTab();
            if (b.hasText()) target->emplace_back(b.take());
        }
        flushBoxes(*target);
        tables.finish(out);
    }

    const ListLevel* listLevel(const Pap& pap) const {
        if (pap.ilfo == 0) return nullptr;
        return d_.lists.level(pap.ilfo, pap.ilvl);
    }

    void listLabel(std::uint32_t cp, const Pap& pap, ParagraphBuilder& b) {
        const ListLevel* lvl = nullptr;
        const Chp base = chpAt(cp, pap);
        auto fontOf = [&](const ListLevel& l) {
            Chp chp = base;
            applyChp(chp, base, l.chpx);
            return toCharProps(chp, d_.fonts).font;
        };
        const std::u16string label = numbering_.next(pap.ilfo, pap.ilvl, &lvl, fontOf);
        if (label.empty() || !lvl) return;
        Chp chp = base;
        applyChp(chp, base, lvl->chpx);
        model::CharProps props = toCharProps(chp, d_.fonts);
        // Bullets come out as Unicode characters: keep the text's font, not a symbol font.
        if (lvl->nfc == 23) props.font = toCharProps(base, d_.fonts).font;
        b.append(props, label);
    }

    // Word 6.0/95 numbering: the label takes the text's properties; a bullet
    // of the ANLD's (symbol) font becomes a character the text font shows.
    void autoNumberLabel(std::uint32_t cp, const Pap& pap, ParagraphBuilder& b) {
        const std::u16string label = autoNumbering_.next(pap.nLvlAnm, pap.anld);
        if (label.empty()) return;
        const model::CharProps props = toCharProps(chpAt(cp, pap), d_.fonts);
        std::string text = word::utf16ToUtf8(label);
        if (pap.nLvlAnm == 11 || pap.anld.nfc == 23) {
            const std::string font = pap.anld.ftc < d_.fonts.size() ? d_.fonts[pap.anld.ftc].name : std::string();
            text = word::bulletText(text, font, 0);
        }
        b.append(props, word::utf8ToUtf16(text + "\t"));
    }

    void endParagraph(ParagraphBuilder& b, std::vector<Block>& out) {
        if (b.hasText() || !b.emittedBlock) out.emplace_back(b.take());
        b.started = false;
        b.emittedBlock = false;
        b.lastWasPicture = false;
        flushBoxes(out);
    }

    void flushBoxes(std::vector<Block>& out) {
        std::vector<Block> floating, boxes;
        floating.swap(pendingFloating_);
        boxes.swap(pendingBoxes_);
        out.insert(out.begin() + static_cast<std::ptrdiff_t>(std::min(floatingStart_, out.size())),
                   std::make_move_iterator(floating.begin()), std::make_move_iterator(floating.end()));
        floatingStart_ = out.size();
        for (auto& blk : boxes) out.push_back(std::move(blk));
    }

    void handleMark(std::uint32_t cp, const Pap& pap, ParagraphBuilder& b, std::vector<Block>& out,
                    TableAssembler& tables, int depth) {
        const char16_t c = d_.text.chars[cp];
        if (c == 0x07 && depth == 0) {
            // A cell mark outside any table: the row end closes the paragraph, a cell end separates.
            if (pap.ttp) {
                b.trimTrailingTab();
                endParagraph(b, out);
            } else {
                b.append(toCharProps(chpAt(cp, pap), d_.fonts), u"\t");
            }
            return;
        }
        if (c == 0x0C) {  // a section mark closes the paragraph; alone, it is no paragraph
            if (b.hasText()) out.emplace_back(b.take());
            b.started = false;
            b.emittedBlock = false;
            b.lastWasPicture = false;
            flushBoxes(out);
            return;
        }
        // Cells and rows of the outermost tables end in cell marks, those of
        // nested tables in paragraph marks flagged as their ends.
        const bool rowEnd = c == 0x07 ? pap.ttp : depth > 1 && pap.innerTtp;
        const bool cellEnd = c == 0x07 ? !pap.ttp : depth > 1 && pap.innerCell && !pap.innerTtp;
        if (rowEnd) {
            // The row's own mark holds no text; anything before it joins the last cell.
            if (b.hasText()) out.emplace_back(b.take());
            b.started = false;
            b.emittedBlock = false;
            b.lastWasPicture = false;
            flushBoxes(out);
            tables.endRow(depth, tapAt(cp));
            return;
        }
        endParagraph(b, out);
        if (cellEnd) tables.endCell(depth);
    }

    // A field's stored result begins: some fields show what the reader computes instead.
    void fieldResultBegins(std::uint32_t cp, const Pap& pap, ParagraphBuilder& b) {
        const word::FieldContext context{d_.sourcePath, d_.sourceFileName};
        const auto result = word::computedFieldResult(fields_.innermostCode(), context);
        if (!result) return;
        if (!fields_.hidden()) {
            const Chp& chp = chpAt(cp, pap);
            if (!chp.vanish && !chp.deleted) b.append(toCharProps(chp, d_.fonts), word::utf8ToUtf16(*result));
        }
        fields_.replaceInnermostResult();
    }

    // A field without a result part that Word draws from its code (SYMBOL).
    void drawnFieldResult(std::uint32_t cp, const Pap& pap, ParagraphBuilder& b) {
        if (fields_.hidden()) return;
        const auto code = fields_.closedWithoutResult();
        if (!code) return;
        const auto drawn = word::symbolFieldCharacter(*code);
        const Chp& chp = chpAt(cp, pap);
        if (!drawn || chp.vanish || chp.deleted) return;
        model::CharProps props = toCharProps(chp, d_.fonts);
        if (!drawn->font.empty()) props.font = drawn->font;
        b.append(props, word::utf8ToUtf16(drawn->text));
    }

    void handleChar(std::uint32_t cp, const Pap& pap, ParagraphBuilder& b, std::vector<Block>& out, bool mainStory,
                    const std::string& noteMark, int depth) {
        const char16_t c = d_.text.chars[cp];
        if (fields_.consume(c)) {
            if (c == 0x14) fieldResultBegins(cp, pap, b);
            if (c == 0x15) drawnFieldResult(cp, pap, b);
            return;
        }
        if (fields_.hidden()) return;
        b.link = fields_.activeLink();
        const Chp& chp = chpAt(cp, pap);
        // Hidden text is not shown; tracked deletions are gone once the changes are accepted.
        if (chp.vanish || chp.deleted) return;
        model::CharProps props = toCharProps(chp, d_.fonts);
        if (chp.symbol) {
            // A character inserted from a symbol font: the text holds a stand-in.
            char16_t sym = chp.symbol->second;
            bool symbolCharset = false;
            if (chp.symbol->first < d_.fonts.size() && !d_.fonts[chp.symbol->first].name.empty()) {
                props.font = d_.fonts[chp.symbol->first].name;
                symbolCharset = d_.fonts[chp.symbol->first].charset == kSymbolCharset;
            }
            if (sym >= 0x20 && sym < 0x100 && (symbolCharset || word::isSymbolFont(props.font)))
                sym = static_cast<char16_t>(0xF000 | sym);
            if (sym >= 0x20) b.append(props, std::u16string_view(&sym, 1));
            return;
        }
        switch (c) {
        case 0x09: b.append(props, u"\t"); return;
        case 0x0B: b.append(props, u"\n"); return;
        case 0x0E: b.append(props, u"\n"); return;
        case 0x0C:
            // A page break means nothing inside a table cell.
            if (depth > 0) return;
            flushText(b, out);
            out.emplace_back(model::PageBreak{});
            b.emittedBlock = true;
            b.lastWasPicture = false;
            return;
        case 0x1E: b.append(props, u"\u2011"); return;
        case 0x1F: return;
        case 0x01:
            if (chp.special && chp.picLocation && !chp.ole2 && !chp.data && !d_.dataStream.empty()) {
                if (auto pic = readInlinePicture(data_, *chp.picLocation)) emitPicture(b, out, std::move(*pic));
            }
            return;
        case 0x08:
            floatingShape(cp);
            return;
        case 0x02: {
            std::string mark = noteMark;
            if (mainStory) {
                const auto it = noteMarks_.find(cp);
                if (it != noteMarks_.end()) mark = it->second;
            }
            if (!mark.empty()) {
                auto vp = props;
                vp.vertical = model::VerticalPosition::Superscript;
                b.append(vp, std::u16string(mark.begin(), mark.end()));
            }
            return;
        }
        default:
            break;
        }
        if (c < 0x20) return;
        model::FieldKind field = model::FieldKind::None;
        switch (fields_.pageField()) {
        case PageField::PageNumber: field = model::FieldKind::PageNumber; break;
        case PageField::PageCount: field = model::FieldKind::PageCount; break;
        case PageField::None: break;
        }
        b.append(props, std::u16string_view(&c, 1), field, fields_.innermostSerial());
    }
};

} // namespace

model::CharProps toCharProps(const Chp& chp, const std::vector<FontDef>& fonts) {
    model::CharProps p;
    if (chp.ftc[0] < fonts.size() && !fonts[chp.ftc[0]].name.empty()) p.font = fonts[chp.ftc[0]].name;
    else p.font = "Times New Roman";
    p.sizePt = chp.hps / 2.0;
    p.bold = chp.bold;
    p.italic = chp.italic;
    p.strike = chp.strike || chp.dstrike;
    p.smallCaps = chp.smallCaps;
    p.allCaps = chp.caps;
    p.underline = underlineFor(chp.kul);
    if (chp.cv) {
        p.color = model::Color{static_cast<std::uint8_t>(*chp.cv & 0xFF), static_cast<std::uint8_t>((*chp.cv >> 8) & 0xFF),
                               static_cast<std::uint8_t>((*chp.cv >> 16) & 0xFF)};
    } else if (chp.ico > 0 && chp.ico < 17) {
        p.color = kIcoColors[chp.ico];
    }
    if (const auto back = chp.highlight ? chp.highlight : chp.shading)
        p.highlight = model::Color{static_cast<std::uint8_t>(*back & 0xFF), static_cast<std::uint8_t>((*back >> 8) & 0xFF),
                                   static_cast<std::uint8_t>((*back >> 16) & 0xFF)};
    if (chp.iss == 1) p.vertical = model::VerticalPosition::Superscript;
    else if (chp.iss == 2) p.vertical = model::VerticalPosition::Subscript;
    return p;
}

model::ParaProps toParaProps(const Pap& pap) {
    model::ParaProps p;
    switch (pap.jc) {
    case 1: p.alignment = model::Alignment::Center; break;
    case 2: p.alignment = model::Alignment::Right; break;
    case 3: case 4: case 5: case 7: case 8: case 9: p.alignment = model::Alignment::Justify; break;
    default: p.alignment = model::Alignment::Left; break;
    }
    p.leftIndentPt = pap.dxaLeft / 20.0;
    p.rightIndentPt = pap.dxaRight / 20.0;
    p.firstLineIndentPt = pap.dxaLeft1 / 20.0;
    p.spaceBeforePt = pap.beforeAuto ? 14.0 : pap.dyaBefore / 20.0;
    p.spaceAfterPt = pap.afterAuto ? 14.0 : pap.dyaAfter / 20.0;
    if (pap.multLine) {
        p.lineSpacing.rule = model::LineSpacing::Rule::Multiple;
        p.lineSpacing.value = pap.dyaLine > 0 ? pap.dyaLine / 240.0 : 1.0;
    } else if (pap.dyaLine < 0) {
        p.lineSpacing.rule = model::LineSpacing::Rule::Exact;
        p.lineSpacing.value = -pap.dyaLine / 20.0;
    } else {
        p.lineSpacing.rule = model::LineSpacing::Rule::AtLeast;
        p.lineSpacing.value = pap.dyaLine / 20.0;
    }
    p.keepWithNext = pap.keepFollow;
    p.borders = toModelBorders(pap.borders);
    if (pap.shading)
        p.shading = model::Color{static_cast<std::uint8_t>(*pap.shading & 0xFF),
                                 static_cast<std::uint8_t>((*pap.shading >> 8) & 0xFF),
                                 static_cast<std::uint8_t>((*pap.shading >> 16) & 0xFF)};
    // Stops are kept from the left indent on; the model holds none left of it.
    for (const std::int16_t t : pap.tabs)
        if (t >= pap.dxaLeft) p.tabStopsPt.push_back((t - pap.dxaLeft) / 20.0);
    return p;
}

model::PageGeometry toPageGeometry(const Sep& sep) {
    model::PageGeometry g;
    g.widthPt = sep.xaPage / 20.0;
    g.heightPt = sep.yaPage / 20.0;
    g.marginLeftPt = sep.dxaLeft / 20.0;
    g.marginRightPt = sep.dxaRight / 20.0;
    g.marginTopPt = std::abs(sep.dyaTop) / 20.0;
    g.marginBottomPt = std::abs(sep.dyaBottom) / 20.0;
    g.headerDistancePt = sep.dyaHdrTop / 20.0;
    g.footerDistancePt = sep.dyaHdrBottom / 20.0;
    return g;
}

model::Document convertDocFile(const DocFile& file) { return Converter(file).run(); }

} // namespace fq::doc
