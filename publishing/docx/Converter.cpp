// Conversion of stories, paragraphs, runs, tables and drawings.
#include "publishing/docx/Converter.h"
#include "publishing/model/Budget.h"

#include "publishing/docx/ImageSniffer.h"
#include "publishing/docx/ListLabeler.h"
#include "publishing/docx/PropertyResolver.h"
#include "publishing/docx/XmlUtil.h"
#include "publishing/word/FieldCode.h"
#include "publishing/word/NumberFormat.h"
#include "publishing/word/SymbolFonts.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <map>
#include <optional>

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

model::PageGeometry geometry(const std::optional<SectionProps>& s) {
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

// Resolves a floating object's offsets against the page geometry.
model::PictureAnchor placeAnchor(const Drawing& d, double widthPt, double heightPt, const model::PageGeometry& g) {
    model::PictureAnchor a;
    if (d.simplePos) {
        a.xPt = emuToPt(d.simplePos->first);
        a.yPt = emuToPt(d.simplePos->second);
        return a;
    }
    const double textWidth = std::max(0.0, g.widthPt - g.marginLeftPt - g.marginRightPt);
    const double textHeight = std::max(0.0, g.heightPt - g.marginTopPt - g.marginBottomPt);
    double origin = g.marginLeftPt, extent = textWidth;
    const std::string& rh = d.horizontal.relativeFrom;
    if (rh == "page") { origin = 0; extent = g.widthPt; }
    else if (rh == "leftMargin" || rh == "insideMargin") { origin = 0; extent = g.marginLeftPt; }
    else if (rh == "rightMargin" || rh == "outsideMargin") { origin = g.widthPt - g.marginRightPt; extent = g.marginRightPt; }
    if (d.horizontal.align) {
        const std::string& al = *d.horizontal.align;
        a.xPt = al == "center" ? origin + (extent - widthPt) / 2
              : (al == "right" || al == "outside") ? origin + extent - widthPt
                                                   : origin;
    } else {
        a.xPt = origin + emuToPt(d.horizontal.offset.value_or(0));
    }
    origin = g.marginTopPt;
    extent = textHeight;
    const std::string& rv = d.vertical.relativeFrom;
    if (rv == "page") { origin = 0; extent = g.heightPt; }
    else if (rv == "topMargin") { origin = 0; extent = g.marginTopPt; }
    else if (rv == "bottomMargin") { origin = g.heightPt - g.marginBottomPt; extent = g.marginBottomPt; }
    // "paragraph" and "line" depend on the layout; the top of the text area
    // is the best known reference before layout.
    if (d.vertical.align) {
        const std::string& al = *d.vertical.align;
        a.yPt = al == "center" ? origin + (extent - heightPt) / 2
              : (al == "bottom" || al == "outside") ? origin + extent - heightPt
                                                    : origin;
    } else {
        a.yPt = origin + emuToPt(d.vertical.offset.value_or(0));
    }
    a.xPt = std::clamp(a.xPt, 0.0, std::max(0.0, g.widthPt - std::min(widthPt, g.widthPt)));
    a.yPt = std::clamp(a.yPt, 0.0, std::max(0.0, g.heightPt - std::min(heightPt, g.heightPt)));
    return a;
}

struct FieldFrame {
    bool inResult = false;
    std::string code;          // the field's instruction text
    bool replaced = false;     // the reader computed the result itself
    model::FieldKind kind = model::FieldKind::None;   // a page-dependent result
    std::optional<word::NumberFormat> format;          // of a page-dependent result
    std::string argument;                              // STYLEREF: the style
    int serial = 0;            // tells the runs of one field from the next one's
    bool shown = false;        // some of the result was appended
    // Reads what the layout needs of a page-dependent field from its code.
    void takeCode() {
        const word::FieldCode parsed = word::parseFieldCode(code);
        kind = word::pageFieldKind(parsed);
        format = word::fieldNumberFormat(parsed);
        if (kind == model::FieldKind::StyleRef) argument = word::styleRefStyle(parsed);
    }
};

// Tab stops that put each cell of a row after the first at the left edge
// of its grid column, measured from the row paragraph's left indent. None
// when the table has no grid.
std::optional<std::vector<double>> columnStops(const std::vector<int>& grid, const TableRow& row,
                                               double leftIndentPt) {
    if (grid.empty() || row.cells.size() < 2) return std::nullopt;
    std::vector<double> starts;            // left edge of every grid column, and the table's right edge
    double x = 0.0;
    for (int w : grid) {
        starts.push_back(x);
        x += twipsToPt(w);
    }
    starts.push_back(x);
    std::vector<double> stops;
    std::size_t column = static_cast<std::size_t>(row.gridBefore);
    for (std::size_t ci = 0; ci < row.cells.size(); ++ci) {
        if (column >= starts.size()) break;
        const double stop = starts[column] - leftIndentPt;
        if (ci > 0 && stop > 0.0 && (stops.empty() || stop > stops.back() + 0.01)) stops.push_back(stop);
        column += static_cast<std::size_t>(row.cells[ci].gridSpan);
    }
    return stops;
}

class DocumentConverter {
public:
    explicit DocumentConverter(const WordDocument& doc)
        : doc_(doc), resolver_(doc.styles, doc.theme), labels_(doc.numbering, &doc.styles) {}

    model::Document run();

private:
    // Converts a story's blocks, appending to out.
    void story(const std::vector<Block>& blocks, std::vector<model::Block>& out);
    void paragraph(const Paragraph& p, std::vector<model::Block>& out);
    void table(const Table& t, std::vector<model::Block>& out);
    void appendText(model::Paragraph& p, const std::string& text, const model::CharProps& props);
    // Appends a run that stands for a page-dependent field's result.
    void appendField(model::Paragraph& p, const std::string& text, const model::CharProps& props,
                     const FieldFrame& field);
    // The note with this id, as an index into the document's notes (made on first use).
    int noteIndex(bool endnote, int id);
    void sectionLayout(const SectionProps& props, model::Section& s) const;
    std::vector<model::Block> headerFooterBlocks(const std::string& partName);
    void closeSection(const std::optional<SectionProps>& props);

    const WordDocument& doc_;
    PropertyResolver resolver_;
    ListLabeler labels_;
    std::vector<FieldFrame> fields_;
    int fieldSerial_ = 0;
    int lastFieldRun_ = 0;     // serial of the field the last appended field run belongs to

    model::Document out_;
    std::vector<model::Block> sectionBlocks_;
    // Floating pictures wait for the page geometry of their section, which
    // is only known at its end. Until then a picture's anchor holds
    // xPt = -1 - (index into pendingAnchors_).
    std::vector<Drawing> pendingAnchors_;
    // The headers and footers in effect (default, first page, even pages):
    // a section that gives none of a kind keeps the one before it.
    std::array<std::vector<model::Block>, 3> headers_, footers_;
    std::map<std::string, std::vector<model::Block>> partCache_;

    std::map<int, int> footnoteIndexes_, endnoteIndexes_;   // note id -> index into out_.notes
    std::vector<int> footnoteOrder_, endnoteOrder_;
    int currentNote_ = -1;     // the note whose text is being converted
    std::string currentNoteMark_;  // and its number until the layout numbers it
    int pendingCustomMark_ = -1;   // a note whose own mark is the text that follows
};

bool visible(const std::vector<FieldFrame>& fields) {
    for (const auto& f : fields)
        if (!f.inResult || f.replaced) return false;
    return true;
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
    if (!p.runs.empty() && p.runs.back().props == props && p.runs.back().field == model::FieldKind::None)
        p.runs.back().text += text;
    else p.runs.push_back(model::Run{text, props});
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

void DocumentConverter::paragraph(const Paragraph& p, std::vector<model::Block>& out) {
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
    std::vector<model::Block> after;       // text boxes and floating pictures

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

    if (label && !label->text.empty()) {
        RunProps labelProps = level->runProps;
        model::CharProps cp = resolver_.resolveRun(pStyle, p.props.markRunProps, &labelProps);
        if (isSymbolFont(cp.font)) cp.font = resolver_.resolveRun(pStyle, p.props.markRunProps).font;
        cp.underline = model::Underline::None;
        appendText(current, label->text, cp);
    }

    for (const Run& run : p.runs) {
        const model::CharProps cp = resolver_.resolveRun(pStyle, run.props);
        for (const RunItem& item : run.items) {
            if (const auto* f = std::get_if<FieldChar>(&item)) {
                if (f->kind == "begin") {
                    fields_.push_back(FieldFrame{});
                    fields_.back().serial = ++fieldSerial_;
                } else if (f->kind == "separate" && !fields_.empty() && !fields_.back().inResult) {
                    fields_.back().inResult = true;
                    fields_.back().takeCode();
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
                }
                continue;
            }
            if (const auto* instr = std::get_if<InstrText>(&item)) {
                if (!fields_.empty() && !fields_.back().inResult) fields_.back().code += instr->text;
                continue;
            }
            if (!visible(fields_)) continue;
            std::visit(
                [&](const auto& v) {
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
                        if (code >= 0xF000 && code <= 0xF0FF && !isSymbolFont(v.font)) code -= 0xF000;
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
                                Drawing anchorOnly = v;
                                anchorOnly.images.clear();
                                anchorOnly.textBoxes.clear();
                                pendingAnchors_.push_back(std::move(anchorOnly));
                                pic.anchor = model::PictureAnchor{-static_cast<double>(pendingAnchors_.size()), 0.0};
                                after.push_back(std::move(pic));
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
                        for (const std::string& part : v.diagramParts) {
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
                        for (const auto& box : v.textBoxes) {
                            // A text box is a story of its own: fields do not cross it.
                            auto saved = std::move(fields_);
                            fields_.clear();
                            story(box, after);
                            fields_ = std::move(saved);
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
    for (auto& b : after) out.push_back(std::move(b));
}

void DocumentConverter::table(const Table& t, std::vector<model::Block>& out) {
    struct Restore {
        PropertyResolver& r;
        std::string previous;
        ~Restore() { r.setTableStyle(previous); }
    } restore{resolver_, resolver_.setTableStyle(t.styleId.value_or(""))};
    for (const TableRow& row : t.rows) {
        model::Paragraph line;
        bool haveProps = false;
        std::vector<model::Block> extra;
        for (std::size_t ci = 0; ci < row.cells.size(); ++ci) {
            if (ci > 0) {
                model::CharProps cp = line.runs.empty() ? model::CharProps{} : line.runs.back().props;
                appendText(line, "\t", cp);
            }
            std::vector<model::Block> cellBlocks;
            story(row.cells[ci].blocks, cellBlocks);
            bool firstPara = true;
            for (auto& b : cellBlocks) {
                if (auto* para = std::get_if<model::Paragraph>(&b)) {
                    if (!haveProps) {
                        line.props = para->props;
                        haveProps = true;
                    }
                    if (!firstPara) {
                        model::CharProps cp = line.runs.empty() ? model::CharProps{} : line.runs.back().props;
                        appendText(line, "\n", cp);
                    }
                    firstPara = false;
                    for (auto& r : para->runs) {
                        if (r.field == model::FieldKind::None) appendText(line, r.text, r.props);
                        else line.runs.push_back(std::move(r));
                    }
                } else if (std::holds_alternative<model::Picture>(b)) {
                    extra.push_back(std::move(b));
                }
            }
        }
        if (auto stops = columnStops(t.gridTwips, row, line.props.leftIndentPt)) line.props.tabStopsPt = *stops;
        out.push_back(std::move(line));
        for (auto& b : extra) out.push_back(std::move(b));
    }
}

void DocumentConverter::story(const std::vector<Block>& blocks, std::vector<model::Block>& out) {
    for (const Block& b : blocks) {
        if (const auto* p = std::get_if<Paragraph>(&b.content)) paragraph(*p, out);
        else if (const auto* t = std::get_if<Table>(&b.content)) table(*t, out);
    }
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

void DocumentConverter::closeSection(const std::optional<SectionProps>& props) {
    model::Section s;
    s.page = geometry(props);
    for (model::Block& b : sectionBlocks_) {
        auto* pic = std::get_if<model::Picture>(&b);
        if (!pic || !pic->anchor || pic->anchor->xPt >= 0) continue;
        auto index = static_cast<std::size_t>(-pic->anchor->xPt - 1);
        if (index < pendingAnchors_.size())
            pic->anchor = placeAnchor(pendingAnchors_[index], pic->widthPt, pic->heightPt, s.page);
    }
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

model::Document DocumentConverter::run() {
    const CoreProperties& c = doc_.core;
    out_.properties.title = c.title;
    out_.properties.subject = c.subject;
    out_.properties.author = c.creator;
    out_.properties.keywords = c.keywords;
    out_.properties.created = c.created;
    out_.properties.modified = c.modified;

    // The body: a paragraph that carries a sectPr ends its section.
    for (const Block& b : doc_.body.blocks) {
        model::checkBudget();
        std::vector<model::Block> blocks;
        if (const auto* p = std::get_if<Paragraph>(&b.content)) paragraph(*p, blocks);
        else if (const auto* t = std::get_if<Table>(&b.content)) table(*t, blocks);
        for (auto& blk : blocks) {
            // A page break before anything else would only add an empty page.
            if (std::holds_alternative<model::PageBreak>(blk) && out_.sections.empty() && sectionBlocks_.empty())
                continue;
            sectionBlocks_.push_back(std::move(blk));
        }
        if (const auto* p = std::get_if<Paragraph>(&b.content); p && p->props.section) closeSection(p->props.section);
    }

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
            out_.notes[static_cast<std::size_t>(currentNote_)].blocks = std::move(blocks);
            fields_ = std::move(saved);
        }
        currentNote_ = -1;
    };
    closeSection(doc_.finalSection);
    convertNotes(doc_.footnotes, false);
    convertNotes(doc_.endnotes, true);
    return std::move(out_);
}

} // namespace

model::Document convertDocument(const WordDocument& doc) {
    DocumentConverter c(doc);
    return c.run();
}

} // namespace fq::docx
