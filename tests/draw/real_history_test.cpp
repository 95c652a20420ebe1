#include <filesystem>
// The published history of 1993–2025 stored through the row builder, checked
// against values worked out by hand and against the copy rules row by row.
#include "draw/list_texts.h"
#include "draw/row_builder.h"
#include "store/lishi_rows.h"
#include "support/history_fixture.h"

#include <gtest/gtest.h>

using namespace qudrim;

namespace {

class RealHistory : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        folder_ = new qudrim::testing::TempFolder;
        store_ = new store::HistoryStore(folder_->path());
        qudrim::testing::fillStore(*store_, qudrim::testing::loadRealHistory(), CodeBases{1, 1, 1});
    }
    // The real history lies in the shared data folder beside the checkout;
    // without it these tests have nothing to read.
    void SetUp() override
    {
        if (!std::filesystem::exists(qudrim::testing::realHistoryFile()))
            GTEST_SKIP() << "no real history at " << qudrim::testing::realHistoryFile();
    }
    static void TearDownTestSuite()
    {
        delete store_;
        delete folder_;
    }

    // Integer columns of the row stored under `issue`, by name.
    static int64_t value(int32_t issue, const std::string& column)
    {
        auto st = store_->db().prepare("SELECT " + column + " FROM Lishi WHERE SQQH = ?1");
        st.bind(1, issue);
        if (!st.step())
            throw std::runtime_error("no row " + std::to_string(issue));
        return st.columnInt(0);
    }
    static std::string text(int32_t issue, const std::string& column)
    {
        auto st = store_->db().prepare("SELECT " + column + " FROM Lishi WHERE SQQH = ?1");
        st.bind(1, issue);
        if (!st.step())
            throw std::runtime_error("no row " + std::to_string(issue));
        return st.columnText(0);
    }

    static inline qudrim::testing::TempFolder* folder_ = nullptr;
    static inline store::HistoryStore* store_ = nullptr;
};

}  // namespace

TEST_F(RealHistory, EveryDrawIsStoredInIssueOrder)
{
    const store::Snapshot snap = store_->snapshot();
    ASSERT_EQ(snap.count(), 4288);
    EXPECT_EQ(snap.row(0).issue, 1993001);
    EXPECT_EQ(snap.last()->issue, 2025134);
    for (int k = 1; k < snap.count(); ++k)
        ASSERT_LT(snap.row(k - 1).issue, snap.row(k).issue) << k;
}

TEST_F(RealHistory, RowsWorkedOutByHand)
{
    // Code bases 1. 1993001..1993005 belong to zodiac year 1992 (entry 5), where
    // a number n has zodiac (1992 − 1971 − n) mod 12; from 1993006 on 1993.
    struct Case {
        int32_t issue;
        const char* column;
        int64_t expected;
    };
    const Case cases[] = {
        // 1993001: 01 08 13 24 35 43 + 33, the first row.
        {1993001, "L1A", 1}, {1993001, "L1B", 9}, {1993001, "L1C", 1}, {1993001, "L1E", 0},
        {1993001, "L1F", 1}, {1993001, "L1H", 1}, {1993001, "L6B", 3}, {1993001, "L6C", 3},
        {1993001, "L6H", 7}, {1993001, "L7A", 33}, {1993001, "L7B", 1}, {1993001, "L7C", 3},
        {1993001, "L7E", 3}, {1993001, "L7F", 3}, {1993001, "L7H", 5}, {1993001, "D7A", 33},
        {1993001, "L1AS", 0}, {1993001, "D6HS", 0}, {1993001, "L7AP", 0},
        // 1993002: 06 08 16 21 24 42 + 37, copies of the first row, no N-back copies.
        {1993002, "L1AS", 1}, {1993002, "L1BS", 9}, {1993002, "L7AS", 33}, {1993002, "D6AS", 43},
        {1993002, "L1AP", 0}, {1993002, "D3BP", 0},
        // 1993005: 03 07 13 18 19 31 + 23, still 1992: 03 is 马 (6), 23 狗 (10).
        {1993005, "L1B", 7}, {1993005, "L7B", 11},
        // 1993006: 19 27 35 39 41 43 + 16, the first draw of 1993: 19 is 兔 (3), 16 马 (6).
        {1993006, "L1B", 4}, {1993006, "L7B", 7}, {1993006, "L6B", 4},
        // ... its copies keep the codes of 1992 as stored with 1993005 and 1993004.
        {1993006, "L1AS", 3}, {1993006, "L1BS", 7}, {1993006, "L7AS", 23}, {1993006, "L7BS", 11},
        {1993006, "L1AP", 2}, {1993006, "L7AP", 35}, {1993006, "D6AP", 43},
        // 2013016: 04 08 10 35 46 47 + 32, zodiac year 2012: 04 is 牛 (1).
        {2013016, "L1B", 2}, {2013016, "L7C", 3}, {2013016, "L7H", 5},
        // 2013017: 11 16 24 27 36 48 + 47, zodiac year 2013: 11 is 羊 (7).
        {2013017, "L1B", 8}, {2013017, "L1BS", 2}, {2013017, "L7AS", 32},
        {2013017, "D6E", 4}, {2013017, "D6F", 8}, {2013017, "L7C", 2},
    };
    for (const auto& c : cases)
        EXPECT_EQ(value(c.issue, c.column), c.expected) << c.issue << " " << c.column;

    EXPECT_EQ(text(1993001, "txtHisLst"), "");
    EXPECT_EQ(text(1993006, "txtHisLst"), "03 07 13 18 19 31 23 ");
    EXPECT_EQ(text(1993006, "txtHisLstWei"), "1X3 1X7 2X3 1X8 1X9 1X1 3X3 ");
    EXPECT_EQ(text(2013017, "txtHisLst"), "04 08 10 35 46 47 32 ");
    EXPECT_EQ(text(2013017, "txtHisPreLst"), "");
}

TEST_F(RealHistory, EveryCopyIsTheOwnColumnOneAndTwoRowsBack)
{
    // One statement per suffix: count the rows where a copy differs from the
    // own column of the row one (S) or two (P) before it in SQQH order.
    for (const auto& [suffix, back] : {std::pair{"S", 1}, std::pair{"P", 2}}) {
        std::string mismatch;
        for (const auto& stem : testrows::copyStems())
            for (const char* letter : testrows::kLetters) {
                const std::string own = stem + letter;
                if (!mismatch.empty())
                    mismatch += " + ";
                mismatch += "(" + own + suffix + " <> LAG(" + own + ", " + std::to_string(back) +
                            ", 0) OVER (ORDER BY SQQH))";
            }
        auto st = store_->db().prepare("SELECT SUM(bad) FROM (SELECT " + mismatch + " AS bad FROM Lishi)");
        ASSERT_TRUE(st.step());
        EXPECT_EQ(st.columnInt(0), 0) << "suffix " << suffix;
    }
}

TEST_F(RealHistory, EveryRowListsTheDrawBeforeIt)
{
    const store::Snapshot snap = store_->snapshot();
    std::string columns;
    for (const char* suffix : testrows::kListSuffixes)
        columns += std::string(columns.empty() ? "" : ", ") + "txtHisLst" + suffix;
    auto st = store_->db().prepare("SELECT " + columns + " FROM Lishi ORDER BY SQQH");
    int k = 0;
    while (st.step()) {
        const ListTexts expected = k == 0 ? ListTexts{} : BuildHisLst(snap.row(k - 1));
        for (Kind kind : kAllKinds)
            ASSERT_EQ(st.columnText(kind), expected[static_cast<size_t>(kind)]) << "row " << k + 1 << " kind " << kind;
        ++k;
    }
    EXPECT_EQ(k, snap.count());
}
