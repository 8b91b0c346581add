// The writer's plan of a publication: every page and shape with its
// Contents sequence number and Escher shape id, the text ids of the
// stories and the pictures in BStore order. The Contents, Quill and
// Escher builders all read this one plan, so the three streams agree on
// every cross-reference.
#pragma once

#include "publishing/model/Publication.h"
#include "publishing/pub/Pictures.h"
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
enum class ShapeKind { TextBox, Picture, Placeholder, Filler, Drawing, Line };

struct PlannedShape {
    ShapeKind kind = ShapeKind::TextBox;
    std::uint32_t seq = 0;       // Contents sequence number
    std::uint32_t spid = 0;      // Escher shape id
    std::uint32_t textId = 0;    // story id (text boxes and placeholders)
    std::uint32_t pib = 0;       // 1-based BStore index (pictures)
    RectEmu anchor;
    std::u16string description;   // alternative text (pictures)
    // Drawn shapes, and text boxes with a look of their own: the shape as
    // laid out (the publication outlives the plan). overlay: a text box
    // laid over a drawn outline, carrying its text only.
    const model::DrawingFrame* drawing = nullptr;
    bool overlay = false;
    std::uint32_t fillPib = 0;   // 1-based BStore index of a picture fill
};

struct PlannedPage {
    std::uint32_t seq = 0;
    std::vector<PlannedShape> shapes;   // back to front
};

// Sequence numbers of the document-level objects.
struct FixedObjects {
    std::uint32_t document = 0, borderArt = 0, master = 0, settings54 = 0, settings8A = 0,
                  settings73 = 0, settings72 = 0, settings4A = 0, guides4C = 0, layout4B = 0,
                  storyTable = 0, frameTable = 0, storyData = 0, settings59 = 0, palette = 0,
                  layout4F = 0, settings7F = 0, fontList = 0;
    // Publisher's page chunks without a page of their own: two empty pages
    // and the scratch area.
    std::uint32_t extraPage = 0, scratchPage = 0, lastPage = 0;
};

struct PubPlan {
    std::int32_t pageWidthEmu = 0;
    std::int32_t pageHeightEmu = 0;
    FixedObjects fixed;
    std::vector<PlannedPage> pages;
    StorySet stories;
    std::vector<Blip> blips;
    std::uint32_t lastSeq = 0;
    std::uint32_t masterSpid = 0;      // patriarch of the master page's drawing (the next cluster: drawing 3)
    std::uint32_t pageClusters = 1;    // Escher id clusters used by the pages' drawing
};

// How a drawn shape is written: a text box when its outline is a plain
// rectangle framing text, a line, or a drawn outline.
ShapeKind drawingKind(const model::DrawingFrame& drawing);

// True for the sequence numbers that libmspub silently drops as pages.
bool isReservedPageSeq(std::uint32_t seq);

PubPlan makePlan(const model::Publication& publication);

} // namespace fq::pub
