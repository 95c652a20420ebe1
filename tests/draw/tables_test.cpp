// The fixed number tables, the zodiac year of an issue and the attribute rules
// of a single number.
#include "draw/attributes.h"
#include "draw/tables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <set>
#include <stdexcept>

using namespace qudrim;

namespace {

std::string twoDigitText(int n)
{
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02d", n);
    return buf;
}

// The twelve number groups: the numbers n with (n - 1) mod 12 = g, joined
// by "、".
std::array<std::string, 12> numberGroups()
{
    std::array<std::string, 12> g;
    for (int n = 1; n <= 49; ++n) {
        auto& text = g[static_cast<size_t>((n - 1) % 12)];
        if (!text.empty())
            text += "、";
        text += twoDigitText(n);
    }
    return g;
}

// The numbers of each zodiac sign k (0 鼠 .. 11 猪) in zodiac year Y: group
// (Y - 1972 - k) mod 12, 1972 being a 鼠 year.
std::array<std::string, 12> zodiacNumbers(int32_t year)
{
    const auto groups = numberGroups();
    std::array<std::string, 12> texts;
    for (int k = 0; k < 12; ++k)
        texts[static_cast<size_t>(k)] = groups[static_cast<size_t>((((year - 1972 - k) % 12) + 12) % 12)];
    return texts;
}

// The zodiac of a number as the program originally found it, from the texts
// above: the first of the texts 0..10 that contains its two digits, 11 when
// none does. The tests below hold the program's formula to it.
int zodiacByTextLookup(int n, const std::array<std::string, 12>& sxHm)
{
    const std::string two = twoDigitText(n);
    for (int k = 0; k <= 10; ++k)
        if (sxHm[static_cast<size_t>(k)].find(two) != std::string::npos)
            return k;
    return 11;
}

}  // namespace

// ---------------------------------------------------------------- zodiac year

struct LunarEntry {
    int year;
    int lastDrawOfOldYear;
};

// The entries as published: 2007–2016 from the original table, the others
// counted from the real draw calendar.
const LunarEntry kLunarEntries[] = {
    {1993, 5},  {1994, 11}, {1995, 8},  {1996, 14}, {1997, 10}, {1998, 8},  {1999, 12}, {2000, 10},
    {2001, 7},  {2002, 11}, {2003, 9},  {2004, 7},  {2005, 16}, {2006, 12}, {2007, 20}, {2008, 16},
    {2009, 10}, {2010, 19}, {2011, 16}, {2012, 9},  {2013, 16}, {2014, 13}, {2015, 21}, {2016, 16},
    {2017, 11}, {2018, 16}, {2019, 14}, {2020, 7},  {2021, 12}, {2022, 3},  {2023, 8},  {2024, 16},
    {2025, 10}, {2026, 19},
};

TEST(ZodiacYear, EachLunarNewYearEntryIsTheLastDrawOfTheOldYear)
{
    for (const auto& e : kLunarEntries) {
        const int32_t base = e.year * 1000;
        EXPECT_EQ(intChunjieQi(e.year), e.lastDrawOfOldYear) << e.year;
        EXPECT_EQ(GetSxYear(base + 1), e.year - 1) << e.year;
        EXPECT_EQ(GetSxYear(base + e.lastDrawOfOldYear), e.year - 1) << e.year;
        EXPECT_EQ(GetSxYear(base + e.lastDrawOfOldYear + 1), e.year) << e.year;
        EXPECT_EQ(GetSxYear(base + 150), e.year) << e.year;
    }
}

TEST(ZodiacYear, IssuesAroundTheNewYear)
{
    struct Case {
        int32_t issue;
        int32_t zodiacYear;
    };
    const Case cases[] = {
        {2013016, 2012}, {2013017, 2013},  // 16 ≤ entry 16
        {2012009, 2011}, {2012010, 2012},
        {2016016, 2015}, {2016017, 2016},
        {2017011, 2016}, {2017012, 2017},  // added years
        {2006012, 2005}, {2006013, 2006},
        {1993005, 1992}, {1993006, 1993},
        {2026019, 2025}, {2026020, 2026},
        // Years without an entry belong to themselves from their first draw on.
        {1992001, 1992}, {2027001, 2027}, {2096001, 2096}, {1990150, 1990},
        // Beyond the table a draw counts as drawn before its new year.
        {2097001, 2096}, {2097150, 2096},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetSxYear(c.issue), c.zodiacYear) << c.issue;
}

// -------------------------------------------------------- zodiac number texts

TEST(ZodiacNumbers, TwelveGroupsOfNumbersAlikeModTwelve)
{
    const std::array<std::string, 12> expected = {
        "01、13、25、37、49", "02、14、26、38", "03、15、27、39", "04、16、28、40",
        "05、17、29、41",     "06、18、30、42", "07、19、31、43", "08、20、32、44",
        "09、21、33、45",     "10、22、34、46", "11、23、35、47", "12、24、36、48",
    };
    EXPECT_EQ(numberGroups(), expected);
}

TEST(ZodiacNumbers, TextsOfTheYearExamples)
{
    struct Case {
        int32_t year;
        int zodiac;
        const char* numbers;
    };
    const Case cases[] = {
        {2016, 8, "01、13、25、37、49"},  // 猴
        {2016, 0, "09、21、33、45"},      // 鼠
        {2016, 9, "12、24、36、48"},      // 鸡
        {2013, 5, "01、13、25、37、49"},  // 蛇
        {1972, 0, "01、13、25、37、49"},  // a 鼠 year
        {1971, 11, "01、13、25、37、49"}, // a 猪 year, before 1983
        {1900, 0, "01、13、25、37、49"},
        {1982, 10, "01、13、25、37、49"},
        {1960, 4, "09、21、33、45"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(zodiacNumbers(c.year)[static_cast<size_t>(c.zodiac)], c.numbers) << c.year << " zodiac " << c.zodiac;
}

TEST(ZodiacNumbers, EveryYearPlacesEachNumberUnderExactlyOneSign)
{
    for (int32_t year = 1900; year <= 2100; ++year) {
        const auto texts = zodiacNumbers(year);
        for (int n = 1; n <= 49; ++n) {
            const auto two = twoDigitText(n);
            const auto signs = std::count_if(texts.begin(), texts.end(),
                                             [&](const std::string& t) { return t.find(two) != std::string::npos; });
            EXPECT_EQ(signs, 1) << "year " << year << " number " << n;
        }
    }
}

TEST(ZodiacNumbers, IndexEqualsTheTextLookupEveryYear)
{
    for (int32_t year = 1900; year <= 2100; ++year) {
        const auto texts = zodiacNumbers(year);
        for (int n = 1; n <= 49; ++n)
            ASSERT_EQ(zodiacIndex(n, year), zodiacByTextLookup(n, texts)) << "year " << year << " number " << n;
    }
}

TEST(ZodiacNumbers, ExamplesOfZodiacIndex)
{
    struct Case {
        int32_t year;
        int n;
        int zodiac;
    };
    const Case cases[] = {
        {2013, 1, 5}, {2013, 13, 5}, {2013, 25, 5}, {2013, 37, 5}, {2013, 49, 5},
        {2013, 2, 4}, {2013, 6, 0},  {2013, 12, 6}, {2012, 1, 4},  {2012, 6, 11},
        {1992, 1, 8}, {1992, 33, 0}, {2024, 1, 4},  {2025, 1, 5},
    };
    for (const auto& c : cases)
        EXPECT_EQ(zodiacIndex(c.n, c.year), c.zodiac) << c.year << " / " << c.n;
}

// ---------------------------------------------------------------- wave colour

TEST(WaveColour, TableOfTheThreeColours)
{
    const std::vector<int> numbers[3] = {
        {1, 2, 7, 8, 12, 13, 18, 19, 23, 24, 29, 30, 34, 35, 40, 45, 46},      // 红
        {3, 4, 9, 10, 14, 15, 20, 25, 26, 31, 36, 37, 41, 42, 47, 48},        // 蓝
        {5, 6, 11, 16, 17, 21, 22, 27, 28, 32, 33, 38, 39, 43, 44, 49},       // 绿
    };
    std::set<int> seen;
    for (int colour = 0; colour < 3; ++colour)
        for (int n : numbers[colour]) {
            EXPECT_EQ(waveColourIndex(n), colour) << n;
            EXPECT_TRUE(seen.insert(n).second) << n << " listed twice";
        }
    EXPECT_EQ(seen.size(), 49u);
    EXPECT_EQ(numbers[0].size(), 17u);
}

// ------------------------------------------------------- attributes of a number

struct NumberCase {
    int n;
    int head, tail, digitSum, parity, segment, colour;
};

const NumberCase kNumberCases[] = {
    {1, 0, 1, 1, 1, 0, 0},   {7, 0, 7, 7, 1, 0, 0},   {8, 0, 8, 8, 0, 1, 0},   {10, 1, 0, 1, 0, 1, 1},
    {14, 1, 4, 5, 0, 1, 1},  {15, 1, 5, 6, 1, 2, 1},  {28, 2, 8, 10, 0, 3, 2}, {42, 4, 2, 6, 0, 5, 1},
    {43, 4, 3, 7, 1, 6, 2},  {45, 4, 5, 9, 1, 6, 0},  {49, 4, 9, 13, 1, 6, 2},
};

class NumberAttributes : public ::testing::TestWithParam<CodeBases> {};

TEST_P(NumberAttributes, HeadTailSumParitySegmentColour)
{
    const CodeBases bases = GetParam();
    for (const auto& c : kNumberCases) {
        const Attr a = deriveNumber(c.n, 2013, bases);
        EXPECT_EQ(a.A, c.n);
        EXPECT_EQ(a.E, c.head) << c.n;
        EXPECT_EQ(a.F, c.tail) << c.n;
        EXPECT_EQ(a.value(kDigitSum), c.digitSum) << c.n;
        EXPECT_EQ(a.value(kParity), c.parity) << c.n;
        EXPECT_EQ(a.H, c.segment + bases.DsIni) << c.n;
        EXPECT_EQ(a.C, c.colour + bases.BsIni) << c.n;
        EXPECT_EQ(a.B, zodiacIndex(c.n, 2013) + bases.SxIni) << c.n;
    }
}

TEST_P(NumberAttributes, SegmentsOfSevenNumbersEach)
{
    const CodeBases bases = GetParam();
    for (int segment = 0; segment <= 6; ++segment)
        for (int n = 7 * segment + 1; n <= 7 * segment + 7; ++n)
            EXPECT_EQ(deriveNumber(n, 2013, bases).H, segment + bases.DsIni) << n;
}

TEST_P(NumberAttributes, ZodiacCodeCountsFromTheBase)
{
    const CodeBases bases = GetParam();
    // 2013: 1 is 蛇 (5), 2 龙 (4), 6 鼠 (0), 12 马 (6); 2012: 1 龙, 6 猪.
    EXPECT_EQ(deriveNumber(1, 2013, bases).B, 5 + bases.SxIni);
    EXPECT_EQ(deriveNumber(2, 2013, bases).B, 4 + bases.SxIni);
    EXPECT_EQ(deriveNumber(6, 2013, bases).B, 0 + bases.SxIni);
    EXPECT_EQ(deriveNumber(12, 2013, bases).B, 6 + bases.SxIni);
    EXPECT_EQ(deriveNumber(1, 2012, bases).B, 4 + bases.SxIni);
    EXPECT_EQ(deriveNumber(6, 2012, bases).B, 11 + bases.SxIni);
}

INSTANTIATE_TEST_SUITE_P(CodeBases, NumberAttributes,
                         ::testing::Values(CodeBases{1, 1, 1}, CodeBases{0, 0, 0}, CodeBases{1, 0, 1},
                                           CodeBases{0, 1, 0}),
                         [](const auto& info) {
                             const CodeBases& b = info.param;
                             return "Sx" + std::to_string(b.SxIni) + "Ds" + std::to_string(b.DsIni) + "Bs" +
                                    std::to_string(b.BsIni);
                         });

TEST(NumberAttributesRange, NumbersOutsideOneToFortyNineAreRefused)
{
    for (int n : {0, -1, 50, 99, 32767, -32768})
        EXPECT_THROW(deriveNumber(n, 2013, CodeBases{}), std::invalid_argument) << n;
}

// ---------------------------------------------------------------- name display

TEST(DisplayValue, NamesFollowTheBaseInForce)
{
    struct Case {
        Kind kind;
        int value;
        CodeBases bases;
        const char* shown;
    };
    const Case cases[] = {
        {kZodiac, 1, {1, 1, 1}, "鼠"}, {kZodiac, 0, {0, 1, 1}, "鼠"}, {kZodiac, 12, {1, 1, 1}, "猪"},
        {kZodiac, 12, {0, 1, 1}, ""},  {kZodiac, 0, {1, 1, 1}, ""},   {kWave, 3, {1, 1, 1}, "绿"},
        {kWave, 0, {1, 1, 0}, "红"},   {kWave, 3, {1, 1, 0}, ""},     {kParity, 1, {}, "单"},
        {kParity, 0, {}, "双"},        {kSegment, 7, {}, "7"},        {kNumber, 49, {}, "49"},
        {kDigitSum, 13, {}, "13"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(displayValue(c.kind, c.value, c.bases), c.shown) << "kind " << c.kind << " value " << c.value;
}

// ------------------------------------------------------------- ascending order

TEST(AscendingOrder, RegularNumbersSortTheSpecialStays)
{
    struct Case {
        std::array<int, 7> drawn, ascending;
    };
    const Case cases[] = {
        {{33, 5, 48, 5, 12, 27, 40}, {5, 5, 12, 27, 33, 48, 40}},   // both 5s stay
        {{10, 20, 30, 40, 45, 49, 1}, {10, 20, 30, 40, 45, 49, 1}},  // special smaller than all
        {{49, 45, 40, 30, 20, 10, 2}, {10, 20, 30, 40, 45, 49, 2}},
        {{12, 5, 45, 23, 38, 34, 7}, {5, 12, 23, 34, 38, 45, 7}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ascendingOrder(c.drawn), c.ascending);
}
