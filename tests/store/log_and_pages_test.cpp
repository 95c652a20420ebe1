// The page size of the file and the write-ahead log: a commit is whole in the
// log at once and reaches the file only at a checkpoint; files made with
// small pages keep working and get big pages at their next compaction.
#include "draw/row_builder.h"
#include "store/history_store.h"
#include "store/lishi_rows.h"
#include "store/log_files.h"
#include "store/schema.h"
#include "support/history_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

using namespace qudrim;
using namespace qudrim::testrows;

namespace qudrim::store {

inline std::string modeName(CheckpointMode mode)
{
    switch (mode) {
    case CheckpointMode::Passive:
        return "Passive";
    case CheckpointMode::Full:
        return "Full";
    case CheckpointMode::Truncate:
        return "Truncate";
    }
    return "?";
}

// Test output names the mode.
void PrintTo(CheckpointMode mode, std::ostream* os) { *os << modeName(mode); }

}  // namespace qudrim::store

namespace fs = std::filesystem;

namespace {

int64_t pragmaOf(store::Database& db, const std::string& pragma)
{
    auto st = db.prepare("PRAGMA " + pragma);
    EXPECT_TRUE(st.step()) << pragma;
    return st.columnInt(0);
}

std::string textPragmaOf(store::Database& db, const std::string& pragma)
{
    auto st = db.prepare("PRAGMA " + pragma);
    EXPECT_TRUE(st.step()) << pragma;
    return st.columnText(0);
}

// The page size written in the file header (bytes 16-17, big-endian).
int pageSizeInHeader(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    unsigned char header[18] = {};
    in.read(reinterpret_cast<char*>(header), sizeof header);
    return header[16] << 8 | header[17];
}

int64_t sumOf(store::Database& db, const std::string& column)
{
    auto st = db.prepare("SELECT SUM(" + column + ") FROM Lishi");
    st.step();
    return st.columnInt(0);
}

const std::vector<DrawInput> kLateDraw{{2099001, 2099001, {1, 2, 3, 4, 5, 6, 7}}};

class LogTest : public ::testing::Test {
protected:
    LogTest() : store(folder.path()) { store.open(); }

    void fill(int count) { AddLishi(store, qudrim::testing::syntheticHistory(count, 5), {}); }
    std::vector<StoredRow> rows() { return readLishi(store.db()); }
    std::vector<StoredRow> fileAlone() { return rowsInFileAlone(store.databasePath(), scratch.path()); }
    int64_t sumInStore(const std::string& column) { return sumOf(store.db(), column); }
    int64_t sumInFileAlone(const std::string& column)
    {
        store::Database copy(copyWithoutLog(store.databasePath(), scratch.path()), store::Database::Mode::OpenExisting);
        return sumOf(copy, column);
    }

    qudrim::testing::TempFolder folder;
    qudrim::testing::TempFolder scratch;
    store::HistoryStore store;
};

}  // namespace

TEST(HistoryFilePages, NewFileHasBigPagesAndTheLog)
{
    qudrim::testing::TempFolder folder;
    store::HistoryStore store(folder.path());
    store.open();
    EXPECT_EQ(pragmaOf(store.db(), "page_size"), store::kPageSize);
    EXPECT_EQ(textPragmaOf(store.db(), "journal_mode"), "wal");
    EXPECT_EQ(pragmaOf(store.db(), "synchronous"), 1) << "NORMAL";
    AddLishi(store, qudrim::testing::syntheticHistory(3), {});
    store.close();
    EXPECT_EQ(pageSizeInHeader(store.databasePath()), store::kPageSize);
}

TEST(HistoryFilePages, FileWithSmallPagesKeepsWorkingAndGetsBigPagesAtCompaction)
{
    qudrim::testing::TempFolder folder;
    const fs::path file = folder.path() / store::kDatabaseFileName;
    {
        // A history file as the program made it before it chose the page size.
        store::Database old(file, store::Database::Mode::CreateIfMissing);
        old.exec("PRAGMA page_size=4096; PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL;");
        store::createSchema(old);
    }
    store::HistoryStore store(folder.path());
    store.open();
    AddLishi(store, qudrim::testing::syntheticHistory(300, 3), {});
    store.close();
    store.open();
    EXPECT_EQ(pragmaOf(store.db(), "page_size"), 4096);
    AddLishi(store, kLateDraw, {});
    const auto before = readLishi(store.db());
    ASSERT_EQ(before.size(), 301u);

    store.compact();
    EXPECT_EQ(pragmaOf(store.db(), "page_size"), store::kPageSize);
    EXPECT_EQ(textPragmaOf(store.db(), "journal_mode"), "wal");
    EXPECT_EQ(readLishi(store.db()), before);
    EXPECT_EQ(textPragmaOf(store.db(), "integrity_check"), "ok");

    // The rebuilt file takes the next draw after the last one.
    AddLishi(store, std::vector<DrawInput>{{2099002, 2099002, {8, 9, 10, 11, 12, 13, 14}}}, {});
    store.close();
    EXPECT_EQ(pageSizeInHeader(file), store::kPageSize);
    store.open();
    const auto after = readLishi(store.db());
    ASSERT_EQ(after.size(), 302u);
    EXPECT_EQ(after.back().at("L1AS"), 1) << "previous draw of the new row";
}

TEST_F(LogTest, CommitsStayInTheLogUntilACheckpoint)
{
    fill(2000);
    store.checkpoint(store::CheckpointMode::Passive);
    const int64_t baseline = sumInFileAlone("intTh");
    ASSERT_EQ(baseline, sumInStore("intTh"));

    // Rewrite every row until the log holds more than the 1,000 pages after
    // which SQLite would checkpoint by itself. The log file grows only past
    // what it already held, so its size counts at most the frames written.
    int rewrites = 0;
    const auto frameBytes = static_cast<uintmax_t>(24 + store::kPageSize);
    while (logSize(store.databasePath()) <= 32 + 1000 * frameBytes) {
        ASSERT_LT(rewrites, 200);
        store.db().exec("UPDATE Lishi SET intTh = intTh + 1");
        ++rewrites;
    }
    EXPECT_EQ(sumInFileAlone("intTh"), baseline) << "a checkpoint ran without being asked for";
    EXPECT_EQ(sumInStore("intTh"), baseline + 2000 * rewrites);

    const auto result = store.checkpoint(store::CheckpointMode::Passive);
    EXPECT_TRUE(result.complete());
    EXPECT_GT(result.logFrames, 1000);
    EXPECT_EQ(sumInFileAlone("intTh"), baseline + 2000 * rewrites);
}

TEST_F(LogTest, LogThatIsNeverCheckpointedStopsGrowingAtItsLimit)
{
    fill(2000);
    store.checkpoint(store::CheckpointMode::Truncate);
    const int64_t baseline = sumInFileAlone("intTh");
    auto rewrite = [&] { store.db().exec("UPDATE Lishi SET intTh = intTh + 1"); };
    rewrite();
    const uintmax_t oneRewrite = logSize(store.databasePath());
    ASSERT_GT(oneRewrite, 0u);

    // Half as much again as the limit, and never a checkpoint asked for.
    int rewrites = 1;
    uintmax_t largest = oneRewrite;
    while (static_cast<uintmax_t>(rewrites) * oneRewrite < static_cast<uintmax_t>(store::kLogLimitBytes) * 3 / 2) {
        rewrite();
        ++rewrites;
        largest = std::max(largest, logSize(store.databasePath()));
    }
    // The commit that takes the log past the limit checkpoints it.
    EXPECT_LE(largest, static_cast<uintmax_t>(store::kLogLimitBytes) + oneRewrite);
    EXPECT_GT(sumInFileAlone("intTh"), baseline);
    EXPECT_EQ(sumInStore("intTh"), baseline + 2000 * rewrites);
}

class CheckpointModes : public LogTest, public ::testing::WithParamInterface<store::CheckpointMode> {};

TEST_P(CheckpointModes, WriteTheLogIntoTheFile)
{
    fill(200);
    store.checkpoint(store::CheckpointMode::Truncate);
    AddLishi(store, kLateDraw, {});
    ASSERT_NE(fileAlone(), rows());

    const auto result = store.checkpoint(GetParam());
    EXPECT_TRUE(result.complete());
    EXPECT_EQ(fileAlone(), rows());
    if (GetParam() == store::CheckpointMode::Truncate) {
        EXPECT_EQ(logSize(store.databasePath()), 0u);
    }
    // The history goes on as before.
    AddLishi(store, std::vector<DrawInput>{{2099002, 2099002, {8, 9, 10, 11, 12, 13, 14}}}, {});
    EXPECT_EQ(rows().size(), 202u);
}

INSTANTIATE_TEST_SUITE_P(Modes, CheckpointModes,
                         ::testing::Values(store::CheckpointMode::Passive, store::CheckpointMode::Full,
                                           store::CheckpointMode::Truncate),
                         [](const auto& info) { return store::modeName(info.param); });

TEST_F(LogTest, ClosingWritesTheLogIntoTheFileWhileAnotherProgramHasItOpen)
{
    fill(50);
    // Another connection that has read the history keeps SQLite from folding
    // the log in by itself when ours closes.
    store::Database other(store.databasePath(), store::Database::Mode::OpenExisting);
    ASSERT_EQ(countOf(other, "Lishi"), 50);
    AddLishi(store, kLateDraw, {});
    const auto expected = rows();

    store.close();
    EXPECT_EQ(logSize(store.databasePath()), 0u);
    EXPECT_EQ(fileAlone(), expected);
    EXPECT_EQ(readLishi(other), expected);
}

TEST_F(LogTest, CommittedDrawSurvivesTheProgramDyingBeforeAnyCheckpoint)
{
    fill(30);
    store.checkpoint(store::CheckpointMode::Truncate);
    AddLishi(store, kLateDraw, {});
    // The program is killed here: the file and its log are all that is left.
    qudrim::testing::TempFolder after;
    fs::copy_file(store.databasePath(), after.path() / store::kDatabaseFileName);
    fs::copy_file(logOf(store.databasePath()), logOf(after.path() / store::kDatabaseFileName));
    ASSERT_EQ(fileAlone().size(), 30u) << "the draw should be in the log only";

    store::HistoryStore reopened(after.path());
    reopened.open();
    EXPECT_EQ(readLishi(reopened.db()), rows());
    EXPECT_EQ(reopened.snapshot().last()->issue, 2099001);
}
