// Pictures in the flow split the page's text frame; anchored pictures sit
// where their anchor puts them.
#include "publishing/layout/Layout.h"
#include "publishing/layout/PageBuilder.h"

#include "LayoutHelpers.h"

#include <QBuffer>
#include <QImage>

#include <gtest/gtest.h>
#include "tests/support/PageView.h"

namespace fq::layout {
namespace {

using namespace test;

model::Picture picture(double w, double h) {
    model::Picture p;
    p.format = model::ImageFormat::Png;
    p.data = {0x89, 'P', 'N', 'G'};
    p.widthPt = w;
    p.heightPt = h;
    p.description = "a picture";
    return p;
}

model::Picture anchored(double w, double h, double x, double y) {
    auto p = picture(w, h);
    p.anchor = model::PictureAnchor{x, y};
    return p;
}

TEST(LayoutPicture, InlinePictureSplitsTheTextFrame) {
    const auto doc = document({section({paragraph("above"), picture(200.0, 100.0), paragraph("below")})});
    const auto pub = layOut(doc);
    ASSERT_EQ(pub.pages.size(), 1u);
    const auto& page = pub.pages[0];
    ASSERT_EQ(textFramesOf(page).size(), 2u);
    ASSERT_EQ(pictureFramesOf(page).size(), 1u);
    const auto above = textFramesOf(page)[0].rect;
    const auto pic = pictureFramesOf(page)[0].rect;
    const auto below = textFramesOf(page)[1].rect;
    EXPECT_EQ(frameText(textFramesOf(page)[0]), "above\n");
    EXPECT_EQ(frameText(textFramesOf(page)[1]), "below\n");
    EXPECT_DOUBLE_EQ(above.yPt, 72.0);
    EXPECT_NEAR(above.yPt + above.heightPt, pic.yPt, 0.01);
    EXPECT_NEAR(pic.yPt, 72.0 + 13.43, 0.1);          // after one line of Calibri 11
    EXPECT_DOUBLE_EQ(pic.xPt, 72.0);
    EXPECT_DOUBLE_EQ(pic.widthPt, 200.0);
    EXPECT_DOUBLE_EQ(pic.heightPt, 100.0);
    EXPECT_NEAR(below.yPt, pic.yPt + pic.heightPt, 0.01);
    EXPECT_NEAR(below.yPt + below.heightPt, 720.0, 0.01);  // down to the text area's bottom
    EXPECT_EQ(pictureFramesOf(page)[0].description, "a picture");
    EXPECT_EQ(pictureFramesOf(page)[0].data, doc.sections[0].blocks[1].index() == 1
                                              ? std::get<model::Picture>(doc.sections[0].blocks[1]).data
                                              : std::vector<std::uint8_t>{});
}

TEST(LayoutPicture, PictureAtTheTopLeavesNoEmptyFrameAbove) {
    const auto pub = layOut(document({section({picture(100.0, 50.0), paragraph("text")})}));
    ASSERT_EQ(textFramesOf(pub.pages[0]).size(), 1u);
    EXPECT_DOUBLE_EQ(pictureFramesOf(pub.pages[0])[0].rect.yPt, 72.0);
    EXPECT_DOUBLE_EQ(textFramesOf(pub.pages[0])[0].rect.yPt, 122.0);
}

TEST(LayoutPicture, PictureTallerThanTheTextAreaIsScaledToFit) {
    const auto pub = layOut(document({section({picture(300.0, 2000.0)})}));
    ASSERT_EQ(pub.pages.size(), 1u);
    const auto r = pictureFramesOf(pub.pages[0])[0].rect;
    EXPECT_DOUBLE_EQ(r.heightPt, 648.0);
    EXPECT_NEAR(r.widthPt, 300.0 * 648.0 / 2000.0, 0.01);
    const auto wide = layOut(document({section({picture(1000.0, 100.0)})}));
    EXPECT_DOUBLE_EQ(pictureFramesOf(wide.pages[0])[0].rect.widthPt, 468.0);
    EXPECT_DOUBLE_EQ(pictureFramesOf(wide.pages[0])[0].rect.heightPt, 46.8);
}

TEST(LayoutPicture, PictureThatDoesNotFitMovesToTheNextPage) {
    std::vector<model::Block> blocks;
    for (int i = 0; i < 40; ++i) blocks.push_back(paragraph("line"));   // 40 * 13.43 = 537 pt
    blocks.push_back(picture(100.0, 200.0));
    blocks.push_back(paragraph("after"));
    const auto pub = layOut(document({section(std::move(blocks))}));
    ASSERT_EQ(pub.pages.size(), 2u);
    EXPECT_TRUE(pictureFramesOf(pub.pages[0]).empty());
    EXPECT_EQ(textFramesOf(pub.pages[0])[0].paragraphs.size(), 40u);
    EXPECT_DOUBLE_EQ(textFramesOf(pub.pages[0])[0].rect.heightPt, 648.0);
    ASSERT_EQ(pictureFramesOf(pub.pages[1]).size(), 1u);
    EXPECT_DOUBLE_EQ(pictureFramesOf(pub.pages[1])[0].rect.yPt, 72.0);
    EXPECT_EQ(frameText(textFramesOf(pub.pages[1])[0]), "after\n");
}

TEST(LayoutPicture, AnchoredPictureSitsAtItsAnchorWithoutSplittingText) {
    const auto pub = layOut(document({section({paragraph("a"), anchored(100.0, 80.0, 300.0, 400.0),
                                               paragraph("b")})}));
    ASSERT_EQ(pub.pages.size(), 1u);
    ASSERT_EQ(textFramesOf(pub.pages[0]).size(), 1u);
    EXPECT_EQ(frameText(textFramesOf(pub.pages[0])[0]), "a\nb\n");
    const auto r = pictureFramesOf(pub.pages[0]).at(0).rect;
    EXPECT_DOUBLE_EQ(r.xPt, 300.0);
    EXPECT_DOUBLE_EQ(r.yPt, 400.0);
    EXPECT_DOUBLE_EQ(r.widthPt, 100.0);
    EXPECT_DOUBLE_EQ(r.heightPt, 80.0);
}

TEST(LayoutPicture, AnchoredPictureIsKeptOnThePage) {
    const auto pub = layOut(document({section({anchored(100.0, 80.0, 590.0, -30.0),
                                               anchored(2000.0, 500.0, 0.0, 0.0)})}));
    const auto frames = pictureFramesOf(pub.pages[0]);
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_DOUBLE_EQ(frames[0].rect.xPt, 512.0);
    EXPECT_DOUBLE_EQ(frames[0].rect.yPt, 0.0);
    EXPECT_DOUBLE_EQ(frames[1].rect.widthPt, 612.0);
    EXPECT_DOUBLE_EQ(frames[1].rect.heightPt, 153.0);
}

TEST(LayoutPicture, AnchoredPictureGoesOnThePageOfItsAnchor) {
    std::vector<model::Block> blocks;
    for (int i = 0; i < 60; ++i) blocks.push_back(paragraph("line"));
    blocks.push_back(anchored(50.0, 50.0, 10.0, 10.0));
    const auto pub = layOut(document({section(std::move(blocks))}));
    ASSERT_EQ(pub.pages.size(), 2u);
    EXPECT_TRUE(pictureFramesOf(pub.pages[0]).empty());
    EXPECT_EQ(pictureFramesOf(pub.pages[1]).size(), 1u);
}

TEST(LayoutPicture, MissingSizeIsTakenFromTheImage) {
    QImage img(96, 48, QImage::Format_RGB32);
    img.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(img.save(&buffer, "PNG"));
    model::Picture p;
    p.format = model::ImageFormat::Png;
    p.data.assign(bytes.begin(), bytes.end());
    const auto r = pictureSize(p);
    EXPECT_DOUBLE_EQ(r.widthPt, 72.0);
    EXPECT_DOUBLE_EQ(r.heightPt, 36.0);
    p.data = {1, 2, 3};
    EXPECT_GT(pictureSize(p).widthPt, 0.0);
}

model::Picture besidePrevious(double w, double h, model::Alignment a = model::Alignment::Left) {
    auto p = picture(w, h);
    p.sameParagraphAsPrevious = true;
    p.alignment = a;
    return p;
}

TEST(LayoutPicture, PicturesOfOneParagraphStandSideBySideWhileTheyFit) {
    // Body 468 pt wide: three pictures of 150 pt fit in a row, the fourth wraps.
    const auto doc = document({section({paragraph("above"), picture(150.0, 100.0), besidePrevious(150.0, 60.0),
                                        besidePrevious(150.0, 100.0), besidePrevious(150.0, 80.0),
                                        paragraph("below")})});
    const auto pub = layOut(doc);
    ASSERT_EQ(pub.pages.size(), 1u);
    const auto pics = pictureFramesOf(pub.pages[0]);
    ASSERT_EQ(pics.size(), 4u);
    const double top = pics[0].rect.yPt;
    EXPECT_DOUBLE_EQ(pics[0].rect.xPt, 72.0);
    EXPECT_DOUBLE_EQ(pics[1].rect.xPt, 222.0);
    EXPECT_DOUBLE_EQ(pics[2].rect.xPt, 372.0);
    // One bottom line for the row.
    EXPECT_DOUBLE_EQ(pics[1].rect.yPt, top + 40.0);
    EXPECT_DOUBLE_EQ(pics[2].rect.yPt, top);
    EXPECT_DOUBLE_EQ(pics[3].rect.xPt, 72.0);
    EXPECT_DOUBLE_EQ(pics[3].rect.yPt, top + 100.0);
    const auto below = textFramesOf(pub.pages[0]).back();
    EXPECT_EQ(frameText(below), "below\n");
    EXPECT_NEAR(below.rect.yPt, top + 180.0, 0.01);
}

TEST(LayoutPicture, PicturesOfSeparateParagraphsAreStacked) {
    const auto pub = layOut(document({section({picture(100.0, 50.0), picture(100.0, 50.0)})}));
    const auto pics = pictureFramesOf(pub.pages[0]);
    ASSERT_EQ(pics.size(), 2u);
    EXPECT_DOUBLE_EQ(pics[1].rect.xPt, 72.0);
    EXPECT_DOUBLE_EQ(pics[1].rect.yPt, pics[0].rect.yPt + 50.0);
}

TEST(LayoutPicture, InlinePicturesFollowTheirParagraphsAlignment) {
    auto centred = picture(100.0, 50.0);
    centred.alignment = model::Alignment::Center;
    auto right = picture(100.0, 50.0);
    right.alignment = model::Alignment::Right;
    const auto pub = layOut(document({section({centred, besidePrevious(200.0, 50.0, model::Alignment::Center),
                                               paragraph("text"), right})}));
    const auto pics = pictureFramesOf(pub.pages[0]);
    ASSERT_EQ(pics.size(), 3u);
    EXPECT_DOUBLE_EQ(pics[0].rect.xPt, 72.0 + (468.0 - 300.0) / 2.0);
    EXPECT_DOUBLE_EQ(pics[1].rect.xPt, pics[0].rect.xPt + 100.0);
    EXPECT_DOUBLE_EQ(pics[2].rect.xPt, 540.0 - 100.0);
}

TEST(LayoutPicture, ARowThatWouldPassThePageBottomWrapsToTheNextPage) {
    std::vector<model::Block> blocks;
    for (int i = 0; i < 45; ++i) blocks.push_back(paragraph("line"));
    blocks.push_back(picture(100.0, 20.0));
    blocks.push_back(besidePrevious(100.0, 200.0));   // too tall for what is left of the page
    const auto pub = layOut(document({section(std::move(blocks))}));
    ASSERT_EQ(pub.pages.size(), 2u);
    ASSERT_EQ(pictureFramesOf(pub.pages[1]).size(), 1u);
    EXPECT_DOUBLE_EQ(pictureFramesOf(pub.pages[1])[0].rect.yPt, 72.0);
    EXPECT_DOUBLE_EQ(pictureFramesOf(pub.pages[1])[0].rect.xPt, 72.0);
}

} // namespace
} // namespace fq::layout
