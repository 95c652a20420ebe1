#include <filesystem>
// Searches over the real history of 4,288 draws, checked against what the
// draw list itself says.

#include "search_fixture.h"

#include "draw/attributes.h"

#include <algorithm>
#include <memory>

namespace qudrim::search::testing {
namespace {

class SearchOnRealHistory : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        draws_ = new std::vector<DrawInput>(qudrim::testing::loadRealHistory());
        folder_ = new qudrim::testing::TempFolder();
        store_ = new store::HistoryStore(folder_->path());
        qudrim::testing::fillStore(*store_, *draws_);
    }
    // The real history lies in the shared data folder beside the checkout;
    // without it these tests have nothing to read.
    void SetUp() override
    {
        if (!std::filesystem::exists(qudrim::testing::realHistoryFile()))
            GTEST_SKIP() << "no real history at " << qudrim::testing::realHistoryFile();
    }
    static void TearDownTestSuite()
    {
        delete store_;
        delete folder_;
        delete draws_;
    }

    static const std::vector<DrawInput>& draws() { return *draws_; }
    static SearchResult search(const SearchOptions& o) { return runPositionSearch(store_->db(), o); }

    static std::vector<int32_t> issues(const SearchResult& r)
    {
        std::vector<int32_t> out;
        for (const auto& h : hitTexts(r))
            out.push_back(std::stoi(h[0]));
        return out;
    }

    static int64_t tallySum(const SearchResult& r)
    {
        int64_t sum = 0;
        for (const auto& t : tallyTexts(r))
            sum += std::stoll(t[2]);
        return sum;
    }

private:
    static inline std::vector<DrawInput>* draws_ = nullptr;
    static inline qudrim::testing::TempFolder* folder_ = nullptr;
    static inline store::HistoryStore* store_ = nullptr;
};

TEST_F(SearchOnRealHistory, HasTheWholeFile)
{
    ASSERT_EQ(draws().size(), 4288u);
    EXPECT_EQ(draws().front().issue / 1000, 1993);
}

TEST_F(SearchOnRealHistory, FreeNumberAgainstThePreviousDrawMatchesTheDrawList)
{
    for (int v : {7, 49}) {
        for (bool special : {true, false}) {
            SCOPED_TRACE(::testing::Message() << "number " << v << (special ? " with" : " without") << " special");
            std::vector<int32_t> expected;
            std::array<int64_t, 50> specials{};
            for (size_t k = 1; k < draws().size(); ++k) {
                const auto& prev = draws()[k - 1].numbers;
                if (std::find(prev.begin(), prev.begin() + (special ? 7 : 6), v) != prev.begin() + (special ? 7 : 6)) {
                    expected.push_back(draws()[k].issue);
                    ++specials[static_cast<size_t>(draws()[k].numbers[6])];
                }
            }
            auto o = makeOptions(Mode::FreePrevious, kNumber, {{3, v}}, 2, special);
            o.display.scope = 2;
            const auto result = search(o);
            EXPECT_EQ(issues(result), expected);
            const auto tally = tallyTexts(result);
            ASSERT_EQ(tally.size(), 49u);
            for (const auto& row : tally)
                EXPECT_EQ(std::stoll(row[2]), specials[static_cast<size_t>(std::stoi(row[1]))]) << row[1];
            // Highest count first, equal counts by ascending value.
            for (size_t i = 1; i < tally.size(); ++i) {
                const auto a = std::stoll(tally[i - 1][2]), b = std::stoll(tally[i][2]);
                EXPECT_TRUE(a > b || (a == b && std::stoi(tally[i - 1][1]) < std::stoi(tally[i][1])));
            }
        }
    }
}

TEST_F(SearchOnRealHistory, FixedNumberNineDrawsBeforeMatchesTheDrawList)
{
    // The file lists the regular numbers ascending, so drawn order is ascending order.
    const int v = 3;
    std::vector<int32_t> expected;
    for (size_t k = 9; k < draws().size(); ++k)
        if (draws()[k - 9].numbers[1] == v)
            expected.push_back(draws()[k].issue);
    for (NumberOrder order : {kDrawnOrder, kAscendingOrder}) {
        const auto result = search(makeOptions(Mode::FixedBack, kNumber, {{2, v}}, 9, true, order));
        EXPECT_EQ(issues(result), expected) << static_cast<char>(order);
    }
}

TEST_F(SearchOnRealHistory, OneDrawBeforeFindsWhatThePreviousDrawFinds)
{
    for (Kind kind : {kNumber, kZodiac, kTail, kDigitSum}) {
        SCOPED_TRACE(kind);
        auto previous = makeOptions(Mode::FreePrevious, kind, {{1, 1}, {2, 3}}, 1, false);
        previous.display.intXianshiLei = kHead;
        auto back = previous;
        back.bolSq = false;
        const auto a = search(previous);
        const auto b = search(back);
        EXPECT_FALSE(a.hits.empty());
        EXPECT_EQ(hitTexts(a), hitTexts(b));
        EXPECT_EQ(tallyTexts(a), tallyTexts(b));
    }
}

TEST_F(SearchOnRealHistory, CountsAddUpToHitsTimesScope)
{
    const std::array<int, 3> scopeSize = {7, 6, 1};
    int variant = 0;
    for (Mode mode : {Mode::FreePrevious, Mode::FreeBack, Mode::FixedPrevious, Mode::FixedBack}) {
        for (Kind kind : kAllKinds) {
            ++variant;
            // Reference values taken from the last draw, so that there are hits.
            SearchOptions o = makeOptions(mode, kind, {}, 4, variant % 2 == 0, variant % 3 ? kDrawnOrder : kAscendingOrder);
            const DrawRow last = deriveDraw(0, draws().back().numbers, GetSxYear(draws().back().issue), {});
            for (int p : {1, 7}) {
                o.bolWei[static_cast<size_t>(p)] = true;
                o.intSqLei[static_cast<size_t>(p)] = last.at(o.display.strQz, p).value(kind);
            }
            o.display.intXianshiLei = kAllKinds[static_cast<size_t>((kind + 3) % kKindCount)];
            o.display.scope = variant % 3;
            o.display.firstIssue = 2000001;
            o.display.lastIssue = 2020999;
            SCOPED_TRACE(::testing::Message() << "mode " << static_cast<int>(mode) << " kind " << kind);
            const auto result = search(o);
            EXPECT_FALSE(result.hits.empty());
            EXPECT_EQ(tallySum(result), static_cast<int64_t>(result.hits.size()) * scopeSize[static_cast<size_t>(o.display.scope)]);
            double percent = 0;
            for (const auto& t : tallyTexts(result))
                percent += std::stod(t[3]);
            EXPECT_NEAR(percent, 100.0, 0.0005 * static_cast<double>(result.tally.size()));
            for (const auto& h : hitTexts(result)) {
                const int32_t issue = std::stoi(h[0]);
                EXPECT_GE(issue, 2000001);
                EXPECT_LE(issue, 2020999);
            }
        }
    }
}

TEST_F(SearchOnRealHistory, NoPositionTalliesEveryDrawOfTheRange)
{
    auto o = makeOptions(Mode::FixedPrevious, kNumber, {});
    o.display.intXianshiLei = kParity;
    o.display.scope = 0;
    const auto result = search(o);
    ASSERT_EQ(result.hits.size(), draws().size());
    int64_t odd = 0;
    for (const auto& d : draws())
        for (int n : d.numbers)
            odd += n % 2;
    const auto tally = tallyTexts(result);
    const auto row = std::find_if(tally.begin(), tally.end(), [](const auto& t) { return t[1] == "单"; });
    ASSERT_NE(row, tally.end());
    EXPECT_EQ(std::stoll((*row)[2]), odd);
    EXPECT_EQ(tallySum(result), 7 * 4288);
}

}  // namespace
}  // namespace qudrim::search::testing
