// Fixed positions: a row qualifies when the draw one row (上期) or N rows
// (前N期) before it held each reference value at the same position; the
// copies behind the comparison are recomputed from the own columns.

#include "search_fixture.h"

namespace qudrim::search::testing {
namespace {

// Drawn order and, in the comments, ascending order (the "D" columns).
const std::vector<Numbers> kDraws = {
    {30, 5, 12, 41, 23, 8, 17},   // 1: asc 05 08 12 23 30 41
    {5, 30, 41, 12, 8, 23, 44},   // 2: asc 05 08 12 23 30 41
    {41, 12, 30, 9, 23, 36, 5},   // 3: asc 09 12 23 30 36 41, special 5
    {5, 44, 10, 26, 31, 47, 2},   // 4: asc 05 10 26 31 44 47
    {16, 5, 20, 33, 38, 49, 27},  // 5: asc 05 16 20 33 38 49
    {1, 2, 3, 4, 6, 7, 35},       // 6: asc 01 02 03 04 06 07
};

struct FixedCase {
    const char* what;
    Kind kind;
    NumberOrder order;
    std::vector<Pick> picks;
    std::vector<int> hits;
};

class FixedMarking : public SearchDb {
protected:
    void SetUp() override { addDraws(kDraws); }

    void check(const std::vector<FixedCase>& cases, Mode mode, int n)
    {
        for (const auto& c : cases) {
            SCOPED_TRACE(c.what);
            SearchOptions o = makeOptions(mode, c.kind, {}, n, true, c.order);
            for (const Pick& p : c.picks) {
                o.bolWei[static_cast<size_t>(p.position)] = true;
                o.intSqLei[static_cast<size_t>(p.position)] = static_cast<int16_t>(p.value);
            }
            EXPECT_EQ(hitRows(search(o)), c.hits);
        }
    }
};

TEST_F(FixedMarking, AgainstThePreviousDraw)
{
    const std::vector<FixedCase> cases = {
        {"no position: every row", kNumber, kDrawnOrder, {}, {1, 2, 3, 4, 5, 6}},
        {"drawn position 1 is 5", kNumber, kDrawnOrder, {{1, 5}}, {3, 5}},
        {"ascending position 1 is 5", kNumber, kAscendingOrder, {{1, 5}}, {2, 3, 5, 6}},
        {"special number 5 in ascending order reads L7", kNumber, kAscendingOrder, {{7, 5}}, {4}},
        {"drawn position 2 is 5", kNumber, kDrawnOrder, {{2, 5}}, {2, 6}},
        {"drawn positions 1 and 2 are 5 and 30", kNumber, kDrawnOrder, {{1, 5}, {2, 30}}, {3}},
        {"ascending positions 1 and 7 are 5 and 5", kNumber, kAscendingOrder, {{1, 5}, {7, 5}}, {}},
        // The oldest row has zero copies and meets a reference value of 0.
        {"head 0 at drawn position 1", kHead, kDrawnOrder, {{1, 0}}, {1, 3, 5}},
        {"digit sum 3 at drawn position 3", kDigitSum, kDrawnOrder, {{3, 3}}, {2, 4}},
        {"digit sum 0 is out of range", kDigitSum, kDrawnOrder, {{3, 0}}, {}},
        {"odd at drawn position 4", kParity, kDrawnOrder, {{4, 1}}, {2, 4, 6}},
        {"even at drawn position 4", kParity, kDrawnOrder, {{4, 0}}, {1, 3, 5}},
        {"zodiac 11 at ascending position 2", kZodiac, kAscendingOrder, {{2, 11}}, {2, 3}},
        {"a negative number", kNumber, kDrawnOrder, {{1, -5}}, {}},
        {"number 0 is out of range", kNumber, kDrawnOrder, {{1, 0}}, {}},
    };
    check(cases, Mode::FixedPrevious, 2);
}

TEST_F(FixedMarking, AgainstTheDrawNBefore)
{
    check({{"N = 2, drawn position 1 is 5", kNumber, kDrawnOrder, {{1, 5}}, {4, 6}},
           {"N = 2, digit sum 5 at ascending position 1", kDigitSum, kAscendingOrder, {{1, 5}}, {3, 4, 6}},
           {"N = 2, odd special number", kParity, kAscendingOrder, {{7, 1}}, {3, 5}}},
          Mode::FixedBack, 2);
    check({{"N = 3, drawn position 1 is 5", kNumber, kDrawnOrder, {{1, 5}}, {5}},
           // Rows 1..N have zero copies.
           {"N = 3, head 0 at drawn position 1", kHead, kDrawnOrder, {{1, 0}}, {1, 2, 3, 5}},
           {"N = 3, no position", kNumber, kDrawnOrder, {}, {1, 2, 3, 4, 5, 6}}},
          Mode::FixedBack, 3);
    // N = 1 and 0 (taken as 1) compare with the previous draw.
    for (int n : {1, 0}) {
        SCOPED_TRACE(n);
        check({{"drawn position 1 is 5", kNumber, kDrawnOrder, {{1, 5}}, {3, 5}}}, Mode::FixedBack, n);
    }
}

TEST_F(FixedMarking, PreviousDrawCopiesAreRecomputedForTheChosenPositionAndKindOnly)
{
    setText("L1AS", 3, "0");
    setText("L2AS", 3, "0");
    setText("L1BS", 3, "0");
    search(makeOptions(Mode::FixedPrevious, kNumber, {{1, 5}}));
    EXPECT_EQ(intColumn("L1AS"), (std::vector<int64_t>{0, 30, 5, 41, 5, 16}));
    EXPECT_EQ(intColumn("L2AS")[2], 0);
    EXPECT_EQ(intColumn("L1BS")[2], 0);

    // 合数 rewrites the head and the tail copies, 单双 the number copy.
    setText("D3ES", 2, "9");
    setText("D3FS", 2, "9");
    setText("L7AS", 2, "0");
    search(makeOptions(Mode::FixedPrevious, kDigitSum, {{3, 3}}, 2, true, kAscendingOrder));
    search(makeOptions(Mode::FixedPrevious, kParity, {{7, 1}}, 2, true, kAscendingOrder));
    EXPECT_EQ(intColumn("D3ES"), (std::vector<int64_t>{0, 1, 1, 2, 2, 2}));
    EXPECT_EQ(intColumn("D3FS"), (std::vector<int64_t>{0, 2, 2, 3, 6, 0}));
    EXPECT_EQ(intColumn("L7AS"), (std::vector<int64_t>{0, 17, 44, 5, 2, 27}));
}

TEST_F(FixedMarking, NBackPassRewritesCopiesAndThePlainList)
{
    const auto lists = column("txtHisLst");
    const auto l2ap = column("L2AP");
    const auto l1bp = column("L1BP");
    const auto sx = column("txtHisPreLstSx");
    setText("txtHisPreLst", 1, "kept");

    search(makeOptions(Mode::FixedBack, kNumber, {{1, 5}}, 3));
    EXPECT_EQ(intColumn("L1AP"), (std::vector<int64_t>{0, 0, 0, 30, 5, 41}));
    // Row k > N shows the txtHisLst of row k - N + 1: the numbers of draw k - N.
    EXPECT_EQ(column("txtHisPreLst"),
              (std::vector<std::string>{"kept", "", "", lists[1], lists[2], lists[3]}));
    EXPECT_EQ(lists[1], "30 05 12 41 23 08 17 ");
    // Other positions, kinds and the typed N-back lists are left alone.
    EXPECT_EQ(column("L2AP"), l2ap);
    EXPECT_EQ(column("L1BP"), l1bp);
    EXPECT_EQ(column("txtHisPreLstSx"), sx);

    // N beyond the history: every copy 0, every row but the first empty.
    search(makeOptions(Mode::FixedBack, kDigitSum, {{2, 5}}, 9));
    EXPECT_EQ(intColumn("L2EP"), (std::vector<int64_t>(6, 0)));
    EXPECT_EQ(intColumn("L2FP"), (std::vector<int64_t>(6, 0)));
    EXPECT_EQ(column("txtHisPreLst"), (std::vector<std::string>{"kept", "", "", "", "", ""}));

    // N = 1: the row's own txtHisLst, row 1 still kept.
    search(makeOptions(Mode::FixedBack, kNumber, {{1, 5}}, 1));
    EXPECT_EQ(column("txtHisPreLst"),
              (std::vector<std::string>{"kept", lists[1], lists[2], lists[3], lists[4], lists[5]}));
}

TEST_F(FixedMarking, NoPositionChosenRewritesNothing)
{
    const auto before = dump();
    setText("intTh", 2, "5");
    search(makeOptions(Mode::FixedBack, kNumber, {}, 3));
    // Only the counter changes: back to 0 in the row that held 5.
    EXPECT_EQ(dump(), before);
}

}  // namespace
}  // namespace qudrim::search::testing
