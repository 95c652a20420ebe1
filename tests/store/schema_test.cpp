// The layout of Lishi and Carcu as a new history database file holds it.
#include "store/history_store.h"
#include "store/lishi_rows.h"
#include "store/schema.h"
#include "support/history_fixture.h"

#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <set>

using namespace qudrim;

namespace {

struct ColumnInfo {
    std::string type;
    bool notNull = false;
    std::string defaultValue;
};

std::map<std::string, ColumnInfo> columnsOf(store::Database& db, const std::string& table)
{
    std::map<std::string, ColumnInfo> cols;
    auto st = db.prepare("SELECT name, type, \"notnull\", dflt_value FROM pragma_table_info(?1)");
    st.bind(1, std::string_view(table));
    while (st.step())
        cols[st.columnText(0)] = {st.columnText(1), st.columnInt(2) != 0, st.columnText(3)};
    return cols;
}

class Schema : public ::testing::Test {
protected:
    Schema() : store(folder.path()) { store.open(); }
    qudrim::testing::TempFolder folder;
    store::HistoryStore store;
};

}  // namespace

TEST_F(Schema, LishiHasExactlyTheColumnsOfAHistoryRow)
{
    const auto cols = columnsOf(store.db(), "Lishi");
    EXPECT_EQ(cols.size(), 255u);

    int own = 0, previous = 0, nBack = 0, lists = 0, other = 0;
    for (const auto& [name, info] : cols) {
        if (name.rfind("txtHis", 0) == 0 && name != "txtHisP6")
            ++lists;
        else if ((name[0] == 'L' || name[0] == 'D') && name.size() >= 3 && std::isdigit(static_cast<unsigned char>(name[1])))
            ++(name.size() == 3 ? own : name[3] == 'S' ? previous : nBack);
        else
            ++other;
    }
    EXPECT_EQ(own, 79);
    EXPECT_EQ(previous, 78);
    EXPECT_EQ(nBack, 78);
    EXPECT_EQ(lists, 16);
    EXPECT_EQ(other, 4);  // SQQH, intTh, txtHisP6, bolOk

    for (const char* present : {"SQQH", "L1A", "L7HP", "D6CS", "D7A", "txtHisLst", "txtHisLstDas", "txtHisPreLstXw",
                                "intTh", "txtHisP6", "bolOk"})
        EXPECT_TRUE(cols.count(present)) << present;
    for (const char* absent : {"D7B", "D7C", "D7E", "D7F", "D7H", "D7AS", "D7AP", "L1G", "L1D", "D1GS", "L8A", "D0A"})
        EXPECT_FALSE(cols.count(absent)) << absent;

    // The catalogue that the program uses agrees with the file.
    std::set<std::string> catalogue;
    for (const auto& c : store::lishiColumns())
        catalogue.insert(c.name);
    std::set<std::string> inFile;
    for (const auto& [name, info] : cols)
        inFile.insert(name);
    EXPECT_EQ(catalogue, inFile);
}

TEST_F(Schema, EveryColumnHasAValueWhenOnlyTheIssueIsWritten)
{
    for (const auto& [name, info] : columnsOf(store.db(), "Lishi"))
        EXPECT_TRUE(info.notNull) << name;
    store.db().exec("INSERT INTO Lishi (SQQH) VALUES (2013001)");
    const auto rows = testrows::readLishi(store.db());
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].ints.size() + rows[0].texts.size(), 255u);
    EXPECT_EQ(rows[0].texts.size(), 17u);  // sixteen lists and txtHisP6
    for (const auto& [name, v] : rows[0].ints) {
        if (name != "SQQH") {
            EXPECT_EQ(v, 0) << name;
        }
    }
    for (const auto& [name, t] : rows[0].texts)
        EXPECT_EQ(t, "") << name;
}

TEST_F(Schema, IssueNumbersAreUnique)
{
    store.db().exec("INSERT INTO Lishi (SQQH) VALUES (2013001)");
    EXPECT_THROW(store.db().exec("INSERT INTO Lishi (SQQH) VALUES (2013001)"), store::StoreError);
    EXPECT_EQ(testrows::countOf(store.db(), "Lishi"), 1);
}

TEST_F(Schema, CarcuHoldsValueAndCount)
{
    const auto cols = columnsOf(store.db(), "Carcu");
    EXPECT_EQ(cols.size(), 2u);
    EXPECT_TRUE(cols.count("Nmb"));
    EXPECT_TRUE(cols.count("Count"));
}

TEST(SchemaNames, StemsAndColumnNames)
{
    EXPECT_EQ(store::stemOf(kDrawnOrder, 3), "L3");
    EXPECT_EQ(store::stemOf(kAscendingOrder, 6), "D6");
    EXPECT_EQ(store::stemOf(kAscendingOrder, 7), "L7");  // the special number keeps its L7 columns in both orders
    EXPECT_EQ(store::attributeColumn(kAscendingOrder, 3, 'E'), "D3E");
    EXPECT_EQ(store::attributeColumn(kAscendingOrder, 7, 'A', store::Copy::Previous), "L7AS");
    EXPECT_EQ(store::attributeColumn(kDrawnOrder, 2, 'C', store::Copy::NBack), "L2CP");
    EXPECT_EQ(store::listColumn(kZodiac, store::ListOf::DrawBefore), "txtHisLstSx");
    EXPECT_EQ(store::listColumn(kParity, store::ListOf::DrawNBefore), "txtHisPreLstDas");
    EXPECT_EQ(store::listColumn(kNumber, store::ListOf::DrawNBefore), "txtHisPreLst");
    EXPECT_TRUE(store::isLishiColumn("D2HP"));
    EXPECT_TRUE(store::isLishiColumn("D7A"));
    EXPECT_FALSE(store::isLishiColumn("D7B"));
    EXPECT_FALSE(store::isLishiColumn("L1G"));
}
