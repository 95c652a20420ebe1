// Combination searches over the real history of 4,288 draws, one after the
// other on the same file, each checked against what the draws themselves say:
// a draw is listed when its compared draw shares at least k of the pool's
// reference values (free positions, each value as often as both hold it, a
// number once) or agrees with them at k pool positions (fixed positions).

#include "combination_fixture.h"

#include <filesystem>
#include <map>

namespace qudrim::combination::testing {
namespace {

struct RealCase {
    const char* what;
    Mode mode;
    Kind kind;
    int k;
    bool pool7;
    int n;
    bool specialCounts;
    NumberOrder prefix;
    std::array<int, 7> reference;
};

void PrintTo(const RealCase& c, std::ostream* os) { *os << c.what; }

class CombinationOnRealHistory : public ::testing::TestWithParam<RealCase> {
protected:
    static void SetUpTestSuite()
    {
        folder_ = new qudrim::testing::TempFolder();
        store_ = new store::HistoryStore(folder_->path());
        qudrim::testing::fillStore(*store_, qudrim::testing::loadRealHistory());
        rows_ = new std::vector<DrawRow>(store_->snapshot().rows());
    }
    void SetUp() override
    {
        if (!std::filesystem::exists(qudrim::testing::realHistoryFile()))
            GTEST_SKIP() << "no real history at " << qudrim::testing::realHistoryFile();
    }
    static void TearDownTestSuite()
    {
        delete rows_;
        delete store_;
        delete folder_;
    }

    // The issues the definition lists, in ascending order.
    static std::vector<int64_t> expected(const RealCase& c)
    {
        const bool free = c.mode == Mode::FreePrevious || c.mode == Mode::FreeBack;
        const bool previous = c.mode == Mode::FreePrevious || c.mode == Mode::FixedPrevious;
        const size_t back = previous ? 1 : static_cast<size_t>(std::max(c.n, 1));
        const int pool = c.pool7 ? 7 : 6;
        std::vector<int64_t> issues;
        for (size_t r = 0; r < rows_->size(); ++r) {
            int agree = 0;
            if (free) {
                if (r < back)
                    continue;  // no compared draw, an empty list
                const DrawRow& compared = (*rows_)[r - back];
                std::map<int, int> held, wanted;
                for (int p = 1; p <= (c.specialCounts ? 7 : 6); ++p)
                    ++held[compared.L[static_cast<size_t>(p)].value(c.kind)];
                for (int p = 1; p <= pool; ++p) {
                    const int v = c.reference[static_cast<size_t>(p - 1)];
                    if (valueDomain(c.kind).holds(v))
                        ++wanted[v];
                }
                for (const auto& [v, times] : wanted)
                    agree += c.kind == kNumber ? (held[v] > 0 ? times : 0) : std::min(times, held[v]);
            } else {
                for (int p = 1; p <= pool; ++p) {
                    const int v = c.reference[static_cast<size_t>(p - 1)];
                    // Rows without a draw that far back compare zero copies.
                    const int64_t got = r < back ? 0 : (*rows_)[r - back].at(c.prefix, p).value(c.kind);
                    agree += valueDomain(c.kind).holds(v) && got == v;
                }
            }
            if (agree >= c.k)
                issues.push_back((*rows_)[r].issue);
        }
        return issues;
    }

    static qudrim::testing::TempFolder* folder_;
    static store::HistoryStore* store_;
    static std::vector<DrawRow>* rows_;
};

qudrim::testing::TempFolder* CombinationOnRealHistory::folder_ = nullptr;
store::HistoryStore* CombinationOnRealHistory::store_ = nullptr;
std::vector<DrawRow>* CombinationOnRealHistory::rows_ = nullptr;

TEST_P(CombinationOnRealHistory, ListsTheDrawsTheDefinitionGives)
{
    const RealCase& c = GetParam();
    auto o = makeCombination(c.mode, c.kind, c.reference, c.k, c.pool7, c.n, c.specialCounts, c.prefix);
    const auto r = runCombinationSearch(store_->db(), o);
    std::vector<int64_t> issues;
    for (const auto& hit : search::testing::hitTexts(r))
        issues.push_back(std::stoll(hit[0]));
    const auto want = expected(c);
    EXPECT_EQ(issues, want);
    // Something to find, and not everything: the case means something.
    EXPECT_FALSE(want.empty());
    EXPECT_LT(want.size(), rows_->size());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CombinationOnRealHistory,
    ::testing::Values(
        RealCase{"free numbers k 2 平特", Mode::FreePrevious, kNumber, 2, true, 2, true, kDrawnOrder, {3, 17, 22, 30, 41, 45, 8}},
        RealCase{"free numbers k 2, a number twice, no special", Mode::FreePrevious, kNumber, 2, false, 2, false, kDrawnOrder,
                 {3, 3, 22, 30, 41, 45, 8}},
        RealCase{"free zodiac k 4 平特 N 9", Mode::FreeBack, kZodiac, 4, true, 9, true, kDrawnOrder, {2, 2, 5, 7, 2, 11, 5}},
        RealCase{"free tails k 5, no special", Mode::FreePrevious, kTail, 5, false, 2, false, kDrawnOrder, {1, 1, 3, 3, 7, 9, 0}},
        RealCase{"free parity k 6 平特 N 3", Mode::FreeBack, kParity, 6, true, 3, true, kDrawnOrder, {1, 1, 0, 1, 0, 1, 1}},
        RealCase{"free digit sums k 3, out-of-range values", Mode::FreePrevious, kDigitSum, 3, false, 2, true, kDrawnOrder,
                 {5, 0, 9, 14, 10, 5, 3}},
        RealCase{"fixed heads k 2 ascending", Mode::FixedPrevious, kHead, 2, false, 2, true, kAscendingOrder, {0, 1, 2, 3, 3, 4, 2}},
        RealCase{"fixed zodiac k 1 平特 N 9", Mode::FixedBack, kZodiac, 1, true, 9, true, kDrawnOrder, {4, 9, 1, 12, 6, 3, 8}},
        RealCase{"fixed digit sums k 2 N 5", Mode::FixedBack, kDigitSum, 2, false, 5, true, kDrawnOrder, {7, 4, 9, 10, 8, 6, 3}},
        RealCase{"fixed parity k 4 平特 ascending", Mode::FixedPrevious, kParity, 4, true, 2, true, kAscendingOrder,
                 {0, 1, 1, 0, 1, 0, 1}},
        RealCase{"fixed waves k 3 N 1", Mode::FixedBack, kWave, 3, true, 1, true, kDrawnOrder, {1, 2, 3, 1, 2, 3, 1}},
        RealCase{"free segments k 1 N 0", Mode::FreeBack, kSegment, 1, false, 0, false, kDrawnOrder, {7, 7, 7, 7, 7, 7, 7}}));

}  // namespace
}  // namespace qudrim::combination::testing
