// The substrings of free positions, the tally values and the percentage text.

#include "search/search_terms.h"
#include "store/database.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <stdexcept>

namespace qudrim::search {
namespace {

struct NeedleCase {
    const char* what;
    Kind kind;
    std::array<int16_t, 8> values;  // 0 at an index means: not chosen, unless listed in chosen
    std::vector<int> chosen;
    std::array<const char*, 8> needles;  // nullptr: none
};

TEST(NeedleSet, FindsWhatASearchForEachNeedleFinds)
{
    // Texts and needles over a narrow alphabet, so that needles overlap,
    // repeat, stand at either end or run past it.
    std::mt19937 rng(17);
    const std::string alphabet = "012X 9\xE9";
    auto word = [&](size_t low, size_t high) {
        std::string w(std::uniform_int_distribution<size_t>(low, high)(rng), ' ');
        for (char& c : w)
            c = alphabet[std::uniform_int_distribution<size_t>(0, alphabet.size() - 1)(rng)];
        return w;
    };
    for (int round = 0; round < 400; ++round) {
        std::vector<std::string> needles;
        const size_t count = std::uniform_int_distribution<size_t>(0, NeedleSet::kMostNeedles)(rng);
        for (size_t i = 0; i < count; ++i)
            needles.push_back(i > 0 && rng() % 5 == 0 ? needles[i - 1] : word(0, 5));
        const NeedleSet set(needles);
        for (int t = 0; t < 20; ++t) {
            const std::string text = word(0, 30);
            uint32_t want = 0;
            for (size_t i = 0; i < needles.size(); ++i)
                if (std::string_view(text).find(needles[i]) != std::string_view::npos)
                    want |= 1u << i;
            ASSERT_EQ(set.heldBy(text), want) << "'" << text << "'";
        }
    }
    EXPECT_EQ(NeedleSet({"1X05", "05", "2X05"}).heldBy("1X05 2X07 "), 0b011u);
    EXPECT_THROW(NeedleSet(std::vector<std::string>(NeedleSet::kMostNeedles + 1, "05")), std::invalid_argument);
}

TEST(FreeNeedles, CountRepeatsAndWriteValuesAsTheListsDo)
{
    const std::vector<NeedleCase> cases = {
        {"zodiac 5 5 9 at 1 2 4", kZodiac, {0, 5, 5, 0, 9}, {1, 2, 4},
         {nullptr, "1X05", "2X05", nullptr, "1X09"}},
        {"tail 3 twice", kTail, {0, 3, 3}, {1, 2}, {nullptr, "1X3", "2X3"}},
        {"numbers 7 and 23", kNumber, {0, 7, 23}, {1, 2}, {nullptr, "07", "23"}},
        {"the same number twice", kNumber, {0, 7, 7}, {1, 2}, {nullptr, "07", "07"}},
        {"digit sum 13 and a repeated 3 on the special", kDigitSum, {0, 13, 0, 3, 0, 0, 0, 3}, {1, 3, 7},
         {nullptr, "1X13", nullptr, "1X03", nullptr, nullptr, nullptr, "2X03"}},
        {"head 5 has no needle and does not advance the count", kHead, {0, 5, 4, 4}, {1, 2, 3},
         {nullptr, nullptr, "1X4", "2X4"}},
        {"positions not chosen take no part", kSegment, {0, 2, 2, 2}, {3}, {nullptr, nullptr, nullptr, "1X2"}},
        {"odd/even out of range", kParity, {0, -1, 2, 1}, {1, 2, 3}, {nullptr, nullptr, nullptr, "1X1"}},
        {"wave colour 0 and 3 both fit", kWave, {0, 0, 3}, {1, 2}, {nullptr, "1X00", "1X03"}},
        {"number 50 and -7", kNumber, {0, 50, -7}, {1, 2}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::array<bool, 8> chosen{};
        for (int p : c.chosen)
            chosen[static_cast<size_t>(p)] = true;
        const auto needles = freeNeedles(c.kind, chosen, c.values);
        for (size_t i = 0; i < 8; ++i) {
            if (c.needles[i])
                EXPECT_EQ(needles[i], std::optional<std::string>(c.needles[i])) << i;
            else
                EXPECT_FALSE(needles[i].has_value()) << i;
        }
    }
}

TEST(PercentText, ThreeDecimalsRoundedHalfUp)
{
    struct Case {
        int64_t count, total;
        const char* text;
    };
    for (const Case c : {Case{5, 35, "14.286%"}, Case{1, 1, "100.000%"}, Case{0, 7, "0.000%"},
                         Case{1, 3, "33.333%"}, Case{2, 3, "66.667%"}, Case{1, 8, "12.500%"},
                         // 1/16 = 6.25%, 1/1600 = 0.0625%: the half goes up.
                         Case{1, 1600, "0.063%"}, Case{1, 16000, "0.006%"}, Case{1, 200000, "0.001%"},
                         Case{1, 200001, "0.000%"}, Case{30016, 30016, "100.000%"},
                         Case{3000000000, 7000000000, "42.857%"}, Case{0, 0, ""}, Case{3, 0, ""}}) {
        EXPECT_EQ(percentText(c.count, c.total), c.text) << c.count << " / " << c.total;
    }
}

TEST(TallyValues, RowsFollowTheCodeBases)
{
    EXPECT_EQ(tallyValues(kWave, {1, 1, 0}), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(tallyValues(kWave, {1, 1, 1}), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(tallyValues(kSegment, {1, 1, 1}), (std::vector<int>{1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(tallyValues(kSegment, {1, 0, 1}).front(), 0);
    EXPECT_EQ(tallyValues(kZodiac, {0, 1, 1}).back(), 11);
    EXPECT_EQ(tallyValues(kZodiac, {1, 1, 1}).back(), 12);
    EXPECT_EQ(tallyValues(kNumber, {}).size(), 49u);
    EXPECT_EQ(tallyValues(kDigitSum, {}), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}));
    EXPECT_EQ(tallyValues(kParity, {}), (std::vector<int>{0, 1}));
    // Counters cover both bases; nothing outside them is counted.
    EXPECT_TRUE(tallyCounts(kZodiac, 0));
    EXPECT_TRUE(tallyCounts(kZodiac, 12));
    EXPECT_FALSE(tallyCounts(kZodiac, 13));
    EXPECT_FALSE(tallyCounts(kNumber, 50));
    EXPECT_FALSE(tallyCounts(kHead, -1));
}

TEST(SearchColumns, OnlyColumnsOfTheCatalogueGoIntoAStatement)
{
    EXPECT_EQ(checkedColumn("D2HP"), "D2HP");
    EXPECT_THROW(checkedColumn("L1G"), store::StoreError);
    EXPECT_THROW(checkedColumn("SQQH; DROP TABLE Lishi"), store::StoreError);
}

}  // namespace
}  // namespace qudrim::search
