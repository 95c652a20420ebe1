// A search shown first and its marks written later: preparing writes
// nothing; the marks, committed, leave exactly the table that the search run
// as a whole leaves, whatever happened to the database in between; a cache
// held by pending marks serves no other search; and a commit that fails
// leaves the table as it was.

#include "mixed_searches.h"

#include <optional>

namespace qudrim::search::testing {
namespace {

// Two copies of one history: `prepared` searched in two steps, `whole` by
// the run functions without a cache; every change is made to both.
class PendingMarksTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        draws = qudrim::testing::syntheticHistory(80, 23);
        qudrim::testing::fillStore(prepared, draws);
        qudrim::testing::fillStore(whole, draws);
    }

    std::vector<MixedSearch> searches() const { return mixedSearches(draws); }

    void expectSameTables()
    {
        EXPECT_EQ(dumpLishi(prepared.db()), dumpLishi(whole.db()));
        EXPECT_EQ(dumpCarcu(prepared.db()), dumpCarcu(whole.db()));
    }

    static void expectSameResult(const SearchResult& got, const SearchResult& want)
    {
        EXPECT_FALSE(want.hits.empty());
        EXPECT_EQ(hitTexts(got), hitTexts(want));
        EXPECT_EQ(tallyTexts(got), tallyTexts(want));
    }

    void onBoth(const std::function<void(store::HistoryStore&)>& change)
    {
        change(prepared);
        change(whole);
    }

    // A new draw after the last, stored through a connection of another program.
    static void anotherProgramsDraw(store::HistoryStore& s)
    {
        store::HistoryStore other(s.folder());
        other.open();
        DrawInput d;
        d.issue = static_cast<int32_t>(valueOf(other.db(), "SELECT MAX(SQQH) FROM Lishi") + 1);
        d.zodiacIssue = d.issue;
        d.numbers = {7, 14, 21, 28, 35, 42, 49};
        qudrim::testing::fillStore(other, {d});
    }

    static int64_t valueOf(store::Database& db, const char* sql)
    {
        auto st = db.prepare(sql);
        EXPECT_TRUE(st.step()) << sql;
        return st.columnInt(0);
    }

    qudrim::testing::TempFolder preparedFolder, wholeFolder;
    store::HistoryStore prepared{preparedFolder.path()}, whole{wholeFolder.path()};
    std::vector<DrawInput> draws;
    ColumnCache cache;
};

TEST_F(PendingMarksTest, APreparedSearchWritesNothing)
{
    store::Database other(prepared.databasePath(), store::Database::Mode::OpenExisting);
    const auto lishi = dumpLishi(prepared.db());
    const auto carcu = dumpCarcu(prepared.db());
    const int64_t seen = valueOf(other, "PRAGMA data_version");
    for (ColumnCache* c : {&cache, static_cast<ColumnCache*>(nullptr)}) {
        for (const auto& s : searches()) {
            SCOPED_TRACE(std::string(s.what) + (c ? ", with the cache" : ""));
            const int64_t changes = valueOf(prepared.db(), "SELECT total_changes()");
            PreparedSearch p = s.prepare(prepared.db(), c);
            EXPECT_FALSE(p.marks.empty());
            EXPECT_FALSE(p.result.hits.empty());
            // Not one statement that changes a row, not even to the same value.
            EXPECT_EQ(valueOf(prepared.db(), "SELECT total_changes()"), changes);
            EXPECT_EQ(valueOf(other, "PRAGMA data_version"), seen);
            EXPECT_EQ(dumpLishi(prepared.db()), lishi);
            EXPECT_EQ(dumpCarcu(prepared.db()), carcu);
        }
    }
}

TEST_F(PendingMarksTest, CommittedMarksLeaveWhatTheWholeSearchLeaves)
{
    for (bool withCache : {true, false}) {
        SCOPED_TRACE(withCache ? "with the cache" : "without a cache");
        size_t readsAfterFirstRound = 0;
        for (int round = 0; round < 2; ++round) {
            for (const auto& s : searches()) {
                SCOPED_TRACE(s.what);
                PreparedSearch p = s.prepare(prepared.db(), withCache ? &cache : nullptr);
                const SearchResult shown = p.result;
                // The window may fold the log into the file while it waits;
                // that changes nothing in the database.
                prepared.checkpoint(store::CheckpointMode::Passive);
                // Nothing changed in between: the marks are written as worked out.
                EXPECT_FALSE(p.marks.commit(prepared.db()).has_value());
                EXPECT_TRUE(p.marks.empty());
                EXPECT_FALSE(cache.marksPending());
                expectSameResult(shown, s.run(whole.db(), nullptr));
                expectSameTables();
            }
            if (round == 0)
                readsAfterFirstRound = cache.tableReads();
        }
        // The cache took what each commit wrote, so the second round read nothing.
        EXPECT_EQ(cache.tableReads(), readsAfterFirstRound);
    }
}

TEST_F(PendingMarksTest, TwoPreparedSearchesCommittedOneAfterTheOther)
{
    const auto s = searches();
    for (size_t i = 0; i + 1 < s.size(); ++i) {
        // The one prepared first holds the cache now and then; the other,
        // prepared on the same table, is committed first every other time.
        const MixedSearch& early = s[i];
        const MixedSearch& late = s[i + 1];
        SCOPED_TRACE(std::string(early.what) + " and " + late.what);
        PreparedSearch a = early.prepare(prepared.db(), i % 2 ? nullptr : &cache);
        PreparedSearch b = late.prepare(prepared.db(), nullptr);
        const bool lateFirst = i % 3 == 1;
        PreparedSearch& first = lateFirst ? b : a;
        PreparedSearch& second = lateFirst ? a : b;
        EXPECT_FALSE(first.marks.commit(prepared.db()).has_value());
        // The second read the table before the first's marks: it is run again.
        const auto again = second.marks.commit(prepared.db());
        ASSERT_TRUE(again.has_value());
        const SearchResult firstWhole = (lateFirst ? late : early).run(whole.db(), nullptr);
        expectSameResult(lateFirst ? b.result : a.result, firstWhole);
        expectSameResult(*again, (lateFirst ? early : late).run(whole.db(), nullptr));
        expectSameTables();
    }
}

TEST_F(PendingMarksTest, AChangeInBetweenRunsTheSearchAgainOnTheDatabaseAsItNowIs)
{
    struct Change {
        const char* what;
        std::function<void(store::HistoryStore&)> made;
        // Prepared on a connection that has written nothing yet, whose stamp
        // a connection opened later may well repeat.
        bool freshConnection = false;
    };
    const std::vector<Change> changes = {
        // Each time other values: a row written again as it was is no change.
        {"another connection's commit",
         [](store::HistoryStore& s) {
             store::Database other(s.databasePath(), store::Database::Mode::OpenExisting);
             other.exec("UPDATE Lishi SET txtHisLst = substr(txtHisLst, 4) || substr(txtHisLst, 1, 3), "
                        "L2A = L2A % 49 + 1, L2AS = L2AS % 49 + 1, D1A = D1A % 49 + 1, L7AP = L7AP % 49 + 1, "
                        "txtHisLstDas = '4X01 3X00 ' WHERE rowid % 4 = 1");
         }},
        {"another program's new draw", anotherProgramsDraw},
        {"a write of our own connection",
         [](store::HistoryStore& s) {
             s.db().exec("UPDATE Lishi SET L1AS = L1AS % 49 + 1, txtHisPreLst = txtHisPreLst || 'x' WHERE rowid % 3 = 0");
         }},
        {"the connection closed and opened again",
         [](store::HistoryStore& s) {
             // The other program's connection opened first, so that ours
             // may open again where it was and show the stamp it showed.
             store::Database other(s.databasePath(), store::Database::Mode::OpenExisting);
             s.close();
             other.exec("UPDATE Lishi SET L3A = L3A % 49 + 1, L3AS = L3AS % 49 + 1, L3AP = L3AP % 49 + 1, "
                        "txtHisLstSx = substr(txtHisLstSx, 5) || substr(txtHisLstSx, 1, 4) WHERE rowid % 5 = 2");
             s.open();
         },
         true},
    };
    for (bool withCache : {true, false}) {
        for (const auto& change : changes) {
            for (const auto& s : searches()) {
                SCOPED_TRACE(std::string(change.what) + ", " + s.what + (withCache ? ", with the cache" : ""));
                if (change.freshConnection) {
                    prepared.close();
                    prepared.open();
                }
                PreparedSearch p = s.prepare(prepared.db(), withCache ? &cache : nullptr);
                onBoth(change.made);
                const auto again = p.marks.commit(prepared.db());
                ASSERT_TRUE(again.has_value());
                expectSameResult(*again, s.run(whole.db(), nullptr));
                expectSameTables();
            }
        }
    }
}

TEST_F(PendingMarksTest, ACacheHeldByPendingMarksServesNoOtherSearch)
{
    const auto s = searches();
    PreparedSearch held = s[0].prepare(prepared.db(), &cache);
    EXPECT_TRUE(cache.marksPending());
    for (const auto& other : s) {
        SCOPED_TRACE(other.what);
        EXPECT_THROW(other.prepare(prepared.db(), &cache), store::StoreError);
        EXPECT_THROW(other.run(prepared.db(), &cache), store::StoreError);
    }
    expectSameTables();
    // Without the cache a search may still be worked out beside them.
    EXPECT_NO_THROW(s[1].prepare(prepared.db(), nullptr));

    // The refusals left the held marks as they were.
    EXPECT_TRUE(cache.marksPending());
    EXPECT_FALSE(held.marks.commit(prepared.db()).has_value());
    expectSameResult(held.result, s[0].run(whole.db(), nullptr));
    expectSameTables();
    expectSameResult(s[1].run(prepared.db(), &cache), s[1].run(whole.db(), nullptr));
    expectSameTables();

    // Told to forget while held, the cache keeps what the marks point into
    // until they are written, and they are then worked out anew.
    PreparedSearch forgotten = s[2].prepare(prepared.db(), &cache);
    cache.invalidate();
    EXPECT_TRUE(cache.marksPending());
    const auto again = forgotten.marks.commit(prepared.db());
    ASSERT_TRUE(again.has_value());
    expectSameResult(*again, s[2].run(whole.db(), nullptr));
    expectSameTables();
    expectSameResult(s[3].run(prepared.db(), &cache), s[3].run(whole.db(), nullptr));
    expectSameTables();
}

TEST_F(PendingMarksTest, AFailedCommitWritesNothingAndEmptiesTheCache)
{
    const std::vector<std::pair<const char*, const char*>> refusals = {
        {"an UPDATE of Lishi refused",
         "CREATE TRIGGER refuse BEFORE UPDATE ON Lishi BEGIN SELECT RAISE(ABORT, 'refused'); END"},
        {"a row of Carcu refused", "CREATE TRIGGER refuse BEFORE INSERT ON Carcu BEGIN SELECT RAISE(ABORT, 'refused'); END"},
    };
    const auto s = searches();
    for (const auto& [what, trigger] : refusals) {
        for (size_t i = 0; i < s.size(); ++i) {
            SCOPED_TRACE(std::string(what) + ", " + s[i].what);
            // Every search finds rows to rewrite: the one before left them otherwise.
            onBoth([&](store::HistoryStore& h) { s[(i + 1) % s.size()].run(h.db(), nullptr); });
            prepared.db().exec(trigger);
            // Prepared after the trigger came, so that the commit writes what it worked out.
            PreparedSearch p = s[i].prepare(prepared.db(), &cache);
            const auto lishi = dumpLishi(prepared.db());
            const auto carcu = dumpCarcu(prepared.db());
            EXPECT_THROW(p.marks.commit(prepared.db()), store::StoreError);
            EXPECT_TRUE(p.marks.empty());
            EXPECT_FALSE(cache.marksPending());
            EXPECT_EQ(cache.columnsHeld(), 0u);
            EXPECT_EQ(dumpLishi(prepared.db()), lishi);
            EXPECT_EQ(dumpCarcu(prepared.db()), carcu);
            prepared.db().exec("DROP TRIGGER refuse");
            // The connection is usable afterwards: no transaction was left open.
            expectSameResult(s[i].run(prepared.db(), &cache), s[i].run(whole.db(), nullptr));
            expectSameTables();
        }
    }
}

TEST_F(PendingMarksTest, DiscardedMarksWriteNothingAndLetTheCacheGo)
{
    const auto s = searches();
    {
        PreparedSearch p = s[0].prepare(prepared.db(), &cache);
        EXPECT_GT(cache.columnsHeld(), 0u);
        PendingMarks moved = std::move(p.marks);
        EXPECT_TRUE(p.marks.empty());
        EXPECT_FALSE(moved.empty());
        EXPECT_TRUE(cache.marksPending());
        moved.discard();
        EXPECT_TRUE(moved.empty());
        EXPECT_FALSE(cache.marksPending());
        EXPECT_EQ(cache.columnsHeld(), 0u);
        EXPECT_FALSE(moved.commit(prepared.db()).has_value());
    }
    // Marks never committed are discarded with their search.
    { PreparedSearch forgotten = s[1].prepare(prepared.db(), &cache); }
    EXPECT_FALSE(cache.marksPending());
    EXPECT_EQ(cache.columnsHeld(), 0u);
    {
        // Marks replaced by others are discarded too.
        PreparedSearch p = s[2].prepare(prepared.db(), &cache);
        p.marks = PendingMarks();
        EXPECT_FALSE(cache.marksPending());
    }
    expectSameTables();
    expectSameResult(s[3].run(prepared.db(), &cache), s[3].run(whole.db(), nullptr));
    expectSameTables();
}

}  // namespace
}  // namespace qudrim::search::testing
