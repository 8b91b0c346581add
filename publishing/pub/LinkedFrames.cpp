// Chains of body frames.
#include "publishing/pub/LinkedFrames.h"

namespace fq::pub {

std::map<std::uint32_t, std::vector<const model::TextFrame*>> flowChains(const model::Publication& publication) {
    std::map<std::uint32_t, std::vector<const model::TextFrame*>> chains;
    for (const auto& page : publication.pages)
        for (const auto& shape : page.shapes)
            if (const auto* frame = std::get_if<model::TextFrame>(&shape.content))
                if (frame->flow != 0) chains[frame->flow].push_back(frame);
    for (auto it = chains.begin(); it != chains.end();) it = it->second.size() > 1 ? std::next(it) : chains.erase(it);
    return chains;
}

model::TextFrame joinedChain(const std::vector<const model::TextFrame*>& frames) {
    model::TextFrame out;
    bool open = false;   // the last paragraph goes on in this frame
    for (const model::TextFrame* frame : frames) {
        for (std::size_t i = 0; i < frame->paragraphs.size(); ++i) {
            const model::Paragraph& p = frame->paragraphs[i];
            if (i == 0 && open && !out.paragraphs.empty()) {
                auto& runs = out.paragraphs.back().runs;
                runs.insert(runs.end(), p.runs.begin(), p.runs.end());
            } else {
                out.paragraphs.push_back(p);
            }
        }
        open = frame->continues && !frame->paragraphs.empty();
    }
    return out;
}

} // namespace fq::pub
