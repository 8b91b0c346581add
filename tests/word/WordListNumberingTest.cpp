// List counting as Word does it, on small lists built by hand: shared
// counters, start overrides, restart limits, skipped levels, legal numbers
// and bullets.
#include "publishing/word/ListNumbering.h"

#include <gtest/gtest.h>

using namespace fq::word;

namespace {

// A nine-level list whose level n shows "%1.%2...%n+1." in `formats`.
struct List {
    std::array<ListLevelDef, kListLevels> levels;
    explicit List(std::vector<NumberFormat> formats) {
        for (int l = 0; l < kListLevels; ++l) {
            std::string text;
            for (int k = 0; k <= l; ++k) text += "%" + std::to_string(k + 1) + ".";
            levels[l].label = parsePercentTemplate(text);
            levels[l].format = formats[std::min<std::size_t>(l, formats.size() - 1)];
        }
    }
    ListInstance instance(const std::string& list, const std::string& id) const {
        ListInstance in;
        in.listId = list;
        in.instanceId = id;
        for (int l = 0; l < kListLevels; ++l) in.levels[l] = &levels[l];
        return in;
    }
};

TEST(WordListNumbering, InstancesShareCountersAndStartOverridesRestartOnFirstUse) {
    List list({NumberFormat::Decimal, NumberFormat::UpperLetter});
    ListCounters c;
    const ListInstance plain = list.instance("a", "4");
    ListInstance restartTop = list.instance("a", "5");
    restartTop.startOverrides[0] = 2;
    ListInstance restartSecond = list.instance("a", "6");
    restartSecond.startOverrides[1] = 4;
    EXPECT_EQ(c.next(plain, 0), "1.\t");
    EXPECT_EQ(c.next(plain, 1), "1.A.\t");
    EXPECT_EQ(c.next(plain, 1), "1.B.\t");
    EXPECT_EQ(c.next(restartTop, 0), "2.\t");
    EXPECT_EQ(c.next(restartSecond, 1), "2.D.\t");
    EXPECT_EQ(c.next(plain, 1), "2.E.\t") << "the plain instance continues the same counters";
    EXPECT_EQ(c.next(restartSecond, 1), "2.F.\t") << "an override restarts only once";
    EXPECT_EQ(c.next(list.instance("other", "9"), 0), "1.\t") << "another list counts apart";
}

TEST(WordListNumbering, RestartLimitsSkippedLevelsAndLegalNumbers) {
    List list({NumberFormat::Decimal, NumberFormat::LowerLetter, NumberFormat::UpperRoman});
    list.levels[2].restartLimit = 1;                 // restarts after level 0 items only
    ListCounters c;
    const ListInstance in = list.instance("l", "1");
    EXPECT_EQ(c.next(in, 0), "1.\t");
    EXPECT_EQ(c.next(in, 1), "1.a.\t");
    EXPECT_EQ(c.next(in, 2), "1.a.I.\t");
    EXPECT_EQ(c.next(in, 1), "1.b.\t");
    EXPECT_EQ(c.next(in, 2), "1.b.II.\t") << "a level-1 item does not restart level 2";
    EXPECT_EQ(c.next(in, 0), "2.\t");
    EXPECT_EQ(c.next(in, 2), "2.a.I.\t") << "a skipped level shows its start";
    EXPECT_EQ(c.next(in, 1), "2.b.\t") << "and counts as used";

    List legal({NumberFormat::UpperRoman, NumberFormat::LowerRoman, NumberFormat::LowerLetter});
    legal.levels[2].legal = true;
    legal.levels[0].start = 4;
    ListCounters lc;
    const ListInstance li = legal.instance("g", "1");
    EXPECT_EQ(lc.next(li, 0), "IV.\t");
    EXPECT_EQ(lc.next(li, 2), "4.1.a.\t") << "levels above shown as decimals, its own keeps its format";
}

TEST(WordListNumbering, BulletsSuffixesAndUndefinedLevels) {
    ListLevelDef bullet;
    bullet.format = NumberFormat::Bullet;
    bullet.label = {{"\xEF\x82\xB7", -1}};           // U+F0B7
    bullet.font = "Symbol";
    bullet.suffix = " ";
    ListLevelDef none;
    none.format = NumberFormat::None;
    none.label = parsePercentTemplate("%2");
    ListInstance in;
    in.listId = "b";
    in.levels[0] = &bullet;
    in.levels[1] = &none;
    ListCounters c;
    EXPECT_EQ(c.next(in, 0), "\xE2\x80\xA2 ");      // a bullet, then a space
    EXPECT_EQ(c.next(in, 1), "") << "a level that shows nothing has no suffix either";
    EXPECT_EQ(c.next(in, 2), "");
    EXPECT_EQ(c.next(in, -1), "");
    EXPECT_EQ(parsePercentTemplate("(%1)%"), (std::vector<LabelPiece>{{"(", -1}, {"", 0}, {")%", -1}}));
}

} // namespace
