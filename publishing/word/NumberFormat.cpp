// Writing numbers in Word's number formats.
#include "publishing/word/NumberFormat.h"

#include "publishing/word/Utf8.h"

#include <algorithm>
#include <array>
#include <map>
#include <vector>

namespace fq::word {

namespace {

using Chars = std::u32string_view;

std::string decimal(long long v) { return std::to_string(v); }

std::string utf8(std::u32string_view s) {
    std::string out;
    for (char32_t c : s) appendUtf8(out, c);
    return out;
}

// "a".."z", then "aa".."zz", "aaa"..: the letter repeated once per round.
std::string repeatedLetter(long long v, Chars alphabet) {
    if (v <= 0) return decimal(v);
    const long long n = static_cast<long long>(alphabet.size());
    const long long rounds = std::min<long long>((v - 1) / n + 1, 64);
    return utf8(std::u32string(static_cast<std::size_t>(rounds), alphabet[static_cast<std::size_t>((v - 1) % n)]));
}

// One sign per value, starting over after the last.
std::string cyclic(long long v, Chars signs) {
    if (v <= 0) return decimal(v);
    return utf8(std::u32string(1, signs[static_cast<std::size_t>((v - 1) % static_cast<long long>(signs.size()))]));
}

// A sign per value from `first` on, for values 1..count; decimal beyond.
std::string enclosed(long long v, char32_t first, long long count) {
    if (v < 1 || v > count) return decimal(v);
    return utf8(std::u32string(1, static_cast<char32_t>(first + (v - 1))));
}

// Every decimal digit replaced by its sign.
std::string digitwise(long long v, Chars digits) {
    if (v < 0) return decimal(v);
    std::string out;
    for (char c : decimal(v)) appendUtf8(out, digits[static_cast<std::size_t>(c - '0')]);
    return out;
}

std::string roman(long long v, bool upper) {
    if (v <= 0 || v >= 40000) return decimal(v);
    static const std::pair<int, const char*> table[] = {{1000, "m"}, {900, "cm"}, {500, "d"}, {400, "cd"},
                                                        {100, "c"},  {90, "xc"},  {50, "l"},  {40, "xl"},
                                                        {10, "x"},   {9, "ix"},   {5, "v"},   {4, "iv"}, {1, "i"}};
    std::string out;
    for (const auto& [n, s] : table)
        while (v >= n) out += s, v -= n;
    if (upper) std::transform(out.begin(), out.end(), out.begin(), [](char c) { return static_cast<char>(c - 'a' + 'A'); });
    return out;
}

std::string ordinalSuffix(long long v) {
    const long long t = v % 100;
    if (t >= 11 && t <= 13) return "th";
    switch (v % 10) {
    case 1: return "st";
    case 2: return "nd";
    case 3: return "rd";
    default: return "th";
    }
}

// English number words, lower case: "one hundred twenty-three".
std::string englishWords(long long v) {
    static const char* small[] = {"zero", "one", "two", "three", "four", "five", "six", "seven", "eight", "nine", "ten",
                                  "eleven", "twelve", "thirteen", "fourteen", "fifteen", "sixteen", "seventeen",
                                  "eighteen", "nineteen"};
    static const char* tens[] = {"", "", "twenty", "thirty", "forty", "fifty", "sixty", "seventy", "eighty", "ninety"};
    if (v < 20) return small[v];
    if (v < 100) return std::string(tens[v / 10]) + (v % 10 ? std::string("-") + small[v % 10] : "");
    if (v < 1000) return englishWords(v / 100) + " hundred" + (v % 100 ? " " + englishWords(v % 100) : "");
    if (v < 1000000) return englishWords(v / 1000) + " thousand" + (v % 1000 ? " " + englishWords(v % 1000) : "");
    return englishWords(v / 1000000) + " million" + (v % 1000000 ? " " + englishWords(v % 1000000) : "");
}

// "one" -> "first", "twenty-three" -> "twenty-third", "hundred" -> "hundredth".
std::string englishOrdinalWords(long long v) {
    std::string w = englishWords(v);
    static const std::pair<const char*, const char*> irregular[] = {
        {"one", "first"},  {"two", "second"}, {"three", "third"}, {"five", "fifth"},
        {"eight", "eighth"}, {"nine", "ninth"}, {"twelve", "twelfth"}};
    const std::size_t cut = w.find_last_of(" -") == std::string::npos ? 0 : w.find_last_of(" -") + 1;
    std::string last = w.substr(cut);
    w.erase(cut);
    for (const auto& [from, to] : irregular)
        if (last == from) return w + to;
    if (last.back() == 'y') return w + last.substr(0, last.size() - 1) + "ieth";
    return w + last + "th";
}

std::string capitalised(std::string s) {
    if (!s.empty() && s[0] >= 'a' && s[0] <= 'z') s[0] = static_cast<char>(s[0] - 'a' + 'A');
    return s;
}

// The counting systems of China, Taiwan, Japan and Korea: digits with
// signs for ten, hundred and thousand inside each group of four digits,
// and signs for ten thousand and a hundred million between the groups.
struct Counting {
    Chars digits;             // 0..9
    Chars units;              // ten, hundred, thousand
    Chars groups;             // ten thousand, hundred million
    char32_t zero = 0;        // written for skipped places (0: none)
    bool dropOneBeforeUnit = false;   // "十" rather than "一十" in every group
    bool dropOneBeforeTen = false;    // "十" only at the very start (10..19)
};

// One group of four digits; zeros before its first digit are the caller's.
std::u32string countGroup(int g, const Counting& c, bool first) {
    std::u32string out;
    bool pendingZero = false;
    for (int place = 3; place >= 0; --place) {
        static const int pow10[] = {1, 10, 100, 1000};
        const int d = (g / pow10[place]) % 10;
        if (d == 0) {
            if (!out.empty()) pendingZero = true;
            continue;
        }
        if (pendingZero && c.zero) out += c.zero;
        pendingZero = false;
        const bool omitOne = d == 1 && place > 0 &&
                             (c.dropOneBeforeUnit || (c.dropOneBeforeTen && place == 1 && first && out.empty()));
        if (!omitOne) out += c.digits[static_cast<std::size_t>(d)];
        if (place > 0) out += c.units[static_cast<std::size_t>(place - 1)];
    }
    return out;
}

std::string counting(long long v, const Counting& c) {
    if (v <= 0 || v >= 1000000000000LL) return v == 0 && c.zero ? utf8(std::u32string(1, c.digits[0])) : decimal(v);
    std::vector<int> groups;                       // least significant first
    for (long long n = v; n > 0; n /= 10000) groups.push_back(static_cast<int>(n % 10000));
    std::u32string out;
    bool zeroBefore = false;
    for (std::size_t i = groups.size(); i-- > 0;) {
        const int g = groups[i];
        const bool first = out.empty();
        if (g == 0) {
            zeroBefore = true;
            continue;
        }
        if (!first && c.zero && (zeroBefore || g < 1000)) out += c.zero;
        zeroBefore = false;
        out += countGroup(g, c, first);
        if (i > 0) out += c.groups[std::min<std::size_t>(i - 1, c.groups.size() - 1)];
    }
    return utf8(out);
}

const Counting kChinese{U"〇一二三四五六七八九", U"十百千", U"万亿", U'零', false, true};
const Counting kChineseLegal{U"零壹贰叁肆伍陆柒捌玖", U"拾佰仟", U"万亿", U'零', false, false};
const Counting kTaiwanese{U"〇一二三四五六七八九", U"十百千", U"萬億", U'零', false, true};
const Counting kTaiwaneseLegal{U"零壹貳參肆伍陸柒捌玖", U"拾佰仟", U"萬億", U'零', false, false};
const Counting kJapanese{U"〇一二三四五六七八九", U"十百千", U"万億", 0, true, true};
const Counting kJapaneseLegal{U"〇壱弐参四伍六七八九", U"拾百阡", U"萬億", 0, false, false};
const Counting kKorean{U"영일이삼사오육칠팔구", U"십백천", U"만억", 0, true, true};

// Native Korean numbers, 1..99.
std::string koreanNative(long long v) {
    static const Chars ones[] = {U"", U"하나", U"둘", U"셋", U"넷", U"다섯", U"여섯", U"일곱", U"여덟", U"아홉"};
    static const Chars tens[] = {U"", U"열", U"스물", U"서른", U"마흔", U"쉰", U"예순", U"일흔", U"여든", U"아흔"};
    if (v <= 0 || v >= 100) return counting(v, kKorean);
    return utf8(std::u32string(tens[v / 10]) + std::u32string(ones[v % 10]));
}

// Hebrew numerals: letters adding up to the value; 15 and 16 as 9+6, 9+7.
std::string hebrewNumeral(long long v) {
    if (v <= 0 || v >= 1000) return decimal(v);
    static const Chars ones = U"אבגדהוזחט", tens = U"יכלמנסעפצ", hundreds = U"קרשת";
    std::u32string out;
    long long h = v / 100;
    while (h >= 4) out += U'ת', h -= 4;
    if (h > 0) out += hundreds[static_cast<std::size_t>(h - 1)];
    long long r = v % 100;
    if (r == 15 || r == 16) {
        out += U'ט';
        out += r == 15 ? U'ו' : U'ז';
        return utf8(out);
    }
    if (r >= 10) out += tens[static_cast<std::size_t>(r / 10 - 1)];
    if (r % 10) out += ones[static_cast<std::size_t>(r % 10 - 1)];
    return utf8(out);
}

// Thai number words below a million.
std::string thaiWords(long long v) {
    if (v <= 0 || v >= 1000000) return digitwise(v, U"๐๑๒๓๔๕๖๗๘๙");
    static const Chars digits[] = {U"", U"หนึ่ง", U"สอง", U"สาม", U"สี่", U"ห้า", U"หก", U"เจ็ด", U"แปด", U"เก้า"};
    static const Chars places[] = {U"", U"สิบ", U"ร้อย", U"พัน", U"หมื่น", U"แสน"};
    const std::string s = decimal(v);
    std::u32string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const int d = s[i] - '0';
        const std::size_t place = s.size() - 1 - i;
        if (d == 0) continue;
        if (place == 1 && d == 1) out += U"สิบ";
        else if (place == 1 && d == 2) out += U"ยี่สิบ";
        else if (place == 0 && d == 1 && s.size() > 1) out += U"เอ็ด";
        else out += std::u32string(digits[d]) + std::u32string(places[place]);
    }
    return utf8(out);
}

// Vietnamese number words below a thousand.
std::string vietnameseWords(long long v) {
    if (v <= 0 || v >= 1000) return decimal(v);
    static const Chars digits[] = {U"không", U"một", U"hai", U"ba", U"bốn", U"năm", U"sáu", U"bảy", U"tám", U"chín"};
    std::u32string out;
    const long long h = v / 100, t = (v / 10) % 10, u = v % 10;
    auto word = [&](Chars w) {
        if (!out.empty()) out += U' ';
        out += w;
    };
    if (h) word(digits[h]), word(U"trăm");
    if (t == 0 && u && h) word(U"lẻ");
    if (t == 1) word(U"mười");
    else if (t > 1) word(digits[t]), word(U"mươi");
    if (u == 1 && t > 1) word(U"mốt");
    else if (u == 5 && t > 0) word(U"lăm");
    else if (u == 4 && t > 1) word(U"tư");
    else if (u) word(digits[u]);
    return utf8(out);
}

} // namespace

NumberFormat numberFormatFromCode(unsigned nfc) {
    if (nfc == 255) return NumberFormat::None;
    if (nfc <= static_cast<unsigned>(NumberFormat::ThaiCounting)) return static_cast<NumberFormat>(nfc);
    return NumberFormat::Decimal;
}

NumberFormat numberFormatFromName(std::string_view name) {
    static const std::map<std::string_view, NumberFormat> byName = [] {
        static const char* names[] = {
            "decimal", "upperRoman", "lowerRoman", "upperLetter", "lowerLetter", "ordinal", "cardinalText",
            "ordinalText", "hex", "chicago", "ideographDigital", "japaneseCounting", "aiueo", "iroha",
            "decimalFullWidth", "decimalHalfWidth", "japaneseLegal", "japaneseDigitalTenThousand",
            "decimalEnclosedCircle", "decimalFullWidth2", "aiueoFullWidth", "irohaFullWidth", "decimalZero",
            "bullet", "ganada", "chosung", "decimalEnclosedFullstop", "decimalEnclosedParen",
            "decimalEnclosedCircleChinese", "ideographEnclosedCircle", "ideographTraditional", "ideographZodiac",
            "ideographZodiacTraditional", "taiwaneseCounting", "ideographLegalTraditional",
            "taiwaneseCountingThousand", "taiwaneseDigital", "chineseCounting", "chineseLegalSimplified",
            "chineseCountingThousand", "koreanDigital", "koreanCounting", "koreanLegal", "koreanDigital2",
            "vietnameseCounting", "russianLower", "russianUpper", "none", "numberInDash", "hebrew1", "hebrew2",
            "arabicAlpha", "arabicAbjad", "hindiVowels", "hindiConsonants", "hindiNumbers", "hindiCounting",
            "thaiLetters", "thaiNumbers", "thaiCounting"};
        std::map<std::string_view, NumberFormat> m;
        for (std::size_t i = 0; i < std::size(names); ++i) m.emplace(names[i], static_cast<NumberFormat>(i));
        return m;
    }();
    const auto it = byName.find(name);
    return it == byName.end() ? NumberFormat::Decimal : it->second;
}

std::string formatNumber(long long v, NumberFormat f) {
    using F = NumberFormat;
    switch (f) {
    case F::Decimal: case F::DecimalHalfWidth: return decimal(v);
    case F::UpperRoman: return roman(v, true);
    case F::LowerRoman: return roman(v, false);
    case F::UpperLetter: return repeatedLetter(v, U"ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    case F::LowerLetter: return repeatedLetter(v, U"abcdefghijklmnopqrstuvwxyz");
    case F::Ordinal: return v < 0 ? decimal(v) : decimal(v) + ordinalSuffix(v);
    case F::CardinalText: return v < 0 ? decimal(v) : capitalised(englishWords(v));
    case F::OrdinalText: return v <= 0 ? decimal(v) : capitalised(englishOrdinalWords(v));
    case F::Hex: {
        if (v < 0) return decimal(v);
        static const char* hex = "0123456789ABCDEF";
        std::string out;
        do out.insert(out.begin(), hex[v % 16]), v /= 16; while (v > 0);
        return out;
    }
    case F::Chicago: {
        if (v <= 0) return decimal(v);
        return utf8(std::u32string(static_cast<std::size_t>(std::min<long long>((v - 1) / 4 + 1, 64)),
                                   U"*†‡§"[static_cast<std::size_t>((v - 1) % 4)]));
    }
    case F::IdeographDigital: case F::TaiwaneseDigital: return digitwise(v, U"〇一二三四五六七八九");
    case F::KoreanDigital: return digitwise(v, U"영일이삼사오육칠팔구");
    case F::KoreanDigital2: return digitwise(v, U"〇一二三四五六七八九");
    case F::JapaneseDigitalTenThousand: {
        if (v < 10000) return digitwise(v, U"〇一二三四五六七八九");
        return digitwise(v / 10000, U"〇一二三四五六七八九") + "万" + digitwise(v % 10000 + 10000, U"〇一二三四五六七八九").substr(3);
    }
    case F::JapaneseCounting: return counting(v, kJapanese);
    case F::JapaneseLegal: return counting(v, kJapaneseLegal);
    case F::ChineseCounting: case F::ChineseCountingThousand: return counting(v, kChinese);
    case F::ChineseLegalSimplified: return counting(v, kChineseLegal);
    case F::TaiwaneseCounting: case F::TaiwaneseCountingThousand: return counting(v, kTaiwanese);
    case F::IdeographLegalTraditional: return counting(v, kTaiwaneseLegal);
    case F::KoreanCounting: return counting(v, kKorean);
    case F::KoreanLegal: return koreanNative(v);
    case F::Aiueo:
        return cyclic(v, U"ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾅﾆﾇﾈﾉﾊﾋﾌﾍﾎﾏﾐﾑﾒﾓﾔﾕﾖﾗﾘﾙﾚﾛﾜｦﾝ");
    case F::AiueoFullWidth:
        return cyclic(v, U"アイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワヲン");
    case F::Iroha:
        return cyclic(v, U"ｲﾛﾊﾆﾎﾍﾄﾁﾘﾇﾙｦﾜｶﾖﾀﾚｿﾂﾈﾅﾗﾑｳヰﾉｵｸﾔﾏｹﾌｺｴﾃｱｻｷﾕﾒﾐｼヱﾋﾓｾｽ");
    case F::IrohaFullWidth:
        return cyclic(v, U"イロハニホヘトチリヌルヲワカヨタレソツネナラムウヰノオクヤマケフコエテアサキユメミシヱヒモセス");
    case F::DecimalFullWidth: case F::DecimalFullWidth2: return digitwise(v, U"０１２３４５６７８９");
    case F::DecimalEnclosedCircle: case F::DecimalEnclosedCircleChinese: return enclosed(v, U'①', 20);
    case F::DecimalEnclosedFullstop: return enclosed(v, U'⒈', 20);
    case F::DecimalEnclosedParen: return enclosed(v, U'⑴', 20);
    case F::IdeographEnclosedCircle: return enclosed(v, U'㈠', 10);
    case F::DecimalZero: return v >= 0 && v < 10 ? "0" + decimal(v) : decimal(v);
    case F::Bullet: case F::None: return {};
    case F::Ganada: return cyclic(v, U"가나다라마바사아자차카타파하");
    case F::Chosung: return cyclic(v, U"ㄱㄴㄷㄹㅁㅂㅅㅇㅈㅊㅋㅌㅍㅎ");
    case F::IdeographTraditional: return cyclic(v, U"甲乙丙丁戊己庚辛壬癸");
    case F::IdeographZodiac: return cyclic(v, U"子丑寅卯辰巳午未申酉戌亥");
    case F::IdeographZodiacTraditional:
        if (v <= 0) return decimal(v);
        return cyclic(v, U"甲乙丙丁戊己庚辛壬癸") + cyclic(v, U"子丑寅卯辰巳午未申酉戌亥");
    case F::VietnameseCounting: return vietnameseWords(v);
    case F::RussianLower: return repeatedLetter(v, U"абвгдежзиклмнопрстуфхцчшщэюя");
    case F::RussianUpper: return repeatedLetter(v, U"АБВГДЕЖЗИКЛМНОПРСТУФХЦЧШЩЭЮЯ");
    case F::NumberInDash: return "- " + decimal(v) + " -";
    case F::Hebrew1: return hebrewNumeral(v);
    case F::Hebrew2: return repeatedLetter(v, U"אבגדהוזחטיכלמנסעפצקרשת");
    case F::ArabicAlpha: return repeatedLetter(v, U"أبتثجحخدذرزسشصضطظعغفقكلمنهوي");
    case F::ArabicAbjad: return repeatedLetter(v, U"أبجدهوزحطيكلمنسعفصقرشتثخذضظغ");
    case F::HindiVowels: return cyclic(v, U"अआइईउऊऋएऐओऔ");
    case F::HindiConsonants: return cyclic(v, U"कखगघङचछजझञटठडढणतथदधनपफबभमयरलवशषसह");
    case F::HindiNumbers: case F::HindiCounting: return digitwise(v, U"०१२३४५६७८९");
    case F::ThaiLetters: return cyclic(v, U"กขคฆงจฉชซฌญฎฏฐฑฒณดตถทธนบปผฝพฟภมยรลวศษสหฬอฮ");
    case F::ThaiNumbers: return digitwise(v, U"๐๑๒๓๔๕๖๗๘๙");
    case F::ThaiCounting: return thaiWords(v);
    }
    return decimal(v);
}

} // namespace fq::word
