// The pub2raw output parser of the test support library, on canned output.
#include "tests/support/Pub2Raw.h"

#include <gtest/gtest.h>

using namespace fq::test;

namespace {
const char* kOutput = R"(startDocument()
  setDocumentMetaData(dc:creator: Ann, dc:title: A, B and C)
  startPage(svg:height: 11.0000in, svg:width: 8.5000in)
    setStyle(draw:fill: bitmap, draw:fill-image: aGVsbG8=, librevenge:mime-type: image/png, style:repeat: stretch)
    drawPolygon (svg:points: ((svg:x: 1.0000in, svg:y: 2.0000in), (svg:x: 3.5000in, svg:y: 2.0000in), (svg:x: 3.5000in, svg:y: 4.0000in), (svg:x: 1.0000in, svg:y: 2.0000in)))
    startTextObject (fo:padding-left: 0.0000in, svg:height: 1.0000in, svg:width: 2.0000in, svg:x: 0.5000in, svg:y: 0.2500in)
      openParagraph (fo:text-align: center, fo:margin-left: 0.5000in)
        openSpan(fo:font-size: 0.1667in, style:font-name: Times New Roman, style:text-position: 50% 67%)
          insertText (Hello (world))
          insertTab
          insertText (x)
          insertLineBreak
        closeSpan
      closeParagraph
    endTextObject
  endPage
  startPage(svg:height: 5.0000in, svg:width: 4.0000in)
  endPage
endDocument
)";
}

TEST(PubRawParser, ReadsPagesTextAndPictures) {
    const RawDocument d = parsePub2Raw(kOutput);
    EXPECT_TRUE(d.started);
    EXPECT_EQ(d.metadata.at("dc:title"), "A, B and C");
    ASSERT_EQ(d.pages.size(), 2u);
    EXPECT_DOUBLE_EQ(d.pages[0].width, 8.5);
    EXPECT_DOUBLE_EQ(d.pages[1].height, 5.0);
    ASSERT_EQ(d.pages[0].pictures.size(), 1u);
    const auto& pic = d.pages[0].pictures[0];
    EXPECT_EQ(pic.mimeType, "image/png");
    EXPECT_EQ(std::string(pic.data.begin(), pic.data.end()), "hello");
    EXPECT_EQ(pic.md5, "5d41402abc4b2a76b9719d911017c592");
    EXPECT_DOUBLE_EQ(pic.x, 1.0);
    EXPECT_DOUBLE_EQ(pic.width, 2.5);
    EXPECT_DOUBLE_EQ(pic.height, 2.0);
    ASSERT_EQ(d.pages[0].textObjects.size(), 1u);
    const auto& t = d.pages[0].textObjects[0];
    EXPECT_DOUBLE_EQ(t.x, 0.5);
    EXPECT_DOUBLE_EQ(t.y, 0.25);
    ASSERT_EQ(t.paragraphs.size(), 1u);
    EXPECT_EQ(t.paragraphs[0].props.at("fo:text-align"), "center");
    EXPECT_EQ(rawNumber(t.paragraphs[0].props, "fo:margin-left").value_or(0), 0.5);
    ASSERT_EQ(t.paragraphs[0].spans.size(), 1u);
    EXPECT_EQ(t.paragraphs[0].spans[0].props.at("style:font-name"), "Times New Roman");
    EXPECT_EQ(t.paragraphs[0].spans[0].props.at("style:text-position"), "50% 67%");
    EXPECT_EQ(t.text(), "Hello (world)\tx\n");
    EXPECT_FALSE(rawNumber(t.props, "missing"));
}

TEST(PubRawParser, RejectedFileHasNoPages) {
    const RawDocument d = parsePub2Raw("");
    EXPECT_FALSE(d.started);
    EXPECT_TRUE(d.pages.empty());
}
