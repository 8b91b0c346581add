// Builds Escher/EscherStm (the drawing records: one drawing for the master
// page, one for all ordinary pages, the picture directory) and
// Escher/EscherDelayStm (the picture bytes) from the plan.
#pragma once

#include "publishing/pub/ByteBuffer.h"
#include "publishing/pub/PubPlan.h"

namespace fq::pub {

struct EscherStreams {
    ByteBuffer main;
    ByteBuffer delay;
};

EscherStreams buildEscher(const PubPlan& plan);

} // namespace fq::pub
