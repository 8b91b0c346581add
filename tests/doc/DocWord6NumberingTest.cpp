// Word 6.0/95 paragraph numbering: the ANLD of a Word 6 paragraph arrives
// widened to the Word 97 layout, and numbered runs, bullets and heading
// levels count as Word 6 counts them.
#include "publishing/doc/AutoNumbering.h"
#include "publishing/doc/Properties.h"
#include "publishing/doc/Word6Sprms.h"

#include <gtest/gtest.h>

using namespace fq::doc;

namespace {

TEST(DocWord6Numbering, TheLabelDescriptionArrivesWidened) {
    // nLvlAnm 10, then an ANLD: upper Roman, one character before and one
    // after the number, start 3, its text "()" as one-byte characters.
    Bytes anld(52, 0);
    anld[0] = 1;
    anld[1] = 1;
    anld[2] = 1;
    anld[10] = 3;
    anld[20] = '(';
    anld[21] = ')';
    Bytes g6{13, 10, 12, 52};
    g6.insert(g6.end(), anld.begin(), anld.end());
    Pap p;
    applyPap(p, translateWord6Grpprl(g6));
    EXPECT_EQ(p.nLvlAnm, 10);
    ASSERT_TRUE(p.anld.present);
    EXPECT_EQ(p.anld.nfc, 1);
    EXPECT_EQ(p.anld.startAt, 3);
    EXPECT_EQ(p.anld.before, u"(");
    EXPECT_EQ(p.anld.after, u")");
    AutoNumbering n;
    EXPECT_EQ(n.next(p.nLvlAnm, p.anld), u"(III)");
    // An ANLD too short to hold its fixed part is left out.
    Pap q;
    applyPap(q, translateWord6Grpprl(Bytes{12, 4, 1, 2, 3, 4}));
    EXPECT_FALSE(q.anld.present);
}

Anld label(std::uint8_t nfc, std::u16string before, std::u16string after, bool previous = false) {
    Anld a;
    a.present = true;
    a.nfc = nfc;
    a.before = std::move(before);
    a.after = std::move(after);
    a.includePrevious = previous;
    return a;
}

TEST(DocWord6Numbering, RunsRestartAndHeadingLevelsCountThrough) {
    const Anld number = label(0, u"", u".");
    const Anld letter = label(4, u"", u")");
    const Anld bullet = label(23, u"\u00B7", u"");
    const Anld heading = label(0, u"", u".");
    const Anld subheading = label(0, u"", u"", true);
    struct Step { std::uint8_t level; const Anld* anld; std::u16string label; };
    const Anld none;
    const std::vector<Step> steps = {
        {10, &number, u"1."},  {10, &number, u"2."},   {0, &none, u""},          {10, &number, u"1."},
        {10, &letter, u"b)"},  {11, &bullet, u"\u00B7"}, {10, &number, u"1."},   {1, &heading, u"1."},
        {2, &subheading, u"1.1"}, {0, &none, u""},     {2, &subheading, u"1.2"}, {10, &number, u"1."},
        {1, &heading, u"2."},  {2, &subheading, u"2.1"}, {3, &number, u"1."},    {10, &none, u""},
    };
    AutoNumbering n;
    for (std::size_t i = 0; i < steps.size(); ++i)
        EXPECT_EQ(n.next(steps[i].level, *steps[i].anld), steps[i].label) << "step " << i;
}

} // namespace
