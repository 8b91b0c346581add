// Linked text frames: the body frames of a section (one flow, as the layout
// numbered them) become one story that runs through them in reading order,
// as Publisher's connected text boxes. Each frame shows its part when
// Publisher lays the story out; editing reflows it through the chain.
#pragma once

#include "publishing/model/Publication.h"

#include <cstdint>
#include <map>
#include <vector>

namespace fq::pub {

// The frames of every flow that has more than one, in reading order.
std::map<std::uint32_t, std::vector<const model::TextFrame*>> flowChains(const model::Publication& publication);

// The paragraphs of a chain as one text: a paragraph the layout split
// between two frames is one paragraph again, with the properties of its
// first part.
model::TextFrame joinedChain(const std::vector<const model::TextFrame*>& frames);

} // namespace fq::pub
