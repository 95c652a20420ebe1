// The columns kept between searches: every search with the cache gives what
// the same search without it gives, and leaves the same table, whatever
// changed the database in between; and the cache is really read from.

#include "mixed_searches.h"

#include <functional>

namespace qudrim::search::testing {
namespace {

// Two copies of one history: `cached` searched with a cache, `plain`
// without; every change is made to both.
class ColumnCacheTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        draws = qudrim::testing::syntheticHistory(80, 11);
        qudrim::testing::fillStore(cached, draws);
        qudrim::testing::fillStore(plain, draws);
    }

    std::vector<MixedSearch> searches() const { return mixedSearches(draws); }

    // Runs the search on both copies and expects the same grids and tables.
    void same(const MixedSearch& s)
    {
        SCOPED_TRACE(s.what);
        SearchResult withCache, without;
        ASSERT_NO_THROW(withCache = s.run(cached.db(), &cache));
        ASSERT_NO_THROW(without = s.run(plain.db(), nullptr));
        EXPECT_EQ(hitTexts(withCache), hitTexts(without));
        EXPECT_EQ(tallyTexts(withCache), tallyTexts(without));
        EXPECT_EQ(dumpLishi(cached.db()), dumpLishi(plain.db()));
    }
    void allSame()
    {
        for (const auto& s : searches())
            same(s);
    }

    // Every change of the database is made to both copies.
    void onBoth(const std::function<void(store::HistoryStore&)>& change)
    {
        change(cached);
        change(plain);
    }

    qudrim::testing::TempFolder cachedFolder, plainFolder;
    store::HistoryStore cached{cachedFolder.path()}, plain{plainFolder.path()};
    std::vector<DrawInput> draws;
    ColumnCache cache;
};

TEST_F(ColumnCacheTest, RepeatedSearchesReadTheTableOnce)
{
    const auto s = searches();
    same(s[0]);
    const size_t reads = cache.tableReads();
    EXPECT_GT(cache.columnsHeld(), 0u);
    same(s[0]);
    same(s[0]);
    EXPECT_EQ(cache.tableReads(), reads);
    // A search that needs other columns reads only those, once.
    same(s[2]);
    EXPECT_EQ(cache.tableReads(), reads + 1);
    same(s[2]);
    same(s[0]);
    EXPECT_EQ(cache.tableReads(), reads + 1);
}

TEST_F(ColumnCacheTest, SearchesOneAfterAnotherKeepItValid)
{
    allSame();
    const size_t reads = cache.tableReads();
    allSame();
    allSame();
    EXPECT_EQ(cache.tableReads(), reads);
}

TEST_F(ColumnCacheTest, AnotherConnectionsCommitIsSeen)
{
    allSame();
    const size_t reads = cache.tableReads();
    onBoth([](store::HistoryStore& s) {
        store::Database other(s.databasePath(), store::Database::Mode::OpenExisting);
        other.exec("UPDATE Lishi SET txtHisLst = '01 02 03 04 05 06 07 ', L2A = 1, L2AS = 1, D1A = 1 "
                   "WHERE SQQH IN (SELECT SQQH FROM Lishi ORDER BY SQQH LIMIT 20 OFFSET 30)");
    });
    allSame();
    EXPECT_GT(cache.tableReads(), reads);
}

TEST_F(ColumnCacheTest, OurOwnWritesOutsideTheSearchesAreSeen)
{
    allSame();
    onBoth([](store::HistoryStore& s) {
        s.db().exec("UPDATE Lishi SET txtHisLstSx = '', txtHisPreLst = 'x', L1AP = 7 WHERE rowid % 3 = 0");
    });
    allSame();
    // A new draw at the end.
    onBoth([&](store::HistoryStore& s) {
        DrawInput d;
        d.issue = draws.back().issue + 1;
        d.zodiacIssue = d.issue;
        d.numbers = {1, 2, 3, 4, 5, 6, 7};
        qudrim::testing::fillStore(s, {d});
    });
    allSame();
    // Rows deleted and the file vacuumed, which numbers the rows of a table
    // without an index anew.
    onBoth([](store::HistoryStore& s) { s.db().exec("DROP INDEX LishiSQQH"); });
    allSame();
    onBoth([](store::HistoryStore& s) { s.db().exec("DELETE FROM Lishi WHERE rowid % 5 = 1"); });
    allSame();
    onBoth([](store::HistoryStore& s) { s.db().exec("VACUUM"); });
    allSame();
    // A write rolled back is a change too, for all the cache knows.
    onBoth([](store::HistoryStore& s) {
        s.db().exec("BEGIN");
        s.db().exec("UPDATE Lishi SET L3A = 0");
        s.db().exec("ROLLBACK");
    });
    allSame();
}

TEST_F(ColumnCacheTest, AFailedSearchLeavesNothingOfItInTheCache)
{
    allSame();
    onBoth([](store::HistoryStore& s) {
        s.db().exec("CREATE TRIGGER refuse_tally BEFORE INSERT ON Carcu BEGIN SELECT RAISE(ABORT, 'refused'); END");
    });
    for (const auto& s : searches()) {
        EXPECT_THROW(s.run(cached.db(), &cache), store::StoreError) << s.what;
        EXPECT_EQ(cache.columnsHeld(), 0u) << s.what;
    }
    onBoth([](store::HistoryStore& s) { s.db().exec("DROP TRIGGER refuse_tally"); });
    allSame();
}

TEST_F(ColumnCacheTest, AReopenedDatabaseIsReadAgain)
{
    allSame();
    const size_t reads = cache.tableReads();
    // Compaction closes and reopens the connection; in between another
    // program may have changed the file.
    onBoth([](store::HistoryStore& s) {
        s.close();
        store::Database other(s.databasePath(), store::Database::Mode::OpenExisting);
        other.exec("UPDATE Lishi SET L1A = 2, L1AS = 2, L1AP = 2, txtHisLst = '02 ' WHERE rowid % 2 = 0");
        other.close();
        s.open();
    });
    allSame();
    EXPECT_GT(cache.tableReads(), reads);
}

}  // namespace
}  // namespace qudrim::search::testing
