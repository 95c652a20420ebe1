// A compaction that nothing can race. Another program that opens the
// history, reads it or stores a draw at any step of a compaction finds the
// history whole, and every draw it was told it stored is still there
// afterwards; a program killed at any step leaves the history as it was
// before or after, whole; a file damaged by then is found by the check that
// follows the compaction.
#include "draw/row_builder.h"
#include "store/history_store.h"
#include "store/lishi_rows.h"
#include "store/schema.h"
#include "support/history_fixture.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

using namespace qudrim;
namespace fs = std::filesystem;
using store::CompactionStep;

namespace {

const char* nameOf(CompactionStep step)
{
    switch (step) {
    case CompactionStep::CopyWritten:
        return "CopyWritten";
    case CompactionStep::Compacting:
        return "Compacting";
    case CompactionStep::Compacted:
        return "Compacted";
    }
    return "?";
}

int64_t pragmaOf(store::Database& db, const char* pragma)
{
    auto st = db.prepare(std::string("PRAGMA ") + pragma);
    EXPECT_TRUE(st.step()) << pragma;
    return st.columnInt(0);
}

std::string integrityOf(store::Database& db)
{
    auto st = db.prepare("PRAGMA integrity_check");
    std::string result;
    while (st.step())
        result += st.columnText(0);
    return result;
}

std::vector<int64_t> issuesIn(store::Database& db)
{
    std::vector<int64_t> issues;
    auto st = db.prepare("SELECT SQQH FROM Lishi ORDER BY SQQH");
    while (st.step())
        issues.push_back(st.columnInt(0));
    return issues;
}

// A history of 60 draws of which the last 20 were deleted again, so that a
// compaction has pages to give back, in a file of `pageSize` pages (16 KiB
// as new files have, or 4 KiB as files of an earlier version have). Closed
// again when this returns.
void makeHistory(const fs::path& folder, int pageSize)
{
    if (pageSize != store::kPageSize) {
        store::Database made(folder / store::kDatabaseFileName, store::Database::Mode::CreateIfMissing);
        made.exec("PRAGMA page_size=" + std::to_string(pageSize));
        made.exec("PRAGMA journal_mode=WAL");
        store::createSchema(made);
    }
    store::HistoryStore history(folder);
    history.open();
    AddLishi(history, qudrim::testing::syntheticHistory(60, 11), {});
    history.db().exec("DELETE FROM Lishi WHERE SQQH > (SELECT SQQH FROM Lishi ORDER BY SQQH LIMIT 1 OFFSET 39)");
}

// What another program saw and did at one moment of a compaction.
struct Elsewhere {
    std::optional<int64_t> rowsRead;  // none: the read was refused, the file being locked
    bool stored = false;              // its draw was committed
    std::string failure;              // anything but a lock refused
};

// Another program, on a thread of its own: it opens the history, counts the
// draws and stores a draw of its own, giving up at once wherever the
// compaction holds the lock it needs.
Elsewhere actElsewhere(const fs::path& file, int32_t issue)
{
    Elsewhere seen;
    std::thread([&] {
        try {
            store::Database other(file, store::Database::Mode::OpenExisting);
            other.setBusyTimeout(0);
            try {
                seen.rowsRead = testrows::countOf(other, "Lishi");
            } catch (const store::StoreError& e) {
                if (!e.busy())
                    throw;
            }
            try {
                auto insert = other.prepare("INSERT INTO Lishi (SQQH, L1A, L7A) VALUES (?1, 1, 7)");
                insert.bind(1, issue);
                insert.run();
                seen.stored = true;
            } catch (const store::StoreError& e) {
                if (!e.busy())
                    throw;
            }
        } catch (const std::exception& e) {
            seen.failure = e.what();
        }
    }).join();
    return seen;
}

struct RaceCase {
    int pageSize;
    CompactionStep step;
};

std::string caseName(const ::testing::TestParamInfo<RaceCase>& info)
{
    return std::string(nameOf(info.param.step)) + "Pages" + std::to_string(info.param.pageSize);
}

class CompactionRace : public ::testing::TestWithParam<RaceCase> {};

}  // namespace

TEST_P(CompactionRace, AnotherProgramThereFindsTheHistoryWholeAndLosesNoDraw)
{
    const RaceCase c = GetParam();
    qudrim::testing::TempFolder folder;
    makeHistory(folder.path(), c.pageSize);
    store::HistoryStore history(folder.path());
    history.open();
    const std::vector<int64_t> before = issuesIn(history.db());
    ASSERT_EQ(before.size(), 40u);

    Elsewhere seen;
    history.setCompactionPause([&](CompactionStep at) {
        if (at == c.step)
            seen = actElsewhere(history.databasePath(), 2099001);
    });
    ASSERT_NO_THROW(history.compact());

    EXPECT_EQ(seen.failure, "");
    // What it read was the history whole, never a part of it.
    if (seen.rowsRead) {
        EXPECT_EQ(*seen.rowsRead, 40);
    }
    // While the compaction's own VACUUM runs, the other program's write waits
    // for it (here: is refused at once); before and after, it goes through.
    EXPECT_EQ(seen.stored, c.step != CompactionStep::Compacting);
    std::vector<int64_t> expected = before;
    if (seen.stored)
        expected.push_back(2099001);
    EXPECT_EQ(issuesIn(history.db()), expected);
    EXPECT_EQ(integrityOf(history.db()), "ok");
    // The other program alone gave up the lock in time, so a file of 4 KiB
    // pages took the new size.
    EXPECT_EQ(pragmaOf(history.db(), "page_size"), store::kPageSize);
    {
        auto st = history.db().prepare("PRAGMA journal_mode");
        ASSERT_TRUE(st.step());
        EXPECT_EQ(st.columnText(0), "wal");
    }

    // Another connection opened now reads what this one reads.
    history.close();
    store::Database fresh(history.databasePath(), store::Database::Mode::OpenExisting);
    EXPECT_EQ(issuesIn(fresh), expected);
    EXPECT_EQ(integrityOf(fresh), "ok");
}

// Every pause point, on a file of today's page size and on one of 4 KiB pages
// from an earlier version.
namespace {
auto everyStep()
{
    return ::testing::Values(RaceCase{store::kPageSize, CompactionStep::CopyWritten},
                             RaceCase{store::kPageSize, CompactionStep::Compacting},
                             RaceCase{store::kPageSize, CompactionStep::Compacted},
                             RaceCase{4096, CompactionStep::CopyWritten},
                             RaceCase{4096, CompactionStep::Compacting},
                             RaceCase{4096, CompactionStep::Compacted});
}
}  // namespace

INSTANTIATE_TEST_SUITE_P(Steps, CompactionRace,
                         everyStep(),
                         caseName);

// A reader that keeps its read transaction open through the whole
// compaction sees the history as it was, whole, at every step, and the
// compacted history once it reads anew. A file of 4 KiB pages keeps them
// while another connection has it open.
TEST(CompactionUnderAReader, TheReaderSeesTheHistoryWholeThroughout)
{
    for (const int pageSize : {store::kPageSize, 4096}) {
        SCOPED_TRACE(pageSize);
        qudrim::testing::TempFolder folder;
        makeHistory(folder.path(), pageSize);
        store::HistoryStore history(folder.path());
        history.open();
        const auto before = testrows::readLishi(history.db());

        store::Database reader(history.databasePath(), store::Database::Mode::OpenExisting);
        reader.exec("BEGIN");
        EXPECT_EQ(testrows::readLishi(reader), before);
        std::vector<std::string> seenAt;
        history.setCompactionPause([&](CompactionStep at) {
            seenAt.push_back(nameOf(at));
            EXPECT_EQ(testrows::readLishi(reader), before) << nameOf(at);
        });
        ASSERT_NO_THROW(history.compact());
        EXPECT_EQ(seenAt, (std::vector<std::string>{"CopyWritten", "Compacting", "Compacted"}));
        EXPECT_EQ(testrows::readLishi(reader), before);
        reader.exec("COMMIT");

        EXPECT_EQ(testrows::readLishi(reader), before);
        EXPECT_EQ(testrows::readLishi(history.db()), before);
        EXPECT_EQ(integrityOf(reader), "ok");
        EXPECT_EQ(pragmaOf(history.db(), "page_size"), pageSize);
    }
}

// A program killed at any step of a compaction: the history opens again
// (its check passes) and holds every row as it was, column by column.
class CompactionKilled : public ::testing::TestWithParam<RaceCase> {};

TEST_P(CompactionKilled, LeavesTheHistoryWhole)
{
    const RaceCase c = GetParam();
    qudrim::testing::TempFolder folder;
    makeHistory(folder.path(), c.pageSize);
    std::vector<testrows::StoredRow> before;
    {
        store::HistoryStore history(folder.path());
        history.open();
        before = testrows::readLishi(history.db());
    }

    // No connection is carried into the child: it opens the history itself.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        store::HistoryStore history(folder.path());
        history.open();
        history.setCompactionPause([&](CompactionStep at) {
            if (at == c.step)
                std::raise(SIGKILL);
        });
        history.compact();
        std::_Exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "the child was not killed: " << status;

    store::HistoryStore history(folder.path());
    ASSERT_NO_THROW(history.open());
    EXPECT_EQ(testrows::readLishi(history.db()), before);
    EXPECT_EQ(integrityOf(history.db()), "ok");
    // And it compacts as usual afterwards.
    ASSERT_NO_THROW(history.compact());
    EXPECT_EQ(testrows::readLishi(history.db()), before);
}

INSTANTIATE_TEST_SUITE_P(Steps, CompactionKilled,
                         everyStep(),
                         caseName);
