// AddLishi: the rows it appends, the copies of the two rows before, the list
// texts, and all-or-nothing storing.
#include "draw/attributes.h"
#include "draw/list_texts.h"
#include "draw/row_builder.h"
#include "store/lishi_rows.h"
#include "support/history_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

using namespace qudrim;
using qudrim::testrows::StoredRow;

namespace {

constexpr CodeBases kBases{1, 1, 1};

DrawInput drawAt(int32_t issue, std::array<int, 7> numbers) { return {issue, issue, numbers}; }

const std::vector<DrawInput> kDraws = {
    drawAt(2013015, {33, 5, 48, 6, 12, 27, 40}), drawAt(2013016, {12, 5, 45, 23, 38, 34, 7}),
    drawAt(2013017, {49, 1, 25, 2, 48, 3, 13}),  drawAt(2013018, {44, 43, 42, 41, 40, 39, 1}),
    drawAt(2013019, {7, 14, 21, 28, 35, 42, 49}),
};

// Each stem + letter + suffix of `row` holds the own column of `source`, or 0.
void expectCopies(const StoredRow& row, const StoredRow* source, const std::string& suffix, const std::string& what)
{
    for (const auto& stem : testrows::copyStems())
        for (const char* letter : testrows::kLetters) {
            const std::string own = stem + letter;
            EXPECT_EQ(row.at(own + suffix), source ? source->at(own) : 0) << what << ": " << own + suffix;
        }
}

void expectLists(const StoredRow& row, const std::string& prefix, const ListTexts& lists, const std::string& what)
{
    for (Kind kind : kAllKinds) {
        const std::string column = prefix + testrows::kListSuffixes[kind];
        EXPECT_EQ(row.text(column), lists[static_cast<size_t>(kind)]) << what << ": " << column;
    }
}

ListTexts listsOf(const DrawInput& d, const CodeBases& bases = kBases)
{
    return BuildHisLst(deriveDraw(d.issue, d.numbers, GetSxYear(d.zodiacIssue), bases));
}

class RowBuilder : public ::testing::Test {
protected:
    RowBuilder() : store(folder.path()) { store.open(); }

    std::vector<StoredRow> rows() { return testrows::readLishi(store.db()); }
    void add(const std::vector<DrawInput>& draws, const CodeBases& bases = kBases) { AddLishi(store, draws, bases); }
    void deleteLastBySql() { store.db().exec("DELETE FROM Lishi WHERE SQQH = (SELECT MAX(SQQH) FROM Lishi)"); }

    qudrim::testing::TempFolder folder;
    store::HistoryStore store;
};

}  // namespace

// ------------------------------------------------------- copies and list texts

enum class StoreWay { OneBatch, OneCallEach, RestartBetween };

class RowBuilderCopies : public RowBuilder, public ::testing::WithParamInterface<StoreWay> {};

TEST_P(RowBuilderCopies, EachRowDescribesTheTwoRowsBeforeIt)
{
    switch (GetParam()) {
    case StoreWay::OneBatch:
        add(kDraws);
        break;
    case StoreWay::OneCallEach:
        for (const auto& d : kDraws)
            add({d});
        break;
    case StoreWay::RestartBetween:
        for (const auto& d : kDraws) {
            add({d});
            store.close();
            store.open();
        }
        break;
    }

    const auto stored = rows();
    ASSERT_EQ(stored.size(), kDraws.size());
    for (size_t k = 0; k < stored.size(); ++k) {
        const std::string what = "row " + std::to_string(k + 1);
        const StoredRow& row = stored[k];
        EXPECT_EQ(row.at("SQQH"), kDraws[k].issue);
        expectCopies(row, k >= 1 ? &stored[k - 1] : nullptr, "S", what);
        expectCopies(row, k >= 2 ? &stored[k - 2] : nullptr, "P", what);
        expectLists(row, "txtHisLst", k >= 1 ? listsOf(kDraws[k - 1]) : ListTexts{}, what);
        // Draw entry and the importers leave the N-back lists unwritten.
        expectLists(row, "txtHisPreLst", ListTexts{}, what);
        EXPECT_EQ(row.at("intTh"), 0);
        EXPECT_EQ(row.text("txtHisP6"), "");
        EXPECT_EQ(row.at("bolOk"), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Ways, RowBuilderCopies,
                         ::testing::Values(StoreWay::OneBatch, StoreWay::OneCallEach, StoreWay::RestartBetween),
                         [](const auto& info) {
                             switch (info.param) {
                             case StoreWay::OneBatch: return std::string("OneBatch");
                             case StoreWay::OneCallEach: return std::string("OneCallEach");
                             default: return std::string("RestartBetween");
                             }
                         });

TEST_F(RowBuilder, OwnColumnsHoldTheDerivedAttributes)
{
    add({kDraws[0]});
    const StoredRow row = rows().at(0);
    // 2013015 belongs to zodiac year 2012: 33 drawn first is (2012 − 1971 − 33) mod 12 = 8, 猴.
    EXPECT_EQ(row.at("L1A"), 33);
    EXPECT_EQ(row.at("L1B"), 8 + kBases.SxIni);
    EXPECT_EQ(row.at("L1C"), 2 + kBases.BsIni);  // 绿
    EXPECT_EQ(row.at("L1E"), 3);
    EXPECT_EQ(row.at("L1F"), 3);
    EXPECT_EQ(row.at("L1H"), 4 + kBases.DsIni);
    // Ascending: 5 6 12 27 33 48; D1 is 5 (2012: index 0, 鼠).
    EXPECT_EQ(row.at("D1A"), 5);
    EXPECT_EQ(row.at("D1B"), 0 + kBases.SxIni);
    EXPECT_EQ(row.at("D1C"), 2 + kBases.BsIni);
    EXPECT_EQ(row.at("D6A"), 48);
    EXPECT_EQ(row.at("D6E"), 4);
    EXPECT_EQ(row.at("D6F"), 8);
    EXPECT_EQ(row.at("D6H"), 6 + kBases.DsIni);
    EXPECT_EQ(row.at("L7A"), 40);
    EXPECT_EQ(row.at("D7A"), 40);
    EXPECT_EQ(row.at("L7C"), 0 + kBases.BsIni);  // 红
}

TEST_F(RowBuilder, EachRowCarriesTheListsOfTheDrawBeforeIt)
{
    // The lists of the stored last row; empty texts for an empty history.
    auto lastStored = [this] {
        const store::Snapshot snapshot = store.snapshot();
        return snapshot.empty() ? ListTexts{} : BuildHisLst(*snapshot.last());
    };
    for (const auto& d : kDraws) {
        const ListTexts seed = lastStored();
        add({d});
        expectLists(rows().back(), "txtHisLst", seed, "issue " + std::to_string(d.issue));
    }
    // The lists of a stored draw are what BuildHisLst makes of the same draw.
    EXPECT_EQ(lastStored(), listsOf(kDraws.back()));
}

TEST_F(RowBuilder, EmptyBatchStoresNothing)
{
    add({});
    EXPECT_EQ(testrows::countOf(store.db(), "Lishi"), 0);
}

// -------------------------------------------------------------- number order

TEST_F(RowBuilder, AscendingColumnsAreTheRegularNumbersSorted)
{
    std::vector<DrawInput> draws = qudrim::testing::syntheticHistory(400, 11);
    // Two equal regular numbers, and a special smaller than every regular one.
    draws.push_back(drawAt(2099001, {33, 5, 48, 5, 12, 27, 40}));
    draws.push_back(drawAt(2099002, {40, 30, 20, 10, 45, 49, 2}));
    add(draws);

    const auto stored = rows();
    ASSERT_EQ(stored.size(), draws.size());
    for (size_t k = 0; k < stored.size(); ++k) {
        const StoredRow& row = stored[k];
        std::vector<int64_t> drawn, ascending;
        for (int i = 1; i <= 6; ++i) {
            drawn.push_back(row.at("L" + std::to_string(i) + "A"));
            ascending.push_back(row.at("D" + std::to_string(i) + "A"));
        }
        EXPECT_TRUE(std::is_sorted(ascending.begin(), ascending.end())) << "row " << k + 1;
        std::sort(drawn.begin(), drawn.end());
        EXPECT_EQ(ascending, drawn) << "row " << k + 1;
        EXPECT_EQ(row.at("D7A"), row.at("L7A")) << "row " << k + 1;
        EXPECT_EQ(row.at("L7A"), draws[k].numbers[6]) << "row " << k + 1;

        // Every D position carries the attributes of its own number.
        for (int i = 1; i <= 6; ++i) {
            const std::string d = "D" + std::to_string(i);
            int j = 1;
            while (j <= 6 && row.at("L" + std::to_string(j) + "A") != row.at(d + "A"))
                ++j;
            ASSERT_LE(j, 6);
            for (const char* letter : {"B", "C", "E", "F", "H"})
                EXPECT_EQ(row.at(d + letter), row.at("L" + std::to_string(j) + letter)) << "row " << k + 1 << " " << d;
        }
    }
}

// ------------------------------------------------------ after deleting rows

TEST_F(RowBuilder, RowAfterEmptyingTheHistoryHasNoCopies)
{
    add({kDraws[0], kDraws[1], kDraws[2]});
    store.deleteAll();
    add({kDraws[3]});

    const auto stored = rows();
    ASSERT_EQ(stored.size(), 1u);
    expectCopies(stored[0], nullptr, "S", "row after emptying");
    expectCopies(stored[0], nullptr, "P", "row after emptying");
    expectLists(stored[0], "txtHisLst", ListTexts{}, "row after emptying");
}

TEST_F(RowBuilder, RowAfterDeletingTheLastDescribesTheNewLast)
{
    add({kDraws[0], kDraws[1], kDraws[2], kDraws[3]});
    deleteLastBySql();
    add({kDraws[4]});

    const auto stored = rows();
    ASSERT_EQ(stored.size(), 4u);
    expectCopies(stored[3], &stored[2], "S", "new row");
    expectCopies(stored[3], &stored[1], "P", "new row");
    expectLists(stored[3], "txtHisLst", listsOf(kDraws[2]), "new row");
}

// ------------------------------------------------------------ all or nothing

TEST_F(RowBuilder, BatchWithARefusedRowStoresNothing)
{
    add({kDraws[0], kDraws[1]});
    const auto before = rows();

    const std::vector<std::vector<DrawInput>> batches = {
        {kDraws[1]},                        // issue already stored
        {kDraws[2], kDraws[3], kDraws[0]},  // the last one is stored already
        {kDraws[2], kDraws[2]},             // the same issue twice in one batch
    };
    for (const auto& batch : batches) {
        EXPECT_THROW(add(batch), store::StoreError) << batch.size() << " draws";
        EXPECT_EQ(rows(), before) << batch.size() << " draws";
    }

    // Nothing of the refused batches shows up in the copies of the next row.
    add({kDraws[4]});
    const auto after = rows();
    ASSERT_EQ(after.size(), 3u);
    expectCopies(after[2], &after[1], "S", "next row");
    expectCopies(after[2], &after[0], "P", "next row");
}

TEST_F(RowBuilder, NumberOutsideOneToFortyNineThrowsAndStoresNothing)
{
    add({kDraws[0]});
    const auto before = rows();
    struct Case {
        int position;  // 0..6, 6 the special number
        int value;
    };
    const Case cases[] = {{0, 0}, {6, 0}, {3, 50}, {6, 99}, {5, -1}, {2, 32767}};
    for (const auto& c : cases) {
        DrawInput bad = kDraws[2];
        bad.numbers[static_cast<size_t>(c.position)] = c.value;
        EXPECT_THROW(add({kDraws[1], bad}), std::invalid_argument) << c.value << " at " << c.position;
        EXPECT_EQ(rows(), before) << c.value << " at " << c.position;
    }
}

// ---------------------------------------------------------- zodiac and bases

TEST_F(RowBuilder, ZodiacYearComesFromTheZodiacIssue)
{
    struct Case {
        int32_t issue, zodiacIssue;
        int zodiacOfOne;  // zodiac index of the number 1
    };
    const Case cases[] = {
        {2013016, 2013016, 4},  // still 2012, 龙
        {2013017, 2013017, 5},  // 2013, 蛇
        {2013018, 2013016, 4},  // stored as 18, zodiac year of 16
        {2013019, 2014001, 5},  // 2014001 is still 2013
    };
    for (const auto& c : cases)
        add({{c.issue, c.zodiacIssue, {1, 2, 3, 4, 5, 6, 7}}});
    const auto stored = rows();
    ASSERT_EQ(stored.size(), std::size(cases));
    for (size_t k = 0; k < stored.size(); ++k) {
        EXPECT_EQ(stored[k].at("SQQH"), cases[k].issue);
        EXPECT_EQ(stored[k].at("L1B"), cases[k].zodiacOfOne + kBases.SxIni) << cases[k].issue;
        EXPECT_EQ(stored[k].at("D1B"), cases[k].zodiacOfOne + kBases.SxIni) << cases[k].issue;
    }
}

TEST_F(RowBuilder, CopiesAndListsKeepTheCodesOfTheBaseTheRowWasStoredWith)
{
    add({kDraws[0]}, CodeBases{0, 0, 0});
    add({kDraws[1]}, CodeBases{1, 1, 1});
    const auto stored = rows();
    ASSERT_EQ(stored.size(), 2u);
    expectCopies(stored[1], &stored[0], "S", "second row");
    expectLists(stored[1], "txtHisLst", listsOf(kDraws[0], CodeBases{0, 0, 0}), "second row");
    // 33 of zodiac year 2012 is 猴 (8): code 8 under base 0, copied as stored.
    EXPECT_EQ(stored[1].at("L1BS"), 8);
    EXPECT_EQ(stored[1].at("L1CS"), 2);  // 绿 under base 0
}

// --------------------------------------------------------- the rebuild mode

TEST_F(RowBuilder, RebuildGivesEachRowTheListsTheRowBeforeReceived)
{
    const auto draws = qudrim::testing::syntheticHistory(7, 3);
    AddLishi(store, std::vector<DrawInput>(draws.begin(), draws.begin() + 3), kBases, PreListMode::DrawTwoBefore);
    AddLishi(store, std::vector<DrawInput>(draws.begin() + 3, draws.end()), kBases, PreListMode::DrawTwoBefore);
    const auto inTwo = rows();

    qudrim::testing::TempFolder other;
    store::HistoryStore single(other.path());
    single.open();
    AddLishi(single, draws, kBases, PreListMode::DrawTwoBefore);
    EXPECT_EQ(testrows::readLishi(single.db()), inTwo);

    ASSERT_EQ(inTwo.size(), draws.size());
    for (size_t k = 0; k < inTwo.size(); ++k) {
        ListTexts expected{};
        if (k >= 2)
            expected = listsOf(draws[k - 2]);
        expectLists(inTwo[k], "txtHisPreLst", expected, "row " + std::to_string(k + 1));
    }
}
