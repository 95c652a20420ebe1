// The history database file: creating it, refusing files that are not a
// history, the ordered read view, emptying the history and compaction.
#include "draw/attributes.h"
#include "draw/row_builder.h"
#include "store/history_store.h"
#include "store/damaged_files.h"
#include "store/lishi_rows.h"
#include "store/schema.h"
#include "support/history_fixture.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <random>
#include <set>

using namespace qudrim;
namespace fs = std::filesystem;

namespace {

std::string bytesOf(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeBytes(const fs::path& file, const std::string& bytes)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::set<std::string> namesIn(const fs::path& folder)
{
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(folder))
        names.insert(e.path().filename().string());
    return names;
}

std::string randomBytes(size_t size, unsigned seed)
{
    std::mt19937 rng(seed);
    std::string s(size, '\0');
    for (auto& c : s)
        c = static_cast<char>(rng() & 0xFF);
    return s;
}

// Writes a plain SQLite file (rollback journal) with the given statements.
void writeSqliteFile(const fs::path& file, const std::string& sql)
{
    store::Database db(file, store::Database::Mode::CreateIfMissing);
    db.exec(sql);
}

class HistoryStoreTest : public ::testing::Test {
protected:
    HistoryStoreTest() : store(folder.path()) { store.open(); }

    void fill(int count, unsigned seed = 5) { AddLishi(store, qudrim::testing::syntheticHistory(count, seed), {}); }
    std::vector<testrows::StoredRow> rows() { return testrows::readLishi(store.db()); }
    int64_t count(const char* table) { return testrows::countOf(store.db(), table); }

    qudrim::testing::TempFolder folder;
    store::HistoryStore store;
};

}  // namespace

// ---------------------------------------------------------------- opening

TEST(HistoryStoreOpen, MissingFileIsCreatedWithTheSchema)
{
    qudrim::testing::TempFolder folder;
    store::HistoryStore store(folder.path());
    store.open();
    ASSERT_TRUE(store.isOpen());
    EXPECT_EQ(store.databasePath(), folder.path() / "plenvox.mdb");
    EXPECT_TRUE(fs::is_regular_file(folder.path() / "plenvox.mdb"));
    EXPECT_TRUE(store.snapshot().empty());
    EXPECT_TRUE(store.lastRows(2).empty());
    EXPECT_NO_THROW(store::checkSchema(store.db()));

    // Opened again, the file keeps what was stored.
    AddLishi(store, qudrim::testing::syntheticHistory(3), {});
    store.close();
    EXPECT_THROW(store.db(), store::StoreError);
    store.open();
    EXPECT_EQ(store.snapshot().count(), 3);
}

TEST(HistoryStoreOpen, MissingProgramFolderIsAStoreError)
{
    qudrim::testing::TempFolder folder;
    store::HistoryStore store(folder.path() / "no" / "such" / "folder");
    EXPECT_THROW(store.open(), store::StoreError);
    EXPECT_FALSE(store.isOpen());
}

struct UnusableFile {
    const char* name;
    std::function<void(const fs::path&)> write;
};

// Test output names the case rather than dumping its bytes.
void PrintTo(const UnusableFile& c, std::ostream* os) { *os << c.name; }

class HistoryStoreUnusable : public ::testing::TestWithParam<UnusableFile> {};

TEST_P(HistoryStoreUnusable, IsRefusedAndLeftUntouched)
{
    qudrim::testing::TempFolder folder;
    const fs::path file = folder.path() / "plenvox.mdb";
    GetParam().write(file);
    const std::string before = bytesOf(file);
    const auto namesBefore = namesIn(folder.path());

    store::HistoryStore store(folder.path());
    EXPECT_THROW(store.open(), store::StoreError);
    EXPECT_FALSE(store.isOpen());
    EXPECT_EQ(bytesOf(file), before);
    EXPECT_EQ(namesIn(folder.path()), namesBefore);
    // A second attempt is refused the same way and still writes nothing.
    EXPECT_THROW(store.open(), store::StoreError);
    EXPECT_EQ(bytesOf(file), before);
}

INSTANTIATE_TEST_SUITE_P(
    Files, HistoryStoreUnusable,
    ::testing::Values(
        UnusableFile{"RandomBytes", [](const fs::path& f) { writeBytes(f, randomBytes(8192, 1)); }},
        UnusableFile{"SqliteHeaderThenGarbage",
                     [](const fs::path& f) { writeBytes(f, std::string("SQLite format 3", 16) + randomBytes(8176, 2)); }},
        UnusableFile{"EmptyFile", [](const fs::path& f) { writeBytes(f, ""); }},
        UnusableFile{"SqliteWithoutLishi",
                     [](const fs::path& f) { writeSqliteFile(f, "CREATE TABLE Other (x INTEGER); INSERT INTO Other VALUES (1);"); }},
        UnusableFile{"LishiLackingColumns",
                     [](const fs::path& f) {
                         writeSqliteFile(f, "CREATE TABLE Lishi (SQQH INTEGER, L1A INTEGER);"
                                            "CREATE TABLE Carcu (Nmb INTEGER, Count INTEGER);");
                     }},
        UnusableFile{"WithoutCarcu",
                     [](const fs::path& f) {
                         store::Database db(f, store::Database::Mode::CreateIfMissing);
                         store::createSchema(db);
                         db.exec("DROP TABLE Carcu");
                     }}),
    [](const auto& info) { return std::string(info.param.name); });

// ------------------------------------------------------------ the read view

TEST_F(HistoryStoreTest, SnapshotIsInIssueOrderWhateverTheOrderOfStoring)
{
    const std::vector<DrawInput> draws = {
        {2013005, 2013005, {1, 2, 3, 4, 5, 6, 7}},
        {2013001, 2013001, {11, 12, 13, 14, 15, 16, 17}},
        {2014001, 2014001, {21, 22, 23, 24, 25, 26, 27}},
        {2013003, 2013003, {31, 32, 33, 34, 35, 36, 37}},
    };
    AddLishi(store, draws, {});

    const auto snap = store.snapshot();
    std::vector<int32_t> issues;
    for (const auto& r : snap.rows())
        issues.push_back(r.issue);
    EXPECT_EQ(issues, (std::vector<int32_t>{2013001, 2013003, 2013005, 2014001}));
    EXPECT_EQ(snap.last()->issue, 2014001);
    EXPECT_EQ(snap.fromEnd(3)->issue, 2013001);
    EXPECT_EQ(snap.fromEnd(4), nullptr);

    const auto last2 = store.lastRows(2);
    ASSERT_EQ(last2.size(), 2u);
    EXPECT_EQ(last2[0].issue, 2013005);
    EXPECT_EQ(last2[1].issue, 2014001);
    EXPECT_EQ(store.lastRows(10).size(), 4u);
}

TEST_F(HistoryStoreTest, SnapshotHoldsTheOwnColumnsAsStored)
{
    const auto draws = qudrim::testing::syntheticHistory(20, 9);
    const CodeBases bases{0, 1, 0};
    AddLishi(store, draws, bases);
    const auto snap = store.snapshot();
    ASSERT_EQ(snap.count(), 20);
    for (int k = 0; k < snap.count(); ++k) {
        const auto& d = draws[static_cast<size_t>(k)];
        EXPECT_EQ(snap.row(k), deriveDraw(d.issue, d.numbers, GetSxYear(d.zodiacIssue), bases)) << d.issue;
    }
}

// ------------------------------------------------------------- emptying

TEST_F(HistoryStoreTest, DeleteAllEmptiesLishiAndLeavesCarcu)
{
    fill(50);
    store.db().exec("INSERT INTO Carcu (Nmb, Count) VALUES (1, 5), (2, 7), (3, 0)");
    store.deleteAll();
    EXPECT_EQ(count("Lishi"), 0);
    EXPECT_EQ(count("Carcu"), 3);
    EXPECT_TRUE(store.snapshot().empty());

    // Still open for appending, and an empty history empties without fault.
    fill(2);
    EXPECT_EQ(count("Lishi"), 2);
    store.deleteAll();
    EXPECT_NO_THROW(store.deleteAll());
}

TEST_F(HistoryStoreTest, WritesRefusedByALockedFileChangeNothing)
{
    fill(10);
    const auto before = rows();
    sqlite3_busy_timeout(store.db().handle(), 0);  // fail at once instead of waiting

    store::Database other(store.databasePath(), store::Database::Mode::OpenExisting);
    other.exec("BEGIN IMMEDIATE");
    EXPECT_THROW(store.deleteAll(), store::StoreError);
    EXPECT_THROW(AddLishi(store, qudrim::testing::syntheticHistory(12, 77), {}), store::StoreError);
    EXPECT_THROW(AddLishi(store, std::vector<DrawInput>{{2099001, 2099001, {1, 2, 3, 4, 5, 6, 7}}}, {}),
                 store::StoreError);
    other.exec("ROLLBACK");

    EXPECT_EQ(rows(), before);
    store.deleteAll();
    EXPECT_EQ(count("Lishi"), 0);
}

// ------------------------------------------------------------- compaction

TEST_F(HistoryStoreTest, CompactionKeepsEveryRowAndLeavesTheCopy)
{
    fill(120);
    store.db().exec("INSERT INTO Carcu (Nmb, Count) VALUES (4, 9)");
    const auto before = rows();

    store.compact();
    ASSERT_TRUE(store.isOpen());
    EXPECT_EQ(rows(), before);
    EXPECT_EQ(count("Carcu"), 1);
    EXPECT_TRUE(fs::is_regular_file(store.compactPath()));
    EXPECT_EQ(store.compactPath(), folder.path() / "plenvoxTmp.mdb");
    {
        store::Database copy(store.compactPath(), store::Database::Mode::OpenExisting);
        EXPECT_EQ(testrows::readLishi(copy), before);
    }

    // The next compaction replaces the old copy; the history stays writable.
    AddLishi(store, std::vector<DrawInput>{{2099001, 2099001, {1, 2, 3, 4, 5, 6, 7}}}, {});
    const auto grown = rows();
    store.compact();
    EXPECT_EQ(rows(), grown);
    EXPECT_EQ(namesIn(folder.path()).count("plenvoxTmp.mdb"), 1u);
}

TEST_F(HistoryStoreTest, CompactionReclaimsTheSpaceOfDeletedRows)
{
    fill(2000);
    store.db().exec("DELETE FROM Lishi WHERE SQQH > 2000010");
    store.close();  // folds the journal into the file
    const auto sizeBefore = fs::file_size(store.databasePath());
    store.open();
    const auto before = rows();
    store.compact();
    store.close();
    EXPECT_LT(fs::file_size(store.databasePath()) * 4, sizeBefore);
    store.open();
    EXPECT_EQ(rows(), before);
}

TEST_F(HistoryStoreTest, FailedCompactionLeavesTheHistoryOpenAndWhole)
{
    fill(40);
    const auto before = rows();
    // A folder in the way of the compacted copy, which cannot be removed.
    fs::create_directories(store.compactPath() / "in-the-way");
    writeBytes(store.compactPath() / "in-the-way" / "file", "x");

    EXPECT_THROW(store.compact(), store::StoreError);
    ASSERT_TRUE(store.isOpen());
    EXPECT_EQ(rows(), before);
    EXPECT_TRUE(fs::is_directory(store.compactPath()));
    EXPECT_EQ(namesIn(folder.path()).count("plenvox.mdb"), 1u);

    AddLishi(store, std::vector<DrawInput>{{2099001, 2099001, {1, 2, 3, 4, 5, 6, 7}}}, {});
    EXPECT_EQ(count("Lishi"), 41);
    store.close();
    store.open();
    EXPECT_EQ(count("Lishi"), 41);
}

TEST_F(HistoryStoreTest, CompactionWhileAnotherConnectionIsOpenCompactsUnderIt)
{
    fill(40);
    store.db().exec("DELETE FROM Lishi WHERE SQQH > 2000030");
    const auto before = rows();
    store::Database other(store.databasePath(), store::Database::Mode::OpenExisting);
    EXPECT_EQ(testrows::readLishi(other), before);
    ASSERT_NO_THROW(store.compact());
    EXPECT_EQ(testrows::readLishi(other), before);
    EXPECT_EQ(rows(), before);
    // Both connections still share one file and see each other's writes.
    AddLishi(store, std::vector<DrawInput>{{2099001, 2099001, {1, 2, 3, 4, 5, 6, 7}}}, {});
    EXPECT_EQ(testrows::countOf(other, "Lishi"), 31);
    auto insert = other.prepare("INSERT INTO Lishi (SQQH) VALUES (?1)");
    insert.bind(1, 2099002);
    insert.run();
    EXPECT_EQ(count("Lishi"), 32);
    auto st = store.db().prepare("PRAGMA integrity_check");
    ASSERT_TRUE(st.step());
    EXPECT_EQ(st.columnText(0), "ok");
}

// ------------------------------------------------------------ damaged files

TEST(HistoryStoreDamaged, APageHeaderZeroedIsReportedAndTheFileLeftUntouched)
{
    qudrim::testing::TempFolder folder;
    {
        store::HistoryStore store(folder.path());
        store.open();
        AddLishi(store, qudrim::testing::syntheticHistory(40, 3), {});
    }
    const fs::path file = folder.path() / "plenvox.mdb";
    testrows::zeroLishiPageHeader(file);
    const std::string before = bytesOf(file);
    const auto namesBefore = namesIn(folder.path());

    store::HistoryStore store(folder.path());
    try {
        store.open();
        FAIL() << "a damaged file was opened";
    } catch (const store::StoreError& e) {
        EXPECT_TRUE(e.damaged()) << e.what();
        EXPECT_NE(std::string(e.what()).find(file.string()), std::string::npos) << e.what();
    }
    EXPECT_FALSE(store.isOpen());
    EXPECT_EQ(bytesOf(file), before);
    EXPECT_EQ(namesIn(folder.path()), namesBefore);
}

// The check after a compaction finds a file damaged by then: here another
// program folds the compacted history into the file, which then loses a
// page header.
TEST_F(HistoryStoreTest, ACompactedFileThatFailsItsCheckIsReportedDamaged)
{
    fill(40);
    store.setCompactionPause([this](store::CompactionStep at) {
        if (at != store::CompactionStep::Compacted)
            return;
        {
            store::Database other(store.databasePath(), store::Database::Mode::OpenExisting);
            other.exec("PRAGMA wal_checkpoint(TRUNCATE)");
        }
        testrows::zeroLishiPageHeader(store.databasePath());
    });
    try {
        store.compact();
        FAIL() << "the damage was not found";
    } catch (const store::StoreError& e) {
        EXPECT_TRUE(e.damaged()) << e.what();
    }
}
