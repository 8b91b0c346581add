// Fills pages with the flow of a document: paragraphs line by line, inline
// pictures in between (side by side when they share a paragraph), anchored
// pictures where they are anchored, and the section's header and footer on
// every page.
#pragma once

#include "publishing/layout/Anchored.h"
#include "publishing/layout/ParagraphDecor.h"
#include "publishing/layout/Wrap.h"
#include "publishing/model/Publication.h"

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

// Size a picture is shown at: its stated size, or the image's own size
// when the document gave none.
model::Rect pictureSize(const model::Picture& picture);

class PageBuilder {
public:
    explicit PageBuilder(model::Publication& publication) : out_(publication) {}

    // Starts the section on a new page.
    void startSection(const model::Section& section);
    // next: the paragraph that follows in the flow, if any, for "keep with
    // next" (a paragraph that must share its page with the next one's first line).
    void addParagraph(const model::Paragraph& paragraph, const model::Paragraph* next = nullptr);
    // A floating picture or shape stands before the paragraph that anchors
    // it (anchoring; null when none follows): an object that moves with its
    // paragraph is measured from where that paragraph will begin.
    void addPicture(const model::Picture& picture, const model::Paragraph* anchoring = nullptr);
    // A drawn shape: floating where its anchor puts it, or in the flow.
    void addShape(const model::DrawingShape& shape, const model::Paragraph* anchoring = nullptr);
    // Ends the text frame above the table, lays the table out (see
    // TableLayout) and lets a new frame begin below it.
    void addTable(const model::Table& table);
    void pageBreak();
    // Closes the last page; gives an empty document its one page.
    void finish();

private:
    void newPage(bool byOverflow);
    void finishPage();
    void closeFrame(double bottom);
    // Puts the pictures of the open row of inline pictures at their places:
    // side by side, on a common bottom line, aligned as their paragraph.
    void placeRow();
    model::Page& page() { return out_.pages.back(); }
    // Floating objects, page borders, header and footer drawings and
    // paragraph boxes (PageDrawings.cpp).
    void placeFloating(model::Shape shape, const model::FloatingAnchor& anchor);
    double anchoringTop(const model::Paragraph* anchoring) const;
    void beginPageDrawings();
    void endPageDrawings();

    model::Publication& out_;
    const model::Section* section_ = nullptr;
    SectionFrames frames_;
    bool pageOpen_ = false;
    bool topByOverflow_ = false;            // the page began because the previous one was full
    bool bodyUsed_ = false;                 // a line or inline picture sits in the body
    double cursor_ = 0.0;                   // next free y in the body
    double frameTop_ = 0.0;                 // where the open text frame begins
    std::vector<model::Paragraph> frameParagraphs_;
    std::uint32_t flow_ = 0;                // the section's flow number
    bool frameContinues_ = false;           // the open frame's last paragraph goes on in the next
    std::vector<model::Paragraph> header_;  // the section's header and footer frames' text
    std::vector<model::Paragraph> footer_;
    std::size_t backShapes_ = 0;            // anchored pictures at the back of the page's shapes

    // Inline pictures of one paragraph stand side by side in a row while
    // they fit the body's width. Any other block closes the row.
    std::vector<std::size_t> row_;          // indices into the page's shapes
    double rowTop_ = 0.0;
    double rowWidth_ = 0.0;
    double rowHeight_ = 0.0;
    model::Alignment rowAlignment_ = model::Alignment::Left;

    // Drawings: the zones the text avoids, boxes of bordered paragraphs,
    // floating objects in front of the text (with their z-order), the
    // stretch of the body the open frame covers, where the last paragraph
    // began (for objects at the end of the flow), and the headers' drawings.
    WrapZones wrap_;
    ParagraphDecor decor_;
    std::vector<std::pair<int, model::Shape>> front_;
    // Layer (behind the text, or wrapped by it) and z-order of the floating
    // objects at the back of the page, as they stand.
    std::vector<std::pair<int, int>> backOrder_;
    std::size_t floatsStart_ = 0;           // where they begin among the page's shapes
    Column column_;
    double paragraphTop_ = 0.0;
    int pageInSection_ = 0;
    HeaderFooterContent headerContent_, footerContent_;
};

} // namespace fq::layout
