// Builds Escher/EscherStm (the drawing records: the picture directory, the
// master page's drawing, Publisher's third drawing and the one drawing all
// ordinary pages share) and
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
