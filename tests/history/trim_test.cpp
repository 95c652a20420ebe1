// Trimming the history: the answers of the input box, the draws each trim
// keeps, the draws that would not come back from the backup file, the trim
// itself, and the deletion of the newest draw.
#include "history/delete_last.h"
#include "history/trim.h"
#include "store/lishi_rows.h"
#include "support/history_fixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

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

// The trim and the deletion of the newest draw as the window runs them, on a
// real history file: every failure halfway leaves the history as it was;
// a compaction that fails after the change keeps the change.

namespace {

using qudrim::testrows::StoredRow;

class HistorySequence : public ::testing::Test {
protected:
    HistorySequence() : store(folder.path())
    {
        qudrim::testing::fillStore(store, draws, kBases);
    }

    std::vector<StoredRow> rows() { return testrows::readLishi(store.db()); }
    std::vector<int32_t> issues() { return issuesOf(drawsWithoutLast(store.snapshot(), 0)); }
    std::filesystem::path backup() const { return folder.path() / kBackupFileName; }
    bool compacted() const { return std::filesystem::exists(store.compactPath()); }
    // A folder in the way of the compacted copy, which cannot be removed:
    // the compaction fails before it touches the history.
    void blockTheCompaction() const
    {
        std::filesystem::create_directories(store.compactPath() / "in-the-way");
        std::ofstream(store.compactPath() / "in-the-way" / "file") << "x";
    }
    TrimOutcome trimTo(int32_t lastKept, int32_t nextIssue)
    {
        return trimHistory(store, drawsUpToIssue(store.snapshot(), lastKept), backup(), nextIssue, kBases);
    }

    const std::vector<DrawInput> draws = qudrim::testing::syntheticHistory(20, 3);
    qudrim::testing::TempFolder folder;
    store::HistoryStore store;
};

std::string fileText(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST_F(HistorySequence, ATrimKeepsTheDrawsRebuiltFromTheBackupAndCompacts)
{
    const TrimOutcome out = trimTo(draws[11].issue, draws.back().issue + 1);

    ASSERT_EQ(out.fault, TrimFault::None);
    EXPECT_FALSE(out.compaction.failed) << out.compaction.detail;
    const std::vector<DrawInput> kept(draws.begin(), draws.begin() + 12);
    EXPECT_EQ(issues(), issuesOf(kept));
    EXPECT_EQ(fileText(backup()), historyLines(kept));
    EXPECT_TRUE(compacted());
    // Rebuilt: from row 3 on each row carries the lists the row before received.
    const auto stored = rows();
    ASSERT_EQ(stored.size(), 12u);
    for (size_t k = 2; k < stored.size(); ++k)
        EXPECT_EQ(stored[k].text("txtHisPreLst"), stored[k - 1].text("txtHisLst")) << k;
}

// An imported line "0000000 ..." followed by a line without an issue gives a
// draw with issue 1. Its backup line has no issue field, so the rebuild would
// give it the issue after the one the window offers next: the trim refuses
// before anything is written.
TEST_F(HistorySequence, ATrimRefusesADrawTheRebuildWouldStoreUnderAnotherIssue)
{
    std::ofstream(folder.path() / "import.txt", std::ios::binary)
        << "0000000 01 02 03 04 05 06 07\r\n08 09 10 11 12 13 14\r\n";
    ASSERT_EQ(RebuildLishi(store, folder.path() / "import.txt", 2014001, PreListMode::Unwritten, kBases,
                           EmptyFile::Refuse)
                  .status,
              RebuildStatus::Rebuilt);
    ASSERT_EQ(issues(), std::vector<int32_t>{1});
    const auto before = rows();

    const TrimOutcome out = trimTo(1, 2);

    EXPECT_EQ(out.fault, TrimFault::NotReadBack);
    EXPECT_EQ(out.issue, 1);
    EXPECT_EQ(rows(), before);
    EXPECT_FALSE(std::filesystem::exists(backup()));
    EXPECT_FALSE(compacted());
}

TEST_F(HistorySequence, ATrimThatFailsHalfwayLeavesTheHistoryAsItWas)
{
    const auto before = rows();
    // A folder in the way of the backup file.
    std::filesystem::create_directories(backup() / "in-the-way");
    const TrimOutcome unwritten = trimTo(draws[11].issue, draws.back().issue + 1);
    EXPECT_EQ(unwritten.fault, TrimFault::BackupNotWritten);
    EXPECT_FALSE(unwritten.detail.empty());
    EXPECT_EQ(rows(), before);
    std::filesystem::remove_all(backup());

    // The database refuses a row halfway through the rebuild.
    store.db().exec("CREATE TRIGGER refuse BEFORE INSERT ON Lishi WHEN NEW.SQQH = " + std::to_string(draws[6].issue) +
                    " BEGIN SELECT RAISE(ABORT, 'refused'); END;");
    const TrimOutcome refused = trimTo(draws[11].issue, draws.back().issue + 1);
    EXPECT_EQ(refused.fault, TrimFault::RebuildFailed);
    EXPECT_EQ(refused.rebuild.status, RebuildStatus::StoreRefused);
    EXPECT_EQ(rows(), before);
    EXPECT_FALSE(compacted());
}

TEST_F(HistorySequence, ACompactionThatFailsAfterTheRebuildKeepsTheTrimmedHistory)
{
    blockTheCompaction();

    const TrimOutcome out = trimTo(draws[16].issue, draws.back().issue + 1);

    EXPECT_EQ(out.fault, TrimFault::None);
    EXPECT_TRUE(out.compaction.failed);
    EXPECT_FALSE(out.compaction.detail.empty());
    ASSERT_TRUE(store.isOpen());
    EXPECT_EQ(issues(), issuesOf(std::vector<DrawInput>(draws.begin(), draws.begin() + 17)));
}

TEST_F(HistorySequence, DeletingTheNewestDrawCompacts)
{
    const DeleteOutcome out = deleteLastAndCompact(store);
    EXPECT_FALSE(out.refused);
    EXPECT_TRUE(out.deleted);
    EXPECT_FALSE(out.compaction.failed) << out.compaction.detail;
    EXPECT_TRUE(compacted());
    EXPECT_EQ(issues(), issuesOf(std::vector<DrawInput>(draws.begin(), draws.end() - 1)));

    // From an empty history nothing goes, and the file is compacted all the same.
    store.deleteAll();
    std::filesystem::remove(store.compactPath());
    const DeleteOutcome empty = deleteLastAndCompact(store);
    EXPECT_FALSE(empty.refused);
    EXPECT_FALSE(empty.deleted);
    EXPECT_TRUE(compacted());
}

TEST_F(HistorySequence, ADeletionTheDatabaseRefusesChangesNothingAndIsNotCompacted)
{
    const auto before = rows();
    store::Database other(store.databasePath(), store::Database::Mode::OpenExisting);
    other.exec("BEGIN IMMEDIATE");
    const DeleteOutcome out = deleteLastAndCompact(store);
    other.exec("ROLLBACK");

    EXPECT_TRUE(out.refused);
    EXPECT_FALSE(out.detail.empty());
    EXPECT_EQ(rows(), before);
    EXPECT_FALSE(compacted());
}

TEST_F(HistorySequence, ACompactionThatFailsAfterTheDeletionKeepsIt)
{
    blockTheCompaction();
    const DeleteOutcome out = deleteLastAndCompact(store);
    EXPECT_TRUE(out.deleted);
    EXPECT_TRUE(out.compaction.failed);
    EXPECT_FALSE(out.compaction.damaged);
    ASSERT_TRUE(store.isOpen());
    EXPECT_EQ(issues(), issuesOf(std::vector<DrawInput>(draws.begin(), draws.end() - 1)));
}

}  // namespace
