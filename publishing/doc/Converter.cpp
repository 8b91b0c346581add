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
#include <array>
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
        // Notes are numbered in the order of their references; their text
        // follows the main text, footnotes first.
        auto number = [&](const Notes& table, model::Note::Kind kind) {
            int count = 0;
            for (std::size_t i = 0; i < table.refCps.size(); ++i) {
                const bool automatic = i >= table.autoNumbered.size() || table.autoNumbered[i];
                if (automatic) ++count;
                const std::string mark = !automatic ? std::string()
                                         : kind == model::Note::Kind::Endnote ? roman(count) : std::to_string(count);
                noteRefs_[table.refCps[i]] = NoteRef{static_cast<int>(notes_.size()), mark};
                model::Note note;
                note.kind = kind;
                // A mark of the document's own stands in the text at the reference.
                if (!automatic && table.refCps[i] < d.text.chars.size())
                    note.customMark = word::utf16ToUtf8(std::u16string(1, d.text.chars[table.refCps[i]]));
                notes_.push_back(std::move(note));
                noteTexts_.push_back({i < table.texts.size() ? table.texts[i] : CpRange{}, mark});
            }
        };
        number(d.footnoteTable, model::Note::Kind::Footnote);
        number(d.endnoteTable, model::Note::Kind::Endnote);
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
        // The header and footer stories in effect, by kind (even header, odd
        // header, even footer, odd footer, first header, first footer): an
        // empty story keeps the one of the section before.
        std::array<std::vector<Block>, 6> stories;
        for (std::size_t i = 0; i < sections.size() && start < d_.main.end; ++i) {
            const std::uint32_t end = std::min(std::max(sections[i].cpEnd, start), d_.main.end);
            if (end <= start && i + 1 < sections.size()) continue;
            Sep sep;
            applySep(sep, sections[i].sepx);
            model::Section s;
            s.page = toPageGeometry(sep);
            sectionLayout(sep, s);
            s.evenAndOddHeaders = d_.facingPages;
            s.pageBorders = toModelPageBorders(sep.pageBorders, sep.pageBorderOptions);
            page_ = s.page;
            for (std::size_t kind = 0; kind < stories.size(); ++kind)
                if (auto story = headerStory(i, kind)) stories[kind] = std::move(*story);
            s.headerEven = stories[0];
            s.header = stories[1];
            s.footerEven = stories[2];
            s.footer = stories[3];
            s.headerFirst = stories[4];
            s.footerFirst = stories[5];
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
        for (std::size_t i = 0; i < noteTexts_.size(); ++i) {
            fields_.clear();
            currentNote_ = static_cast<int>(i);
            convertRange(noteTexts_[i].first, notes_[i].blocks, false, noteTexts_[i].second);
        }
        currentNote_ = -1;
        doc.notes = std::move(notes_);
        return doc;
    }

private:
    const DocFile& d_;
    ByteReader data_;
    struct NoteRef {
        int note = -1;             // index into notes_
        std::string mark;          // its number until the layout numbers it; empty: a mark of its own
    };
    std::map<std::uint32_t, NoteRef> noteRefs_;        // by the CP of the reference
    std::vector<model::Note> notes_;
    std::vector<std::pair<CpRange, std::string>> noteTexts_;   // each note's text and number
    int currentNote_ = -1;                             // the note whose text is converted
    std::size_t noteSerial_ = 0;
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
    bool picturesInLine_ = false;   // inline pictures of the paragraph under way stand in its lines

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
        // A page break means nothing in a header or footer. The story ends
        // with a mark of its own that Word does not show; the empty
        // paragraphs before it are shown (they lift a footer).
        std::erase_if(blocks, [](const Block& b) { return std::holds_alternative<model::PageBreak>(b); });
        const auto empty = [](const Block& b) {
            const auto* p = std::get_if<Paragraph>(&b);
            return p && std::none_of(p->runs.begin(), p->runs.end(), [](const model::Run& r) {
                return !r.text.empty() || r.field != model::FieldKind::None;
            });
        };
        if (!blocks.empty() && empty(blocks.back())) blocks.pop_back();
        if (std::all_of(blocks.begin(), blocks.end(), empty)) blocks.clear();
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
                model::ParaProps props = toParaProps(pap);
                if (pap.istd < d_.styles.styles.size()) props.styleName = d_.styles.styles[pap.istd].name;
                b.setProps(props);
                b.started = true;
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
            // Inline pictures of a body paragraph that has text stand in its
            // lines; those of a paragraph without text are blocks of their own.
            picturesInLine_ = mainStory && depth == 0 && showsText(first, term);
            for (std::uint32_t cp = first; cp < term; ++cp) handleChar(cp, pap, b, *target, mainStory, noteMark, depth);
            picturesInLine_ = false;
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

    // Whether the characters from..to show more than spaces, past field codes.
    bool showsText(std::uint32_t from, std::uint32_t to) const {
        std::vector<bool> inCode;   // per open field: its code is under way
        for (std::uint32_t cp = from; cp < to; ++cp) {
            const char16_t c = d_.text.chars[cp];
            if (c == 0x13) inCode.push_back(true);
            else if (c == 0x14 && !inCode.empty()) inCode.back() = false;
            else if (c == 0x15 && !inCode.empty()) inCode.pop_back();
            else if (c > 0x20 && c != 0xA0 && std::find(inCode.begin(), inCode.end(), true) == inCode.end())
                return true;
        }
        return false;
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

    // mark: the properties of the paragraph mark. The mark of a paragraph
    // that ends right after a page break stands on the next page, as in
    // Word's documents of this format, as an empty line.
    void endParagraph(ParagraphBuilder& b, std::vector<Block>& out, const model::CharProps* mark = nullptr) {
        if (b.hasText() || !b.emittedBlock || b.lastWasPageBreak) out.emplace_back(mark ? b.take(*mark) : b.take());
        b.started = false;
        b.emittedBlock = false;
        b.lastWasPicture = false;
        b.lastWasPageBreak = false;
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
            b.lastWasPageBreak = false;
            flushBoxes(out);
            tables.endRow(depth, tapAt(cp));
            return;
        }
        const model::CharProps props = toCharProps(chpAt(cp, pap), d_.fonts);
        endParagraph(b, out, &props);
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
        if (mainStory && c != 0x02) {
            // A reference with a mark of its own: the mark's character.
            const auto ref = noteRefs_.find(cp);
            if (ref != noteRefs_.end() && c >= 0x20) {
                b.append(props, std::u16string_view(&c, 1),
                         FieldRun{model::FieldKind::NoteReference, ++noteSerial_, std::nullopt, {}, ref->second.note});
                return;
            }
        }
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
        case 0x0E:
            if (!mainStory) {
                b.append(props, u"\n");
                return;
            }
            flushText(b, out);
            out.emplace_back(model::PageBreak{true});
            b.emittedBlock = true;
            b.lastWasPicture = false;
            return;
        case 0x0C:
            // A page break means nothing inside a table cell.
            if (depth > 0) return;
            flushText(b, out);
            out.emplace_back(model::PageBreak{});
            b.emittedBlock = true;
            b.lastWasPicture = false;
            b.lastWasPageBreak = true;
            return;
        case 0x1E: b.append(props, u"\u2011"); return;
        case 0x1F: return;
        case 0x01:
            if (chp.special && chp.picLocation && !chp.ole2 && !chp.data && !d_.dataStream.empty()) {
                if (auto pic = readInlinePicture(data_, *chp.picLocation)) {
                    if (picturesInLine_) b.appendPicture(props, std::move(*pic));
                    else emitPicture(b, out, std::move(*pic));
                }
            }
            return;
        case 0x08:
            floatingShape(cp);
            return;
        case 0x02: {
            // A note's reference mark in the main text, or its own mark at
            // the start of its text: the layout numbers both.
            int note = currentNote_;
            std::string mark = noteMark;
            if (mainStory) {
                const auto it = noteRefs_.find(cp);
                note = it != noteRefs_.end() ? it->second.note : -1;
                mark = it != noteRefs_.end() ? it->second.mark : std::string();
            }
            if (note >= 0 && !mark.empty()) {
                auto vp = props;
                vp.vertical = model::VerticalPosition::Superscript;
                b.append(vp, std::u16string(mark.begin(), mark.end()),
                         FieldRun{model::FieldKind::NoteReference, ++noteSerial_, std::nullopt, {}, note});
            }
            return;
        }
        default:
            break;
        }
        if (c < 0x20) return;
        const PageField& field = fields_.pageField();
        b.append(props, std::u16string_view(&c, 1),
                 FieldRun{field.kind, fields_.innermostSerial(), field.format, field.argument, -1});
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
    p.keepLinesTogether = pap.keep;
    p.pageBreakBefore = pap.pageBreakBefore;
    p.widowControl = pap.widowControl;
    p.contextualSpacing = pap.contextualSpacing;
    p.spaceBeforeAuto = pap.beforeAuto;
    p.spaceAfterAuto = pap.afterAuto;
    p.borders = toModelBorders(pap.borders);
    if (pap.shading)
        p.shading = model::Color{static_cast<std::uint8_t>(*pap.shading & 0xFF),
                                 static_cast<std::uint8_t>((*pap.shading >> 8) & 0xFF),
                                 static_cast<std::uint8_t>((*pap.shading >> 16) & 0xFF)};
    // Stops are kept from the left indent on; the model holds none left of it.
    for (const std::int16_t t : pap.tabs) {
        if (t < pap.dxaLeft) continue;
        const double pos = (t - pap.dxaLeft) / 20.0;
        p.tabStopsPt.push_back(pos);
        const auto d = pap.tabDescriptors.find(t);
        const std::uint8_t tbd = d == pap.tabDescriptors.end() ? 0 : d->second;
        const int jc = tbd & 7, tlc = (tbd >> 3) & 7;
        if (jc == 4) {               // a bar tab draws a line and stops nothing
            p.tabStopsPt.pop_back();
            continue;
        }
        constexpr model::TabAlignment kAlign[] = {model::TabAlignment::Left, model::TabAlignment::Center,
                                                  model::TabAlignment::Right, model::TabAlignment::Decimal};
        constexpr model::TabLeader kLeader[] = {model::TabLeader::None, model::TabLeader::Dots,
                                                model::TabLeader::Dashes, model::TabLeader::Underline,
                                                model::TabLeader::Heavy, model::TabLeader::MiddleDots};
        p.tabs.push_back({pos, jc < 4 ? kAlign[jc] : model::TabAlignment::Left, tlc < 6 ? kLeader[tlc] : model::TabLeader::None});
    }
    return p;
}

void sectionLayout(const Sep& sep, model::Section& s) {
    switch (sep.bkc) {
    case 0: s.start = model::SectionStart::Continuous; break;
    case 1: s.start = model::SectionStart::NewColumn; break;
    case 3: s.start = model::SectionStart::EvenPage; break;
    case 4: s.start = model::SectionStart::OddPage; break;
    default: s.start = model::SectionStart::NewPage; break;
    }
    s.titlePage = sep.titlePage;
    const int count = std::clamp(static_cast<int>(sep.ccolM1) + 1, 1, 44);
    s.columns.count = count;
    s.columns.spacingPt = std::max(0, sep.dxaColumns) / 20.0;
    s.columns.separator = sep.lineBetween;
    if (count > 1 && !sep.evenlySpaced && static_cast<int>(sep.columnSizes.size()) >= count) {
        for (int i = 0; i < count; ++i) {
            const auto it = sep.columnSizes.find(static_cast<std::uint8_t>(i));
            if (it == sep.columnSizes.end()) break;
            s.columns.widthsPt.push_back(it->second.first / 20.0);
            if (i + 1 < count) s.columns.spacingsPt.push_back(it->second.second / 20.0);
        }
        if (static_cast<int>(s.columns.widthsPt.size()) != count) {
            s.columns.widthsPt.clear();
            s.columns.spacingsPt.clear();
        }
    }
    if (sep.pgnRestart) s.pageNumberStart = sep.pgnStart;
    s.pageNumberFormat = word::numberFormatFromCode(sep.nfcPgn);
    if (sep.clm != 0 && sep.dyaLinePitch > 0) s.gridLinePitchPt = sep.dyaLinePitch / 20.0;
    auto numbering = [](std::uint8_t rnc, std::uint16_t start, std::uint16_t nfc, model::NoteNumbering& n) {
        n.restart = rnc == 1   ? model::NoteNumbering::Restart::EachSection
                  : rnc == 2   ? model::NoteNumbering::Restart::EachPage
                               : model::NoteNumbering::Restart::Continuous;
        n.start = std::max<int>(1, start);
        n.format = word::numberFormatFromCode(nfc);
    };
    numbering(sep.rncFtn, sep.nFtn, sep.nfcFtnRef, s.footnoteNumbering);
    numbering(sep.rncEdn, sep.nEdn, sep.nfcEdnRef, s.endnoteNumbering);
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
