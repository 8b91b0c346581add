// A few fixture documents through the whole engine and back through
// libmspub's pub2raw: what the docx reader resolved survives layout and
// writing.
#include "DocxFixture.h"

#include "publishing/engine/Engine.h"
#include "tests/support/Pub2Raw.h"

#include <gtest/gtest.h>

using namespace fq;
using namespace fq::docx::test;

namespace {

const fq::test::RawSpan* spanWith(const fq::test::RawDocument& raw, const std::string& needle) {
    for (const auto& page : raw.pages)
        for (const auto& obj : page.textObjects)
            for (const auto& para : obj.paragraphs)
                for (const auto& span : para.spans)
                    if (span.text.find(needle) != std::string::npos) return &span;
    return nullptr;
}

fq::test::RawDocument roundTrip(DocxFixture& f) {
    const auto source = f.write("source.docx");
    const auto target = f.folder() / "out.pub";
    engine::savePublication(engine::readDocument(source), target, source);
    return fq::test::runPub2Raw(target);
}

} // namespace

TEST(DocxEndToEnd, ResolvedCharacterFormattingReachesThePublication) {
    DocxFixture f;
    f.styles("<w:style w:type=\"paragraph\" w:default=\"1\" w:styleId=\"Normal\"><w:rPr>"
             "<w:rFonts w:ascii=\"Liberation Serif\" w:hAnsi=\"Liberation Serif\"/><w:sz w:val=\"24\"/></w:rPr></w:style>"
             "<w:style w:type=\"character\" w:styleId=\"Strong\"><w:rPr><w:b/></w:rPr></w:style>");
    f.body("<w:p><w:r><w:t xml:space=\"preserve\">plain words </w:t></w:r>"
           "<w:r><w:rPr><w:rStyle w:val=\"Strong\"/><w:sz w:val=\"32\"/></w:rPr><w:t>bigbold</w:t></w:r>"
           "<w:r><w:rPr><w:i/></w:rPr><w:t xml:space=\"preserve\"> slanted</w:t></w:r></w:p>");
    const auto raw = roundTrip(f);
    ASSERT_TRUE(raw.started) << raw.output.substr(0, 400);
    const auto* plain = spanWith(raw, "plain words");
    const auto* bold = spanWith(raw, "bigbold");
    const auto* italic = spanWith(raw, "slanted");
    ASSERT_TRUE(plain && bold && italic) << raw.output.substr(0, 2000);
    // pub2raw prints sizes in inches.
    EXPECT_NEAR(fq::test::rawNumber(plain->props, "fo:font-size").value_or(0) * 72.0, 12.0, 0.05);
    EXPECT_NEAR(fq::test::rawNumber(bold->props, "fo:font-size").value_or(0) * 72.0, 16.0, 0.05);
    EXPECT_EQ(bold->props.count("fo:font-weight") ? bold->props.at("fo:font-weight") : "", "bold");
    EXPECT_NE(plain->props.count("fo:font-weight") ? plain->props.at("fo:font-weight") : "", "bold");
    EXPECT_EQ(italic->props.count("fo:font-style") ? italic->props.at("fo:font-style") : "", "italic");
    EXPECT_EQ(plain->props.count("style:font-name") ? plain->props.at("style:font-name") : "", "Liberation Serif");
}

TEST(DocxEndToEnd, PageBreakMakesASecondPageAndPicturesKeepTheirBytes) {
    DocxFixture f;
    f.media("rIdImg", "image1.png", tinyPng());
    f.body("<w:p><w:r><w:t>first page</w:t></w:r><w:r><w:br w:type=\"page\"/></w:r><w:r><w:t>second page</w:t></w:r></w:p>"
           "<w:p><w:r><w:drawing><wp:inline><wp:extent cx=\"914400\" cy=\"914400\"/><wp:docPr id=\"1\" name=\"p\"/>"
           "<a:graphic><a:graphicData><pic:pic><pic:blipFill><a:blip r:embed=\"rIdImg\"/></pic:blipFill></pic:pic>"
           "</a:graphicData></a:graphic></wp:inline></w:drawing></w:r></w:p>");
    const auto raw = roundTrip(f);
    ASSERT_TRUE(raw.started) << raw.output.substr(0, 400);
    ASSERT_EQ(raw.pages.size(), 2u);
    std::string firstText, secondText;
    for (const auto& o : raw.pages[0].textObjects) firstText += o.text();
    for (const auto& o : raw.pages[1].textObjects) secondText += o.text();
    EXPECT_NE(firstText.find("first page"), std::string::npos);
    EXPECT_EQ(firstText.find("second page"), std::string::npos);
    EXPECT_NE(secondText.find("second page"), std::string::npos);
    ASSERT_EQ(raw.pages[1].pictures.size(), 1u);
    EXPECT_TRUE(raw.pages[1].pictures[0].carriesImage(tinyPng()));
    EXPECT_NEAR(raw.pages[1].pictures[0].width, 1.0, 0.01);
}
