// Fills pages with the flow of a document: paragraphs line by line in the
// columns of their section (Word's rules for widows and orphans, keeping
// lines and paragraphs together and page breaks before), narrowed beside
// floating objects or moved below them, footnotes at the foot of the page
// that refers to them, inline pictures, shapes and tables in between
// (pictures side by side when they share a paragraph; pictures in a line
// of text on its baseline, the line as tall as they are), floating pictures
// and shapes where they are anchored, and on every page the header and
// footer its section gives that page (first, even or odd) with their
// tables and drawings (see HeaderFooterArea), and the section's page border.
#pragma once

#include "publishing/layout/Anchored.h"
#include "publishing/layout/FlowText.h"
#include "publishing/layout/HeaderFooterArea.h"
#include "publishing/layout/PageFields.h"
#include "publishing/layout/ParagraphDecor.h"
#include "publishing/layout/Wrap.h"
#include "publishing/model/Publication.h"

#include <map>
#include <memory>
#include <set>
#include <span>
#include <utility>
#include <vector>

namespace fq::layout {

// The areas of a page of one section, in points from the page's corner.
struct SectionFrames {
    double pageWidth = 612.0;
    double pageHeight = 792.0;
    model::Rect body;                       // where the flow goes
    bool hasHeader = false;
    model::Rect header;
    bool hasFooter = false;
    model::Rect footer;
};

// Works out the page size, the text area and the header and footer frames of
// a section, guarding against unusable geometry (zero or negative sizes,
// margins that leave no room).
SectionFrames sectionFrames(const model::Section& section);
// The same for the pages that show the given header and footer.
SectionFrames sectionFrames(const model::Section& section, const std::vector<model::Block>& header,
                            const std::vector<model::Block>& footer);

// Size a picture is shown at: its stated size, or the image's own size
// when the document gave none.
model::Rect pictureSize(const model::Picture& picture);

class PageBuilder {
public:
    explicit PageBuilder(model::Publication& publication) : out_(publication) {}

    // The document's footnotes and endnotes, which the note references of
    // the flow refer to.
    void setNotes(const std::vector<model::Note>& notes) { notes_ = &notes; }
    // Starts the section: on a new page, or below what came before when it
    // starts continuously (or in the next column).
    void startSection(const model::Section& section);
    // following: the blocks that follow in the flow, for "keep with next"
    // and contextual spacing.
    void addParagraph(const model::Paragraph& paragraph, std::span<const model::Block> following = {});
    // A floating picture or shape stands before the paragraph that anchors
    // it (anchoring; null when none follows): an object that moves with its
    // paragraph is measured from where that paragraph will begin.
    void addPicture(const model::Picture& picture, const model::Paragraph* anchoring = nullptr);
    // A drawn shape: floating where its anchor puts it, or in the flow.
    void addShape(const model::DrawingShape& shape, const model::Paragraph* anchoring = nullptr);
    // Ends the text frame above the table, lays the table out in the
    // current column (see TableLayout) and lets a new frame begin below it.
    void addTable(const model::Table& table);
    // An explicit break: to the next page, or to the next column.
    void pageBreak(bool column = false);
    // The endnotes referred to so far and not yet placed, after a separator,
    // in the flow; with onlyThisSection, those the current section refers to.
    void addEndnotes(bool onlyThisSection);
    // Closes the last page; gives an empty document its one page; numbers
    // the notes.
    void finish();

    // What the page fields need to know of every page.
    const std::vector<PageInfo>& pageInfo() const { return pageInfo_; }

private:
    // What fits of a paragraph in the current column.
    struct Fit {
        std::size_t lines = 0;              // lines that fit (the last one may leave its note to go on)
    };
    // Lines of the band placed on this page, for balancing the columns.
    struct PlacedLines {
        FlowParagraph flow;
        std::size_t first = 0, end = 0;
        double before = 0.0, after = 0.0;
    };

    // The frames, text, tables and drawings of the pages that show one
    // header and footer variant (0 default, 1 first page, 2 even pages),
    // laid out in the areas frames.header and frames.footer.
    struct Variant {
        SectionFrames frames;
        HeaderFooterArea header, footer;
    };
    const Variant& variant(int kind);
    void newPage(bool byOverflow);
    void finishPage();
    void closeFrame(double bottom);
    // Moves the flow to the next column, or to the next page after the last.
    void nextColumn();
    void startBand(const model::Section& section, double top);
    // Evens out the columns of the band that ends here (a section that a
    // continuous one follows), then lets the flow go on below it.
    void balanceBand();
    // The lines between the band's columns, when its section asks for them.
    void drawColumnLines();
    model::Rect columnArea() const;
    // The stretch of the current column a line from y to y + h is set in:
    // the column, or beside the floating objects it runs level with.
    Column textColumnAt(double y, double h) const;
    double columnBottom() const;
    bool atColumnTop() const;
    model::Page& page() { return out_.pages.back(); }

    // Paragraph placement (PageText.cpp).
    FlowParagraph measure(const model::Paragraph& paragraph, double width) const;
    double keepChainHeight(const FlowParagraph& first, std::span<const model::Block> following) const;
    Fit fitLines(const FlowParagraph& flow, std::size_t from, double before) const;
    // opens: the paragraph's first lines.
    void placeLines(const FlowParagraph& flow, std::size_t first, std::size_t end, double before, double after,
                    bool opens);
    // How many lines from `from` on stand in the open frame's stretch before
    // a floating object narrows, widens or interrupts it (at least one).
    // The inline pictures of the line, standing on its baseline; the line
    // begins at the cursor.
    void placeLinePictures(const FlowParagraph& flow, std::size_t line);
    std::size_t wrapRun(const FlowParagraph& flow, std::size_t from, double before) const;
    std::vector<int> notesOf(const FlowParagraph& flow, std::size_t line) const;
    const std::vector<FlowParagraph>& noteText(int note) const;
    void placeNotes(const std::vector<int>& notes);
    // The notes the paragraphs of a table piece refer to.
    void placeTableNotes(const model::TableFrame& table);
    void placePendingNotes();
    double notesHeight() const;
    void numberNote(int note);
    // Gives every note mark of the publication its number.
    void numberNoteMarks();

    // Inline pictures (side by side in a row while they fit).
    void placeRow();

    // Floating objects, page borders, header and footer drawings and
    // paragraph boxes (PageDrawings.cpp).
    void placeFloating(model::Shape shape, const model::FloatingAnchor& anchor);
    double anchoringTop(const model::Paragraph* anchoring) const;
    void beginPageDrawings(const Variant& v);
    void endPageDrawings();

    model::Publication& out_;
    const std::vector<model::Note>* notes_ = nullptr;
    const model::Section* section_ = nullptr;
    std::size_t sectionIndex_ = 0;
    bool sectionStartsPage_ = true;         // the section's first page is still to come
    std::map<int, Variant> variants_;       // of the current section
    SectionFrames frames_;                  // of the open page
    bool pageOpen_ = false;
    bool topByOverflow_ = false;            // the column began because the previous one was full
    bool bodyUsed_ = false;                 // a line or inline picture sits in the current column
    double cursor_ = 0.0;                   // next free y in the current column
    double frameTop_ = 0.0;                 // where the open text frame begins
    std::vector<FrameParagraph> frameParagraphs_;
    std::uint32_t flow_ = 0;                // the section's flow number
    bool frameContinues_ = false;           // the open frame's last paragraph goes on in the next
    std::vector<model::Shape> footer_;      // the page's footer shapes, put on it when it is finished
    std::size_t backShapes_ = 0;            // anchored pictures at the back of the page's shapes
    std::vector<PageInfo> pageInfo_;

    // The columns of the band the flow fills, and the band's lines on this
    // page (while it holds text only, it can be balanced).
    std::vector<Column> columns_;
    std::size_t column_ = 0;
    Column textColumn_;                     // the stretch of it the open frame is set in
    double bandTop_ = 0.0;
    double bandReach_ = 0.0;                // the lowest the band's columns reach
    std::size_t bandShapes_ = 0;            // the page's shapes before the band's
    std::vector<PlacedLines> bandLines_;
    bool bandBalanceable_ = true;

    // The paragraph before, for contextual spacing.
    std::string lastStyle_;

    // Notes: their text measured once, the ones at the foot of this page and
    // what continues on the next, numbers and placement.
    mutable std::map<int, std::vector<FlowParagraph>> noteText_;
    std::vector<FrameParagraph> pageNotes_;
    double pageNotesHeight_ = 0.0;
    struct PendingNote {
        int note = -1;
        std::size_t paragraph = 0, line = 0; // where its text goes on
    };
    std::vector<PendingNote> pendingNotes_;
    std::map<int, std::string> noteMarks_;  // note -> its mark as numbered
    std::size_t footnoteSection_ = 0, endnoteSection_ = 0;   // where the counters were last restarted
    std::size_t footnotePage_ = 0;
    int footnoteCounter_ = 0, endnoteCounter_ = 0;
    std::vector<int> endnotesReferred_;
    std::set<int> endnotesPlaced_;

    // Inline pictures of one paragraph stand side by side in a row while
    // they fit the column's width. Any other block closes the row.
    std::vector<std::size_t> row_;          // indices into the page's shapes
    double rowTop_ = 0.0;
    double rowWidth_ = 0.0;
    double rowHeight_ = 0.0;
    model::Alignment rowAlignment_ = model::Alignment::Left;

    // Drawings: the zones the text avoids, boxes of bordered paragraphs,
    // floating objects in front of the text (with their z-order), where
    // the last paragraph began (for objects at the end of the flow).
    WrapZones wrap_;
    ParagraphDecor decor_;
    std::vector<std::pair<int, model::Shape>> front_;
    // Layer (behind the text, or wrapped by it) and z-order of the floating
    // objects at the back of the page, as they stand.
    std::vector<std::pair<int, int>> backOrder_;
    std::size_t floatsStart_ = 0;           // where they begin among the page's shapes
    double paragraphTop_ = 0.0;
    int pageInSection_ = 0;
};

} // namespace fq::layout
