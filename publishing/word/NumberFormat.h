// The number formats Word uses for list labels, page numbers and field
// results ("iv", "C", "二十一", "⑤"), shared by the docx and doc readers.
// The order is Word's own: the .doc format stores a format as its index
// here (nfc), WordprocessingML by the name.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace fq::word {

enum class NumberFormat : std::uint8_t {
    Decimal, UpperRoman, LowerRoman, UpperLetter, LowerLetter, Ordinal, CardinalText, OrdinalText,
    Hex, Chicago, IdeographDigital, JapaneseCounting, Aiueo, Iroha, DecimalFullWidth, DecimalHalfWidth,
    JapaneseLegal, JapaneseDigitalTenThousand, DecimalEnclosedCircle, DecimalFullWidth2, AiueoFullWidth,
    IrohaFullWidth, DecimalZero, Bullet, Ganada, Chosung, DecimalEnclosedFullstop, DecimalEnclosedParen,
    DecimalEnclosedCircleChinese, IdeographEnclosedCircle, IdeographTraditional, IdeographZodiac,
    IdeographZodiacTraditional, TaiwaneseCounting, IdeographLegalTraditional, TaiwaneseCountingThousand,
    TaiwaneseDigital, ChineseCounting, ChineseLegalSimplified, ChineseCountingThousand, KoreanDigital,
    KoreanCounting, KoreanLegal, KoreanDigital2, VietnameseCounting, RussianLower, RussianUpper, None,
    NumberInDash, Hebrew1, Hebrew2, ArabicAlpha, ArabicAbjad, HindiVowels, HindiConsonants, HindiNumbers,
    HindiCounting, ThaiLetters, ThaiNumbers, ThaiCounting,
};

// The format a WordprocessingML name (w:numFmt/@w:val, ST_NumberFormat)
// stands for; unknown names are decimal, as Word shows them.
NumberFormat numberFormatFromName(std::string_view name);
// The format a .doc number format code (nfc) stands for; 255 is none.
NumberFormat numberFormatFromCode(unsigned nfc);

// The number written in the format, as UTF-8. Bullet and None give "".
// Formats that cannot show a value (zero or negative in letters, beyond
// a cycle's reach) fall back to decimal digits, as Word does.
std::string formatNumber(long long value, NumberFormat format);

} // namespace fq::word
