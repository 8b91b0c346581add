// The .pub writer: plans the publication, builds the Contents, Quill and
// Escher streams and puts them into the compound file.
//
// Mirrored from Publisher 2010's own files: the fixed header and header
// record (versions, saved-as path, counters), the type/version table, the
// trailer entry fields 06/08/0B, the document's references to its settings
// chunks (0x4A bullets, 0x4B/0x4F layout, 0x54, 0x59, 0x72, 0x73, 0x7F,
// 0x8A), the border-art store, the palette scheme (so shapes use palette
// colours as Publisher does), a master page "R" with margin guides and its
// own drawing, the story table with frame table, per-story data and font
// list, Quill's three STSH, MCLD, PL and FONT details, the DGG default
// shape properties and split-menu colours, CompObj, Internal, Envelope,
// the empty Objects and VBA storages and the root class id.
// Still missing: Publisher's scratch-area and other special pages, the
// hash values of the per-story data (0x65 08/09), the meaning of several
// MCLD values (written with plain values), the font metrics (PANOSE,
// charset) of the font list, the background drawing, linked text frames
// (each frame is its own story), strike-through (libmspub has no property
// for it and none was found in the sample files), and each page's own size
// (the format has one page size per publication: the first page's).
#include "publishing/pub/PubWriter.h"

#include "publishing/pub/ContentsBuilder.h"
#include "publishing/pub/EscherBuilder.h"
#include "publishing/pub/OleContainer.h"
#include "publishing/pub/PubPlan.h"
#include "publishing/pub/QuillBuilder.h"

namespace fq::pub {

void writePub(const model::Publication& publication, const std::filesystem::path& path) {
    const PubPlan plan = makePlan(publication);
    PubStreams streams;
    streams.contents = buildContents(plan, utf8ToUtf16(path.string()));
    streams.quill = buildQuill(plan.stories);
    EscherStreams escher = buildEscher(plan);
    streams.escher = std::move(escher.main);
    streams.escherDelay = std::move(escher.delay);
    writeOleFile(path, streams, publication.properties);
}

} // namespace fq::pub
