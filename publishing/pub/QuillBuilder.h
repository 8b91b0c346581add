// Builds the Quill/QuillSub/CONTENTS stream (all text and its formatting)
// from the publication's stories. Chunks in Publisher's order: TEXT, three
// STSH, FDPP pages, FDPC pages, SYID, SGP, INK, BTEP, BTEC, FONT, a TCD per
// table story, STRS, MCLD, PL; the table of contents continues in a second
// block at the end of the stream when it outgrows the first.
#pragma once

#include "publishing/pub/ByteBuffer.h"
#include "publishing/pub/TextStories.h"

namespace fq::pub {

ByteBuffer buildQuill(const StorySet& stories);

} // namespace fq::pub
