// The N-back list rebuild of a free search against the draw N before: row
// m >= N gets the list of row m - N + 1, rows 2..N-1 the empty text, and row
// 1 keeps its list unless N is 1.

#include "search_fixture.h"

namespace qudrim::search::testing {
namespace {

class NBackRebuild : public SearchDb {
protected:
    void addHistory(int rows)
    {
        std::vector<Numbers> draws;
        for (const auto& d : qudrim::testing::syntheticHistory(rows, 11))
            draws.push_back(d.numbers);
        addDraws(draws);
        for (int r = 1; r <= rows; ++r) {
            setText("txtHisPreLst", r, "old " + std::to_string(r));
            setText("txtHisPreLstSx", r, "old sx " + std::to_string(r));
        }
    }

    // What a rebuilt column holds after the rebuild, from the rules above.
    static std::vector<std::string> expected(const std::vector<std::string>& source,
                                             const std::vector<std::string>& before, int n)
    {
        std::vector<std::string> out(source.size());
        for (size_t i = 0; i < source.size(); ++i) {
            const int m = static_cast<int>(i) + 1;
            if (m == 1)
                out[i] = n == 1 ? source[0] : before[0];
            else if (m < n)
                out[i] = "";
            else
                out[i] = source[static_cast<size_t>(m - n)];
        }
        return out;
    }
};

TEST_F(NBackRebuild, RowsBeforeNAreEmptiedAndTheRestShiftedByNMinusOne)
{
    struct Case {
        int rows, n;
    };
    for (const Case c : {Case{10, 1}, Case{10, 2}, Case{10, 4}, Case{10, 9}, Case{3, 5}, Case{1, 3}}) {
        SCOPED_TRACE(::testing::Message() << c.rows << " rows, N = " << c.n);
        addHistory(c.rows);
        const auto plain = column("txtHisLst");
        const auto sx = column("txtHisLstSx");
        const auto plainBefore = column("txtHisPreLst");
        const auto sxBefore = column("txtHisPreLstSx");
        search(makeOptions(Mode::FreeBack, kZodiac, {}, c.n));
        EXPECT_EQ(column("txtHisPreLstSx"), expected(sx, sxBefore, c.n));
        EXPECT_EQ(column("txtHisPreLst"), expected(plain, plainBefore, c.n));
        store.deleteAll();
    }
}

TEST_F(NBackRebuild, HandComputedRowsForNFourOfTen)
{
    addHistory(10);
    const auto source = column("txtHisLstWei");
    search(makeOptions(Mode::FreeBack, kTail, {}, 4));
    const auto rebuilt = column("txtHisPreLstWei");
    EXPECT_EQ(rebuilt[0], "");  // row 1 of a fresh history holds the empty text
    EXPECT_EQ(rebuilt[1], "");
    EXPECT_EQ(rebuilt[2], "");
    EXPECT_EQ(rebuilt[3], source[0]);  // row 4 gets row 1's list
    EXPECT_EQ(rebuilt[9], source[6]);  // row 10 gets row 7's
    EXPECT_EQ(column("txtHisPreLst")[9], column("txtHisLst")[6]);
}

TEST_F(NBackRebuild, NumberKindRewritesOnlyThePlainList)
{
    addHistory(6);
    const auto sxBefore = column("txtHisPreLstSx");
    const auto plain = column("txtHisLst");
    search(makeOptions(Mode::FreeBack, kNumber, {}, 2));
    EXPECT_EQ(column("txtHisPreLstSx"), sxBefore);
    EXPECT_EQ(column("txtHisPreLst"),
              (std::vector<std::string>{"old 1", plain[0], plain[1], plain[2], plain[3], plain[4]}));
}

TEST_F(NBackRebuild, CountsRowsNotIssues)
{
    // Issues 2013020, 2013021 and then a jump to the next year.
    addDraws({{1, 2, 3, 4, 5, 6, 7}, {8, 9, 10, 11, 12, 13, 14}});
    addDraws({{15, 16, 17, 18, 19, 20, 21}}, {}, 2014030);
    search(makeOptions(Mode::FreeBack, kNumber, {}, 2));
    EXPECT_EQ(column("txtHisPreLst")[2], "01 02 03 04 05 06 07 ");
}

TEST_F(NBackRebuild, OnlyFreeSearchesAgainstTheDrawNBeforeRebuild)
{
    addHistory(6);
    const auto before = column("txtHisPreLstSx");
    for (Mode mode : {Mode::FreePrevious, Mode::FixedPrevious, Mode::FixedBack}) {
        search(makeOptions(mode, kZodiac, {}, 2));
        EXPECT_EQ(column("txtHisPreLstSx"), before);
    }
}

}  // namespace
}  // namespace qudrim::search::testing
