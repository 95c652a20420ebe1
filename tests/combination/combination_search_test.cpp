// The combination search over hand-worked histories: which draws it lists,
// and what it leaves in Lishi.

#include "combination_fixture.h"

#include "draw/attributes.h"

namespace qudrim::combination::testing {
namespace {

using search::testing::SearchDb;

// How many of the reference values 5 9 12 20 33 40 (positions 1..6) and 7
// (position 7) each draw holds; draw d is compared by row d + 1.
const std::vector<Numbers> kNumberDraws = {
    {5, 9, 1, 2, 3, 4, 44},        // 1: 5 and 9
    {5, 10, 11, 13, 14, 15, 9},    // 2: 5, and 9 only as the special number
    {7, 12, 16, 17, 18, 19, 21},   // 3: 12, and 7 (the special number's value of the pool 平特)
    {20, 33, 40, 22, 23, 24, 25},  // 4: 20 33 40
    {40, 33, 20, 12, 9, 5, 48},    // 5: all six regular values
    {1, 2, 3, 4, 6, 8, 10},        // 6: none; the last draw, nothing follows it
};
constexpr std::array<int, 7> kNumberReference = {5, 9, 12, 20, 33, 40, 7};

struct FreeCase {
    const char* what;
    int k;
    bool pool7;
    bool specialCounts;
    std::vector<int> hits;
};

void PrintTo(const FreeCase& c, std::ostream* os) { *os << c.what; }

class FreeNumberCombination : public CombinationDb, public ::testing::WithParamInterface<FreeCase> {
protected:
    void SetUp() override { addDraws(kNumberDraws); }
};

TEST_P(FreeNumberCombination, ListTheDrawsAfterAtLeastKOfThePoolsValues)
{
    const FreeCase& c = GetParam();
    const auto o = makeCombination(Mode::FreePrevious, kNumber, kNumberReference, c.k, c.pool7, 2, c.specialCounts);
    EXPECT_EQ(hitRows(combine(o)), c.hits);
    // bolOk marks exactly the rows listed, the range being the whole history.
    std::vector<int64_t> marks(kNumberDraws.size(), 0);
    for (int r : c.hits)
        marks[static_cast<size_t>(r - 1)] = 1;
    EXPECT_EQ(intColumn("bolOk"), marks);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FreeNumberCombination,
    ::testing::Values(FreeCase{"k 1, 平码", 1, false, true, {2, 3, 4, 5, 6}},
                      FreeCase{"k 2, 平码", 2, false, true, {2, 3, 5, 6}},
                      FreeCase{"k 2, 平码, special number not counted", 2, false, false, {2, 5, 6}},
                      FreeCase{"k 2, 平特 adds the value of position 7", 2, true, true, {2, 3, 4, 5, 6}},
                      FreeCase{"k 3, 平码", 3, false, true, {5, 6}},
                      FreeCase{"k 6, 平码: the one combination of all six", 6, false, true, {6}},
                      FreeCase{"k 6, 平特: a combination leaving out position 7", 6, true, true, {6}},
                      FreeCase{"k 0 enumerates nothing", 0, false, true, {}},
                      FreeCase{"k 7 enumerates nothing, even with seven positions", 7, true, true, {}}));

class FreeCombination : public CombinationDb {};

TEST_F(FreeCombination, IntThHoldsTheCountOfTheLastCombinationAndTxtHisP6TheComparedList)
{
    addDraws(kNumberDraws);
    combine(makeCombination(Mode::FreePrevious, kNumber, kNumberReference, 2, false, 2, false));
    // The last combination of 平码 is positions 5 and 6: 33 and 40.
    EXPECT_EQ(intColumn("intTh"), (std::vector<int64_t>{0, 0, 0, 0, 2, 2}));
    // Without the special number, its entry is cut off the compared list.
    const auto lists = column("txtHisLst");
    const auto p6 = column("txtHisP6");
    ASSERT_EQ(p6.size(), lists.size());
    EXPECT_EQ(p6[1], "05 09 01 02 03 04");
    for (size_t r = 1; r < lists.size(); ++r)
        EXPECT_EQ(p6[r], lists[r].substr(0, lists[r].size() - 4)) << r;

    combine(makeCombination(Mode::FreePrevious, kNumber, kNumberReference, 2, false, 2, true));
    EXPECT_EQ(column("txtHisP6"), lists);
}

TEST_F(FreeCombination, ANumberAtTwoPositionsNeedsOneOccurrence)
{
    addDraws({{5, 1, 2, 3, 4, 6, 8}, {10, 11, 12, 13, 14, 15, 16}, {17, 18, 19, 20, 21, 22, 23}});
    const auto o = makeCombination(Mode::FreePrevious, kNumber, {5, 5, 0, 0, 0, 0, 0}, 2, false);
    EXPECT_EQ(hitRows(combine(o)), (std::vector<int>{2}));
}

// Zodiac codes: n and n + 12 share the sign of n.
class FreeZodiacCombination : public CombinationDb {
protected:
    static int zodiacOf(int n) { return deriveNumber(n, GetSxYear(2013020), {}).B; }
};

TEST_F(FreeZodiacCombination, ACodeAtTwoPositionsNeedsTwoOccurrences)
{
    addDraws({
        {1, 2, 3, 4, 5, 6, 8},         // 1: the sign of 1 once
        {1, 13, 3, 4, 5, 6, 8},        // 2: twice
        {1, 2, 3, 4, 5, 6, 13},        // 3: twice, once as the special number
        {2, 3, 4, 5, 6, 7, 8},         // 4: never
        {9, 10, 11, 12, 14, 15, 16},   // 5
    });
    const int z = zodiacOf(1);
    ASSERT_EQ(zodiacOf(13), z);
    // Positions 3..7 hold codes no draw has: only positions 1 and 2 can be met.
    const std::array<int, 7> reference = {z, z, 13, 13, -1, 99, 0};
    EXPECT_EQ(hitRows(combine(makeCombination(Mode::FreePrevious, kZodiac, reference, 2, true, 2, true))),
              (std::vector<int>{3, 4}));
    EXPECT_EQ(hitRows(combine(makeCombination(Mode::FreePrevious, kZodiac, reference, 2, true, 2, false))),
              (std::vector<int>{3}));
    // One position at a time asks for one occurrence.
    EXPECT_EQ(hitRows(combine(makeCombination(Mode::FreePrevious, kZodiac, reference, 1, true, 2, false))),
              (std::vector<int>{2, 3, 4}));
}

TEST_F(FreeZodiacCombination, ThreeEqualCodesOfFiveAskForThreeWhateverCameBefore)
{
    // Codes 3 3 5 3 7 at positions 1..5, as signs of numbers.
    addDraws({
        {1, 13, 25, 2, 3, 30, 31},     // 1: the sign of 1 three times, of 2 and 3 once
        {1, 13, 2, 3, 30, 31, 32},     // 2: the sign of 1 only twice
        {1, 2, 3, 40, 41, 42, 43},     // 3: the sign of 1 once
        {44, 45, 46, 47, 48, 49, 10},  // 4
    });
    const int a = zodiacOf(1), b = zodiacOf(2), c = zodiacOf(3);
    const std::array<int, 7> reference = {a, a, b, a, c, 0, 0};
    EXPECT_EQ(hitRows(combine(makeCombination(Mode::FreePrevious, kZodiac, reference, 5, false))),
              (std::vector<int>{2}));
    // The last combination, positions 2..6, asks for the sign of 1 twice at
    // both of its positions: after draw 3 only b and c are met.
    EXPECT_EQ(intColumn("intTh"), (std::vector<int64_t>{0, 4, 4, 2}));
    // Four of them are found after draw 2 too: a twice, b and c.
    EXPECT_EQ(hitRows(combine(makeCombination(Mode::FreePrevious, kZodiac, reference, 4, false))),
              (std::vector<int>{2, 3}));
}

TEST_F(FreeCombination, AListTooShortToCutMeetsNothing)
{
    addDraws(kNumberDraws);
    // A list shorter than one entry cannot lose its special number's entry:
    // it is taken as empty, not as the text itself.
    setText("txtHisLst", 2, "05");
    const auto o = makeCombination(Mode::FreePrevious, kNumber, kNumberReference, 1, false, 2, false);
    EXPECT_EQ(hitRows(combine(o)), (std::vector<int>{3, 4, 5, 6}));
    EXPECT_EQ(column("txtHisP6")[1], "");
}

TEST_F(FreeCombination, AgainstTheDrawNBeforeTheListsAreRebuiltFirst)
{
    addDraws(kNumberDraws);
    // Only draw 1 holds 5 at all but draws 2 and 5; 1 is found in draws 1 and 6.
    const std::array<int, 7> reference = {1, 0, 0, 0, 0, 0, 0};
    const auto r = combine(makeCombination(Mode::FreeBack, kNumber, reference, 1, false, 3));
    EXPECT_EQ(hitRows(r), (std::vector<int>{4}));
    const auto lists = column("txtHisLst");
    const auto back = column("txtHisPreLst");
    EXPECT_EQ(back[1], "");
    for (size_t row = 2; row < back.size(); ++row)
        EXPECT_EQ(back[row], lists[row - 2]) << row;
    ASSERT_EQ(r.hits.size(), 1u);
    EXPECT_EQ(r.hitHeader()[8], "前期开奖");
    EXPECT_EQ(r.hitText(0, 8), "05 09 01 02 03 04 44 ");

    // N 0 is taken as 1: the draw just before.
    EXPECT_EQ(hitRows(combine(makeCombination(Mode::FreeBack, kNumber, reference, 1, false, 0))),
              (std::vector<int>{2}));
}

TEST_F(FreeCombination, OtherKindsRebuildTheirOwnListAndTheNumberList)
{
    addDraws(kNumberDraws);
    combine(makeCombination(Mode::FreeBack, kTail, {5, 9, 2, 0, 3, 0, 7}, 3, true, 4));
    const auto tails = column("txtHisLstWei");
    const auto numbers = column("txtHisLst");
    const auto tailsBack = column("txtHisPreLstWei");
    const auto numbersBack = column("txtHisPreLst");
    for (size_t row = 1; row < 3; ++row) {
        EXPECT_EQ(tailsBack[row], "") << row;
        EXPECT_EQ(numbersBack[row], "") << row;
    }
    for (size_t row = 3; row < tails.size(); ++row) {
        EXPECT_EQ(tailsBack[row], tails[row - 3]) << row;
        EXPECT_EQ(numbersBack[row], numbers[row - 3]) << row;
    }
}

// Fixed positions: drawn order and, in the comments, ascending order.
const std::vector<Numbers> kFixedDraws = {
    {30, 5, 12, 41, 23, 8, 17},   // 1: asc 05 08 12 23 30 41
    {5, 30, 41, 12, 8, 23, 44},   // 2: asc 05 08 12 23 30 41
    {41, 12, 30, 9, 23, 36, 5},   // 3: asc 09 12 23 30 36 41
    {5, 44, 10, 26, 31, 47, 2},   // 4: asc 05 10 26 31 44 47
    {16, 5, 20, 33, 38, 49, 27},  // 5: asc 05 16 20 33 38 49
    {1, 2, 3, 4, 6, 7, 35},       // 6
};

class FixedCombination : public CombinationDb {
protected:
    void SetUp() override { addDraws(kFixedDraws); }
};

TEST_F(FixedCombination, AgreeAtKPositionsInEitherNumberOrder)
{
    // Draw 1 agrees with 30 5 12 at drawn positions 1..3; no other draw at two.
    EXPECT_EQ(hitRows(combine(makeCombination(Mode::FixedPrevious, kNumber, {30, 5, 12, 1, 1, 1, 17}, 2, false))),
              (std::vector<int>{2}));
    // In ascending order draws 1 and 2 both begin 05 08 12.
    EXPECT_EQ(hitRows(combine(makeCombination(Mode::FixedPrevious, kNumber, {5, 8, 12, 1, 1, 1, 17}, 3, false, 2,
                                              true, kAscendingOrder))),
              (std::vector<int>{2, 3}));
    // Four: the special number 17 of draw 1 (L7 in both orders) with the pool 平特.
    EXPECT_EQ(hitRows(combine(makeCombination(Mode::FixedPrevious, kNumber, {5, 8, 12, 1, 1, 1, 17}, 4, true, 2,
                                              true, kAscendingOrder))),
              (std::vector<int>{2}));
    EXPECT_EQ(hitRows(combine(makeCombination(Mode::FixedPrevious, kNumber, {5, 8, 12, 1, 1, 1, 17}, 4, false, 2,
                                              true, kAscendingOrder))),
              (std::vector<int>{}));
}

TEST_F(FixedCombination, DigitSumAndParityCompareTheirCopies)
{
    // Digit sums of draw 5 at positions 1..6: 7 5 2 6 11 13.
    EXPECT_EQ(hitRows(combine(makeCombination(Mode::FixedPrevious, kDigitSum, {7, 5, 2, 6, 11, 13, 0}, 6, false))),
              (std::vector<int>{6}));
    // Parities of draw 2: 1 0 1 0 0 1, special 0.
    EXPECT_EQ(hitRows(combine(makeCombination(Mode::FixedPrevious, kParity, {1, 0, 1, 0, 0, 1, 0}, 6, true))),
              (std::vector<int>{3}));
}

TEST_F(FixedCombination, EveryPoolPositionComparesTheDrawNBeforeWhateverWasSearchedBefore)
{
    // No position search ran: the stored N-back copies hold the draw two
    // before, through which row 5 would be listed for the 41 of draw 3.
    auto o = makeCombination(Mode::FixedBack, kNumber, {41, 0, 0, 0, 0, 0, 0}, 1, false, 3);
    // Against the draw three before, only row 6 follows draw 3 by three.
    EXPECT_EQ(hitRows(combine(o)), (std::vector<int>{6}));
    EXPECT_EQ(intColumn("L1AP"), (std::vector<int64_t>{0, 0, 0, 30, 5, 41}));
    EXPECT_EQ(intColumn("L6AP"), (std::vector<int64_t>{0, 0, 0, 8, 23, 36}));
    // Position 7 is not in the pool 平码 and keeps its copies as stored.
    EXPECT_EQ(intColumn("L7AP"), (std::vector<int64_t>{0, 0, 17, 44, 5, 2}));
    // txtHisPreLst shows the draw three before.
    const auto lists = column("txtHisLst");
    const auto back = column("txtHisPreLst");
    EXPECT_EQ(back[1], "");
    EXPECT_EQ(back[2], "");
    for (size_t row = 3; row < back.size(); ++row)
        EXPECT_EQ(back[row], lists[row - 2]) << row;

    // The special number, chosen by the last position search, is refreshed
    // too although the pool leaves it out.
    o.bolWei[7] = true;
    combine(o);
    EXPECT_EQ(intColumn("L7AP"), (std::vector<int64_t>{0, 0, 0, 17, 44, 5}));
}

TEST_F(FixedCombination, OutOfRangeValuesMeetNothingAndZeroCopiesMeetHeadZero)
{
    // Number 0 is no number: the rows without a draw before are not met.
    EXPECT_EQ(hitRows(combine(makeCombination(Mode::FixedPrevious, kNumber, {0, 0, 0, 0, 0, 0, 0}, 1, true))),
              (std::vector<int>{}));
    EXPECT_EQ(hitRows(combine(makeCombination(Mode::FixedPrevious, kHead, {-1, 5, 99, 32767, -32768, 7, 12}, 1, true))),
              (std::vector<int>{}));
    // Head 0 is a head: row 1 has zero copies, draw 6 begins 1 2 3 4 6 7.
    EXPECT_EQ(hitRows(combine(makeCombination(Mode::FixedPrevious, kHead, {0, 0, 0, 0, 0, 0, 0}, 6, false))),
              (std::vector<int>{1}));
}

TEST_F(FixedCombination, KOutsideOneToSixStillRefreshesAndLeavesIntThAsItWas)
{
    db().exec("UPDATE Lishi SET intTh = 3, bolOk = 1");
    const auto r = combine(makeCombination(Mode::FixedBack, kNumber, {30, 5, 12, 41, 23, 8, 17}, 0, true, 4));
    EXPECT_TRUE(r.hits.empty());
    EXPECT_EQ(intColumn("intTh"), (std::vector<int64_t>(6, 3)));
    EXPECT_EQ(intColumn("bolOk"), (std::vector<int64_t>(6, 0)));
    EXPECT_EQ(intColumn("L3AP"), (std::vector<int64_t>{0, 0, 0, 0, 12, 41}));
    EXPECT_EQ(intColumn("L7AP"), (std::vector<int64_t>{0, 0, 0, 0, 17, 44}));
}

TEST_F(FixedCombination, TwoRunsInARowLeaveOnlyTheMarksOfTheSecond)
{
    combine(makeCombination(Mode::FreePrevious, kNumber, {5, 0, 0, 0, 0, 0, 0}, 1, false));
    EXPECT_EQ(intColumn("bolOk"), (std::vector<int64_t>{0, 1, 1, 1, 1, 1}));
    const auto r = combine(makeCombination(Mode::FixedPrevious, kNumber, {41, 12, 30, 1, 1, 1, 1}, 3, false));
    EXPECT_EQ(hitRows(r), (std::vector<int>{4}));
    EXPECT_EQ(intColumn("bolOk"), (std::vector<int64_t>{0, 0, 0, 1, 0, 0}));
    // The last combination, positions 4 5 6, meets nothing.
    EXPECT_EQ(intColumn("intTh"), (std::vector<int64_t>(6, 0)));
}

TEST_F(FixedCombination, TheRangeLimitsTheListButNotTheMarks)
{
    auto o = makeCombination(Mode::FreePrevious, kNumber, {5, 0, 0, 0, 0, 0, 0}, 1, false);
    o.display.firstIssue = 2013020 + 2;
    o.display.lastIssue = 2013020 + 3;
    const auto r = combine(o);
    EXPECT_EQ(hitRows(r), (std::vector<int>{3, 4}));
    EXPECT_EQ(intColumn("bolOk"), (std::vector<int64_t>{0, 1, 1, 1, 1, 1}));
    // The tally: two draws of seven numbers each.
    int64_t total = 0;
    for (const auto& row : search::testing::tallyTexts(r))
        total += std::stoll(row[2]);
    EXPECT_EQ(total, 14);
    EXPECT_EQ(r.hitHeader()[8], "上期开奖");
}

TEST_F(FixedCombination, AFailingStepLeavesTheHistoryAsItWas)
{
    combine(makeCombination(Mode::FreePrevious, kNumber, {5, 0, 0, 0, 0, 0, 0}, 1, false));
    const auto before = dump();
    db().exec("CREATE TRIGGER refuse_tally BEFORE INSERT ON Carcu BEGIN SELECT RAISE(ABORT, 'refused'); END");
    EXPECT_THROW(combine(makeCombination(Mode::FixedBack, kNumber, {41, 12, 30, 1, 1, 1, 1}, 2, true, 5)),
                 store::StoreError);
    EXPECT_EQ(dump(), before);
}

TEST_F(FixedCombination, KindsAndOrdersOutOfRangeAreRefused)
{
    const auto before = dump();
    // A kind or an order beyond its values can only be made by a cast.
    auto o = makeCombination(Mode::FreePrevious, static_cast<Kind>(8), {5, 0, 0, 0, 0, 0, 0}, 1, false);
    EXPECT_THROW(combine(o), store::StoreError);
    o = makeCombination(Mode::FixedPrevious, kNumber, {5, 0, 0, 0, 0, 0, 0}, 1, false, 2, true,
                        static_cast<NumberOrder>('X'));
    EXPECT_THROW(combine(o), store::StoreError);
    EXPECT_EQ(dump(), before);
}

}  // namespace
}  // namespace qudrim::combination::testing
