// Builds the Contents stream (the object directory) from the plan: fixed
// header, header record, type/version table, one chunk per object in
// sequence order, and the trailer that lists every chunk.
#pragma once

#include "publishing/pub/ByteBuffer.h"
#include "publishing/pub/PubPlan.h"

#include <string>

namespace fq::pub {

// savedAs is the path recorded in the header (Publisher keeps the path the
// file was saved as).
ByteBuffer buildContents(const PubPlan& plan, const std::u16string& savedAs);

} // namespace fq::pub
