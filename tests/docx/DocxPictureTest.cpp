// Pictures: inline and anchored DrawingML, VML image data, sizes, anchor
// positions resolved to page coordinates, and the format told by the bytes.
#include "DocxFixture.h"
#include "DocxTestUtil.h"

#include "publishing/docx/DocxReader.h"
#include "publishing/docx/ImageSniffer.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace fq;
using namespace fq::docx::test;

namespace {

std::string inlinePicture(const std::string& relId, long cx, long cy, const std::string& descr) {
    return "<w:r><w:drawing><wp:inline><wp:extent cx=\"" + std::to_string(cx) + "\" cy=\"" + std::to_string(cy) +
           "\"/><wp:docPr id=\"1\" name=\"Picture 1\" descr=\"" + descr +
           "\"/><a:graphic><a:graphicData uri=\"http://schemas.openxmlformats.org/drawingml/2006/picture\">"
           "<pic:pic><pic:blipFill><a:blip r:embed=\"" + relId + "\"/></pic:blipFill><pic:spPr><a:xfrm>"
           "<a:ext cx=\"" + std::to_string(cx) + "\" cy=\"" + std::to_string(cy) +
           "\"/></a:xfrm></pic:spPr></pic:pic></a:graphicData></a:graphic></wp:inline></w:drawing></w:r>";
}

std::string anchoredPicture(const std::string& relId, long cx, long cy, const std::string& h, const std::string& v) {
    return "<w:r><w:drawing><wp:anchor simplePos=\"0\" behindDoc=\"0\"><wp:simplePos x=\"0\" y=\"0\"/>" + h + v +
           "<wp:extent cx=\"" + std::to_string(cx) + "\" cy=\"" + std::to_string(cy) +
           "\"/><wp:docPr id=\"2\" name=\"Picture 2\"/><a:graphic><a:graphicData><pic:pic><pic:blipFill>"
           "<a:blip r:embed=\"" + relId + "\"/></pic:blipFill></pic:pic></a:graphicData></a:graphic></wp:anchor>"
           "</w:drawing></w:r>";
}

const char* letterSection =
    "<w:sectPr><w:pgSz w:w=\"12240\" w:h=\"15840\"/><w:pgMar w:top=\"1440\" w:right=\"1440\" w:bottom=\"1440\" "
    "w:left=\"1800\" w:header=\"720\" w:footer=\"720\"/></w:sectPr>";

} // namespace

TEST(DocxPicture, InlinePngStandsInItsLineWithSizeAndDescription) {
    DocxFixture f;
    f.media("rIdImg", "image1.png", tinyPng());
    f.body("<w:p><w:r><w:t xml:space=\"preserve\">before </w:t></w:r>" +
           inlinePicture("rIdImg", 1270000, 635000, "A chart") + "<w:r><w:t>after</w:t></w:r></w:p>" + letterSection);
    auto doc = docx::readDocx(f.write());
    const auto& blocks = doc.sections.at(0).blocks;
    ASSERT_EQ(blocks.size(), 1u);
    const auto& para = std::get<model::Paragraph>(blocks[0]);
    EXPECT_EQ(para.plainText(), "before after");
    ASSERT_EQ(para.runs.size(), 3u);
    ASSERT_TRUE(para.runs[1].picture);
    EXPECT_TRUE(para.runs[1].text.empty());
    const auto& pic = *para.runs[1].picture;
    EXPECT_EQ(pic.format, model::ImageFormat::Png);
    EXPECT_EQ(pic.data, tinyPng());
    EXPECT_DOUBLE_EQ(pic.widthPt, 100.0);
    EXPECT_DOUBLE_EQ(pic.heightPt, 50.0);
    EXPECT_EQ(pic.description, "A chart");
    EXPECT_FALSE(pic.anchor.has_value());
    EXPECT_FALSE(para.runs[0].picture || para.runs[2].picture);
}

TEST(DocxPicture, InlinePictureInACellOrBesideSpacesIsABlock) {
    DocxFixture f;
    f.media("rIdImg", "image1.png", tinyPng());
    f.body("<w:p><w:r><w:t xml:space=\"preserve\">  </w:t></w:r>" + inlinePicture("rIdImg", 12700, 12700, "") +
           "</w:p><w:tbl><w:tr><w:tc><w:p><w:r><w:t>cell</w:t></w:r>" + inlinePicture("rIdImg", 12700, 12700, "") +
           "</w:p></w:tc></w:tr></w:tbl>" + letterSection);
    auto doc = docx::readDocx(f.write());
    const auto& blocks = doc.sections.at(0).blocks;
    ASSERT_GE(blocks.size(), 2u);
    EXPECT_TRUE(std::holds_alternative<model::Picture>(blocks[blocks.size() - 2]));
    const auto& cell = std::get<model::Table>(blocks.back()).rows.at(0).cells.at(0).blocks;
    EXPECT_TRUE(std::any_of(cell.begin(), cell.end(),
                            [](const model::Block& b) { return std::holds_alternative<model::Picture>(b); }));
}

TEST(DocxPicture, PictureAloneLeavesNoEmptyParagraph) {
    DocxFixture f;
    f.media("rIdImg", "image1.png", tinyPng());
    f.body("<w:p>" + inlinePicture("rIdImg", 12700, 12700, "") + "</w:p><w:p/>");
    auto doc = docx::readDocx(f.write());
    const auto& blocks = doc.sections.at(0).blocks;
    ASSERT_EQ(blocks.size(), 2u);
    EXPECT_TRUE(std::holds_alternative<model::Picture>(blocks[0]));
    EXPECT_EQ(std::get<model::Paragraph>(blocks[1]).plainText(), "") << "an empty paragraph of its own stays";
}

TEST(DocxPicture, AnchoredJpegIsPlacedOnThePage) {
    DocxFixture f;
    f.media("rIdJ", "photo.jpeg", tinyJpeg());
    const std::string marginOffset =
        "<wp:positionH relativeFrom=\"margin\"><wp:posOffset>635000</wp:posOffset></wp:positionH>";
    const std::string pageOffset = "<wp:positionV relativeFrom=\"page\"><wp:posOffset>1270000</wp:posOffset></wp:positionV>";
    const std::string centred = "<wp:positionH relativeFrom=\"page\"><wp:align>center</wp:align></wp:positionH>";
    const std::string bottomMargin = "<wp:positionV relativeFrom=\"margin\"><wp:align>bottom</wp:align></wp:positionV>";
    f.body("<w:p><w:r><w:t>text</w:t></w:r>" + anchoredPicture("rIdJ", 1270000, 2540000, marginOffset, pageOffset) +
           anchoredPicture("rIdJ", 2540000, 1270000, centred, bottomMargin) + "</w:p>" + letterSection);
    auto doc = docx::readDocx(f.write());
    auto pics = pictures(doc);
    ASSERT_EQ(pics.size(), 2u);
    EXPECT_EQ(texts(doc), (std::vector<std::string>{"text"})) << "a floating picture does not split its paragraph";
    EXPECT_EQ(pics[0].format, model::ImageFormat::Jpeg);
    ASSERT_TRUE(pics[0].anchor.has_value());
    EXPECT_DOUBLE_EQ(pics[0].anchor->xPt, 90.0 + 50.0);   // left margin + offset
    EXPECT_DOUBLE_EQ(pics[0].anchor->yPt, 100.0);
    EXPECT_DOUBLE_EQ(pics[0].widthPt, 100.0);
    EXPECT_DOUBLE_EQ(pics[0].heightPt, 200.0);
    ASSERT_TRUE(pics[1].anchor.has_value());
    EXPECT_DOUBLE_EQ(pics[1].anchor->xPt, (612.0 - 200.0) / 2);
    EXPECT_DOUBLE_EQ(pics[1].anchor->yPt, 792.0 - 72.0 - 100.0);
}

TEST(DocxPicture, VmlImageDataWithStyleSize) {
    DocxFixture f;
    f.media("rIdV", "old.png", tinyPng());
    f.body("<w:p><w:r><w:pict><v:shape style=\"width:144pt;height:1in\"><v:imagedata r:id=\"rIdV\" o:title=\"\"/>"
           "</v:shape></w:pict></w:r></w:p>");
    auto pics = pictures(docx::readDocx(f.write()));
    ASSERT_EQ(pics.size(), 1u);
    EXPECT_EQ(pics[0].format, model::ImageFormat::Png);
    EXPECT_DOUBLE_EQ(pics[0].widthPt, 144.0);
    EXPECT_DOUBLE_EQ(pics[0].heightPt, 72.0);
}

TEST(DocxPicture, MissingMediaChartsAndObjectsLeaveVisiblePlaceholders) {
    DocxFixture f;
    f.body("<w:p>" + inlinePicture("rIdNowhere", 12700, 12700, "") +
           "<w:r><w:drawing><wp:inline><wp:extent cx=\"1\" cy=\"1\"/><a:graphic><a:graphicData><c:chart "
           "xmlns:c=\"http://schemas.openxmlformats.org/drawingml/2006/chart\" r:id=\"rIdC\"/></a:graphicData>"
           "</a:graphic></wp:inline></w:drawing></w:r>"
           "<w:r><w:object><o:OLEObject xmlns:o=\"urn:schemas-microsoft-com:office:office\" ProgID=\"Equation.3\"/>"
           "</w:object></w:r></w:p>");
    EXPECT_EQ(texts(docx::readDocx(f.write())), (std::vector<std::string>{"[picture][chart][object]"}));
}

TEST(DocxPicture, FormatIsToldByTheBytes) {
    using F = model::ImageFormat;
    auto bytes = [](std::initializer_list<int> b) {
        std::vector<std::uint8_t> v;
        for (int x : b) v.push_back(static_cast<std::uint8_t>(x));
        return v;
    };
    EXPECT_EQ(docx::sniffImageFormat(tinyPng()), F::Png);
    EXPECT_EQ(docx::sniffImageFormat(tinyJpeg()), F::Jpeg);
    EXPECT_EQ(docx::sniffImageFormat(bytes({'G', 'I', 'F', '8', '9', 'a'})), F::Gif);
    EXPECT_EQ(docx::sniffImageFormat(bytes({'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0})), F::Bmp);
    EXPECT_EQ(docx::sniffImageFormat(bytes({'I', 'I', 42, 0})), F::Tiff);
    EXPECT_EQ(docx::sniffImageFormat(bytes({'M', 'M', 0, 42})), F::Tiff);
    EXPECT_EQ(docx::sniffImageFormat(bytes({0xD7, 0xCD, 0xC6, 0x9A, 0, 0})), F::Wmf);
    EXPECT_EQ(docx::sniffImageFormat(bytes({1, 0, 9, 0, 0, 3})), F::Wmf);
    std::vector<std::uint8_t> emf(64, 0);
    emf[0] = 1;
    emf[40] = 0x20; emf[41] = 'E'; emf[42] = 'M'; emf[43] = 'F';
    EXPECT_EQ(docx::sniffImageFormat(emf), F::Emf);
    emf[41] = 'X';
    EXPECT_EQ(docx::sniffImageFormat(emf), F::Unknown);
    EXPECT_EQ(docx::sniffImageFormat({}), F::Unknown);
}

TEST(DocxPicture, PicturesOfOneParagraphAreMarkedAsStandingTogether) {
    DocxFixture f;
    f.media("rIdImg", "image1.png", tinyPng());
    const std::string pic = inlinePicture("rIdImg", 1270000, 635000, "");
    f.body("<w:p><w:pPr><w:jc w:val=\"center\"/></w:pPr>" + pic + "<w:r><w:t xml:space=\"preserve\"> </w:t></w:r>" +
           pic + pic + "</w:p><w:p>" + pic + "<w:r><w:t>text</w:t></w:r>" + pic + "</w:p><w:p>" + pic + "</w:p>" +
           letterSection);
    auto doc = docx::readDocx(f.write());
    const auto& blocks = doc.sections.at(0).blocks;
    ASSERT_EQ(blocks.size(), 5u);
    std::vector<std::pair<bool, model::Alignment>> seen;
    for (std::size_t i : {0u, 1u, 2u, 4u}) {
        const auto* p = std::get_if<model::Picture>(&blocks[i]);
        ASSERT_NE(p, nullptr) << "block " << i;
        seen.emplace_back(p->sameParagraphAsPrevious, p->alignment);
    }
    using A = model::Alignment;
    EXPECT_EQ(seen, (std::vector<std::pair<bool, A>>{
                        {false, A::Center}, {true, A::Center}, {true, A::Center},   // a space between is dropped
                        {false, A::Left}}));                                         // a paragraph of its own
    // With text between, the pictures stand in the paragraph's line.
    const auto& text = std::get<model::Paragraph>(blocks[3]);
    EXPECT_EQ(text.plainText(), "text");
    ASSERT_EQ(text.runs.size(), 3u);
    EXPECT_TRUE(text.runs[0].picture && text.runs[2].picture);
}
