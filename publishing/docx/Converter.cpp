// Conversion of stories, paragraphs, runs, tables and drawings.
#include "publishing/docx/Converter.h"
#include "publishing/model/Budget.h"

#include "publishing/docx/BorderProperties.h"
#include "publishing/docx/ChartConverter.h"
#include "publishing/docx/ImageSniffer.h"
#include "publishing/docx/ListLabeler.h"
#include "publishing/docx/PropertyResolver.h"
#include "publishing/docx/ShapeConverter.h"
#include "publishing/docx/TableConverter.h"
#include "publishing/docx/XmlUtil.h"
#include "publishing/word/FieldCode.h"
#include "publishing/word/HyperlinkField.h"
#include "publishing/word/NumberFormat.h"
#include "publishing/word/SymbolFonts.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <map>
#include <memory>
#include <optional>
#include <utility>

namespace fq::docx {

namespace {

constexpr double emuToPt(std::int64_t emu) { return static_cast<double>(emu) / 12700.0; }
constexpr double twipsToPt(int t) { return t / 20.0; }

// Text of w:t without characters that would end a paragraph.
std::string cleanText(const std::string& s) {
    std::string out;
    out.reserve(s.size());
    for (char ch : s) {
        unsigned char c = static_cast<unsigned char>(ch);
        if (c == '\t') out += '\t';
        else if (c == '\n' || c == '\r') out += ' ';
        else if (c < 0x20) continue;
        else out += ch;
    }
    return out;
}

// True when the text holds CJK ideographs, kana, hangul or full-width forms.
bool hasEastAsian(const std::string& s) {
    for (std::size_t i = 0; i + 2 < s.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        // Three-byte sequences E3..E9 cover U+3000..U+9FFF, EA..ED U+A000..U+D7FF,
        // EF BC..EF BF the full-width forms.
        if ((c >= 0xE3 && c <= 0xED) ||
            (c == 0xEF && static_cast<unsigned char>(s[i + 1]) >= 0xBC && static_cast<unsigned char>(s[i + 1]) <= 0xBF))
            return true;
    }
    return false;
}

std::string lowerRoman(int n) { return word::formatNumber(n, word::NumberFormat::LowerRoman); }

bool isSymbolFont(const std::string& font) { return word::isSymbolFont(font); }

model::PageGeometry geometry(const model::Boxed<SectionProps>& s) {
    model::PageGeometry g;
    if (!s) return g;
    auto len = [](const std::optional<int>& v, double fallback) {
        return v ? std::abs(twipsToPt(*v)) : fallback;
    };
    g.widthPt = s->pageWidth && *s->pageWidth > 0 ? twipsToPt(*s->pageWidth) : g.widthPt;
    g.heightPt = s->pageHeight && *s->pageHeight > 0 ? twipsToPt(*s->pageHeight) : g.heightPt;
    g.marginTopPt = len(s->marginTop, g.marginTopPt);
    g.marginBottomPt = len(s->marginBottom, g.marginBottomPt);
    g.marginLeftPt = len(s->marginLeft, g.marginLeftPt) + (s->gutter ? std::abs(twipsToPt(*s->gutter)) : 0.0);
    g.marginRightPt = len(s->marginRight, g.marginRightPt);
    g.headerDistancePt = len(s->marginHeader, g.headerDistancePt);
    g.footerDistancePt = len(s->marginFooter, g.footerDistancePt);
    return g;
}

double textWidth(const model::PageGeometry& g) { return std::max(36.0, g.widthPt - g.marginLeftPt - g.marginRightPt); }

struct FieldFrame {
    bool inResult = false;
    std::string code;          // the field's instruction text
    bool replaced = false;     // the reader computed the result itself
    model::FieldKind kind = model::FieldKind::None;   // a page-dependent result
    std::optional<word::NumberFormat> format;          // of a page-dependent result
    std::string argument;                              // STYLEREF: the style
    int serial = 0;            // tells the runs of one field from the next one's
    bool shown = false;        // some of the result was appended
    std::string link;          // a HYPERLINK field's target
    bool resultText = false;   // the stored result holds text
    std::optional<word::FormFieldState> form;   // a legacy form field's state
    // Reads what the layout needs of a page-dependent field from its code.
    void takeCode() {
        const word::FieldCode parsed = word::parseFieldCode(code);
        kind = word::pageFieldKind(parsed);
        format = word::fieldNumberFormat(parsed);
        if (kind == model::FieldKind::StyleRef) argument = word::styleRefStyle(parsed);
    }
};

class DocumentConverter {
public:
    explicit DocumentConverter(WordDocument& doc)
        : doc_(doc), resolver_(doc.styles, doc.theme), labels_(doc.numbering, &doc.styles), shapes_(doc) {}

    model::Document run();

private:
    // Converts a story's blocks, appending to out.
    void story(const std::vector<Block>& blocks, std::vector<model::Block>& out);
    void paragraph(const Paragraph& p, std::vector<model::Block>& out);
    void paragraphBody(const Paragraph& p, std::vector<model::Block>& out);
    // A drop cap waiting for the paragraph it begins; alone when none follows.
    void flushDropCap(std::vector<model::Block>& out);
    void table(const Table& t, std::vector<model::Block>& out);
    void appendText(model::Paragraph& p, const std::string& text, const model::CharProps& props);
    // Appends a run that stands for a page-dependent field's result.
    void appendField(model::Paragraph& p, const std::string& text, const model::CharProps& props,
                     const FieldFrame& field);
    // What a field without a stored result shows: a form field's state, a
    // SYMBOL field's character.
    void drawnFieldResult(model::Paragraph& p, const FieldFrame& field, const model::CharProps& props);
    // The note with this id, as an index into the document's notes (made on first use).
    int noteIndex(bool endnote, int id);
    void sectionLayout(const SectionProps& props, model::Section& s) const;
    std::vector<model::Block> headerFooterBlocks(const std::string& partName);
    void closeSection(const model::Boxed<SectionProps>& props);
    // A floating picture or shape waits for its section's page (see pendingAnchors_).
    void markPending(model::Block& block, const Drawing& d, double dxPt, double dyPt);
    void resolveAnchors(std::vector<model::Block>& blocks, const model::PageGeometry& page);
    std::vector<model::Block> textOf(const std::vector<Block>& content);
    // Places a drawing's converted shapes: floating ones with the paragraph's floating objects;
    // one inline shape in the flow; several inline ones (a group, a diagram)
    // over a paragraph that keeps their room.
    // True when the paragraph's text so far was closed before them.
    bool placeShapes(std::vector<ConvertedShape> shapes, const Drawing& d, const model::ParaProps& props,
                     model::Paragraph& current, std::vector<model::Block>& out, std::vector<model::Block>& floating);
    // A font whose characters are pictures: known by name or by the font table's character set.
    bool symbolFont(const std::string& font) const {
        return isSymbolFont(font) || doc_.symbolCharsetFonts.count(font) > 0;
    }

    WordDocument& doc_;      // its body is released block by block as it is converted
    PropertyResolver resolver_;
    ListLabeler labels_;
    ShapeConverter shapes_;
    // Where the text appended now links to: the w:hyperlink around the run,
    // else the innermost HYPERLINK field whose result it is.
    std::string activeLink() const;
    std::string runLink_;
    std::vector<FieldFrame> fields_;
    int fieldSerial_ = 0;
    int lastFieldRun_ = 0;     // serial of the field the last appended field run belongs to
    double availableWidth_ = 468.0;   // the width tables may take: the section's text area, or a cell's

    model::Document out_;
    std::vector<model::Block> sectionBlocks_;
    // Floating pictures wait for the page geometry of their section, which
    // is only known at its end. Until then a picture's anchor holds
    // xPt = -1 - (index into pendingAnchors_).
    std::vector<Drawing> pendingAnchors_;
    std::vector<std::pair<double, double>> pendingOffsets_;   // a group member's offset in its drawing
    // The headers and footers in effect (default, first page, even pages):
    // a section that gives none of a kind keeps the one before it.
    std::array<std::vector<model::Block>, 3> headers_, footers_;
    std::map<std::string, std::vector<model::Block>> partCache_;

    std::map<int, int> footnoteIndexes_, endnoteIndexes_;   // note id -> index into out_.notes
    std::vector<int> footnoteOrder_, endnoteOrder_;
    int currentNote_ = -1;     // the note whose text is being converted
    std::string currentNoteMark_;  // and its number until the layout numbers it
    int pendingCustomMark_ = -1;   // a note whose own mark is the text that follows
    std::optional<model::Paragraph> dropCap_;
    bool bodyParagraph_ = false;   // the paragraph under way stands in the body's flow
};

// Whether the paragraph shows characters other than spaces.
bool hasText(const Paragraph& p) {
    for (const Run& run : p.runs)
        for (const RunItem& item : run.items) {
            if (const auto* t = std::get_if<Text>(&item); t && t->text.find_first_not_of(" \t\xC2\xA0") != std::string::npos)
                return true;
            if (std::holds_alternative<Symbol>(item) || std::holds_alternative<NoteReference>(item)) return true;
        }
    return false;
}

bool visible(const std::vector<FieldFrame>& fields) {
    for (const auto& f : fields)
        if (!f.inResult || f.replaced) return false;
    return true;
}

std::string DocumentConverter::activeLink() const {
    if (!runLink_.empty()) return runLink_;
    for (auto it = fields_.rbegin(); it != fields_.rend(); ++it)
        if (it->inResult && !it->link.empty()) return it->link;
    return {};
}

void DocumentConverter::appendText(model::Paragraph& p, const std::string& text, const model::CharProps& props) {
    if (text.empty()) return;
    if (!fields_.empty() && fields_.back().inResult && fields_.back().kind != model::FieldKind::None) {
        fields_.back().shown = true;
        appendField(p, text, props, fields_.back());
        return;
    }
    if (pendingCustomMark_ >= 0) {
        // The text after a reference with a mark of its own is that mark.
        out_.notes[static_cast<std::size_t>(pendingCustomMark_)].customMark = text;
        pendingCustomMark_ = -1;
    }
    std::string link = activeLink();
    if (!p.runs.empty() && p.runs.back().props == props && p.runs.back().field == model::FieldKind::None &&
        p.runs.back().link == link && !p.runs.back().picture)
        p.runs.back().text += text;
    else p.runs.push_back(model::Run{text, props, model::FieldKind::None, std::move(link)});
}

void DocumentConverter::appendField(model::Paragraph& p, const std::string& text, const model::CharProps& props,
                                    const FieldFrame& field) {
    // The stored result may come in several runs; they stay one field run.
    if (!p.runs.empty() && p.runs.back().field == field.kind && lastFieldRun_ == field.serial) {
        p.runs.back().text += text;
        return;
    }
    model::Run run{text, props, field.kind};
    run.fieldFormat = field.format;
    run.fieldArgument = field.argument;
    p.runs.push_back(std::move(run));
    lastFieldRun_ = field.serial;
}

void DocumentConverter::drawnFieldResult(model::Paragraph& p, const FieldFrame& field, const model::CharProps& props) {
    const word::FieldCode code = word::parseFieldCode(field.code);
    if (field.form && (code.type == "FORMCHECKBOX" || code.type == "FORMDROPDOWN")) {
        appendText(p, cleanText(word::formFieldText(*field.form)), props);
    } else if (auto drawn = word::symbolFieldCharacter(code)) {
        model::CharProps sp = props;
        if (!drawn->font.empty()) sp.font = drawn->font;
        appendText(p, drawn->text, sp);
    }
}

int DocumentConverter::noteIndex(bool endnote, int id) {
    auto& indexes = endnote ? endnoteIndexes_ : footnoteIndexes_;
    auto it = indexes.find(id);
    if (it != indexes.end()) return it->second;
    model::Note note;
    note.kind = endnote ? model::Note::Kind::Endnote : model::Note::Kind::Footnote;
    out_.notes.push_back(std::move(note));
    const int index = static_cast<int>(out_.notes.size()) - 1;
    indexes[id] = index;
    (endnote ? endnoteOrder_ : footnoteOrder_).push_back(id);
    return index;
}

// A drop cap is a paragraph of its own in the file (a frame); Word shows it
// as the first letter of the paragraph that follows.
void DocumentConverter::paragraph(const Paragraph& p, std::vector<model::Block>& out) {
    const std::string drop = p.props.dropCap.value_or("none");
    if (drop != "drop" && drop != "margin") {
        paragraphBody(p, out);
        return;
    }
    flushDropCap(out);
    std::vector<model::Block> blocks;
    paragraphBody(p, blocks);
    for (auto& b : blocks) {
        auto* para = std::get_if<model::Paragraph>(&b);
        if (para && !dropCap_ && !para->runs.empty()) dropCap_ = std::move(*para);
        else out.push_back(std::move(b));
    }
}

void DocumentConverter::flushDropCap(std::vector<model::Block>& out) {
    if (dropCap_) out.push_back(std::move(*dropCap_));
    dropCap_.reset();
}

void DocumentConverter::paragraphBody(const Paragraph& p, std::vector<model::Block>& out) {
    const std::string pStyle = resolver_.paragraphStyle(p.props);
    ParaProps merged = resolver_.mergedParagraph(p.props);
    const NumberingLevel* level = nullptr;
    std::optional<ListLabel> label;
    if (merged.numbering && merged.numbering->numId && *merged.numbering->numId > 0) {
        int ilvl = std::clamp(merged.numbering->ilvl.value_or(0), 0, 8);
        level = labels_.level(*merged.numbering->numId, ilvl);
        if (level) {
            merged = resolver_.mergedParagraph(p.props, &level->paraProps);
            label = labels_.next(*merged.numbering->numId, ilvl);
        }
    }
    model::ParaProps props = resolver_.toModel(merged);
    props.styleName = resolver_.styleName(pStyle);

    model::Paragraph current;
    current.props = props;
    bool split = false;
    // Inline pictures of a body paragraph that has text stand in its lines;
    // those of a paragraph without text are blocks of their own.
    const bool picturesInLine = bodyParagraph_ && hasText(p);
    // Floating pictures and shapes stand before their paragraph, so that the
    // layout places them where the paragraph begins and its text makes room
    // for them; text that has no place of its own follows the paragraph.
    const std::size_t paragraphStart = out.size();
    std::vector<model::Block> floating;
    std::vector<model::Block> after;

    // A page break before the paragraph goes with the first block it gives.
    auto flush = [&]() {
        if (!current.runs.empty()) {
            out.push_back(current);
            current.props.pageBreakBefore = false;
        }
        current.runs.clear();
        split = true;
    };
    auto breakBeforeBlock = [&]() {
        if (!current.props.pageBreakBefore) return;
        out.push_back(model::PageBreak{});
        current.props.pageBreakBefore = false;
    };
    // Where the paragraph's last inline picture went in out, to tell
    // pictures that follow each other in the paragraph.
    std::optional<std::size_t> lastPicture;
    auto followsPicture = [&]() { return lastPicture && *lastPicture + 1 == out.size(); };
    auto onlySpaces = [&]() {
        for (const auto& r : current.runs)
            if (r.field != model::FieldKind::None || r.text.find_first_not_of(" \t") != std::string::npos) return false;
        return true;
    };

    runLink_.clear();
    if (label && !label->text.empty()) {
        RunProps labelProps = level->runProps;
        model::CharProps cp = resolver_.resolveRun(pStyle, p.props.markRunProps, &labelProps);
        if (symbolFont(cp.font)) cp.font = resolver_.resolveRun(pStyle, p.props.markRunProps).font;
        cp.underline = model::Underline::None;
        appendText(current, label->text, cp);
    }
    if (dropCap_) {
        for (auto& r : dropCap_->runs)
            if (!r.text.empty() || r.picture) current.runs.push_back(std::move(r));
        dropCap_.reset();
    }

    for (const Run& run : p.runs) {
        const model::CharProps cp = resolver_.resolveRun(pStyle, run.props);
        runLink_ = run.hyperlink;
        for (const RunItem& item : run.items) {
            if (const auto* f = std::get_if<FieldChar>(&item)) {
                if (f->kind == "begin") {
                    fields_.push_back(FieldFrame{});
                    fields_.back().serial = ++fieldSerial_;
                    if (f->form) fields_.back().form = *f->form;
                } else if (f->kind == "separate" && !fields_.empty() && !fields_.back().inResult) {
                    fields_.back().inResult = true;
                    fields_.back().takeCode();
                    fields_.back().link = word::hyperlinkTarget(fields_.back().code).value_or("");
                    // Some results the reader computes itself (FILENAME).
                    const word::FieldContext context{doc_.sourcePath, doc_.sourceFileName};
                    if (auto result = word::computedFieldResult(word::parseFieldCode(fields_.back().code), context)) {
                        fields_.back().replaced = true;
                        std::vector<FieldFrame> outer(fields_.begin(), fields_.end() - 1);
                        if (visible(outer)) appendText(current, *result, cp);
                    }
                } else if (f->kind == "end" && !fields_.empty()) {
                    FieldFrame ended = fields_.back();
                    fields_.pop_back();
                    // A page field without a stored result still gets its run.
                    if (!ended.inResult) ended.takeCode();
                    if (ended.kind != model::FieldKind::None && !ended.shown && visible(fields_))
                        appendField(current, std::string(), cp, ended);
                    if (ended.kind == model::FieldKind::None && !ended.resultText && !ended.replaced && visible(fields_))
                        drawnFieldResult(current, ended, cp);
                }
                continue;
            }
            if (const auto* instr = std::get_if<InstrText>(&item)) {
                if (!fields_.empty() && !fields_.back().inResult) fields_.back().code += instr->text;
                continue;
            }
            if (!visible(fields_)) continue;
            if (!fields_.empty() && std::holds_alternative<Text>(item)) fields_.back().resultText = true;
            std::visit(
                [&](const auto& held) {
                    using Held = std::decay_t<decltype(held)>;
                    // A drawing is held boxed; every other item as it is.
                    const auto& v = [&]() -> const auto& {
                        if constexpr (std::is_same_v<Held, model::Boxed<Drawing>>) return *held;
                        else return held;
                    }();
                    using T = std::decay_t<decltype(v)>;
                    if constexpr (std::is_same_v<T, Text>) {
                        if (hasEastAsian(v.text))
                            appendText(current, cleanText(v.text), resolver_.resolveRun(pStyle, run.props, nullptr, true));
                        else
                            appendText(current, cleanText(v.text), cp);
                    } else if constexpr (std::is_same_v<T, Tab>) {
                        appendText(current, "\t", cp);
                    } else if constexpr (std::is_same_v<T, Break>) {
                        if (v.kind == "page" || v.kind == "column") {
                            flush();
                            breakBeforeBlock();
                            out.push_back(model::PageBreak{v.kind == "column"});
                        } else {
                            appendText(current, "\n", cp);
                        }
                    } else if constexpr (std::is_same_v<T, Symbol>) {
                        std::string s;
                        char32_t code = v.code;
                        model::CharProps sp = cp;
                        if (!v.font.empty()) sp.font = v.font;
                        // A symbol font's character keeps its private-use code, by
                        // which the font is addressed; other fonts show the plain one.
                        if (code >= 0xF000 && code <= 0xF0FF && !symbolFont(sp.font)) code -= 0xF000;
                        if (code >= 0x20) xml::appendUtf8(s, code);
                        appendText(current, s, sp);
                    } else if constexpr (std::is_same_v<T, NoteReference>) {
                        // The mark's run: numbered by the layout; the count
                        // of the notes of its kind so far until then.
                        const int index = noteIndex(v.endnote, v.id);
                        const int n = static_cast<int>((v.endnote ? endnoteOrder_ : footnoteOrder_).size());
                        model::Run ref{v.customMark ? std::string() : v.endnote ? lowerRoman(n) : std::to_string(n), cp,
                                       model::FieldKind::NoteReference};
                        ref.note = index;
                        current.runs.push_back(std::move(ref));
                        if (v.customMark) pendingCustomMark_ = index;
                    } else if constexpr (std::is_same_v<T, NoteMark>) {
                        if (currentNote_ >= 0 && out_.notes[static_cast<std::size_t>(currentNote_)].customMark.empty()) {
                            model::Run mark{currentNoteMark_, cp, model::FieldKind::NoteReference};
                            mark.note = currentNote_;
                            current.runs.push_back(std::move(mark));
                        }
                    } else if constexpr (std::is_same_v<T, Placeholder>) {
                        appendText(current, v.text, cp);
                    } else if constexpr (std::is_same_v<T, Drawing>) {
                        for (const std::string& ph : v.placeholders) appendText(current, ph, cp);
                        const bool single = v.images.size() == 1;
                        for (const ImageRef& img : v.images) {
                            auto media = img.partName.empty() ? doc_.media.end() : doc_.media.find(img.partName);
                            if (media == doc_.media.end() || media->second.empty()) {
                                appendText(current, "[picture]", cp);
                                continue;
                            }
                            model::Picture pic;
                            pic.data = media->second;
                            pic.format = sniffImageFormat(pic.data);
                            std::int64_t cx = single && v.cx > 0 ? v.cx : (img.cx > 0 ? img.cx : v.cx);
                            std::int64_t cy = single && v.cy > 0 ? v.cy : (img.cy > 0 ? img.cy : v.cy);
                            pic.widthPt = emuToPt(cx);
                            pic.heightPt = emuToPt(cy);
                            pic.description = v.description;
                            if (v.anchored) {
                                model::Block block = std::move(pic);
                                markPending(block, v, 0.0, 0.0);
                                floating.push_back(std::move(block));
                            } else if (picturesInLine) {
                                model::Run run{std::string(), cp, model::FieldKind::None, activeLink()};
                                run.picture = std::make_shared<model::Picture>(std::move(pic));
                                current.runs.push_back(std::move(run));
                            } else {
                                // Spaces between two pictures only separate them.
                                if (followsPicture() && onlySpaces()) current.runs.clear();
                                flush();
                                breakBeforeBlock();
                                pic.alignment = props.alignment;
                                pic.sameParagraphAsPrevious = followsPicture();
                                lastPicture = out.size();
                                out.push_back(std::move(pic));
                            }
                        }
                        for (const std::string& part : v.chartParts) {
                            // Drawn from its cached values, at the drawing's size.
                            auto chart = doc_.charts.find(part);
                            if (chart == doc_.charts.end()) {
                                appendText(current, "[chart]", cp);
                                continue;
                            }
                            model::Block block = chartBlock(chart->second, emuToPt(v.cx), emuToPt(v.cy), shapes_, doc_);
                            if (v.anchored) {
                                markPending(block, v, 0.0, 0.0);
                                floating.push_back(std::move(block));
                            } else if (auto* pic = std::get_if<model::Picture>(&block)) {
                                flush();
                                pic->alignment = props.alignment;
                                out.push_back(std::move(block));
                            } else {
                                flush();
                                out.push_back(std::move(block));
                            }
                        }
                        for (const std::string& part : v.diagramParts) {
                            // SmartArt: the drawing Word stored for it, as a group of shapes.
                            auto drawing = doc_.diagramDrawings.find(part);
                            if (drawing != doc_.diagramDrawings.end() && !drawing->second.empty() && v.cx > 0 && v.cy > 0) {
                                Drawing diagram = v;
                                DrawnShape group;
                                group.group = true;
                                group.cx = group.childCx = v.cx;
                                group.cy = group.childCy = v.cy;
                                group.children = drawing->second;
                                diagram.shapes = {std::move(group)};
                                if (placeShapes(shapes_.convert(diagram, [&](const std::vector<Block>& b) { return textOf(b); }),
                                                diagram, props, current, out, floating))
                                    split = true;
                                continue;
                            }
                            auto text = doc_.diagramTexts.find(part);
                            if (text == doc_.diagramTexts.end() || text->second.empty()) {
                                appendText(current, "[diagram]", cp);
                                continue;
                            }
                            for (const std::string& line : text->second) {
                                model::Paragraph node;
                                node.props = props;
                                appendText(node, cleanText(line), cp);
                                after.push_back(std::move(node));
                            }
                        }
                        // Drawn shapes hold their text boxes' text; a floating one
                        // follows its paragraph, an inline one stands in the flow.
                        if (placeShapes(shapes_.convert(v, [&](const std::vector<Block>& b) { return textOf(b); }), v,
                                        props, current, out, floating))
                            split = true;
                        if (v.shapes.empty())
                            for (const auto& box : v.textBoxes) {
                                std::vector<model::Block> text = textOf(box);
                                for (auto& b : text) after.push_back(std::move(b));
                            }
                    }
                    // InstrText is the field's code, not shown.
                },
                item);
        }
    }
    if (!split && current.runs.empty()) {
        // An empty paragraph still has a line: its height comes from the
        // paragraph mark's character properties.
        current.runs.push_back(model::Run{std::string(), resolver_.resolveRun(pStyle, p.props.markRunProps)});
    }
    if (!split || !current.runs.empty()) out.push_back(current);
    out.insert(out.begin() + static_cast<std::ptrdiff_t>(std::min(paragraphStart, out.size())),
               std::make_move_iterator(floating.begin()), std::make_move_iterator(floating.end()));
    for (auto& b : after) out.push_back(std::move(b));
}

void DocumentConverter::table(const Table& t, std::vector<model::Block>& out) {
    flushDropCap(out);
    if (t.rows.empty()) return;
    TableConverter converter(doc_.styles, resolver_, doc_.compatibilityMode);
    const double outer = availableWidth_;
    out.push_back(converter.convert(t, outer, [&](const std::vector<Block>& blocks, std::vector<model::Block>& cell,
                                                  double widthPt) {
        availableWidth_ = widthPt;
        story(blocks, cell);
        availableWidth_ = outer;
    }));
}

void DocumentConverter::story(const std::vector<Block>& blocks, std::vector<model::Block>& out) {
    const bool body = std::exchange(bodyParagraph_, false);
    for (const Block& b : blocks) {
        if (const auto* p = std::get_if<Paragraph>(&b.content)) paragraph(*p, out);
        else if (const auto* t = std::get_if<Table>(&b.content)) table(*t, out);
    }
    flushDropCap(out);
    bodyParagraph_ = body;
}

std::vector<model::Block> DocumentConverter::headerFooterBlocks(const std::string& partName) {
    auto cached = partCache_.find(partName);
    if (cached != partCache_.end()) return cached->second;
    std::vector<model::Block> blocks;
    auto part = doc_.headerFooterParts.find(partName);
    if (part != doc_.headerFooterParts.end()) {
        auto saved = std::move(fields_);
        fields_.clear();
        story(part->second.blocks, blocks);
        fields_ = std::move(saved);
        // A page break means nothing in a header or footer.
        std::erase_if(blocks, [](const model::Block& b) { return std::holds_alternative<model::PageBreak>(b); });
    }
    partCache_[partName] = blocks;
    return blocks;
}

void DocumentConverter::closeSection(const model::Boxed<SectionProps>& props) {
    model::Section s;
    s.page = geometry(props);
    if (props) s.pageBorders = pageBordersToModel(*props);
    availableWidth_ = textWidth(s.page);
    resolveAnchors(sectionBlocks_, s.page);
    auto take = [&](const std::vector<HeaderFooterRef>& refs, std::array<std::vector<model::Block>, 3>& kinds) {
        for (const auto& r : refs) {
            const std::size_t k = r.kind == "first" ? 1 : r.kind == "even" ? 2 : 0;
            kinds[k] = headerFooterBlocks(r.partName);
        }
    };
    if (props) {
        take(props->headers, headers_);
        take(props->footers, footers_);
        sectionLayout(*props, s);
    }
    s.header = headers_[0];
    s.footer = footers_[0];
    s.headerFirst = headers_[1];
    s.footerFirst = footers_[1];
    s.headerEven = headers_[2];
    s.footerEven = footers_[2];
    for (auto* story : {&s.header, &s.footer, &s.headerFirst, &s.footerFirst, &s.headerEven, &s.footerEven})
        resolveAnchors(*story, s.page);
    s.evenAndOddHeaders = doc_.settings.evenAndOddHeaders;
    s.endnotesAtSectionEnd = doc_.settings.endnotePosition.value_or("docEnd") == "sectEnd";
    s.blocks = std::move(sectionBlocks_);
    sectionBlocks_.clear();

    out_.sections.push_back(std::move(s));
}

void DocumentConverter::sectionLayout(const SectionProps& p, model::Section& s) const {
    const std::string start = p.breakType.value_or("nextPage");
    s.start = start == "continuous" ? model::SectionStart::Continuous
            : start == "nextColumn" ? model::SectionStart::NewColumn
            : start == "evenPage"   ? model::SectionStart::EvenPage
            : start == "oddPage"    ? model::SectionStart::OddPage
                                    : model::SectionStart::NewPage;
    s.titlePage = p.titlePage;
    const int count = std::clamp(p.columnCount.value_or(1), 1, 45);
    s.columns.count = count;
    s.columns.spacingPt = twipsToPt(std::max(0, p.columnSpace.value_or(720)));
    s.columns.separator = p.columnSeparator.value_or(false);
    if (count > 1 && !p.columnsEqualWidth.value_or(true) && static_cast<int>(p.columns.size()) == count) {
        for (const auto& [width, space] : p.columns) {
            s.columns.widthsPt.push_back(twipsToPt(std::max(0, width)));
            s.columns.spacingsPt.push_back(twipsToPt(std::max(0, space)));
        }
        s.columns.spacingsPt.pop_back();
    }
    s.pageNumberStart = p.pageNumberStart;
    if (p.pageNumberFormat) s.pageNumberFormat = word::numberFormatFromName(*p.pageNumberFormat);
    const std::string grid = p.gridType.value_or("default");
    if ((grid == "lines" || grid == "linesAndChars" || grid == "snapToChars") && p.gridLinePitch && *p.gridLinePitch > 0)
        s.gridLinePitchPt = twipsToPt(*p.gridLinePitch);
    auto numbering = [](const std::optional<std::string>& format, const std::optional<int>& startAt,
                        const std::optional<std::string>& restart, model::NoteNumbering& n) {
        if (format) n.format = word::numberFormatFromName(*format);
        if (startAt) n.start = *startAt;
        if (restart) n.restart = *restart == "eachPage"   ? model::NoteNumbering::Restart::EachPage
                               : *restart == "eachSect"   ? model::NoteNumbering::Restart::EachSection
                                                          : model::NoteNumbering::Restart::Continuous;
    };
    const Settings& d = doc_.settings;
    numbering(d.footnoteFormat, d.footnoteStart, d.footnoteRestart, s.footnoteNumbering);
    numbering(d.endnoteFormat, d.endnoteStart, d.endnoteRestart, s.endnoteNumbering);
    numbering(p.footnoteFormat, p.footnoteStart, p.footnoteRestart, s.footnoteNumbering);
    numbering(p.endnoteFormat, p.endnoteStart, p.endnoteRestart, s.endnoteNumbering);
}

std::vector<model::Block> DocumentConverter::textOf(const std::vector<Block>& content) {
    // A text box is a story of its own: fields do not cross it.
    std::vector<model::Block> blocks;
    auto saved = std::move(fields_);
    const std::string savedLink = runLink_;
    fields_.clear();
    story(content, blocks);
    fields_ = std::move(saved);
    runLink_ = savedLink;
    return blocks;
}

bool DocumentConverter::placeShapes(std::vector<ConvertedShape> shapes, const Drawing& d, const model::ParaProps& props,
                                    model::Paragraph& current, std::vector<model::Block>& out,
                                    std::vector<model::Block>& floating) {
    if (shapes.empty()) return false;
    auto flush = [&]() {
        if (!current.runs.empty()) out.push_back(current);
        current.runs.clear();
    };
    if (d.anchored) {
        for (auto& c : shapes) {
            markPending(c.block, d, c.dxPt, c.dyPt);
            floating.push_back(std::move(c.block));
        }
        return false;
    }
    flush();
    if (shapes.size() == 1) {
        out.push_back(std::move(shapes.front().block));
        return true;
    }
    // The room: an empty paragraph as tall as the drawing; the members stand
    // over it, from its top, aligned as their paragraph.
    model::Paragraph room;
    room.props = props;
    room.props.spaceBeforePt = room.props.spaceAfterPt = 0;
    room.props.borders = {};
    room.props.shading.reset();
    room.props.lineSpacing = {model::LineSpacing::Rule::Exact, std::max(1.0, emuToPt(d.cy))};
    model::CharProps tiny;
    tiny.sizePt = 1;
    room.runs.push_back(model::Run{std::string(), tiny});
    Drawing over = d;
    over.anchored = true;
    over.simplePos.reset();
    over.horizontal = AxisPosition{"column", std::nullopt, std::nullopt, std::nullopt};
    if (props.alignment == model::Alignment::Center) over.horizontal.align = "center";
    else if (props.alignment == model::Alignment::Right) over.horizontal.align = "right";
    over.vertical = AxisPosition{"paragraph", 0, std::nullopt, std::nullopt};
    over.wrap = "none";
    over.behindDoc = false;
    // The members come first: they stand over the paragraph that follows them.
    for (auto& c : shapes) {
        markPending(c.block, over, c.dxPt, c.dyPt);
        out.push_back(std::move(c.block));
    }
    out.push_back(std::move(room));
    return true;
}

void DocumentConverter::markPending(model::Block& block, const Drawing& d, double dxPt, double dyPt) {
    model::FloatingAnchor* anchor = nullptr;
    if (auto* pic = std::get_if<model::Picture>(&block)) {
        if (!pic->anchor) pic->anchor = model::FloatingAnchor{};
        anchor = &*pic->anchor;
    } else if (auto* shape = std::get_if<model::DrawingShape>(&block)) {
        if (!shape->anchor) shape->anchor = model::FloatingAnchor{};
        anchor = &*shape->anchor;
    }
    if (!anchor) return;
    Drawing anchorOnly = d;
    anchorOnly.images.clear();
    anchorOnly.textBoxes.clear();
    anchorOnly.shapes.clear();
    pendingAnchors_.push_back(std::move(anchorOnly));
    pendingOffsets_.emplace_back(dxPt, dyPt);
    anchor->xPt = -static_cast<double>(pendingAnchors_.size());
}

void DocumentConverter::resolveAnchors(std::vector<model::Block>& blocks, const model::PageGeometry& page) {
    for (model::Block& b : blocks) {
        std::optional<model::FloatingAnchor>* anchor = nullptr;
        double w = 0, h = 0;
        if (auto* pic = std::get_if<model::Picture>(&b)) {
            anchor = &pic->anchor;
            w = pic->widthPt;
            h = pic->heightPt;
        } else if (auto* shape = std::get_if<model::DrawingShape>(&b)) {
            anchor = &shape->anchor;
            w = shape->widthPt;
            h = shape->heightPt;
            resolveAnchors(shape->text, page);
        } else if (auto* table = std::get_if<model::Table>(&b)) {
            for (auto& row : table->rows)
                for (auto& cell : row.cells) resolveAnchors(cell.blocks, page);
        }
        if (!anchor || !*anchor || (*anchor)->xPt >= 0) continue;
        const auto index = static_cast<std::size_t>(-(*anchor)->xPt - 1);
        if (index >= pendingAnchors_.size()) continue;
        const Drawing& d = pendingAnchors_[index];
        // A group member is placed by the group's anchor and its offset in
        // it; a drawing sized as a share of the page takes its size here.
        auto [groupW, groupH] = drawingSize(d, page);
        if (groupW <= 0) groupW = w;
        if (groupH <= 0) groupH = h;
        auto* shape = std::get_if<model::DrawingShape>(&b);
        if (shape && pendingOffsets_[index] == std::pair<double, double>{0.0, 0.0} &&
            (d.percentWidth > 0 || d.percentHeight > 0)) {
            shape->widthPt = groupW;
            shape->heightPt = groupH;
        }
        model::FloatingAnchor a = floatingAnchor(d, groupW, groupH, page);
        a.xPt += pendingOffsets_[index].first;
        a.yPt += pendingOffsets_[index].second;
        *anchor = a;
    }
}

model::Document DocumentConverter::run() {
    const CoreProperties& c = doc_.core;
    out_.properties.title = c.title;
    out_.properties.subject = c.subject;
    out_.properties.author = c.creator;
    out_.properties.keywords = c.keywords;
    out_.properties.created = c.created;
    out_.properties.modified = c.modified;

    // The section each body block belongs to, for the width its tables may take.
    std::vector<const model::Boxed<SectionProps>*> sectionOf(doc_.body.blocks.size(), &doc_.finalSection);
    for (std::size_t i = doc_.body.blocks.size(); i-- > 0;) {
        const auto* p = std::get_if<Paragraph>(&doc_.body.blocks[i].content);
        if (p && p->props.section) sectionOf[i] = &p->props.section;
        else if (i + 1 < sectionOf.size()) sectionOf[i] = sectionOf[i + 1];
    }

    // The body: a paragraph that carries a sectPr ends its section.
    for (std::size_t index = 0; index < doc_.body.blocks.size(); ++index) {
        const Block& b = doc_.body.blocks[index];
        model::checkBudget();
        availableWidth_ = textWidth(geometry(*sectionOf[index]));
        std::vector<model::Block> blocks;
        if (const auto* p = std::get_if<Paragraph>(&b.content)) {
            bodyParagraph_ = true;
            paragraph(*p, blocks);
            bodyParagraph_ = false;
        } else if (const auto* t = std::get_if<Table>(&b.content)) {
            table(*t, blocks);
        }
        for (auto& blk : blocks) {
            // A page break before anything else would only add an empty page.
            if (std::holds_alternative<model::PageBreak>(blk) && out_.sections.empty() && sectionBlocks_.empty())
                continue;
            sectionBlocks_.push_back(std::move(blk));
        }
        if (const auto* p = std::get_if<Paragraph>(&b.content); p && p->props.section) closeSection(p->props.section);
        // Done with: a long document's typed body never stands beside all of its converted one.
        doc_.body.blocks[index] = Block{};
    }

    flushDropCap(sectionBlocks_);
    // The notes' text, in the order of their first reference; notes that
    // are never referenced come last.
    auto convertNotes = [&](const std::map<int, Note>& notes, bool endnote) {
        for (const auto& [id, note] : notes)
            if (note.type == "normal" || note.type.empty()) noteIndex(endnote, id);
        const auto& order = endnote ? endnoteOrder_ : footnoteOrder_;
        for (std::size_t i = 0; i < order.size(); ++i) {
            auto it = notes.find(order[i]);
            if (it == notes.end()) continue;
            currentNote_ = noteIndex(endnote, order[i]);
            currentNoteMark_ = endnote ? lowerRoman(static_cast<int>(i) + 1) : std::to_string(i + 1);
            auto saved = std::move(fields_);
            fields_.clear();
            std::vector<model::Block> blocks;
            story(it->second.story.blocks, blocks);
            resolveAnchors(blocks, geometry(doc_.finalSection));
            out_.notes[static_cast<std::size_t>(currentNote_)].blocks = std::move(blocks);
            fields_ = std::move(saved);
        }
        currentNote_ = -1;
    };
    closeSection(doc_.finalSection);
    // Notes take the width of the last section's text (closeSection set it).
    convertNotes(doc_.footnotes, false);
    convertNotes(doc_.endnotes, true);
    return std::move(out_);
}

} // namespace

model::Document convertDocument(WordDocument&& doc) {
    DocumentConverter c(doc);
    return c.run();
}

} // namespace fq::docx
