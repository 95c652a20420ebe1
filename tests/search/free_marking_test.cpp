// Free positions: a row qualifies when its compared draw holds every
// reference value anywhere, a value picked m times at least m times.

#include "search_fixture.h"

namespace qudrim::search::testing {
namespace {

// Eight draws of zodiac year 2013 (zodiac index (42 - n) mod 12, code index +
// 1). Row k is compared with draw k - 1 against the previous draw.
const std::vector<Numbers> kDraws = {
    {1, 2, 3, 4, 5, 6, 7},        // 1: 7 only as the special number
    {10, 20, 30, 40, 11, 21, 31}, // 2: tails 0 0 0 0 1 1 | 1; digit sums 3 twice
    {7, 14, 21, 28, 35, 42, 49},  // 3: 7 and 21; 49 (tail 9, zodiac 6) as the special
    {5, 15, 25, 35, 45, 44, 33},  // 4: tail 5 five times
    {12, 23, 34, 45, 6, 17, 28},  // 5: digit sum 10 only as the special (28)
    {7, 9, 11, 13, 15, 17, 19},   // 6: zodiac 12 at 07 and at the special 19; tail 9 at 09 and 19
    {8, 16, 24, 32, 40, 48, 2},   // 7: all seven even
    {3, 5, 9, 13, 27, 41, 45},    // 8: all odd
};

struct FreeCase {
    const char* what;
    Kind kind;
    std::vector<Pick> picks;
    bool specialCounts;
    std::vector<int> hits;
};

class FreeMarking : public SearchDb {
protected:
    void SetUp() override { addDraws(kDraws); }

    void check(const std::vector<FreeCase>& cases, Mode mode, int n)
    {
        for (const auto& c : cases) {
            SCOPED_TRACE(c.what);
            SearchOptions o = makeOptions(mode, c.kind, {}, n, c.specialCounts);
            for (const Pick& p : c.picks) {
                o.bolWei[static_cast<size_t>(p.position)] = true;
                o.intSqLei[static_cast<size_t>(p.position)] = static_cast<int16_t>(p.value);
            }
            const auto result = search(o);
            EXPECT_EQ(hitRows(result), c.hits);
            // Every row's counter holds the number of its met conditions, so
            // the hits are exactly the rows at the full count.
            const auto th = intColumn("intTh");
            std::vector<int> full;
            for (size_t k = 0; k < th.size(); ++k)
                if (th[k] == static_cast<int64_t>(c.picks.size()))
                    full.push_back(static_cast<int>(k) + 1);
            EXPECT_EQ(full, c.hits);
        }
    }
};

TEST_F(FreeMarking, AgainstThePreviousDraw)
{
    const std::vector<FreeCase> cases = {
        {"no position: every row", kNumber, {}, true, {1, 2, 3, 4, 5, 6, 7, 8}},
        {"no position without the special number: every row", kNumber, {}, false, {1, 2, 3, 4, 5, 6, 7, 8}},
        {"number 7 with the special number", kNumber, {{1, 7}}, true, {2, 4, 7}},
        {"number 7 without the special number", kNumber, {{3, 7}}, false, {4, 7}},
        {"numbers 7 and 21", kNumber, {{1, 7}, {5, 21}}, true, {4}},
        {"number 7 at two positions is met by one 7", kNumber, {{1, 7}, {2, 7}}, true, {2, 4, 7}},
        {"number 50 is out of range", kNumber, {{1, 50}}, true, {}},
        {"number 0 is out of range", kNumber, {{1, 0}}, true, {}},
        {"tail 5 twice", kTail, {{1, 5}, {2, 5}}, true, {5}},
        {"tail 1 three times, the third being a special", kTail, {{1, 1}, {2, 1}, {7, 1}}, true, {3}},
        {"tail 1 three times without the special number", kTail, {{1, 1}, {2, 1}, {7, 1}}, false, {}},
        {"tail 9 with the special number", kTail, {{4, 9}}, true, {4, 7}},
        {"tail 9 without the special number", kTail, {{4, 9}}, false, {7}},
        {"zodiac 12 (two digits) once", kZodiac, {{2, 12}}, true, {2, 3, 4, 7}},
        {"zodiac 12 once without the special number", kZodiac, {{2, 12}}, false, {4, 7}},
        {"zodiac 12 twice", kZodiac, {{1, 12}, {6, 12}}, true, {7}},
        // Cutting four characters off a two-digit list leaves the special's
        // count digit behind; "2X12" must still not match.
        {"zodiac 12 twice without the special number", kZodiac, {{1, 12}, {6, 12}}, false, {}},
        {"zodiac 6 is written 06", kZodiac, {{1, 6}}, true, {2, 4, 5, 7}},
        {"digit sum 10", kDigitSum, {{1, 10}}, true, {4, 6, 7}},
        {"digit sum 10 without the special number", kDigitSum, {{1, 10}}, false, {4}},
        {"digit sum 3 twice", kDigitSum, {{2, 3}, {3, 3}}, true, {3}},
        {"even seven times", kParity, {{1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}, {6, 0}, {7, 0}}, true, {8}},
        {"even six times without the special number",
         kParity, {{1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}, {6, 0}}, false, {8}},
        {"even seven times without the special number",
         kParity, {{1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}, {6, 0}, {7, 0}}, false, {}},
        {"head 0", kHead, {{1, 0}}, true, {2, 4, 5, 6, 7, 8}},
        {"head 5 is out of range and fails the whole search", kHead, {{1, 0}, {2, 5}}, true, {}},
        {"odd/even 2 is out of range", kParity, {{1, 2}}, true, {}},
    };
    check(cases, Mode::FreePrevious, 2);
}

TEST_F(FreeMarking, AgainstTheDrawNBefore)
{
    // Row k is compared with draw k - N; rows 2..N-1 have none, and row 1
    // keeps its (unwritten, empty) N-back list.
    check({{"N = 3, number 7", kNumber, {{1, 7}}, true, {4, 6}},
           {"N = 3, number 7 without the special number", kNumber, {{1, 7}}, false, {6}},
           {"N = 3, no position", kNumber, {}, true, {1, 2, 3, 4, 5, 6, 7, 8}}},
          Mode::FreeBack, 3);
    check({{"N = 2, zodiac 12 without the special number", kZodiac, {{1, 12}}, false, {5, 8}},
           {"N = 2, tail 5 twice", kTail, {{1, 5}, {2, 5}}, true, {6}}},
          Mode::FreeBack, 2);
    // N = 1 and N = 0 (taken as 1) find what the previous draw finds.
    for (int n : {1, 0}) {
        SCOPED_TRACE(n);
        check({{"number 7", kNumber, {{1, 7}}, true, {2, 4, 7}},
               {"zodiac 12 once", kZodiac, {{2, 12}}, true, {2, 3, 4, 7}}},
              Mode::FreeBack, n);
    }
}

TEST_F(FreeMarking, TheCopyWithoutTheSpecialNumberStaysInTxtHisP6)
{
    search(makeOptions(Mode::FreePrevious, kNumber, {}, 2, false));
    auto p6 = column("txtHisP6");
    EXPECT_EQ(p6[0], "");  // the first row has no draw before it
    EXPECT_EQ(p6[1], "01 02 03 04 05 06");

    search(makeOptions(Mode::FreePrevious, kDigitSum, {{1, 10}}, 2, false));
    p6 = column("txtHisP6");
    // Draw 5 ascending: 06 12 17 23 34 45 | 28 (digit sums 6 3 8 5 7 9 | 10).
    EXPECT_EQ(p6[5], "1X06 1X03 1X08 1X05 1X07 1X09 1");

    // Counting the special number leaves the copy of the last run alone.
    search(makeOptions(Mode::FreePrevious, kNumber, {{1, 7}}, 2, true));
    EXPECT_EQ(column("txtHisP6"), p6);
}

TEST_F(FreeMarking, AShortOrEmptyListIsCutToNothing)
{
    setText("txtHisLst", 3, "07");
    setText("txtHisLst", 4, "");
    const auto result = search(makeOptions(Mode::FreePrevious, kNumber, {{1, 7}}, 2, false));
    EXPECT_EQ(hitRows(result), (std::vector<int>{7}));
    const auto p6 = column("txtHisP6");
    EXPECT_EQ(p6[2], "");
    EXPECT_EQ(p6[3], "");
}

}  // namespace
}  // namespace qudrim::search::testing
