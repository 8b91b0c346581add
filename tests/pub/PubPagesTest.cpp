// Pages and frames written by the .pub writer, read back through pub2raw:
// page size, page order, frame rectangles, empty pages, large documents.
#include "PubTestSupport.h"

#include "publishing/pub/PubPlan.h"

#include <gtest/gtest.h>

#include <chrono>
#include <regex>
#include <set>
#include "tests/support/PageView.h"

using namespace fq;
using namespace fq::pubtest;

namespace {

class PubPages : public ::testing::Test {
protected:
    PubFixture fx;
};

model::Publication pages(int count, double w = 612, double h = 792) {
    model::Publication pub;
    for (int i = 0; i < count; ++i)
        pub.pages.push_back(page({frame({72, 72, w - 144, 100}, {paragraph({run("page " + std::to_string(i + 1))})})}, w, h));
    return pub;
}

} // namespace

TEST_F(PubPages, PageSizeComesBack) {
    for (const auto& [w, h] : {std::pair{612.0, 792.0}, std::pair{595.3, 841.9}, std::pair{792.0, 612.0}}) {
        const auto doc = fx.roundTrip(pages(1, w, h));
        ASSERT_EQ(doc.pages.size(), 1u) << doc.output;
        EXPECT_NEAR(doc.pages[0].width, w / 72, 1e-3);
        EXPECT_NEAR(doc.pages[0].height, h / 72, 1e-3);
    }
}

TEST_F(PubPages, MixedPageSizesTakeTheFirstPagesSize) {
    // A publication has one page size; frames keep their offsets from the
    // top left corner of their page.
    model::Publication pub = pages(1);
    pub.pages.push_back(page({frame({50, 60, 300, 40}, {paragraph({run("landscape")})})}, 792, 612));
    const auto doc = fx.roundTrip(pub);
    ASSERT_EQ(doc.pages.size(), 2u);
    EXPECT_NEAR(doc.pages[1].width, 8.5, 1e-3);
    EXPECT_NEAR(doc.pages[1].height, 11.0, 1e-3);
    ASSERT_EQ(doc.pages[1].textObjects.size(), 1u);
    EXPECT_NEAR(doc.pages[1].textObjects[0].x, 50 / 72.0, 1e-3);
    EXPECT_NEAR(doc.pages[1].textObjects[0].y, 60 / 72.0, 1e-3);
}

TEST_F(PubPages, SeveralPagesInOrder) {
    const auto doc = fx.roundTrip(pages(7));
    ASSERT_EQ(doc.pages.size(), 7u);
    for (int i = 0; i < 7; ++i) {
        ASSERT_EQ(doc.pages[i].textObjects.size(), 1u);
        EXPECT_EQ(doc.pages[i].textObjects[0].text(), "page " + std::to_string(i + 1));
    }
}

TEST_F(PubPages, FramePositionsAndSizes) {
    model::Publication pub;
    pub.pages.push_back(page({frame({72, 72, 468, 216}, {paragraph({run("a")})}),
                              frame({36, 500.5, 144, 72}, {paragraph({run("b")})}),
                              frame({400, 700, 200, 80}, {paragraph({run("c")})})}));
    const auto doc = fx.roundTrip(pub);
    ASSERT_EQ(doc.pages.size(), 1u);
    const auto& t = doc.pages[0].textObjects;
    ASSERT_EQ(t.size(), 3u);
    const model::Rect expected[] = {{72, 72, 468, 216}, {36, 500.5, 144, 72}, {400, 700, 200, 80}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(t[i].x, inches(expected[i].xPt), 1e-3) << i;
        EXPECT_NEAR(t[i].y, inches(expected[i].yPt), 1e-3) << i;
        EXPECT_NEAR(t[i].width, inches(expected[i].widthPt), 1e-3) << i;
        EXPECT_NEAR(t[i].height, inches(expected[i].heightPt), 1e-3) << i;
        // The layout fitted its lines to the frame: no inner margins.
        EXPECT_NEAR(test::rawNumber(t[i].props, "fo:padding-left").value_or(1), 0.0, 1e-6);
        EXPECT_NEAR(test::rawNumber(t[i].props, "fo:padding-top").value_or(1), 0.0, 1e-6);
    }
}

TEST_F(PubPages, EmptyPagesKeepTheirPlace) {
    model::Publication pub = pages(1);
    pub.pages.push_back(model::Page{});
    pub.pages.push_back(pages(1).pages[0]);
    std::get<model::TextFrame>(pub.pages.back().shapes[0].content).paragraphs[0].runs[0].text = "third";
    const auto doc = fx.roundTrip(pub);
    ASSERT_EQ(doc.pages.size(), 3u) << doc.output;
    EXPECT_TRUE(doc.pages[1].textObjects.empty());
    EXPECT_TRUE(doc.pages[1].pictures.empty());
    ASSERT_EQ(doc.pages[2].textObjects.size(), 1u);
    EXPECT_EQ(doc.pages[2].textObjects[0].text(), "third");
}

TEST_F(PubPages, PublicationWithoutPagesStillOpens) {
    const auto doc = fx.roundTrip(model::Publication{});
    EXPECT_TRUE(doc.started);
    EXPECT_EQ(doc.pages.size(), 1u);
}

TEST_F(PubPages, PageNumbersAvoidTheReaderQuirk) {
    // Pages are numbered past the numbers libmspub drops; the planner
    // must skip them however many shapes come before. Publisher's own
    // empty pages have exactly those numbers.
    model::Publication pub;
    for (int i = 0; i < 12; ++i) {
        std::vector<model::Shape> frames;
        for (int k = 0; k <= i % 3; ++k)
            frames.push_back(frame({72, 72.0 + 100 * k, 200, 50}, {paragraph({run("p" + std::to_string(i))})}));
        pub.pages.push_back(page(frames));
    }
    const auto plan = pub::makePlan(pub);
    for (const auto& p : plan.pages) EXPECT_FALSE(pub::isReservedPageSeq(p.seq)) << std::hex << p.seq;
    EXPECT_FALSE(pub::isReservedPageSeq(plan.fixed.master.page));
    for (const auto& d : plan.fixed.dummies) EXPECT_TRUE(pub::isReservedPageSeq(d.page)) << std::hex << d.page;
    const auto doc = fx.roundTrip(pub);
    ASSERT_EQ(doc.pages.size(), 12u);
    for (int i = 0; i < 12; ++i) EXPECT_EQ(doc.pages[i].textObjects.size(), std::size_t(i % 3 + 1)) << i;
}

TEST_F(PubPages, HundredsOfPagesWithMultiPageFormatting) {
    model::Publication pub;
    for (int i = 0; i < 300; ++i) {
        std::vector<model::Paragraph> paras;
        for (int k = 0; k < 4; ++k) {
            model::CharProps c;
            c.sizePt = 9 + (i + k) % 5;
            c.italic = k % 2;
            model::ParaProps p;
            p.alignment = k % 2 ? model::Alignment::Justify : model::Alignment::Left;
            p.spaceAfterPt = k;
            paras.push_back(paragraph({run("Page " + std::to_string(i + 1) + " line " + std::to_string(k), c)}, p));
        }
        pub.pages.push_back(page({frame({72, 72, 468, 600}, paras), frame({72, 690, 468, 30}, {paragraph({run(std::to_string(i + 1))})})}));
    }
    const auto doc = fx.roundTrip(pub, "big.pub");
    ASSERT_EQ(doc.pages.size(), 300u);
    for (int i : {0, 1, 149, 298, 299}) {
        ASSERT_EQ(doc.pages[i].textObjects.size(), 2u) << i;
        const auto& body = doc.pages[i].textObjects[0];
        ASSERT_EQ(body.paragraphs.size(), 4u) << i;
        EXPECT_EQ(body.paragraphs[3].text(), "Page " + std::to_string(i + 1) + " line 3");
        EXPECT_EQ(body.paragraphs[3].props.at("fo:text-align"), "justify");
        EXPECT_NEAR(test::rawNumber(body.paragraphs[2].spans.at(0).props, "fo:font-size").value_or(0),
                    (9 + (i + 2) % 5) / 72.0, 1e-4);
        EXPECT_EQ(doc.pages[i].textObjects[1].text(), std::to_string(i + 1));
    }
    // The formatting needed several FDP pages, each listed in the bin tables.
    const std::string quill = fx.dump(fx.path("big.pub"), "quill");
    std::smatch m;
    ASSERT_TRUE(std::regex_search(quill, m, std::regex("chunk BTEC\\[0\\][^\\n]*\\n\\s+n (\\d+)")));
    EXPECT_GT(std::stoi(m[1]), 1);
    ASSERT_TRUE(std::regex_search(quill, m, std::regex("chunk BTEP\\[0\\][^\\n]*\\n\\s+n (\\d+)")));
    EXPECT_GT(std::stoi(m[1]), 1);
    EXPECT_NE(quill.find("FDPC[3]"), std::string::npos);
}

TEST_F(PubPages, ManyShapesUseSeveralIdClusters) {
    model::Publication pub;
    for (int i = 0; i < 40; ++i) {
        std::vector<model::Shape> frames;
        for (int k = 0; k < 30; ++k)
            frames.push_back(frame({36.0 + (k % 5) * 100, 36.0 + (k / 5) * 100, 90, 90}, {paragraph({run(std::to_string(i * 30 + k))})}));
        pub.pages.push_back(page(frames));
    }
    const auto plan = pub::makePlan(pub);
    EXPECT_EQ(plan.pageClusters, 2u);
    std::set<std::uint32_t> spids;
    for (const auto& p : plan.pages)
        for (const auto& s : p.shapes) {
            EXPECT_NE(s.spid, 1024u) << "shape id of the pages' patriarch";
            EXPECT_LT(s.spid, plan.masterSpid) << "shape id inside the master's cluster";
            EXPECT_TRUE(spids.insert(s.spid).second);
        }
    const auto doc = fx.roundTrip(pub);
    ASSERT_EQ(doc.pages.size(), 40u);
    EXPECT_EQ(doc.pages[39].textObjects.size(), 30u);
    EXPECT_EQ(doc.pages[39].textObjects[29].text(), "1199");
}
