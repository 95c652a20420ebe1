// The kinds as the settings name them, and the columns and value of each.
#include "store/attribute_kind.h"
#include "store/history_row.h"

#include <gtest/gtest.h>

using namespace qudrim;

TEST(AttributeKind, OnlyZeroToSevenNameAKind)
{
    for (int i = 0; i < kKindCount; ++i)
        EXPECT_EQ(kindFromSetting(i), std::optional<Kind>(kAllKinds[static_cast<size_t>(i)])) << i;
    for (int i : {-1, 8, 12, 32767})
        EXPECT_FALSE(kindFromSetting(i).has_value()) << i;
    EXPECT_EQ(orderFromSetting(true), kDrawnOrder);
    EXPECT_EQ(orderFromSetting(false), kAscendingOrder);
}

TEST(AttributeKind, ValueOfEachKindFromItsColumns)
{
    // 49 stored with every base 1: zodiac code 3, wave colour 绿 (3), segment 7.
    const Attr a{49, 3, 3, 4, 9, 7};
    struct Case {
        Kind kind;
        const char* letters;
        int value;
    };
    for (const Case c : {Case{kNumber, "A", 49}, Case{kZodiac, "B", 3}, Case{kHead, "E", 4}, Case{kTail, "F", 9},
                         Case{kDigitSum, "EF", 13}, Case{kSegment, "H", 7}, Case{kWave, "C", 3},
                         Case{kParity, "A", 1}}) {
        EXPECT_EQ(valueLetters(c.kind), c.letters) << c.kind;
        EXPECT_EQ(a.value(c.kind), c.value) << c.kind;
    }
    // Parity keeps the sign of a stored negative number, as Mod does.
    EXPECT_EQ(valueFromColumns(kParity, -3), -1);
    EXPECT_EQ(valueFromColumns(kParity, -4), 0);
    EXPECT_TRUE(valueLetters(static_cast<Kind>(8)).empty());
    EXPECT_EQ(a.value(static_cast<Kind>(8)), 0);
}

TEST(AttributeKind, ValuesUnderTheBasesLieInTheDomain)
{
    for (const CodeBases bases : {CodeBases{0, 0, 0}, CodeBases{1, 1, 1}}) {
        for (Kind kind : kAllKinds) {
            const ValueRange under = valuesUnder(kind, bases);
            EXPECT_TRUE(valueDomain(kind).holds(under.low)) << kind;
            EXPECT_TRUE(valueDomain(kind).holds(under.high)) << kind;
        }
        EXPECT_EQ(valuesUnder(kZodiac, bases).low, bases.SxIni);
        EXPECT_EQ(valuesUnder(kZodiac, bases).high, bases.SxIni + 11);
        EXPECT_EQ(valuesUnder(kSegment, bases).high, bases.DsIni + 6);
        EXPECT_EQ(valuesUnder(kWave, bases).high, bases.BsIni + 2);
    }
}
