// The object type/version table that Publisher 2010 writes right after the
// header record of Contents: one entry per object type it knows (1..143),
// each with the Publisher version that introduced the type and a few flags
// of unknown meaning. Readers ignore it; Publisher itself probably needs it.
// The values are those of the files Publisher 2010 saves.
#pragma once

#include "publishing/pub/ByteBuffer.h"

namespace fq::pub {

// Appends the table as a record (u32 length, then blocks).
void writeTypeVersionTable(ByteBuffer& out);

} // namespace fq::pub
