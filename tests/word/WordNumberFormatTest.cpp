// Number formats: each format's characteristic values, where a naive
// implementation goes wrong (zeros inside Chinese numbers, 11th-13th,
// letters past z, the two teens of Hebrew, cycles that start over).
#include "publishing/word/NumberFormat.h"

#include <gtest/gtest.h>

using namespace fq::word;

namespace {

struct Case {
    const char* format;
    long long value;
    const char* expected;
};

const Case kCases[] = {
    {"decimal", 0, "0"},           {"upperRoman", 1994, "MCMXCIV"}, {"lowerRoman", 4000, "mmmm"},
    {"lowerRoman", 0, "0"},        {"lowerLetter", 27, "aa"},        {"upperLetter", 53, "AAA"},
    {"ordinal", 1, "1st"},         {"ordinal", 12, "12th"},          {"ordinal", 113, "113th"},
    {"ordinal", 22, "22nd"},       {"cardinalText", 21, "Twenty-one"}, {"cardinalText", 305, "Three hundred five"},
    {"ordinalText", 1, "First"},   {"ordinalText", 12, "Twelfth"},   {"ordinalText", 40, "Fortieth"},
    {"ordinalText", 23, "Twenty-third"}, {"hex", 255, "FF"},         {"chicago", 6, "††"},
    {"decimalZero", 7, "07"},      {"decimalZero", 10, "10"},        {"decimalFullWidth", 12, "１２"},
    {"decimalEnclosedCircle", 5, "⑤"}, {"decimalEnclosedCircle", 21, "21"}, {"decimalEnclosedParen", 3, "⑶"},
    {"decimalEnclosedFullstop", 2, "⒉"}, {"ideographEnclosedCircle", 10, "㈩"}, {"ideographDigital", 105, "一〇五"},
    {"chineseCounting", 10, "十"}, {"chineseCounting", 15, "十五"},  {"chineseCounting", 20, "二十"},
    {"chineseCounting", 101, "一百零一"}, {"chineseCounting", 110, "一百一十"}, {"chineseCounting", 1010, "一千零一十"},
    {"chineseCounting", 10001, "一万零一"}, {"chineseCounting", 100000, "十万"}, {"chineseCounting", 120034, "十二万零三十四"},
    {"chineseCountingThousand", 3482, "三千四百八十二"}, {"chineseLegalSimplified", 12, "壹拾贰"},
    {"taiwaneseCounting", 20000, "二萬"}, {"ideographLegalTraditional", 30, "參拾"},
    {"japaneseCounting", 100, "百"}, {"japaneseCounting", 1111, "千百十一"}, {"japaneseCounting", 10000, "一万"},
    {"japaneseLegal", 11, "壱拾壱"}, {"koreanCounting", 15, "십오"}, {"koreanDigital", 20, "이영"},
    {"koreanLegal", 11, "열하나"}, {"ganada", 15, "가"},             {"chosung", 2, "ㄴ"},
    {"aiueoFullWidth", 2, "イ"},   {"irohaFullWidth", 3, "ハ"},      {"ideographTraditional", 11, "甲"},
    {"ideographZodiac", 13, "子"}, {"ideographZodiacTraditional", 11, "甲戌"},
    {"russianLower", 29, "аа"},    {"russianUpper", 10, "К"},        {"hebrew1", 15, "טו"},
    {"hebrew1", 16, "טז"},         {"hebrew1", 115, "קטו"},          {"hebrew1", 500, "תק"},
    {"hebrew2", 23, "אא"},         {"arabicAlpha", 2, "ب"},          {"arabicAbjad", 3, "ج"},
    {"hindiNumbers", 42, "४२"},    {"thaiNumbers", 7, "๗"},          {"thaiCounting", 21, "ยี่สิบเอ็ด"},
    {"thaiCounting", 11, "สิบเอ็ด"}, {"vietnameseCounting", 15, "mười lăm"}, {"vietnameseCounting", 21, "hai mươi mốt"},
    {"vietnameseCounting", 105, "một trăm lẻ năm"}, {"numberInDash", 3, "- 3 -"}, {"none", 3, ""},
    {"bullet", 3, ""},             {"somethingNew", 7, "7"},
};

TEST(WordNumberFormat, CharacteristicValuesOfEachFormat) {
    for (const Case& c : kCases)
        EXPECT_EQ(formatNumber(c.value, numberFormatFromName(c.format)), c.expected) << c.format << " " << c.value;
}

TEST(WordNumberFormat, DocCodesFollowWordsOrderOfTheNames) {
    EXPECT_EQ(numberFormatFromCode(0), numberFormatFromName("decimal"));
    EXPECT_EQ(numberFormatFromCode(23), numberFormatFromName("bullet"));
    EXPECT_EQ(numberFormatFromCode(37), numberFormatFromName("chineseCounting"));
    EXPECT_EQ(numberFormatFromCode(47), numberFormatFromName("none"));
    EXPECT_EQ(numberFormatFromCode(59), numberFormatFromName("thaiCounting"));
    EXPECT_EQ(numberFormatFromCode(255), NumberFormat::None);
    EXPECT_EQ(numberFormatFromCode(200), NumberFormat::Decimal);
}

} // namespace
