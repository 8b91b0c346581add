// The .pub writer: plans the publication, builds the Contents, Quill and
// Escher streams and puts them into the compound file.
//
// Mirrored from the publications Publisher 2007 and 2010 create (compared
// structure by structure with pubdump; numbered as they number a new
// publication): the fixed header and header record (versions, saved-as
// path, build numbers), the type/version table, the trailer entry fields
// 06/08/0B, the document's references to its settings chunks (0x4A
// bullets, 0x4B printer settings, 0x4F layout, 0x54, 0x72, 0x73, 0x7F, 0x8A
// page setup), the border-art store, a palette scheme (shapes use palette
// colours as Publisher does), the master page "A" with its margin guides,
// the four empty pages after the real ones, each page's 0x60 and 0x77
// chunks, the story table with frame table, per-story data and font list,
// Quill's three STSH (the default style with Publisher 2010's script fonts),
// MCLD, PL and FONT, hyperlinks (TOKN, QuillLinks), the drawing group's
// default shape properties and split-menu colours, the master page's
// drawing with its background
// rectangle, the third drawing with its rectangle and line, text-box and
// picture shape properties (alternative text included), tables (see
// TablePlan), CompObj, Internal, Envelope, the empty Objects and VBA
// storages, the root class id, the summary streams with the Office version
// and a preview of the first page (SummaryStreams, PagePreview) and the
// compound file's directory as Publisher leaves it (CompoundDirectory).
//
// Still missing or guessed: MCLD's values 00-03 (meaning unknown, left
// out), font metrics in the Contents font list (written as Publisher does
// for a font it has no metrics for), FONT flags of the runs' fonts, the
// page setup's name and id of page sizes other than A4, links to places in
// the document (a bookmark has no page to point at: plain text), the picture
// shapes' wrap polygon, the previous/next frame blocks 36/37 of linked
// frames (only Publisher 2003 writes them; by default each frame is its own
// story, as the layout split the text, see WriteOptions), strike-through (no property found:
// libmspub reads none and the samples show none), and a page size per page
// (the format has one page size per publication: the first page's; frames
// keep their position from the top left corner).
// libmspub keeps text positions in 16 bits: past the first 64 KiB of
// Quill text (about 32,000 characters) it shows all further text in the
// formatting of one run and one paragraph per frame; the writer splits the
// run and paragraph entries at 64 KiB so that it does not lose that text
// (QuillBuilder). Negative left/right indents and spacing are written as
// zero, as the reader takes them unsigned (TextStories).
// Nobody has opened a written file in Publisher itself.
#include "publishing/pub/PubWriter.h"
#include "publishing/model/Budget.h"

#include "publishing/pub/ContentsBuilder.h"
#include "publishing/pub/EscherBuilder.h"
#include "publishing/pub/OleContainer.h"
#include "publishing/pub/PagePreview.h"
#include "publishing/pub/PubPlan.h"
#include "publishing/pub/QuillBuilder.h"
#include "publishing/pub/SummaryStreams.h"

namespace fq::pub {

void writePub(const model::Publication& publication, const std::filesystem::path& path, const WriteOptions& options) {
    const PubPlan plan = makePlan(publication, options.linkedFrames);
    model::checkBudget();
    PubStreams streams;
    const auto u8 = path.u8string();
    streams.contents = buildContents(plan, utf8ToUtf16(std::string(u8.begin(), u8.end())));
    model::checkBudget();
    streams.quill = buildQuill(plan.stories);
    model::checkBudget();
    EscherStreams escher = buildEscher(plan);
    model::checkBudget();
    streams.escher = std::move(escher.main);
    streams.escherDelay = std::move(escher.delay);
    const QImage preview =
        renderPagePreview(publication.pages.empty() ? model::Page{} : publication.pages.front(), kPreviewLongestSide);
    streams.summary = summaryInformation(publication.properties, preview);
    streams.documentSummary = documentSummaryInformation(streams.summary);
    model::checkBudget();
    writeOleFile(path, streams, publication.properties);
}

} // namespace fq::pub
