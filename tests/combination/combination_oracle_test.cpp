// Random combination searches, with position searches between them, on
// small random histories, each checked against what the draws themselves say,
// worked out here from the rows as they stand in the file just before the
// search: which rows are marked or counted, what every column of Lishi holds
// afterwards, both grids and Carcu. All searches run through one column
// cache, between typed draws, deletions, compactions, another connection's
// draws, rows stored anew in another order, scribbles on the scratch columns
// and failed searches, so that a cache that served a stale value would show
// up as a wrong mark or a wrong column.
//
// Each run takes its seed from GoogleTest's: run it with --gtest_shuffle and
// --gtest_repeat=N to try N other histories.

#include "combination/combination_search.h"
#include "draw/row_builder.h"
#include "history/delete_last.h"
#include "search/column_cache.h"
#include "search/position_search.h"
#include "search/result_texts.h"
#include "store/history_store.h"
#include "store/lishi_rows.h"
#include "support/history_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <random>
#include <sstream>

namespace qudrim::combination::testing {
namespace {

using testrows::StoredRow;
using Table = std::vector<StoredRow>;

// The values each kind can take in a list or a column, whatever the code
// bases: a reference value outside meets no condition.
bool inDomain(int kind, int v)
{
    static constexpr int kLow[8] = {1, 0, 0, 0, 1, 0, 0, 0};
    static constexpr int kHigh[8] = {49, 12, 4, 9, 13, 7, 3, 1};
    return v >= kLow[kind] && v <= kHigh[kind];
}

std::string stem(char prefix, int p) { return p == 7 ? std::string("L7") : std::string(1, prefix) + std::to_string(p); }

// The value of a kind in a row at a column stem, from its own columns.
int64_t valueOf(const StoredRow& row, const std::string& s, int kind)
{
    switch (kind) {
    case kNumber: return row.at(s + "A");
    case kZodiac: return row.at(s + "B");
    case kHead: return row.at(s + "E");
    case kTail: return row.at(s + "F");
    case kDigitSum: return row.at(s + "E") + row.at(s + "F");
    case kSegment: return row.at(s + "H");
    case kWave: return row.at(s + "C");
    default: return row.at(s + "A") % 2;
    }
}

std::vector<std::string> lettersOf(int kind)
{
    switch (kind) {
    case kDigitSum: return {"E", "F"};
    case kParity: return {"A"};
    case kNumber: return {"A"};
    case kZodiac: return {"B"};
    case kHead: return {"E"};
    case kTail: return {"F"};
    case kSegment: return {"H"};
    default: return {"C"};
    }
}

const char* const kSuffix[8] = {"", "Sx", "Tou", "Wei", "He", "Ds", "Xw", "Das"};

std::vector<std::vector<int>> allCombinations(int n, int k)
{
    std::vector<std::vector<int>> out;
    if (k < 1 || k > 6 || k > n)
        return out;
    for (unsigned mask = 0; mask < (1u << n); ++mask) {
        std::vector<int> c;
        for (int p = 1; p <= n; ++p)
            if (mask & (1u << (p - 1)))
                c.push_back(p);
        if (static_cast<int>(c.size()) == k)
            out.push_back(c);
    }
    // Lexicographic, the order in which the search visits them.
    std::sort(out.begin(), out.end());
    return out;
}

// Lishi after the search, the grids and the tally, by the definition.
struct Expected {
    Table table;
    std::vector<std::array<std::string, 10>> hits;
    std::vector<std::pair<int, int64_t>> tally;  // value, count, in grid order
    int64_t total = 0;
};

std::string shown(int kind, int64_t v, const CodeBases& b)
{
    auto name = [&](auto& names, int64_t i) -> std::string {
        return i >= 0 && i < static_cast<int64_t>(names.size()) ? std::string(names[static_cast<size_t>(i)]) : "";
    };
    if (kind == kZodiac)
        return name(strSxName, v - b.SxIni);
    if (kind == kWave)
        return name(strBsName, v - b.BsIni);
    if (kind == kParity)
        return name(strDasName, v);
    return std::to_string(v);
}

// The grids and the tally of the rows of the range that `isHit` takes, as
// the table stands after the search.
template <class IsHit>
void fillDisplay(Expected& e, const search::DisplayOptions& d, bool previousDraw, IsHit&& isHit)
{
    const size_t count = e.table.size();
    // The rows the search takes, ascending issue.
    const int first = d.scope == 2 ? 7 : 1;
    const int lastPos = d.scope == 1 ? 6 : 7;
    std::map<int64_t, int64_t> counts;
    for (size_t i = 0; i < count; ++i) {
        const StoredRow& row = e.table[i];
        const int64_t issue = row.at("SQQH");
        if (!isHit(row) || issue < d.firstIssue || issue > d.lastIssue)
            continue;
        std::array<std::string, 10> h;
        h[0] = std::to_string(issue);
        for (int p = 1; p <= 7; ++p) {
            const int64_t v = valueOf(row, stem(d.strQz, p), d.intXianshiLei);
            h[static_cast<size_t>(p)] = shown(d.intXianshiLei, v, d.bases);
            if (p >= first && p <= lastPos)
                ++counts[v];
        }
        h[8] = row.text(previousDraw ? "txtHisLst" : "txtHisPreLst");
        h[9] = std::to_string(e.hits.size() + 1);
        e.hits.push_back(h);
    }
    e.total = static_cast<int64_t>(e.hits.size()) * (lastPos - first + 1);
    int low = 0, high = 0;
    switch (d.intXianshiLei) {
    case kNumber: low = 1, high = 49; break;
    case kZodiac: low = d.bases.SxIni, high = low + 11; break;
    case kHead: low = 0, high = 4; break;
    case kTail: low = 0, high = 9; break;
    case kDigitSum: low = 1, high = 13; break;
    case kSegment: low = d.bases.DsIni, high = low + 6; break;
    case kWave: low = d.bases.BsIni, high = low + 2; break;
    default: low = 0, high = 1; break;
    }
    for (int v = low; v <= high; ++v)
        e.tally.emplace_back(v, counts[v]);
    std::stable_sort(e.tally.begin(), e.tally.end(), [](const auto& a, const auto& b) { return a.second > b.second; });
}


// How both searches see the draws: the compared draw of row i is the row
// `back` places earlier (1 against the previous draw, N against the draw N
// before); a row without one meets no free condition and has zero copies.
struct Comparison {
    const Table& before;
    int kind;
    int n;        // N, at least 1
    size_t back;  // 1 or N
    char prefix;
    bool special;

    // Free positions: how often the compared draw holds each value.
    std::map<int, int> held(size_t i) const
    {
        std::map<int, int> values;
        if (i >= back)
            for (int p = 1; p <= (special ? 7 : 6); ++p)
                ++values[static_cast<int>(valueOf(before[i - back], stem('L', p), kind))];
        return values;
    }
    // Fixed positions: whether the compared draw holds v at position p.
    bool fixedMet(size_t i, int p, int v) const
    {
        const int64_t compared = i >= back ? valueOf(before[i - back], stem(prefix, p), kind) : 0;
        return inDomain(kind, v) && compared == v;
    }

    // The N-back lists of free positions: the list of the draw N before,
    // taken from the row N - 1 places earlier; row 1 keeps its own unless N
    // is 1; rows 2..N-1 have none.
    void rebuildLists(Table& t) const
    {
        auto rebuild = [&](const std::string& target, const std::string& source) {
            for (size_t i = 0; i < t.size(); ++i) {
                if (i == 0 && n > 1)
                    continue;
                t[i].texts[target] = i + 1 >= static_cast<size_t>(n) ? before[i + 1 - n].text(source) : "";
            }
        };
        rebuild(std::string("txtHisPreLst") + kSuffix[kind], std::string("txtHisLst") + kSuffix[kind]);
        if (kind != kNumber)
            rebuild("txtHisPreLst", "txtHisLst");
    }
    std::string comparedList(bool previousDraw) const
    {
        return std::string(previousDraw ? "txtHisLst" : "txtHisPreLst") + kSuffix[kind];
    }
    static std::string cut(const std::string& list) { return list.size() < 4 ? "" : list.substr(0, list.size() - 4); }

    // The copies of fixed positions: the own values of the compared draw, 0
    // where there is none; against the draw N before also its number list.
    void refreshCopies(Table& t, const std::vector<int>& positions, bool previousDraw) const
    {
        const std::string suffix = previousDraw ? "S" : "P";
        for (int p : positions)
            for (const auto& letter : lettersOf(kind)) {
                const std::string s = stem(prefix, p);
                for (size_t i = 0; i < t.size(); ++i)
                    t[i].ints[s + letter + suffix] = i >= back ? before[i - back].at(s + letter) : 0;
            }
        if (!previousDraw && !positions.empty())
            for (size_t i = 1; i < t.size(); ++i)
                t[i].texts["txtHisPreLst"] = i >= back ? before[i - back + 1].text("txtHisLst") : "";
    }
};

Comparison comparisonOf(const Table& before, int kind, bool previousDraw, int intPreQi, char prefix, bool special)
{
    const int n = std::max(1, intPreQi);
    return {before, kind, n, previousDraw ? size_t{1} : static_cast<size_t>(n), prefix, special};
}

Expected expectedOf(const Table& before, const CombinationOptions& o)
{
    Expected e;
    e.table = before;
    const Comparison c = comparisonOf(before, o.intLei, o.bolSq, o.intPreQi, o.display.strQz, o.specialCounts);
    const int pool = o.bolZhpm ? 6 : 7;
    const int k = o.intZhWSetup;
    const auto combos = allCombinations(pool, k);
    auto ref = [&](int p) { return static_cast<int>(o.intSqLei[static_cast<size_t>(p)]); };

    for (size_t i = 0; i < before.size(); ++i) {
        auto held = c.held(i);
        bool mark = false;
        int64_t last = 0;
        for (const auto& members : combos) {
            int64_t hits = 0;
            for (int p : members) {
                if (o.bolZyw) {
                    // A value as often as the combination holds it; a number once.
                    int wanted = 1;
                    if (o.intLei != kNumber)
                        wanted = static_cast<int>(
                            std::count_if(members.begin(), members.end(), [&](int q) { return ref(q) == ref(p); }));
                    hits += held.count(ref(p)) && held[ref(p)] >= wanted;
                } else {
                    hits += c.fixedMet(i, p, ref(p));
                }
            }
            mark = mark || hits == k;
            last = hits;
        }
        e.table[i].ints["bolOk"] = mark;
        if (!combos.empty())
            e.table[i].ints["intTh"] = last;
    }

    if (o.bolZyw) {
        if (!o.bolSq)
            c.rebuildLists(e.table);
        const std::string compared = c.comparedList(o.bolSq);
        for (auto& row : e.table)
            row.texts["txtHisP6"] = o.specialCounts ? row.text(compared) : Comparison::cut(row.text(compared));
    } else {
        // Every pool position, and every position of the last position
        // search, gets its copies of the draw compared.
        std::vector<int> positions;
        for (int p = 1; p <= 7; ++p)
            if (p <= pool || o.bolWei[static_cast<size_t>(p)])
                positions.push_back(p);
        c.refreshCopies(e.table, positions, o.bolSq);
    }

    fillDisplay(e, o.display, o.bolSq, [](const StoredRow& row) { return row.at("bolOk") != 0; });
    return e;
}

// The position search: a row is listed when it meets the condition of every
// chosen position; a value chosen at m positions (free, every kind but
// numbers) is looked for the first, second, ... m-th time in turn.
Expected expectedOf(const Table& before, const search::SearchOptions& o)
{
    Expected e;
    e.table = before;
    const Comparison c = comparisonOf(before, o.intLei, o.bolSq, o.intPreQi, o.display.strQz, o.specialCounts);
    std::vector<int> chosen;
    for (int p = 1; p <= 7; ++p)
        if (o.bolWei[static_cast<size_t>(p)])
            chosen.push_back(p);
    for (size_t i = 0; i < before.size(); ++i) {
        auto held = c.held(i);
        std::map<int, int> asked;
        int64_t met = 0;
        for (int p : chosen) {
            const int v = o.intSqLei[static_cast<size_t>(p)];
            if (o.bolZyw) {
                const int nth = o.intLei == kNumber ? 1 : ++asked[v];
                met += held.count(v) && held[v] >= nth;
            } else {
                met += c.fixedMet(i, p, v);
            }
        }
        e.table[i].ints["intTh"] = met;
    }
    if (o.bolZyw) {
        if (!o.bolSq)
            c.rebuildLists(e.table);
        if (!o.specialCounts) {
            const std::string compared = c.comparedList(o.bolSq);
            for (auto& row : e.table)
                row.texts["txtHisP6"] = Comparison::cut(row.text(compared));
        }
    } else {
        c.refreshCopies(e.table, chosen, o.bolSq);
    }
    const auto conditions = static_cast<int64_t>(chosen.size());
    fillDisplay(e, o.display, o.bolSq, [&](const StoredRow& row) { return row.at("intTh") == conditions; });
    return e;
}

// Where two tables first differ, for the failure message.
std::string firstDifference(const Table& got, const Table& want)
{
    if (got.size() != want.size())
        return "row count " + std::to_string(got.size()) + " instead of " + std::to_string(want.size());
    for (size_t i = 0; i < got.size(); ++i) {
        for (const auto& [name, v] : want[i].ints)
            if (got[i].ints.at(name) != v)
                return "row " + std::to_string(i + 1) + " " + name + " = " + std::to_string(got[i].ints.at(name)) +
                       " instead of " + std::to_string(v);
        for (const auto& [name, v] : want[i].texts)
            if (got[i].texts.at(name) != v)
                return "row " + std::to_string(i + 1) + " " + name + " = '" + got[i].texts.at(name) +
                       "' instead of '" + v + "'";
    }
    return "";
}

class CombinationOracle : public ::testing::Test {
protected:
    void SetUp() override
    {
        seed = 9001u + static_cast<unsigned>(::testing::UnitTest::GetInstance()->random_seed());
        rng.seed(seed);
        bases.SxIni = pick(0, 1);
        bases.DsIni = pick(0, 1);
        bases.BsIni = pick(0, 1);
        // A narrow pool of numbers makes draws share numbers, so that combinations
        // of numbers are met too; the full pool varies the attributes.
        numberPool = std::array<int, 3>{9, 16, 49}[static_cast<size_t>(pick(0, 2))];
        store.open();
        AddLishi(store, randomDraws(pick(12, 45)), bases);
    }

    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); }
    bool chance(int percent) { return pick(1, 100) <= percent; }

    std::vector<DrawInput> randomDraws(int howMany)
    {
        std::vector<DrawInput> draws;
        std::vector<int> numbers(static_cast<size_t>(numberPool));
        for (int i = 0; i < numberPool; ++i)
            numbers[static_cast<size_t>(i)] = i + 1;
        for (int d = 0; d < howMany; ++d) {
            std::shuffle(numbers.begin(), numbers.end(), rng);
            DrawInput in;
            in.issue = ++lastIssue;
            in.zodiacIssue = in.issue;
            for (int p = 0; p < 7; ++p)
                in.numbers[static_cast<size_t>(p)] = numbers[static_cast<size_t>(p)];
            draws.push_back(in);
        }
        return draws;
    }

    // A reference value: mostly one that some draw has somewhere, now and
    // then one out of every range.
    int16_t referenceValue(const Table& rows, int kind, char prefix)
    {
        if (rows.empty() || chance(12))
            return static_cast<int16_t>(pick(-2, 52));
        const StoredRow& row = rows[static_cast<size_t>(pick(0, static_cast<int>(rows.size()) - 1))];
        return static_cast<int16_t>(valueOf(row, stem(prefix, pick(1, 7)), kind));
    }

    int32_t anyIssue(const Table& rows)
    {
        return static_cast<int32_t>(rows[static_cast<size_t>(pick(0, static_cast<int>(rows.size()) - 1))].at("SQQH"));
    }

    CombinationOptions randomCombination(const Table& rows)
    {
        CombinationOptions o;
        o.bolZyw = chance(50);
        o.bolSq = chance(50);
        o.specialCounts = chance(50);
        o.intPreQi = pick(0, 9);
        o.intLei = static_cast<Kind>(pick(0, 7));
        o.intZhWSetup = chance(5) ? pick(-1, 8) : pick(1, 6);
        o.bolZhpm = chance(50);
        o.display.strQz = chance(50) ? kDrawnOrder : kAscendingOrder;
        for (int p = 1; p <= 7; ++p) {
            o.bolWei[static_cast<size_t>(p)] = chance(30);
            o.intSqLei[static_cast<size_t>(p)] = referenceValue(rows, o.intLei, o.display.strQz);
        }
        // The same value at two positions now and then.
        if (chance(30))
            o.intSqLei[static_cast<size_t>(pick(1, 7))] = o.intSqLei[static_cast<size_t>(pick(1, 7))];
        o.display.intXianshiLei = static_cast<Kind>(pick(0, 7));
        o.display.scope = pick(0, 2);
        o.display.bases = bases;
        o.display.firstIssue = 0;
        o.display.lastIssue = 99999999;
        if (!rows.empty() && chance(40)) {
            o.display.firstIssue = anyIssue(rows);
            o.display.lastIssue = anyIssue(rows);
        }
        return o;
    }

    template <class Options>
    static std::string modeOf(const Options& o)
    {
        return std::string(o.bolZyw ? "free" : "fixed") + (o.bolSq ? " 上期" : " 前N期 N=" + std::to_string(o.intPreQi));
    }

    static std::string describe(const search::SearchOptions& o)
    {
        std::ostringstream s;
        s << modeOf(o) << " kind " << o.intLei << (o.specialCounts ? " special counts" : "") << " order " << o.display.strQz
          << " positions";
        for (int p = 1; p <= 7; ++p)
            if (o.bolWei[static_cast<size_t>(p)])
                s << ' ' << p << '=' << o.intSqLei[static_cast<size_t>(p)];
        s << " result kind " << o.display.intXianshiLei << " scope " << o.display.scope << " range "
          << o.display.firstIssue << ".." << o.display.lastIssue;
        return s.str();
    }

    static std::string describe(const CombinationOptions& o)
    {
        std::ostringstream s;
        s << modeOf(o) << " kind " << o.intLei << " k " << o.intZhWSetup << (o.bolZhpm ? " 平码" : " 平特")
          << (o.specialCounts ? " special counts" : "") << " order " << o.display.strQz << " ref";
        for (int p = 1; p <= 7; ++p)
            s << ' ' << o.intSqLei[static_cast<size_t>(p)];
        s << " last search at";
        for (int p = 1; p <= 7; ++p)
            if (o.bolWei[static_cast<size_t>(p)])
                s << ' ' << p;
        s << " result kind " << o.display.intXianshiLei << " scope " << o.display.scope << " range "
          << o.display.firstIssue << ".." << o.display.lastIssue;
        return s.str();
    }

    // A position search of the same random shape, the positions chosen
    // standing for those of the last position search.
    static search::SearchOptions positionSearchLike(const CombinationOptions& o)
    {
        search::SearchOptions s;
        s.bolZyw = o.bolZyw;
        s.bolSq = o.bolSq;
        s.intPreQi = o.intPreQi;
        s.intLei = o.intLei;
        s.specialCounts = o.specialCounts;
        s.bolWei = o.bolWei;
        s.intSqLei = o.intSqLei;
        s.display = o.display;
        return s;
    }

    // One search through the cache, checked against the definition.
    template <class Options, class Run>
    void checked(const Options& o, const Table& before, const char* what, Run&& run)
    {
        SCOPED_TRACE("seed " + std::to_string(seed) + ", search " + std::to_string(searches) + ", " + what + ": " +
                     describe(o));
        ++searches;
        const Expected want = expectedOf(before, o);
        search::SearchResult got;
        ASSERT_NO_THROW(got = run(o));
        const Table after = testrows::readLishi(store.db());
        ASSERT_EQ(firstDifference(after, want.table), "");

        ASSERT_EQ(search::testing::hitTexts(got), want.hits);
        const auto gotTally = search::testing::tallyTexts(got);
        ASSERT_EQ(gotTally.size(), want.tally.size());
        auto carcu = store.db().prepare("SELECT Nmb, Count FROM Carcu ORDER BY Nmb");
        std::map<int64_t, int64_t> stored;
        while (carcu.step())
            stored[carcu.columnInt(0)] = carcu.columnInt(1);
        for (size_t r = 0; r < want.tally.size(); ++r) {
            const auto& [value, count] = want.tally[r];
            const auto& row = gotTally[r];
            EXPECT_EQ(row[0], std::to_string(r + 1));
            EXPECT_EQ(row[1], shown(o.display.intXianshiLei, value, bases)) << r;
            EXPECT_EQ(row[2], std::to_string(count)) << r;
            EXPECT_EQ(stored[value], count) << value;
            if (want.total == 0) {
                EXPECT_EQ(row[3], "");
            } else {
                ASSERT_FALSE(row[3].empty());
                EXPECT_EQ(row[3].back(), '%');
                EXPECT_EQ(row[3].size() - row[3].find('.'), 5u) << row[3];
                EXPECT_NEAR(std::stod(row[3]), 100.0 * static_cast<double>(count) / static_cast<double>(want.total),
                            0.0005 + 1e-9)
                    << row[3];
            }
        }
        EXPECT_EQ(stored.size(), want.tally.size());
    }

    void checkedCombination()
    {
        const Table before = testrows::readLishi(store.db());
        checked(randomCombination(before), before, "combination",
                [&](const CombinationOptions& o) { return runCombinationSearch(store.db(), o, &cache); });
    }

    void checkedPositionSearch()
    {
        const Table before = testrows::readLishi(store.db());
        checked(positionSearchLike(randomCombination(before)), before, "position search",
                [&](const search::SearchOptions& o) { return search::runPositionSearch(store.db(), o, &cache); });
    }

    // Something else happens to the history or the file between two searches.
    void somethingElse()
    {
        SCOPED_TRACE("seed " + std::to_string(seed) + ", after search " + std::to_string(searches));
        switch (pick(0, 14)) {
        case 0:
        case 8:
        case 9:
            // A position search, which rewrites copies, lists and counts of its own.
            checkedPositionSearch();
            break;
        case 1:
            AddLishi(store, randomDraws(pick(1, 3)), bases);
            break;
        case 2:
            history::deleteLastDraw(store);
            break;
        case 3:
            store.compact();
            break;
        case 4: {
            store::HistoryStore other(store.folder());
            other.open();
            AddLishi(other, randomDraws(1), bases);
            break;
        }
        case 5: {
            // Another program scribbles on what the searches rewrite.
            store::Database other(store.databasePath(), store::Database::Mode::OpenExisting);
            auto st = other.prepare(
                "UPDATE Lishi SET intTh = ?1, bolOk = ?2, txtHisP6 = 'x', L1AP = ?1, L7BS = ?1, D3ES = ?1, "
                "L2FP = ?1, txtHisPreLst = '01 02 ', txtHisPreLstSx = '1X03 ' "
                "WHERE SQQH % 3 = ?3 AND SQQH > (SELECT MIN(SQQH) FROM Lishi)");
            st.bind(1, pick(0, 12)).bind(2, pick(0, 1)).bind(3, pick(0, 2));
            st.run();
            break;
        }
        case 6: {
            // The same on our own connection.
            auto st = store.db().prepare("UPDATE Lishi SET intTh = 5, bolOk = 1, L3AS = ?1, D1AP = ?1, L7AP = ?1 "
                                         "WHERE SQQH % 2 = ?2");
            st.bind(1, pick(1, 49)).bind(2, pick(0, 1));
            st.run();
            break;
        }
        case 7: {
            // A search that fails at its last step leaves no trace.
            store.db().exec("CREATE TRIGGER refuse BEFORE INSERT ON Carcu BEGIN SELECT RAISE(ABORT, 'refused'); END");
            const Table before = testrows::readLishi(store.db());
            EXPECT_THROW(runCombinationSearch(store.db(), randomCombination(before), &cache), store::StoreError);
            store.db().exec("DROP TRIGGER refuse");
            EXPECT_EQ(firstDifference(testrows::readLishi(store.db()), before), "");
            break;
        }
        case 10: {
            // Another program stores the same rows anew in another order, so
            // that the storage order is no longer the issue order.
            store::Database other(store.databasePath(), store::Database::Mode::OpenExisting);
            other.exec("BEGIN; CREATE TEMP TABLE copy AS SELECT * FROM Lishi; DELETE FROM Lishi; "
                       "INSERT INTO Lishi SELECT * FROM copy ORDER BY random(); DROP TABLE copy; COMMIT;");
            break;
        }
        case 11:
            // An import replaces the whole history.
            AddLishi(store, randomDraws(pick(5, 40)), bases, PreListMode::Unwritten, HistoryWrite::ReplaceAll);
            break;
        case 12:
            if (chance(30))
                store.deleteAll();
            break;
        default:
            // Often nothing: the cache is then used as it stands.
            break;
        }
    }

    unsigned seed = 0;
    std::mt19937 rng;
    CodeBases bases;
    int numberPool = 49;
    int32_t lastIssue = 2012990;
    int searches = 0;
    qudrim::testing::TempFolder folder;
    store::HistoryStore store{folder.path()};
    search::ColumnCache cache;
};

TEST_F(CombinationOracle, EverySearchMarksWhatTheDrawsSay)
{
    for (int round = 0; round < 60 && !HasFatalFailure(); ++round) {
        checkedCombination();
        if (HasFatalFailure())
            return;
        somethingElse();
    }
}

}  // namespace
}  // namespace qudrim::combination::testing
