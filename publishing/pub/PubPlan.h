// The writer's plan of a publication: every page and shape with its
// Contents sequence number and Escher shape id, the text ids of the
// stories and the pictures in BStore order. The Contents, Quill and
// Escher builders all read this one plan, so the three streams agree on
// every cross-reference.
#pragma once

#include "publishing/model/Publication.h"
#include "publishing/pub/Pictures.h"
#include "publishing/pub/TablePlan.h"
#include "publishing/pub/TextStories.h"

#include <cstdint>
#include <string>
#include <vector>

namespace fq::pub {

struct RectEmu {
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;   // relative to the page centre
    std::int32_t width() const { return right - left; }
    std::int32_t height() const { return bottom - top; }
};

// Drawing: a drawn outline (preset or custom) with fill and line; Line: a
// drawn straight line, which Publisher keeps apart from other shapes.
// CellShading and GridLine: the plain shapes that show a table's cell
// formatting to readers that do not read it (see TablePlan).
enum class ShapeKind { TextBox, Picture, Placeholder, Filler, Drawing, Line, Table, CellShading, GridLine };

struct PlannedShape {
    ShapeKind kind = ShapeKind::TextBox;
    std::uint32_t seq = 0;       // Contents sequence number
    std::uint32_t spid = 0;      // Escher shape id
    std::uint32_t textId = 0;    // story id (text boxes and placeholders)
    std::uint32_t pib = 0;       // 1-based BStore index (pictures)
    std::uint32_t chainIndex = 0;   // place in a chain of linked frames (0: first or none)
    RectEmu anchor;
    std::u16string description;   // alternative text (pictures)
    // Drawn shapes, and text boxes with a look of their own: the shape as
    // laid out (the publication outlives the plan). overlay: a text box
    // laid over a drawn outline, carrying its text only.
    const model::DrawingFrame* drawing = nullptr;
    bool overlay = false;
    std::uint32_t fillPib = 0;   // 1-based BStore index of a picture fill
    std::size_t table = 0;       // tables: 1 + index into PubPlan::tables
    std::uint32_t fillBgr = 0;   // cell shading
    PlainLine line;              // grid lines
};

// A page chunk and the two chunks every page owns (0x60 and 0x77, the
// page's settings and its web-form settings).
struct PageChunks {
    std::uint32_t page = 0, settings60 = 0, form77 = 0;
};

struct PlannedPage {
    std::uint32_t seq = 0;
    std::uint32_t settings60 = 0, form77 = 0;
    std::vector<PlannedShape> shapes;   // back to front
};

// Sequence numbers of the document-level objects, numbered as in a
// publication Publisher 2010 creates: the first page among them, its
// shapes and every further page after them.
struct FixedObjects {
    std::uint32_t document = 0, settings72 = 0, settings73 = 0, borderArt = 0, settings54 = 0,
                  settings7F = 0, storyTable = 0, frameTable = 0, storyData = 0, palette = 0,
                  layout4B = 0, layout4F = 0, guides4C = 0, settings4A = 0, settings8A = 0, fontList = 0;
    PageChunks master;
    // Publisher's four empty pages after the real ones; the first of them
    // is sized as the scratch area around the page.
    PageChunks dummies[4];
};

struct PubPlan {
    std::int32_t pageWidthEmu = 0;
    std::int32_t pageHeightEmu = 0;
    FixedObjects fixed;
    std::vector<PlannedPage> pages;
    StorySet stories;
    std::vector<Blip> blips;
    std::vector<PlannedTable> tables;
    std::uint32_t lastSeq = 0;
    std::uint32_t masterSpid = 0;      // patriarch of the master page's drawing (the next cluster: drawing 3)
    std::uint32_t pageClusters = 1;    // Escher id clusters used by the pages' drawing
};

// How a drawn shape is written: a text box when its outline is a plain
// rectangle framing text, a line, or a drawn outline.
ShapeKind drawingKind(const model::DrawingFrame& drawing);

// True for the sequence numbers that libmspub silently drops as pages.
bool isReservedPageSeq(std::uint32_t seq);

// linkedFrames: each flow of body frames becomes one story (LinkedFrames).
PubPlan makePlan(const model::Publication& publication, bool linkedFrames = false);

// A rectangle in points from the page's corner as an anchor in EMU from
// the page's centre (at least one EMU wide and high).
RectEmu anchorOf(const model::Rect& r, std::int32_t pageWidthEmu, std::int32_t pageHeightEmu);

} // namespace fq::pub
