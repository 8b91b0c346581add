// LibreOffice opens what the .pub writer writes: a multi-page publication
// with a picture converts to a PDF with the same number of pages.
#include "PubTestSupport.h"

#include "publishing/pub/PubWriter.h"

#include <gtest/gtest.h>
#include "tests/support/PageView.h"

using namespace fq;
using namespace fq::pubtest;

TEST(PubLibreOffice, MultiPagePublicationWithPictureConvertsToPdf) {
    PubFixture fx;
    model::Publication pub;
    for (int i = 0; i < 3; ++i)
        pub.pages.push_back(page({frame({72, 72, 468, 100}, {paragraph({run("LibreOffice page " + std::to_string(i + 1))})})}));
    model::PictureFrame pic;
    pic.format = model::ImageFormat::Png;
    pic.data = image(120, 90, "PNG");
    pub.pages[1].shapes.push_back({{72, 300, 120, 90}, pic});
    pub::writePub(pub, fx.path("three.pub"));
    model::Publication one;
    one.pages.push_back(page({frame({72, 72, 200, 50}, {paragraph({run("single")})})}));
    pub::writePub(one, fx.path("one.pub"));

    const auto result = test::convertToPdf({fx.path("three.pub"), fx.path("one.pub")}, fx.path("pdf"));
    ASSERT_TRUE(result.ran) << result.log;
    EXPECT_EQ(result.pageCounts.at("three.pub"), 3) << result.log;
    EXPECT_EQ(result.pageCounts.at("one.pub"), 1) << result.log;
}
