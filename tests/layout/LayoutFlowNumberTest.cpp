// Body frames carry their section's flow number and mark a paragraph that
// goes on in the next frame; headers and footers belong to no flow.
#include "publishing/layout/Layout.h"

#include "LayoutHelpers.h"

#include <gtest/gtest.h>

namespace fq::layout {
namespace {

using namespace test;

TEST(LayoutFlowNumber, SectionsNumberTheirBodyFramesAndSplitsAreMarked) {
    model::Section first = section({paragraph(numberedWords(900))});
    first.header.push_back(paragraph("head"));
    const auto pub = layOut(document({first, section({paragraph("second section")})}));
    ASSERT_GE(pub.pages.size(), 3u);
    std::vector<const model::TextFrame*> body;
    std::uint32_t lastFlow = 0;
    for (const auto& page : pub.pages)
        for (const auto& shape : page.shapes)
            if (const auto* t = std::get_if<model::TextFrame>(&shape.content)) {
                if (t->role != model::FrameRole::Body) {
                    EXPECT_EQ(t->flow, 0u);
                    continue;
                }
                EXPECT_GE(t->flow, lastFlow);
                lastFlow = t->flow;
                body.push_back(t);
            }
    ASSERT_GE(body.size(), 3u);
    EXPECT_EQ(body.front()->flow, 1u);
    EXPECT_EQ(body.back()->flow, 2u);
    // The long paragraph runs over the first section's pages: each of its
    // frames but the last continues; the second section's frame does not.
    for (std::size_t i = 0; i + 2 < body.size(); ++i) EXPECT_TRUE(body[i]->continues) << i;
    EXPECT_FALSE(body[body.size() - 2]->continues);
    EXPECT_FALSE(body.back()->continues);
}

} // namespace
} // namespace fq::layout
