// A small history in a real database file, built through the row builder,
// and the handful of helpers the search tests share.
#pragma once

#include "search/position_search.h"
#include "search/result_texts.h"
#include "store/history_store.h"
#include "store/schema.h"
#include "support/history_fixture.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace qudrim::search::testing {

using Numbers = std::array<int, 7>;

struct Pick {
    int position;
    int value;
};

enum class Mode { FreePrevious, FreeBack, FixedPrevious, FixedBack };

// Search options over the whole history: the positions picked with their
// reference values, everything else at its plain default.
inline SearchOptions makeOptions(Mode mode, Kind kind, std::initializer_list<Pick> picks, int n = 2,
                                 bool specialCounts = true, NumberOrder order = kDrawnOrder)
{
    SearchOptions o;
    o.bolZyw = mode == Mode::FreePrevious || mode == Mode::FreeBack;
    o.bolSq = mode == Mode::FreePrevious || mode == Mode::FixedPrevious;
    o.intPreQi = n;
    o.intLei = kind;
    o.specialCounts = specialCounts;
    for (const Pick& p : picks) {
        o.bolWei[static_cast<size_t>(p.position)] = true;
        o.intSqLei[static_cast<size_t>(p.position)] = static_cast<int16_t>(p.value);
    }
    o.display.firstIssue = 0;
    o.display.lastIssue = 99999999;
    o.display.strQz = order;
    o.display.intXianshiLei = kNumber;
    return o;
}

// Every value of every row of a table, in a fixed order.
inline std::vector<std::string> dumpTable(store::Database& db, const char* table, const char* order)
{
    std::vector<std::string> rows;
    auto st = db.prepare(std::string("SELECT * FROM ") + table + " ORDER BY " + order);
    while (st.step()) {
        std::string row;
        for (int c = 0; c < st.columnCount(); ++c)
            row += st.columnText(c) + "|";
        rows.push_back(row);
    }
    return rows;
}

class SearchDb : public ::testing::Test {
protected:
    qudrim::testing::TempFolder folder;
    store::HistoryStore store{folder.path()};

    // Draws get the issues first, first + 1, ...; issues of 2013 after its
    // lunar new year fall in zodiac year 2013.
    void addDraws(const std::vector<Numbers>& draws, const CodeBases& bases = {}, int32_t first = 2013020)
    {
        std::vector<DrawInput> inputs;
        for (const auto& n : draws) {
            DrawInput d;
            d.issue = first + static_cast<int32_t>(inputs.size());
            d.zodiacIssue = d.issue;
            d.numbers = n;
            inputs.push_back(d);
        }
        qudrim::testing::fillStore(store, inputs, bases);
    }

    store::Database& db() { return store.db(); }

    // One column of every row, oldest first, as text.
    std::vector<std::string> column(const std::string& name)
    {
        EXPECT_TRUE(store::isLishiColumn(name)) << name;
        std::vector<std::string> values;
        auto st = db().prepare("SELECT CAST(" + name + " AS TEXT) FROM Lishi ORDER BY SQQH");
        while (st.step())
            values.push_back(st.columnText(0));
        return values;
    }

    std::vector<int64_t> intColumn(const std::string& name)
    {
        EXPECT_TRUE(store::isLishiColumn(name)) << name;
        std::vector<int64_t> values;
        auto st = db().prepare("SELECT " + name + " FROM Lishi ORDER BY SQQH");
        while (st.step())
            values.push_back(st.columnInt(0));
        return values;
    }

    // Writes a text into one row (row numbers from 1 in SQQH order), to see
    // whether a search keeps or replaces it.
    void setText(const std::string& name, int row, const std::string& text)
    {
        ASSERT_TRUE(store::isLishiColumn(name)) << name;
        auto st = db().prepare("UPDATE Lishi SET " + name +
                               " = ?1 WHERE SQQH = (SELECT SQQH FROM Lishi ORDER BY SQQH LIMIT 1 OFFSET ?2)");
        st.bind(1, std::string_view(text)).bind(2, row - 1);
        st.run();
    }

    // Every value of every row, to prove that a failed search left no trace.
    std::vector<std::string> dump() { return dumpTable(db(), "Lishi", "SQQH"); }

    SearchResult search(const SearchOptions& o) { return runPositionSearch(db(), o); }

    // The issues of the hits, as the list shows them, minus the 2013000 of
    // the fixture, so that hit k is draw k.
    static std::vector<int> hitRows(const SearchResult& r, int32_t first = 2013020)
    {
        std::vector<int> rows;
        for (const auto& h : hitTexts(r))
            rows.push_back(std::stoi(h[0]) - first + 1);
        return rows;
    }
};

}  // namespace qudrim::search::testing
