// Word 6.0/95 documents of the corpus: their 8-bit text in the right code
// page and their formatting through the translated one-byte sprms.
#include "publishing/doc/DocReader.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;
using namespace fq;

namespace {

model::Document corpusDoc(const std::string& name) {
    return doc::readDoc(fs::path(FQ_SHARED_DIR) / "corpus" / "doc" / name);
}

const model::Run* runWithText(const model::Document& d, const std::string& text) {
    for (const auto& s : d.sections)
        for (const auto& b : s.blocks)
            if (const auto* p = std::get_if<model::Paragraph>(&b))
                for (const auto& r : p->runs)
                    if (r.text == text) return &r;
    return nullptr;
}

TEST(DocCorpusWord6, CharacterFormattingArrives) {
    const auto d = corpusDoc("poi-Word95.doc");
    const auto* red = runWithText(d, "RED");
    ASSERT_NE(red, nullptr);
    ASSERT_TRUE(red->props.color.has_value());
    EXPECT_EQ(*red->props.color, (model::Color{255, 0, 0}));
    EXPECT_FALSE(red->props.bold);
    const auto* blue = runWithText(d, "BLUE BOLD");
    ASSERT_NE(blue, nullptr);
    EXPECT_TRUE(blue->props.bold);
    ASSERT_TRUE(blue->props.color.has_value());
    EXPECT_EQ(*blue->props.color, (model::Color{0, 0, 255}));
    EXPECT_EQ(blue->props.font, "Times New Roman");
    EXPECT_DOUBLE_EQ(blue->props.sizePt, 12.0);
    const auto* th = runWithText(d, "th");
    ASSERT_NE(th, nullptr);
    EXPECT_EQ(th->props.vertical, model::VerticalPosition::Superscript);
}

TEST(DocCorpusWord6, TextInTheFontsCodePage) {
    const auto cyrillic = corpusDoc("poi-Bug60942b.doc");
    std::string all;
    for (const auto& s : cyrillic.sections)
        for (const auto& b : s.blocks)
            if (const auto* p = std::get_if<model::Paragraph>(&b)) all += p->plainText();
    EXPECT_NE(all.find("\xD0\xA7\xD0\xB5\xD1\x82\xD1\x8B\xD1\x80\xD0\xB5"), std::string::npos) << all;  // "Четыре"
    const auto czech = corpusDoc("poi-Bug60936.doc");
    std::string text;
    for (const auto& s : czech.sections)
        for (const auto& b : s.blocks)
            if (const auto* p = std::get_if<model::Paragraph>(&b)) text += p->plainText();
    EXPECT_NE(text.find("p\xC5\x99" "ed"), std::string::npos) << text;  // "před"
}

} // namespace
