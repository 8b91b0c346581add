// Publications with more text than the reader's 16-bit text positions
// cover (well over 64 KiB of Quill text): every frame's text must still
// arrive through pub2raw, and the part below that limit keeps its
// paragraphs and formatting.
#include "PubTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace fq;
using namespace fq::pubtest;

namespace {

// Text of one paragraph: words numbered after the frame and paragraph, so
// a paragraph that turns up in the wrong frame cannot match.
std::string paragraphText(int frame, int para, std::size_t length) {
    std::string s;
    for (int w = 0; s.size() < length; ++w) s += "f" + std::to_string(frame) + "p" + std::to_string(para) + "w" + std::to_string(w) + " ";
    s.resize(length);
    return s;
}

// Text with paragraph marks and line breaks taken out (past the limit the
// reader runs a frame's paragraphs together).
std::string letters(const std::string& s) {
    std::string out;
    std::copy_if(s.begin(), s.end(), std::back_inserter(out), [](char c) { return c != '\r' && c != '\n'; });
    return out;
}

struct LargePublication {
    model::Publication pub;
    std::vector<std::vector<std::string>> frames;   // per page: the paragraphs of its frame
};

// pages x paragraphs of `length` characters; paragraphs alternate bold and
// change size halfway, so runs and paragraphs both span hundreds of bytes.
LargePublication largePublication(int pages, int paragraphs, std::size_t length) {
    LargePublication l;
    for (int p = 0; p < pages; ++p) {
        std::vector<model::Paragraph> paras;
        std::vector<std::string> texts;
        for (int k = 0; k < paragraphs; ++k) {
            const std::string text = paragraphText(p, k, length);
            model::CharProps first;
            first.bold = k % 2 == 0;
            first.sizePt = 10;
            model::CharProps second = first;
            second.sizePt = 12;
            model::ParaProps props;
            props.spaceAfterPt = 1 + k % 3;
            paras.push_back(paragraph({run(text.substr(0, length / 2), first), run(text.substr(length / 2), second)}, props));
            texts.push_back(text);
        }
        l.pub.pages.push_back(page({frame({54, 54, 504, 684}, std::move(paras))}));
        l.frames.push_back(std::move(texts));
    }
    return l;
}

class PubLargeText : public ::testing::Test {
protected:
    PubFixture fx;
};

} // namespace

TEST_F(PubLargeText, EveryFrameTextArrivesOnAHundredPages) {
    // 100 pages x 5 paragraphs of 1,024 characters (paragraph mark
    // included): about 1 MB of Quill text, and no paragraph or run ends
    // where the reader's 16-bit positions happen to come out right.
    const auto l = largePublication(100, 5, 1023);
    const auto doc = fx.roundTrip(l.pub);
    ASSERT_EQ(doc.pages.size(), 100u);
    int missing = 0;
    for (std::size_t p = 0; p < doc.pages.size(); ++p) {
        ASSERT_EQ(doc.pages[p].textObjects.size(), 1u) << "page " << p + 1;
        std::string expected;
        for (const auto& t : l.frames[p]) expected += t;
        const std::string got = letters(doc.pages[p].textObjects[0].text());
        if (got != expected) {
            ++missing;
            ADD_FAILURE() << "page " << p + 1 << ": " << got.size() << " of " << expected.size() << " characters";
        }
        if (missing > 3) break;
    }
}

TEST_F(PubLargeText, TextBelowTheLimitKeepsParagraphsAndFormatting) {
    const auto l = largePublication(40, 5, 999);
    const auto doc = fx.roundTrip(l.pub);
    ASSERT_EQ(doc.pages.size(), 40u);
    // The first 32,000 characters (six pages) are read exactly.
    for (std::size_t p = 0; p < 6; ++p) {
        ASSERT_EQ(doc.pages[p].textObjects.size(), 1u);
        const auto& t = doc.pages[p].textObjects[0];
        ASSERT_EQ(t.paragraphs.size(), 5u) << "page " << p + 1;
        for (std::size_t k = 0; k < 5; ++k) {
            const auto& para = t.paragraphs[k];
            EXPECT_EQ(para.text(), l.frames[p][k]);
            ASSERT_EQ(para.spans.size(), 2u) << "page " << p + 1 << " paragraph " << k;
            EXPECT_NEAR(test::rawNumber(para.spans[0].props, "fo:font-size").value_or(0), 10 / 72.0, 1e-4);
            EXPECT_NEAR(test::rawNumber(para.spans[1].props, "fo:font-size").value_or(0), 12 / 72.0, 1e-4);
            EXPECT_EQ(para.spans[0].props.count("fo:font-weight"), k % 2 == 0 ? 1u : 0u);
            EXPECT_NEAR(test::rawNumber(para.props, "fo:margin-bottom").value_or(0), (1 + k % 3) / 72.0, 1e-4);
        }
    }
}

TEST_F(PubLargeText, ManySmallFramesAllArrive) {
    // 60 pages with 12 frames each of short paragraphs: many stories, with
    // story ends on both sides of the limit.
    model::Publication pub;
    std::vector<std::string> expected;
    for (int p = 0; p < 60; ++p) {
        std::vector<model::Shape> frames;
        for (int f = 0; f < 12; ++f) {
            std::vector<model::Paragraph> paras;
            std::string all;
            for (int k = 0; k < 3; ++k) {
                const std::string text = paragraphText(p * 12 + f, k, 40 + (p * 7 + f * 13 + k * 29) % 200);
                model::CharProps c;
                c.italic = (f + k) % 3 == 0;
                paras.push_back(paragraph({run(text, c)}));
                all += text;
            }
            frames.push_back(frame({36.0 + (f % 3) * 180, 36.0 + (f / 3) * 180, 170, 170}, std::move(paras)));
            expected.push_back(all);
        }
        pub.pages.push_back(page(std::move(frames)));
    }
    const auto doc = fx.roundTrip(pub);
    ASSERT_EQ(doc.pages.size(), 60u);
    std::size_t i = 0;
    int wrong = 0;
    for (std::size_t p = 0; p < doc.pages.size(); ++p) {
        ASSERT_EQ(doc.pages[p].textObjects.size(), 12u) << "page " << p + 1;
        for (const auto& t : doc.pages[p].textObjects) {
            if (letters(t.text()) != expected[i] && ++wrong <= 3)
                ADD_FAILURE() << "page " << p + 1 << " frame " << i % 12 << ": " << letters(t.text()).size() << " of "
                              << expected[i].size() << " characters";
            ++i;
        }
    }
    EXPECT_EQ(wrong, 0);
}
