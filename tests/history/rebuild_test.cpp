// Replacing the history by the draws of a file: the rows a rebuild gives,
// worked out by hand, and every failure leaving the stored rows as they were.
#include "history/history_file.h"
#include "history/rebuild.h"
#include "store/lishi_rows.h"
#include "support/history_fixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <vector>

using namespace qudrim;
using namespace qudrim::history;
using qudrim::testrows::StoredRow;

namespace {

constexpr CodeBases kBases{1, 1, 1};

// The first four published draws.
const std::string kFourDraws =
    "1993001 01 08 13 24 35 43 33 \r\n"
    "1993002 06 08 16 21 24 42 37 \r\n"
    "1993003 05 06 19 25 27 45 39 \r\n"
    "1993004 02 16 27 29 36 43 35 \r\n";

class Rebuild : public ::testing::Test {
protected:
    Rebuild() : store(folder.path())
    {
        store.open();
        // Draws typed earlier: none of them may reach the rebuilt rows.
        AddLishi(store, qudrim::testing::syntheticHistory(5, 11), kBases);
    }

    std::filesystem::path file(const std::string& content, const char* name = "lsbf.txt")
    {
        const auto path = folder.path() / name;
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }
    RebuildResult rebuild(const std::filesystem::path& path, PreListMode mode = PreListMode::DrawTwoBefore,
                          EmptyFile empty = EmptyFile::Empties)
    {
        return RebuildLishi(store, path, 2026001, mode, kBases, empty);
    }
    std::vector<StoredRow> rows() { return testrows::readLishi(store.db()); }

    qudrim::testing::TempFolder folder;
    store::HistoryStore store;
};

void expectNoCopies(const StoredRow& row, const std::string& suffix, const std::string& what)
{
    for (const auto& stem : testrows::copyStems())
        for (const char* letter : testrows::kLetters)
            EXPECT_EQ(row.at(stem + letter + suffix), 0) << what << " " << stem + letter + suffix;
}

void expectListsEmpty(const StoredRow& row, const std::string& prefix, const std::string& what)
{
    for (const char* suffix : testrows::kListSuffixes)
        EXPECT_EQ(row.text(prefix + suffix), "") << what << " " << prefix + suffix;
}

TEST_F(Rebuild, RowsWorkedOutByHand)
{
    const RebuildResult r = rebuild(file(kFourDraws));
    ASSERT_EQ(r.status, RebuildStatus::Rebuilt);
    EXPECT_EQ(r.draws, 4u);
    const auto stored = rows();
    ASSERT_EQ(stored.size(), 4u);
    EXPECT_EQ(stored[0].at("SQQH"), 1993001);
    EXPECT_EQ(stored[3].at("SQQH"), 1993004);

    // Row 1: zero copies, empty lists of both kinds.
    expectNoCopies(stored[0], "S", "row 1");
    expectNoCopies(stored[0], "P", "row 1");
    expectListsEmpty(stored[0], "txtHisLst", "row 1");
    expectListsEmpty(stored[0], "txtHisPreLst", "row 1");

    // Row 2: the previous-draw copies and lists of draw 1, no two-back anything.
    EXPECT_EQ(stored[1].at("L1AS"), 1);
    EXPECT_EQ(stored[1].at("L7AS"), 33);
    EXPECT_EQ(stored[1].at("D6AS"), 43);
    expectNoCopies(stored[1], "P", "row 2");
    EXPECT_EQ(stored[1].text("txtHisLst"), "01 08 13 24 35 43 33 ");
    EXPECT_EQ(stored[1].text("txtHisLstWei"), "1X1 1X8 1X3 1X4 1X5 2X3 3X3 ");
    expectListsEmpty(stored[1], "txtHisPreLst", "row 2");

    // Row 3: two-back copies of draw 1; its two-back lists are row 2's lists.
    EXPECT_EQ(stored[2].at("L1AP"), 1);
    EXPECT_EQ(stored[2].at("L7AP"), 33);
    EXPECT_EQ(stored[2].text("txtHisLst"), "06 08 16 21 24 42 37 ");
    EXPECT_EQ(stored[2].text("txtHisPreLst"), "01 08 13 24 35 43 33 ");
    EXPECT_EQ(stored[2].text("txtHisPreLstTou"), "1X0 2X0 1X1 1X2 1X3 1X4 2X3 ");
    EXPECT_EQ(stored[2].text("txtHisPreLstWei"), "1X1 1X8 1X3 1X4 1X5 2X3 3X3 ");
    EXPECT_EQ(stored[2].text("txtHisPreLstDas"), "1X1 1X0 2X1 2X0 3X1 4X1 5X1 ");

    // Row 4: two back is draw 2.
    EXPECT_EQ(stored[3].at("L1AP"), 6);
    EXPECT_EQ(stored[3].at("L7AP"), 37);
    EXPECT_EQ(stored[3].text("txtHisPreLst"), "06 08 16 21 24 42 37 ");

    // From row 3 on every two-back list is the list the row before received.
    for (size_t k = 2; k < stored.size(); ++k)
        for (const char* suffix : testrows::kListSuffixes)
            EXPECT_EQ(stored[k].text(std::string("txtHisPreLst") + suffix),
                      stored[k - 1].text(std::string("txtHisLst") + suffix))
                << "row " << k + 1 << " " << suffix;
}

TEST_F(Rebuild, TheImportLeavesTheTwoBackListsUnwritten)
{
    ASSERT_EQ(rebuild(file(kFourDraws), PreListMode::Unwritten, EmptyFile::Refuse).status, RebuildStatus::Rebuilt);
    const auto stored = rows();
    ASSERT_EQ(stored.size(), 4u);
    for (size_t k = 0; k < stored.size(); ++k)
        expectListsEmpty(stored[k], "txtHisPreLst", "row " + std::to_string(k + 1));
    EXPECT_EQ(stored[3].text("txtHisLst"), "05 06 19 25 27 45 39 ");
    EXPECT_EQ(stored[3].at("L1AP"), 6);
}

TEST_F(Rebuild, AFileWithoutDrawsEmptiesTheHistoryOnlyWhenAllowed)
{
    const auto before = rows();
    const auto empty = file("\r\n\r\n");
    EXPECT_EQ(rebuild(empty, PreListMode::Unwritten, EmptyFile::Refuse).status, RebuildStatus::NoDraw);
    EXPECT_EQ(rows(), before);
    EXPECT_EQ(rebuild(empty).status, RebuildStatus::Rebuilt);
    EXPECT_TRUE(rows().empty());
}

TEST_F(Rebuild, EveryFailureLeavesEveryRowAsItWas)
{
    const auto before = rows();
    ASSERT_EQ(before.size(), 5u);

    // A refused line in the middle of the file.
    const RebuildResult refused = rebuild(file(kFourDraws + "1993005 03 07 13 18 19 31\r\n" + kFourDraws));
    EXPECT_EQ(refused.status, RebuildStatus::LineRefused);
    ASSERT_TRUE(refused.refused);
    EXPECT_EQ(refused.refused->lineNumber, 5);
    EXPECT_EQ(rows(), before);

    // A file that is not there.
    const RebuildResult missing = rebuild(folder.path() / "none.txt");
    EXPECT_EQ(missing.status, RebuildStatus::Unreadable);
    EXPECT_FALSE(missing.detail.empty());
    EXPECT_EQ(rows(), before);

    // A database that refuses the third row.
    store.db().exec(
        "CREATE TRIGGER refuse BEFORE INSERT ON Lishi WHEN NEW.SQQH = 1993003 "
        "BEGIN SELECT RAISE(ABORT, 'refused by the test'); END;");
    const RebuildResult rejected = rebuild(file(kFourDraws));
    EXPECT_EQ(rejected.status, RebuildStatus::StoreRefused);
    EXPECT_NE(rejected.detail.find("refused by the test"), std::string::npos) << rejected.detail;
    EXPECT_EQ(rows(), before);
}

// A long import tells how far it has come, and a cancel at any moment of it
// leaves every row as it was.
TEST_F(Rebuild, ProgressTellsBothStepsAndACancelLeavesEveryRowAsItWas)
{
    const auto path = file(historyLines(qudrim::testing::syntheticHistory(300, 9)));
    const auto before = rows();
    struct Heard {
        ProgressStep step;
        size_t done, total;
    };
    const auto rebuildHearing = [&](std::vector<Heard>& heard, std::optional<size_t> cancelAtRow) {
        return RebuildLishi(store, path, 2026001, PreListMode::Unwritten, kBases, EmptyFile::Refuse,
                            [&](ProgressStep step, size_t done, size_t total) {
                                heard.push_back({step, done, total});
                                return !(step == ProgressStep::Storing && cancelAtRow && done == *cancelAtRow);
                            });
    };

    for (size_t cancelAt : {0u, 1u, 150u, 300u}) {
        std::vector<Heard> heard;
        EXPECT_EQ(rebuildHearing(heard, cancelAt).status, RebuildStatus::Cancelled) << cancelAt;
        EXPECT_EQ(rows(), before) << cancelAt;
        ASSERT_FALSE(heard.empty());
        EXPECT_EQ(heard.back().done, cancelAt);
    }
    int calls = 0;
    const RebuildResult offAtOnce =
        RebuildLishi(store, path, 2026001, PreListMode::Unwritten, kBases, EmptyFile::Refuse,
                     [&](ProgressStep, size_t, size_t) { return ++calls > 1; });
    EXPECT_EQ(offAtOnce.status, RebuildStatus::Cancelled);
    EXPECT_EQ(rows(), before);

    std::vector<Heard> heard;
    ASSERT_EQ(rebuildHearing(heard, std::nullopt).status, RebuildStatus::Rebuilt);
    EXPECT_EQ(rows().size(), 300u);
    // The file is loaded at once, then checked, then stored row by row.
    ASSERT_EQ(heard.size(), 2u + 301u);
    EXPECT_EQ(heard[0].step, ProgressStep::Loading);
    EXPECT_EQ(heard[0].done, 0u);
    EXPECT_EQ(heard[0].total, std::filesystem::file_size(path));
    EXPECT_EQ(heard[1].step, ProgressStep::Checking);
    EXPECT_EQ(heard[1].done, 0u);
    for (size_t k = 0; k <= 300; ++k) {
        EXPECT_EQ(heard[k + 2].step, ProgressStep::Storing);
        EXPECT_EQ(heard[k + 2].done, k);
        EXPECT_EQ(heard[k + 2].total, 300u);
    }
}

TEST_F(Rebuild, ItsOwnFullBackupGivesTheSameRowsWithTwoBackListsFilled)
{
    const auto draws = qudrim::testing::syntheticHistory(60, 5);
    const auto source = file("");
    writeHistoryFile(source, draws);
    ASSERT_EQ(rebuild(source, PreListMode::Unwritten, EmptyFile::Refuse).status, RebuildStatus::Rebuilt);
    const auto imported = rows();

    // The backup of the imported history, as a trim keeping every draw writes it.
    std::vector<DrawInput> kept;
    const store::Snapshot stored = store.snapshot();
    for (const DrawRow& r : stored.rows())
        kept.push_back({r.issue, r.issue, {r.L[1].A, r.L[2].A, r.L[3].A, r.L[4].A, r.L[5].A, r.L[6].A, r.L[7].A}});
    writeHistoryFile(folder.path() / kBackupFileName, kept);
    ASSERT_EQ(rebuild(folder.path() / kBackupFileName).status, RebuildStatus::Rebuilt);
    const auto rebuilt = rows();

    ASSERT_EQ(rebuilt.size(), imported.size());
    for (size_t k = 0; k < rebuilt.size(); ++k) {
        EXPECT_EQ(rebuilt[k].ints, imported[k].ints) << "row " << k + 1;
        for (const char* suffix : testrows::kListSuffixes) {
            const std::string list = std::string("txtHisLst") + suffix;
            EXPECT_EQ(rebuilt[k].text(list), imported[k].text(list)) << "row " << k + 1;
            EXPECT_EQ(rebuilt[k].text(std::string("txtHisPreLst") + suffix), k == 0 ? "" : rebuilt[k - 1].text(list))
                << "row " << k + 1;
        }
    }
}

TEST_F(Rebuild, TheRealHistoryImportsWhole)
{
    if (!std::filesystem::exists(qudrim::testing::realHistoryFile()))
        GTEST_SKIP() << "no real history at " << qudrim::testing::realHistoryFile();
    const RebuildResult r =
        rebuild(qudrim::testing::realHistoryFile(), PreListMode::Unwritten, EmptyFile::Refuse);
    ASSERT_EQ(r.status, RebuildStatus::Rebuilt) << r.detail;
    EXPECT_EQ(r.draws, 4288u);

    // The same rows as the real history stored straight through the row builder.
    qudrim::testing::TempFolder other;
    store::HistoryStore direct(other.path());
    qudrim::testing::fillStore(direct, qudrim::testing::loadRealHistory(), kBases);
    EXPECT_TRUE(testrows::readLishi(store.db()) == testrows::readLishi(direct.db()));
}

}  // namespace
