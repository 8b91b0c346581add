// Paragraphs in the flow: Word's pagination rules (widows and orphans,
// keep lines together, keep with next, page break before), the spacing
// between paragraphs (none at the top of a column the text flowed into,
// none between paragraphs of one style that say so), lines set beside the
// floating objects they run level with or moved below them, and the notes
// their lines refer to at the foot of the page.
#include "publishing/layout/PageBuilder.h"
#include "publishing/model/Budget.h"

#include "publishing/layout/NoteText.h"
#include "publishing/layout/TableLayout.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace fq::layout {

namespace {

constexpr double kEpsilon = 0.01;
constexpr std::size_t kKeepChainLimit = 20;   // paragraphs looked ahead for "keep with next"

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

bool sameStyle(const std::string& a, const std::string& b) { return !a.empty() && a == b; }

const model::Paragraph* firstParagraph(std::span<const model::Block> blocks) {
    return blocks.empty() ? nullptr : std::get_if<model::Paragraph>(&blocks.front());
}

void collectParagraphs(const std::vector<model::Block>& blocks, std::vector<const model::Paragraph*>& out) {
    for (const auto& b : blocks) {
        if (const auto* p = std::get_if<model::Paragraph>(&b)) out.push_back(p);
        else if (const auto* t = std::get_if<model::Table>(&b))
            for (const auto& row : t->rows)
                for (const auto& cell : row.cells) collectParagraphs(cell.blocks, out);
    }
}

bool holdsPicture(const MeasuredParagraph& m, std::size_t line) {
    return std::any_of(m.pictures.begin(), m.pictures.end(), [&](const MeasuredPicture& p) { return p.line == line; });
}

double paragraphHeight(const FlowParagraph& f) {
    const auto& props = f.paragraph->props;
    return spacing(props.spaceBeforePt, 1000.0) + f.height(0, f.lineCount()) + spacing(props.spaceAfterPt, 1000.0);
}

} // namespace

FlowParagraph PageBuilder::measure(const model::Paragraph& paragraph, double width) const {
    return flowParagraph(paragraph, width, section_ ? section_->gridLinePitchPt : 0.0);
}

void PageBuilder::addParagraph(const model::Paragraph& given, std::span<const model::Block> following) {
    if (!pageOpen_) newPage(false);
    row_.clear();
    const bool pageHasText = bodyUsed_ || column_ > 0 || !frameParagraphs_.empty() ||
                             cursor_ > frames_.body.yPt + kEpsilon;
    if (given.props.pageBreakBefore && pageHasText) newPage(false);

    // Beside a floating object the paragraph is set in a narrower frame.
    auto follow = [&](const Column& stretch) {
        if (stretch == textColumn_) return;
        closeFrame(cursor_);
        frameTop_ = cursor_;
        textColumn_ = stretch;
        bandBalanceable_ = false;
    };
    follow(textColumnAt(cursor_, 1.0));
    FlowParagraph flow = measure(given, textColumn_.widthPt);
    const model::ParaProps props = flow.paragraph->props;   // a copy: flow is measured anew in another column
    const double limit = frames_.body.heightPt;
    const model::Paragraph* next = firstParagraph(following);
    // Between paragraphs of one style, one that says so has no space.
    const bool quietBefore = props.contextualSpacing && sameStyle(lastStyle_, props.styleName);
    const bool quietAfter = props.contextualSpacing && next && sameStyle(next->props.styleName, props.styleName);
    const double after = quietAfter ? 0.0 : spacing(props.spaceAfterPt, limit);
    auto spaceBefore = [&]() {
        // None at the top of a column the text flowed into, nor automatic
        // space at the top of a page.
        const bool pageTop = bandTop_ <= frames_.body.yPt + kEpsilon;
        if (quietBefore || (atColumnTop() && (topByOverflow_ || (props.spaceBeforeAuto && pageTop)))) return 0.0;
        return spacing(props.spaceBeforePt, limit);
    };

    if (!atColumnTop()) {
        const double room = columnBottom() - cursor_;
        const double full = columnBottom() - bandTop_;
        const double own = flow.height(0, flow.lineCount());
        bool move = false;
        if (props.keepLinesTogether && spaceBefore() + own > room && own <= full) move = true;
        const bool tableNext = !following.empty() && std::holds_alternative<model::Table>(following.front());
        if (!move && props.keepWithNext && (next || tableNext)) {
            const double chain = spaceBefore() + keepChainHeight(flow, following) - spacing(props.spaceBeforePt, limit);
            move = chain > room + kEpsilon && chain <= full;
        }
        if (move) {
            nextColumn();
            follow(textColumnAt(cursor_, 1.0));
            flow = measure(given, textColumn_.widthPt);
        }
    }

    double measuredWidth = textColumn_.widthPt;
    std::size_t n = flow.lineCount();
    double before = spaceBefore();
    std::size_t i = 0;
    bool started = false;                   // lines of the paragraph stand in the flow
    double switchedAt = -1.0;               // a line whose height changes with the width switches once
    while (i < n) {
        model::checkBudget();
        const double lead = started ? 0.0 : before;
        if (!wrap_.empty()) {
            const double top = cursor_ + lead;
            const double h = flow.measured->lines[i].heightPt;
            // Beside a floating object, or back to the column's width below it.
            if (const Column want = textColumnAt(top, h); !(want == textColumn_) && switchedAt != top) {
                switchedAt = top;
                follow(want);
            }
            // A line that would run into a floating object goes below it,
            // unless nothing of the column would be left for it.
            const double below = wrap_.clearBelow(top, h, textColumn_);
            if (below > top + kEpsilon && !(atColumnTop() && below + h > columnBottom() + kEpsilon)) {
                closeFrame(cursor_);
                cursor_ = frameTop_ = below;
                before = 0.0;
                bandBalanceable_ = false;
                follow(textColumnAt(cursor_, h));
                continue;
            }
        }
        if (std::fabs(textColumn_.widthPt - measuredWidth) > kEpsilon) {
            // What is left of the paragraph is measured again at the new width.
            flow = started || i > 0 ? restOf(flow, i, textColumn_.widthPt, section_ ? section_->gridLinePitchPt : 0.0)
                                    : measure(given, textColumn_.widthPt);
            measuredWidth = textColumn_.widthPt;
            n = flow.lineCount();
            i = 0;
            continue;
        }
        const Fit fit = fitLines(flow, i, lead);
        std::size_t k = fit.lines;
        // Lines up to where a floating object changes the stretch they are set in.
        const std::size_t run = wrapRun(flow, i, lead);
        const bool wrapCut = run < k;
        if (wrapCut) {
            k = run;
        } else if (i + k < n && props.widowControl && n >= 2) {
            if (!started && k == 1) k = 0;                    // no first line alone at the foot
            else if (n - (i + k) == 1 && k >= 1) {            // no last line alone at the top
                k -= 1;
                if (!started && k == 1) k = 0;
            }
        }
        if (k == 0 && atColumnTop()) k = std::max<std::size_t>(1, fit.lines);   // a line taller than the column
        if (k > 0) {
            placeLines(flow, i, i + k, lead, i + k == n ? after : 0.0, !started);
            started = true;
            i += k;
        }
        if (i < n && !wrapCut) {
            nextColumn();
            before = 0.0;
            follow(textColumnAt(cursor_, flow.measured->lines[i].heightPt));
        }
    }
    decor_.paragraphEnd();
    lastStyle_ = props.styleName;
}

std::size_t PageBuilder::wrapRun(const FlowParagraph& flow, std::size_t from, double before) const {
    if (wrap_.empty()) return flow.lineCount() - from;
    double y = cursor_ + before;
    std::size_t j = from;
    for (; j < flow.lineCount(); ++j) {
        const double h = flow.measured->lines[j].heightPt;
        if (j > from && (!(textColumnAt(y, h) == textColumn_) || wrap_.clearBelow(y, h, textColumn_) > y + kEpsilon))
            break;
        y += h;
    }
    return j - from;
}

double PageBuilder::keepChainHeight(const FlowParagraph& first, std::span<const model::Block> following) const {
    // The paragraph, the ones after it that keep with their next, and the
    // first lines of the one that ends the chain (or a table's first row).
    double h = paragraphHeight(first);
    const double width = columnArea().widthPt;
    std::size_t count = 0;
    for (const auto& block : following) {
        if (const auto* t = std::get_if<model::Table>(&block)) {
            h += firstRowHeight(*t, columnArea(), frames_.pageWidth);
            break;
        }
        const auto* p = std::get_if<model::Paragraph>(&block);
        if (!p || ++count > kKeepChainLimit) break;
        const FlowParagraph f = measure(*p, width);
        if (p->props.keepWithNext) {
            h += paragraphHeight(f);
            continue;
        }
        // With widow control two lines at least, and all of a paragraph of
        // three (two would leave the third alone).
        const std::size_t n = f.lineCount();
        const std::size_t lines = !p->props.widowControl ? 1 : n <= 3 ? n : 2;
        h += spacing(p->props.spaceBeforePt, 1000.0) + f.height(0, lines);
        break;
    }
    return h;
}

PageBuilder::Fit PageBuilder::fitLines(const FlowParagraph& flow, std::size_t from, double before) const {
    Fit fit;
    const double bodyBottom = frames_.body.yPt + frames_.body.heightPt;
    double y = cursor_ + before;
    double notes = notesHeight();
    bool anyNotes = !pageNotes_.empty();
    std::vector<int> counted;
    for (std::size_t j = from; j < flow.lineCount(); ++j) {
        const double h = flow.measured->lines[j].heightPt;
        double full = 0.0, least = 0.0;
        bool first = true;
        for (int note : notesOf(flow, j)) {
            if (noteMarks_.count(note) || std::find(counted.begin(), counted.end(), note) != counted.end()) continue;
            if (notes_->at(static_cast<std::size_t>(note)).kind != model::Note::Kind::Footnote) continue;
            const auto& text = noteText(note);
            double height = 0.0;
            for (const auto& f : text) height += paragraphHeight(f);
            const double separator = anyNotes || !first || text.empty() ? 0.0 : text.front().measured->lines.front().heightPt;
            if (first && !text.empty()) least = separator + text.front().measured->lines.front().heightPt;
            full += separator + height;
            first = false;
        }
        if (y + h + notes + full <= bodyBottom + kEpsilon) {
            y += h;
            notes += full;
            anyNotes = anyNotes || full > 0.0;
            for (int note : notesOf(flow, j)) counted.push_back(note);
            ++fit.lines;
            continue;
        }
        if (full > 0.0 && y + h + notes + least <= bodyBottom + kEpsilon) {
            // The line fits with the start of its note, which goes on on the next page.
            ++fit.lines;
        }
        break;
    }
    return fit;
}

void PageBuilder::placeLines(const FlowParagraph& flow, std::size_t first, std::size_t end, double before,
                             double after, bool opens) {
    const model::ParaProps& props = flow.paragraph->props;
    // A line that holds a picture has a height of its own: it begins a
    // written paragraph, whose space before sets it (see FrameLines.h).
    for (std::size_t from = first, j = first + 1; j <= end; ++j) {
        if (j < end && !holdsPicture(*flow.measured, j)) continue;
        frameParagraphs_.push_back(framePart(flow, from, j, from == first ? before : 0.0, j == end ? after : 0.0));
        from = j;
    }
    frameContinues_ = end < flow.lineCount();
    if (columns_.size() > 1) bandLines_.push_back({flow, first, end, before, after});
    // The boxes of bordered paragraphs are drawn where the lines first stood.
    if (props.borders.any() || props.shading) bandBalanceable_ = false;
    if (opens && !props.styleName.empty())
        pageInfo_.back().styled.emplace_back(lower(props.styleName), flow.paragraph->plainText());
    cursor_ += before;
    if (opens) {
        paragraphTop_ = cursor_;
        decor_.paragraph(props, textColumn_.xPt, textColumn_.xPt + textColumn_.widthPt, cursor_);
    }
    for (std::size_t j = first; j < end; ++j) {
        placeLinePictures(flow, j);
        cursor_ += flow.measured->lines[j].heightPt;
        decor_.extend(cursor_);
        placeNotes(notesOf(flow, j));
    }
    cursor_ += after;
    bodyUsed_ = true;
    bandReach_ = std::max(bandReach_, cursor_);
}

void PageBuilder::placeLinePictures(const FlowParagraph& flow, std::size_t line) {
    const MeasuredParagraph& m = *flow.measured;
    const MeasuredLine& l = m.lines[line];
    const double baseline = cursor_ + l.heightPt - l.textDropPt - l.descentPt;
    const double left = textColumn_.xPt + std::max(0.0, flow.paragraph->props.leftIndentPt);
    for (const MeasuredPicture& placed : m.pictures) {
        if (placed.line != line) continue;
        const model::Picture& picture = *flow.paragraph->runs[placed.run].picture;
        const model::Rect rect{left + placed.xPt, baseline - picture.heightPt, picture.widthPt, picture.heightPt};
        page().shapes.push_back({rect, model::PictureFrame{picture.format, picture.data, picture.description}});
        // Balancing the columns would move the line away from its picture.
        bandBalanceable_ = false;
    }
}

std::vector<int> PageBuilder::notesOf(const FlowParagraph& flow, std::size_t line) const {
    std::vector<int> out;
    if (!notes_) return out;
    const MeasuredParagraph& m = *flow.measured;
    const int from = m.lines[line].start;
    const int to = line + 1 < m.lines.size() ? m.lines[line + 1].start : m.text.size() + 1;
    const auto& runs = flow.paragraph->runs;
    for (std::size_t r = 0; r < runs.size() && r < m.runStarts.size(); ++r) {
        const model::Run& run = runs[r];
        if (run.field != model::FieldKind::NoteReference || run.note < 0 ||
            static_cast<std::size_t>(run.note) >= notes_->size())
            continue;
        if (m.runStarts[r] >= from && m.runStarts[r] < to) out.push_back(run.note);
    }
    return out;
}

const std::vector<FlowParagraph>& PageBuilder::noteText(int note) const {
    auto it = noteText_.find(note);
    if (it != noteText_.end()) return it->second;
    std::vector<const model::Paragraph*> paragraphs;
    collectParagraphs(notes_->at(static_cast<std::size_t>(note)).blocks, paragraphs);
    std::vector<FlowParagraph> text;
    for (const auto* p : paragraphs) text.push_back(measure(*p, frames_.body.widthPt));
    return noteText_.emplace(note, std::move(text)).first->second;
}

double PageBuilder::notesHeight() const {
    if (pageNotes_.empty()) return 0.0;
    return pageNotes_.front().lineHeightsPt.front() + pageNotesHeight_;
}

void PageBuilder::numberNote(int note) {
    if (noteMarks_.count(note)) return;
    const model::Note& n = notes_->at(static_cast<std::size_t>(note));
    const bool foot = n.kind == model::Note::Kind::Footnote;
    const model::NoteNumbering& numbering = foot ? section_->footnoteNumbering : section_->endnoteNumbering;
    int& counter = foot ? footnoteCounter_ : endnoteCounter_;
    std::size_t& section = foot ? footnoteSection_ : endnoteSection_;
    if (numbering.restart == model::NoteNumbering::Restart::EachSection && section != sectionIndex_) counter = 0;
    section = sectionIndex_;
    if (foot && numbering.restart == model::NoteNumbering::Restart::EachPage && footnotePage_ != out_.pages.size()) {
        counter = 0;
        footnotePage_ = out_.pages.size();
    }
    if (n.customMark.empty()) ++counter;
    noteMarks_[note] = noteMark(n, numbering.start - 1 + counter, numbering.format);
}

void PageBuilder::placeNotes(const std::vector<int>& notes) {
    for (int note : notes) {
        if (noteMarks_.count(note)) continue;
        numberNote(note);
        if (notes_->at(static_cast<std::size_t>(note)).kind == model::Note::Kind::Endnote) {
            endnotesReferred_.push_back(note);
            continue;
        }
        if (!pendingNotes_.empty()) {
            pendingNotes_.push_back({note, 0, 0});
            continue;
        }
        const auto& text = noteText(note);
        const double bottom = frames_.body.yPt + frames_.body.heightPt;
        std::size_t p = 0;
        for (; p < text.size(); ++p) {
            const FlowParagraph& f = text[p];
            const double separator = pageNotes_.empty() ? f.measured->lines.front().heightPt : 0.0;
            const double before = spacing(f.paragraph->props.spaceBeforePt, 1000.0);
            const double after = spacing(f.paragraph->props.spaceAfterPt, 1000.0);
            // The lines that fit under the text placed so far.
            std::size_t lines = 0;
            double used = cursor_ + notesHeight() + separator + before;
            while (lines < f.lineCount() && used + f.measured->lines[lines].heightPt <= bottom + kEpsilon)
                used += f.measured->lines[lines++].heightPt;
            if (lines == 0 && pageNotes_.empty()) lines = 1;   // the reference's line keeps at least one
            if (lines == 0) break;
            const bool whole = lines == f.lineCount();
            pageNotes_.push_back(framePart(f, 0, lines, before, whole ? after : 0.0));
            pageNotesHeight_ += before + f.height(0, lines) + (whole ? after : 0.0);
            if (!whole) {
                pendingNotes_.push_back({note, p, lines});
                ++p;
                break;
            }
        }
        if (p < text.size() && (pendingNotes_.empty() || pendingNotes_.back().note != note))
            pendingNotes_.push_back({note, p, 0});
    }
}

void PageBuilder::placeTableNotes(const model::TableFrame& table) {
    if (!notes_) return;
    std::vector<int> notes;
    for (const auto& cell : table.cells)
        for (const auto& paragraph : cell.paragraphs)
            for (const auto& run : paragraph.runs)
                if (run.field == model::FieldKind::NoteReference && run.note >= 0 &&
                    static_cast<std::size_t>(run.note) < notes_->size())
                    notes.push_back(run.note);
    placeNotes(notes);
}

void PageBuilder::placePendingNotes() {
    // What continues from the page before comes first, as far as it leaves
    // the page a line of text.
    const double bottom = frames_.body.yPt + frames_.body.heightPt;
    const double top = frames_.body.yPt + 14.0;
    std::vector<PendingNote> rest;
    for (std::size_t k = 0; k < pendingNotes_.size(); ++k) {
        PendingNote pending = pendingNotes_[k];
        if (!rest.empty()) {
            rest.push_back(pending);
            continue;
        }
        const auto& text = noteText(pending.note);
        while (pending.paragraph < text.size()) {
            const FlowParagraph& f = text[pending.paragraph];
            const double separator = pageNotes_.empty() ? f.measured->lines.front().heightPt : 0.0;
            const double before = pending.line == 0 ? spacing(f.paragraph->props.spaceBeforePt, 1000.0) : 0.0;
            const double after = spacing(f.paragraph->props.spaceAfterPt, 1000.0);
            std::size_t end = pending.line;
            double used = bottom - notesHeight() - separator - before;
            while (end < f.lineCount()) {
                const double h = f.measured->lines[end].heightPt;
                if (used - h < top && !(pageNotes_.empty() && end == pending.line)) break;
                used -= h;
                ++end;
            }
            if (end == pending.line) break;
            const bool whole = end == f.lineCount();
            pageNotes_.push_back(framePart(f, pending.line, end, before, whole ? after : 0.0));
            pageNotesHeight_ += before + f.height(pending.line, end) + (whole ? after : 0.0);
            if (!whole) {
                pending.line = end;
                break;
            }
            ++pending.paragraph;
            pending.line = 0;
        }
        if (pending.paragraph < text.size()) rest.push_back(pending);
    }
    pendingNotes_ = std::move(rest);
}

void PageBuilder::addEndnotes(bool onlyThisSection) {
    if (!notes_) return;
    std::vector<int> notes;
    for (int note : endnotesReferred_)
        if (!endnotesPlaced_.count(note)) notes.push_back(note);
    if (!onlyThisSection) {
        // Notes that nothing refers to come last, so that their text is not lost.
        for (std::size_t k = 0; k < notes_->size(); ++k)
            if (!noteMarks_.count(static_cast<int>(k))) notes.push_back(static_cast<int>(k));
    }
    if (notes.empty()) return;
    if (!pageOpen_) newPage(false);
    // A separator line above the notes, as at a page's foot.
    const auto& firstText = noteText(notes.front());
    const double line = firstText.empty() ? 12.0 : firstText.front().measured->lines.front().heightPt;
    const NoteSeparator separator = noteSeparator(columnArea().widthPt, line);
    row_.clear();
    decor_.interrupt();
    if (cursor_ + separator.heightPt > columnBottom()) nextColumn();
    closeFrame(cursor_);
    bandBalanceable_ = false;
    page().shapes.push_back({{columnArea().xPt, cursor_ + separator.lineOffsetPt, separator.lineWidthPt, 0.0}, separator.line});
    cursor_ += separator.heightPt;
    frameTop_ = cursor_;
    bodyUsed_ = true;
    lastStyle_.clear();
    for (int note : notes) {
        numberNote(note);
        endnotesPlaced_.insert(note);
        std::vector<const model::Paragraph*> paragraphs;
        collectParagraphs(notes_->at(static_cast<std::size_t>(note)).blocks, paragraphs);
        for (const auto* p : paragraphs) addParagraph(*p);
    }
}

void PageBuilder::numberNoteMarks() {
    auto number = [&](std::vector<model::Paragraph>& paragraphs) {
        for (auto& paragraph : paragraphs)
            for (auto& run : paragraph.runs) {
                if (run.field != model::FieldKind::NoteReference) continue;
                const auto mark = noteMarks_.find(run.note);
                if (mark == noteMarks_.end()) continue;
                // A mark of the document's own stands in the text already.
                const model::Note& note = notes_->at(static_cast<std::size_t>(run.note));
                if (note.customMark.empty()) run.text = mark->second;
            }
    };
    for (auto& page : out_.pages)
        for (auto& shape : page.shapes) {
            if (auto* frame = std::get_if<model::TextFrame>(&shape.content)) number(frame->paragraphs);
            else if (auto* table = std::get_if<model::TableFrame>(&shape.content))
                for (auto& cell : table->cells) number(cell.paragraphs);
            else if (auto* drawing = std::get_if<model::DrawingFrame>(&shape.content)) number(drawing->paragraphs);
        }
}

} // namespace fq::layout
