// Trimming the history: the answers of the input box, the draws each trim
// keeps, the draws that would not come back from the backup file, and the
// deletion of the newest draw.
#include "history/delete_last.h"
#include "history/trim.h"
#include "support/history_fixture.h"

#include <gtest/gtest.h>

using namespace qudrim;
using namespace qudrim::history;

namespace {

constexpr CodeBases kBases{1, 1, 1};

struct AnswerCase {
    const char* name;
    const char* text;
    TrimAnswer::Kind kind;
    int32_t value;
};

void PrintTo(const AnswerCase& c, std::ostream* os) { *os << c.name; }

class TrimAnswerTest : public ::testing::TestWithParam<AnswerCase> {};

TEST_P(TrimAnswerTest, ReadsTheAnswer)
{
    const AnswerCase& c = GetParam();
    const TrimAnswer a = readTrimAnswer(c.text);
    EXPECT_EQ(a.kind, c.kind);
    if (c.kind == TrimAnswer::Kind::Value) {
        EXPECT_EQ(a.value, c.value);
    }
}

using K = TrimAnswer::Kind;
INSTANTIATE_TEST_SUITE_P(
    Answers, TrimAnswerTest,
    ::testing::Values(AnswerCase{"Issue", "2014016", K::Value, 2014016},
                      AnswerCase{"BlanksAround", "  3 \t", K::Value, 3},
                      AnswerCase{"PlusSign", "+3", K::Value, 3},
                      AnswerCase{"LargestIssue", "2147483647", K::Value, 2147483647},
                      AnswerCase{"Empty", "", K::Nothing, 0},
                      AnswerCase{"OnlyBlanks", "   ", K::Nothing, 0},
                      AnswerCase{"Zero", "0", K::Nothing, 0},
                      AnswerCase{"Negative", "-5", K::Nothing, 0},
                      AnswerCase{"VeryNegative", "-99999999999999999999", K::Nothing, 0},
                      AnswerCase{"Letters", "abc", K::NotNumber, 0},
                      AnswerCase{"DigitsAndLetters", "3a", K::NotNumber, 0},
                      AnswerCase{"Fraction", "2.5", K::NotNumber, 0},
                      AnswerCase{"BlankInside", "20 14", K::NotNumber, 0},
                      AnswerCase{"SignAlone", "-", K::NotNumber, 0},
                      AnswerCase{"TooLarge", "2147483648", K::NotNumber, 0},
                      AnswerCase{"FarTooLarge", "99999999999999999999", K::NotNumber, 0}),
    [](const ::testing::TestParamInfo<AnswerCase>& info) { return info.param.name; });

// 2013149, 2013150, 2014001, 2014002, 2014003: the last three lie in a new year.
store::Snapshot aroundNewYear()
{
    std::vector<DrawRow> rows;
    for (int32_t issue : {2013149, 2013150, 2014001, 2014002, 2014003}) {
        DrawRow r;
        r.issue = issue;
        for (int i = 1; i <= 7; ++i)
            r.L[static_cast<size_t>(i)].A = static_cast<int16_t>(issue % 40 + i);
        rows.push_back(r);
    }
    return store::Snapshot(std::move(rows));
}

std::vector<int32_t> issuesOf(const std::vector<DrawInput>& draws)
{
    std::vector<int32_t> issues;
    for (const DrawInput& d : draws)
        issues.push_back(d.issue);
    return issues;
}

TEST(TrimChoice, KeepsTheDrawsUpToTheIssue)
{
    const store::Snapshot h = aroundNewYear();
    using V = std::vector<int32_t>;
    EXPECT_EQ(issuesOf(drawsUpToIssue(h, 2014003)), (V{2013149, 2013150, 2014001, 2014002, 2014003}));
    EXPECT_EQ(issuesOf(drawsUpToIssue(h, 2014001)), (V{2013149, 2013150, 2014001}));
    EXPECT_EQ(issuesOf(drawsUpToIssue(h, 2013999)), (V{2013149, 2013150}));  // between two issues
    EXPECT_EQ(issuesOf(drawsUpToIssue(h, 2099001)), (V{2013149, 2013150, 2014001, 2014002, 2014003}));
    EXPECT_TRUE(drawsUpToIssue(h, 2013148).empty());
    EXPECT_TRUE(drawsUpToIssue(store::Snapshot{}, 2014001).empty());

    const auto kept = drawsUpToIssue(h, 2013150);
    EXPECT_EQ(kept[1].zodiacIssue, 2013150);
    EXPECT_EQ(kept[1].numbers, (std::array<int, 7>{31, 32, 33, 34, 35, 36, 37}));
}

TEST(TrimChoice, DropsTheLastDraws)
{
    const store::Snapshot h = aroundNewYear();
    using V = std::vector<int32_t>;
    EXPECT_EQ(issuesOf(drawsWithoutLast(h, 1)), (V{2013149, 2013150, 2014001, 2014002}));
    EXPECT_EQ(issuesOf(drawsWithoutLast(h, 3)), (V{2013149, 2013150}));  // across the new year
    EXPECT_TRUE(drawsWithoutLast(h, 5).empty());
    EXPECT_TRUE(drawsWithoutLast(h, 2147483647).empty());
}

TEST(TrimChoice, FindsTheDrawsWhoseLineDoesNotReadBack)
{
    auto draws = qudrim::testing::syntheticHistory(4);
    constexpr int32_t kNextIssue = 2000005;
    EXPECT_EQ(firstDrawNotReadBack(draws, kNextIssue), nullptr);
    for (int32_t issue : {5, 123456, 20140161, 2147483647}) {
        auto shortOrLong = draws;
        shortOrLong[2].issue = issue;
        EXPECT_EQ(firstDrawNotReadBack(shortOrLong, kNextIssue), &shortOrLong[2]) << issue;
    }
}

TEST(DeleteLastDraw, DeletesTheHighestIssueWhateverTheOrderOfStoring)
{
    qudrim::testing::TempFolder folder;
    store::HistoryStore store(folder.path());
    store.open();
    const auto draws = qudrim::testing::syntheticHistory(4);
    // Stored 1, 2, then 4, then 3: the row stored last is not the newest.
    AddLishi(store, std::vector<DrawInput>{draws[0], draws[1], draws[3]}, kBases);
    AddLishi(store, std::vector<DrawInput>{draws[2]}, kBases);

    EXPECT_TRUE(deleteLastDraw(store));
    EXPECT_EQ(store.snapshot().last()->issue, draws[2].issue);
    EXPECT_TRUE(deleteLastDraw(store));
    EXPECT_EQ(store.snapshot().last()->issue, draws[1].issue);
    EXPECT_TRUE(deleteLastDraw(store));
    EXPECT_TRUE(deleteLastDraw(store));
    EXPECT_TRUE(store.snapshot().empty());
    EXPECT_FALSE(deleteLastDraw(store));
}

}  // namespace
