// Character, paragraph, style, page and document properties arrive in the
// model from .doc files that LibreOffice wrote from known .docx sources.
#include "DocFixtureSet.h"

#include <gtest/gtest.h>

using namespace fq;
using namespace fq::doc::test;

namespace {

class DocFormatting : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        props_ = new model::Document(readFixture("props"));
        styles_ = new model::Document(readFixture("styles"));
    }
    static void TearDownTestSuite() {
        delete props_;
        delete styles_;
    }
    static const model::Paragraph& para(const std::string& needle) {
        static const model::Paragraph none;
        const auto* p = findParagraph(*props_, needle);
        EXPECT_NE(p, nullptr) << needle;
        return p ? *p : none;
    }
    static const model::Run& run(const model::Document& d, const std::string& needle) {
        static const model::Run none;
        const auto* r = findRun(d, needle);
        EXPECT_NE(r, nullptr) << needle;
        return r ? *r : none;
    }
    static inline model::Document* props_ = nullptr;
    static inline model::Document* styles_ = nullptr;
};

TEST_F(DocFormatting, AlignmentOfEachParagraph) {
    EXPECT_EQ(para("Centered paragraph").props.alignment, model::Alignment::Center);
    EXPECT_EQ(para("Right paragraph").props.alignment, model::Alignment::Right);
    EXPECT_EQ(para("Justified paragraph").props.alignment, model::Alignment::Justify);
    EXPECT_EQ(para("Indented paragraph").props.alignment, model::Alignment::Left);
}

TEST_F(DocFormatting, IndentsInPoints) {
    const auto& p = para("Indented paragraph").props;
    EXPECT_DOUBLE_EQ(p.leftIndentPt, 36.0);
    EXPECT_DOUBLE_EQ(p.rightIndentPt, 18.0);
    EXPECT_DOUBLE_EQ(p.firstLineIndentPt, 18.0);
    const auto& h = para("Hanging paragraph").props;
    EXPECT_DOUBLE_EQ(h.leftIndentPt, 72.0);
    EXPECT_DOUBLE_EQ(h.firstLineIndentPt, -36.0);
}

TEST_F(DocFormatting, SpacingAndLineSpacing) {
    const auto& p = para("Spaced paragraph").props;
    EXPECT_DOUBLE_EQ(p.spaceBeforePt, 12.0);
    EXPECT_DOUBLE_EQ(p.spaceAfterPt, 6.0);
    EXPECT_EQ(p.lineSpacing.rule, model::LineSpacing::Rule::Exact);
    EXPECT_DOUBLE_EQ(p.lineSpacing.value, 18.0);
    const auto& d = para("Double spaced").props.lineSpacing;
    EXPECT_EQ(d.rule, model::LineSpacing::Rule::Multiple);
    EXPECT_DOUBLE_EQ(d.value, 2.0);
    const auto& a = para("AtLeast spaced").props.lineSpacing;
    EXPECT_EQ(a.rule, model::LineSpacing::Rule::AtLeast);
    EXPECT_DOUBLE_EQ(a.value, 15.0);
}

TEST_F(DocFormatting, KeepWithNext) {
    EXPECT_TRUE(para("Kept with next").props.keepWithNext);
    EXPECT_FALSE(para("Centered paragraph").props.keepWithNext);
}

TEST_F(DocFormatting, CharacterToggles) {
    EXPECT_TRUE(run(*props_, "BoldWord").props.bold);
    EXPECT_FALSE(run(*props_, "BoldWord").props.italic);
    EXPECT_TRUE(run(*props_, "ItalicWord").props.italic);
    EXPECT_FALSE(run(*props_, "Plain").props.bold);
    EXPECT_TRUE(run(*props_, "SmallCapsWord").props.smallCaps);
    EXPECT_TRUE(run(*props_, "AllCapsWord").props.allCaps);
    EXPECT_FALSE(run(*props_, "AllCapsWord").props.smallCaps);
}

TEST_F(DocFormatting, UnderlineAndStrike) {
    EXPECT_EQ(run(*props_, "UnderWord").props.underline, model::Underline::Single);
    EXPECT_EQ(run(*props_, "DoubleUnder").props.underline, model::Underline::Double);
    EXPECT_EQ(run(*props_, "Plain").props.underline, model::Underline::None);
    EXPECT_TRUE(run(*props_, "StruckWord").props.strike);
    EXPECT_TRUE(run(*props_, "DoubleStruck").props.strike);
    EXPECT_FALSE(run(*props_, "RedWord").props.strike);
}

TEST_F(DocFormatting, Colours) {
    ASSERT_TRUE(run(*props_, "RedWord").props.color.has_value());
    EXPECT_EQ(*run(*props_, "RedWord").props.color, (model::Color{255, 0, 0}));
    ASSERT_TRUE(run(*props_, "TealWord").props.color.has_value());
    EXPECT_EQ(*run(*props_, "TealWord").props.color, (model::Color{0x1F, 0x7A, 0x6B}));
    const auto& plain = run(*props_, "Plain").props.color;
    EXPECT_TRUE(!plain || *plain == (model::Color{0, 0, 0}));
}

TEST_F(DocFormatting, SuperAndSubscript) {
    EXPECT_EQ(run(*props_, "SuperWord").props.vertical, model::VerticalPosition::Superscript);
    EXPECT_EQ(run(*props_, "SubWord").props.vertical, model::VerticalPosition::Subscript);
    EXPECT_EQ(run(*props_, "Plain").props.vertical, model::VerticalPosition::Baseline);
}

TEST_F(DocFormatting, FontAndSize) {
    const auto& serif = run(*props_, "SerifWord").props;
    EXPECT_EQ(serif.font, "Liberation Serif");
    EXPECT_DOUBLE_EQ(serif.sizePt, 14.0);
    EXPECT_NE(run(*props_, "Plain").props.font, "Liberation Serif");
}

TEST_F(DocFormatting, HiddenTextIsDropped) {
    const auto& p = para("SerifWord");
    EXPECT_EQ(p.plainText().find("HiddenWord"), std::string::npos) << p.plainText();
    EXPECT_NE(p.plainText().find("End"), std::string::npos);
}

TEST_F(DocFormatting, StylesInheritFromTheirBase) {
    const auto* p = findParagraph(*styles_, "Derived text");
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->props.alignment, model::Alignment::Center);   // from the base style
    EXPECT_DOUBLE_EQ(p->props.spaceAfterPt, 10.0);             // from the base style
    EXPECT_DOUBLE_EQ(p->props.leftIndentPt, 20.0);             // its own
    const auto& derived = run(*styles_, "Derived text").props;
    EXPECT_TRUE(derived.bold);
    EXPECT_TRUE(derived.italic);
    EXPECT_DOUBLE_EQ(derived.sizePt, 16.0);
    EXPECT_EQ(derived.font, "Liberation Sans");                // from Normal
    const auto& off = run(*styles_, "not bold here").props;
    EXPECT_FALSE(off.bold);
    EXPECT_TRUE(off.italic);
}

TEST_F(DocFormatting, CharacterStyleApplies) {
    const auto& loud = run(*styles_, "loud text").props;
    EXPECT_EQ(loud.underline, model::Underline::Single);
    ASSERT_TRUE(loud.color.has_value());
    EXPECT_EQ(*loud.color, (model::Color{0, 0, 255}));
    EXPECT_DOUBLE_EQ(loud.sizePt, 11.0);
    const auto& normal = run(*styles_, "Normal text").props;
    EXPECT_EQ(normal.underline, model::Underline::None);
    EXPECT_FALSE(normal.bold);
}

TEST_F(DocFormatting, PageSizeAndMargins) {
    ASSERT_FALSE(props_->sections.empty());
    const auto& g = props_->sections.front().page;
    EXPECT_NEAR(g.widthPt, 595.3, 0.05);
    EXPECT_NEAR(g.heightPt, 841.9, 0.05);
    EXPECT_NEAR(g.marginTopPt, 56.7, 0.05);
    EXPECT_NEAR(g.marginBottomPt, 70.85, 0.05);
    EXPECT_NEAR(g.marginLeftPt, 85.05, 0.05);
    EXPECT_NEAR(g.marginRightPt, 42.5, 0.05);
}

TEST_F(DocFormatting, TitleAndAuthor) {
    EXPECT_EQ(props_->properties.title, "Fixture Title");
    EXPECT_EQ(props_->properties.author, "Jane Writer");
    EXPECT_EQ(props_->properties.created.substr(0, 10), "2024-05-01");
}

} // namespace
