// The hyperlinks of a story as Publisher writes them: a TOKN chunk (a
// "PLC ") per story that has links, numbered by the story's place in STRS.
// It lists where each link starts in the story, then one property record
// per link holding only what differs from the link before it (flags
// 0x8C0, the length of the link's text, its kind: 1 an address or a file,
// 4 an e-mail address), then each link's index into a list of the targets.
// The text itself carries character property 48 = 1 and the hyperlink
// underline (QuillRecords).
#pragma once

#include "publishing/pub/ByteBuffer.h"
#include "publishing/pub/TextStories.h"

namespace fq::pub {

// Appends the chunk's data for a story with at least one link.
void writeLinkTokens(ByteBuffer& out, const Story& story);

} // namespace fq::pub
