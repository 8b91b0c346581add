// Linked frames: a section's body frames as one story through a chain,
// with the structures of Publisher 2010's own chain (shape blocks 27/28,
// the frame table's 01/02/03 entries, the story's frame count in 0x65, text
// boxes with the story id); the story is the flow's text with split
// paragraphs joined. Without the option every frame is its own story.
#include "PubTestSupport.h"

#include "publishing/pub/PubWriter.h"

#include <gtest/gtest.h>

#include <regex>

using namespace fq;
using namespace fq::pubtest;

namespace {

const std::string kChain2010 = FQ_SHARED_DIR "/reference/pub-samples/v14-REG-TST2-pub2010.pub";

// Three pages of one section's body, a paragraph split between pages 1
// and 2, and a header on each page.
model::Publication flowing() {
    model::Publication pub;
    const std::vector<std::vector<std::string>> texts = {{"one", "two begins"}, {" and ends", "three"}, {"four"}};
    for (std::size_t i = 0; i < texts.size(); ++i) {
        std::vector<model::Paragraph> paras;
        for (const auto& t : texts[i]) paras.push_back(paragraph({run(t)}));
        model::Shape body = frame({72, 100, 468, 600}, paras);
        auto& text = std::get<model::TextFrame>(body.content);
        text.flow = 1;
        text.continues = i == 0;
        model::Shape header = frame({72, 36, 468, 30}, {paragraph({run("head")})});
        std::get<model::TextFrame>(header.content).role = model::FrameRole::Header;
        pub.pages.push_back(page({header, body}));
    }
    return pub;
}

std::vector<std::string> matches(const std::string& text, const std::string& pattern) {
    std::vector<std::string> out;
    const std::regex re(pattern);
    for (auto it = std::sregex_iterator(text.begin(), text.end(), re); it != std::sregex_iterator(); ++it)
        out.push_back((*it)[1]);
    return out;
}

} // namespace

TEST(PubLinkedFrames, ChainCarriesPublishersStructures) {
    PubFixture fx;
    pub::writePub(flowing(), fx.path("chain.pub"), pub::WriteOptions{true});
    const std::string contents = fx.dump(fx.path("chain.pub"), "contents");
    const std::string real = fx.dump(kChain2010, "contents");
    ASSERT_FALSE(real.empty());
    // Frame table: the chain's frames in order with their places, as in
    // Publisher's chain ("01=7 02=1 03=-> 0x138 shape").
    const auto frames = matches(contents, "\\[\\d+\\] 00/t88 (01=\\d+(?: 02=\\d+)? 03=)-> 0x[0-9A-F]+ shape");
    ASSERT_EQ(frames.size(), 6u);   // three headers, three body frames
    EXPECT_EQ(std::count(frames.begin(), frames.end(), frames[1]), 1);
    const std::string storyId = frames[1].substr(3, frames[1].find(' ') - 3);
    EXPECT_EQ(frames[1], "01=" + storyId + " 03=");
    EXPECT_EQ(frames[3], "01=" + storyId + " 02=1 03=");
    EXPECT_EQ(frames[5], "01=" + storyId + " 02=2 03=");
    EXPECT_FALSE(matches(real, "\\[\\d+\\] 00/t88 (01=7 02=1 03=)-> 0x138 shape").empty());
    // The shapes: 27 = the story, 28 = the place (left out on the first).
    EXPECT_EQ(matches(contents, "27/t20 text id = (" + storyId + ")\\n").size(), 3u);
    EXPECT_EQ(matches(contents, "28/t20 frame index in chain = (\\d+)"), (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(matches(real, "28/t20 frame index in chain = (\\d+)"), (std::vector<std::string>{"1"}));
    // The story's entry counts its frames, as Publisher's "01=7 02=2".
    EXPECT_EQ(matches(contents, "00/t88 01=" + storyId + " (02=3) 07="), (std::vector<std::string>{"02=3"}));
    EXPECT_FALSE(matches(real, "00/t88 01=7 (02=2) 04=").empty());

    // Every frame of the chain is a text box of the story in Escher.
    const std::string escher = fx.dump(fx.path("chain.pub"), "escher");
    EXPECT_EQ(matches(escher, "0x0080 lTxid = (" + storyId + ")\\n").size(), 3u);
    EXPECT_EQ(matches(escher, "0x2001 text id = (" + storyId + ")\\n").size(), 3u);

    // Quill: one story for the chain, the split paragraph whole again.
    const std::string quill = fx.dump(fx.path("chain.pub"), "quill");
    EXPECT_NE(quill.find("| one¶\n      | two begins and ends¶\n      | three¶\n      | four¶"), std::string::npos)
        << quill;
    EXPECT_EQ(matches(quill, "story \\d+ id (\\d+):").size(), 4u);   // the chain and three headers
}

TEST(PubLinkedFrames, WithoutTheOptionEachFrameIsAStory) {
    PubFixture fx;
    pub::writePub(flowing(), fx.path("plain.pub"));
    const std::string contents = fx.dump(fx.path("plain.pub"), "contents");
    EXPECT_TRUE(matches(contents, "28/t20 frame index in chain = (\\d+)").empty());
    EXPECT_EQ(matches(fx.dump(fx.path("plain.pub"), "quill"), "story \\d+ id (\\d+):").size(), 6u);
    // libmspub shows each frame's own text.
    const auto doc = test::runPub2Raw(fx.path("plain.pub"));
    ASSERT_EQ(doc.pages.size(), 3u);
    EXPECT_EQ(doc.pages[1].textObjects.at(1).text(), " and ends\nthree");
}
