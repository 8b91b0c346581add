// Field codes and symbol fonts as both readers meet them.
#include "publishing/word/FieldCode.h"
#include "publishing/word/SymbolFonts.h"

#include <gtest/gtest.h>

using namespace fq;
using namespace fq::word;

namespace {

TEST(WordFieldCode, TypeArgumentsAndSwitches) {
    FieldCode f = parseFieldCode(R"(  styleref  "Heading 1" \n \* MERGEFORMAT )");
    EXPECT_EQ(f.type, "STYLEREF");
    EXPECT_EQ(f.arguments, (std::vector<std::string>{"Heading 1"}));
    EXPECT_EQ(f.switches, (std::vector<std::string>{"\\n", "\\* MERGEFORMAT"}));
    f = parseFieldCode("PAGE\\* roman");
    EXPECT_EQ(f.type, "PAGE");
    EXPECT_EQ(f.switches, (std::vector<std::string>{"\\* roman"}));
    EXPECT_EQ(pageFieldKind(f), model::FieldKind::PageNumber);
    EXPECT_EQ(pageFieldKind(parseFieldCode(" NUMPAGES ")), model::FieldKind::PageCount);
    EXPECT_EQ(pageFieldKind(parseFieldCode("PAGEREF _Toc1 \\h")), model::FieldKind::None);
    EXPECT_EQ(parseFieldCode("").type, "");
}

TEST(WordFieldCode, PageFieldFormatsAndStyleReferences) {
    struct Case {
        const char* code;
        model::FieldKind kind;
        std::optional<NumberFormat> format;
        const char* style;
    };
    for (const Case& c : {Case{"PAGE \\* roman", model::FieldKind::PageNumber, NumberFormat::LowerRoman, ""},
                          Case{"PAGE\\* ROMAN", model::FieldKind::PageNumber, NumberFormat::UpperRoman, ""},
                          Case{"NUMPAGES \\* Arabic", model::FieldKind::PageCount, NumberFormat::Decimal, ""},
                          Case{"SECTIONPAGES \\* alphabetic", model::FieldKind::SectionPages, NumberFormat::LowerLetter, ""},
                          Case{"PAGE \\* MERGEFORMAT", model::FieldKind::PageNumber, std::nullopt, ""},
                          Case{"STYLEREF \"Heading 1\" \\n", model::FieldKind::StyleRef, std::nullopt, "Heading 1"},
                          Case{"STYLEREF 3", model::FieldKind::StyleRef, std::nullopt, "Heading 3"},
                          Case{"STYLEREF", model::FieldKind::None, std::nullopt, ""}}) {
        const FieldCode f = parseFieldCode(c.code);
        EXPECT_EQ(pageFieldKind(f), c.kind) << c.code;
        EXPECT_EQ(fieldNumberFormat(f), c.format) << c.code;
        EXPECT_EQ(styleRefStyle(f), c.style) << c.code;
    }
}

TEST(WordFieldCode, FileNameIsTheConvertedFile) {
    const FieldContext c{"/docs/Report.doc", "Report.doc"};
    EXPECT_EQ(computedFieldResult(parseFieldCode("FILENAME"), c), "Report.doc");
    EXPECT_EQ(computedFieldResult(parseFieldCode("FILENAME \\p"), c), "/docs/Report.doc");
    EXPECT_EQ(computedFieldResult(parseFieldCode("FILENAME \\* Upper"), c), "REPORT.DOC");
    EXPECT_EQ(computedFieldResult(parseFieldCode("DATE \\@ \"d MMMM yyyy\""), c), std::nullopt);
    EXPECT_EQ(computedFieldResult(parseFieldCode("FILENAME"), FieldContext{}), std::nullopt);
}

TEST(WordSymbolFonts, CharactersOfSymbolFontsInBothForms) {
    EXPECT_EQ(symbolToUnicode("Symbol", 0xF06D), U'\u03BC');       // mu, private-use form
    EXPECT_EQ(symbolToUnicode("Symbol", U'm'), U'\u03BC');          // mu, font change on a letter
    EXPECT_EQ(symbolToUnicode("Symbol", 0xF0B7), U'\u2022');
    EXPECT_EQ(symbolToUnicode("Symbol", 0xF02D), U'\u2212');
    EXPECT_EQ(symbolToUnicode("Arial", U'm'), std::nullopt) << "a letter in a text font is a letter";
    EXPECT_EQ(symbolToUnicode("Arial", 0xF0B7), U'\u2022') << "private use without a font is Symbol's";
    EXPECT_EQ(symbolToUnicode("Wingdings", 0xF0D8), U'\u27A2');
    EXPECT_EQ(symbolToUnicode("Wingdings 2", 0xF0D8), std::nullopt);
    EXPECT_EQ(symbolToUnicode("Symbol", 0x0410), std::nullopt);
    EXPECT_TRUE(isSymbolFont("Wingdings 3"));
    EXPECT_FALSE(isSymbolFont("Times New Roman"));
    EXPECT_EQ(bulletText("\xEF\x83\x98", "Wingdings", 0), "\xE2\x9E\xA2");   // U+F0D8 -> arrowhead
    EXPECT_EQ(bulletText("\xEF\x83\xB9", "Webdings", 2), "\xE2\x96\xAA")
        << "an unknown symbol shows the level's usual bullet";
    EXPECT_EQ(bulletText("\xE2\x98\x90", "MS Gothic", 0), "\xE2\x98\x90") << "a Unicode bullet stays";
}

} // namespace
