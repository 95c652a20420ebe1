// A mix of position and combination searches that between them rewrite
// copies, N-back lists, txtHisP6 and both marks, each runnable as a whole or
// prepared first; and the dumps that compare two tables to the letter.
#pragma once

#include "search_fixture.h"

#include "combination/combination_fixture.h"
#include "search/column_cache.h"

#include <functional>

namespace qudrim::search::testing {

struct MixedSearch {
    const char* what;
    std::function<SearchResult(store::Database&, ColumnCache*)> run;
    std::function<PreparedSearch(store::Database&, ColumnCache*)> prepare;
};

inline MixedSearch positionSearch(const char* what, const SearchOptions& o)
{
    return {what, [o](store::Database& db, ColumnCache* c) { return runPositionSearch(db, o, c); },
            [o](store::Database& db, ColumnCache* c) { return preparePositionSearch(db, o, c); }};
}

inline MixedSearch combinationSearch(const char* what, const combination::CombinationOptions& o)
{
    return {what, [o](store::Database& db, ColumnCache* c) { return combination::runCombinationSearch(db, o, c); },
            [o](store::Database& db, ColumnCache* c) { return combination::prepareCombinationSearch(db, o, c); }};
}

// Reference values from a draw near the end of `draws`, so that every
// search finds something.
inline std::vector<MixedSearch> mixedSearches(const std::vector<DrawInput>& draws)
{
    using combination::testing::makeCombination;
    const auto& d = draws[draws.size() - 3].numbers;
    return {
        positionSearch("free 上期 numbers", makeOptions(Mode::FreePrevious, kNumber, {{1, d[0]}, {7, d[6]}}, 2, false)),
        combinationSearch("combination free N 9 numbers",
                          makeCombination(Mode::FreeBack, kNumber, {d[0], d[1], d[2], d[3], d[4], d[5], d[6]}, 1, true, 9)),
        positionSearch("fixed N 3 tails", makeOptions(Mode::FixedBack, kTail, {{2, d[1] % 10}, {5, d[4] % 10}}, 3)),
        combinationSearch("combination fixed N 4 heads, ascending",
                          makeCombination(Mode::FixedBack, kHead, {0, 1, 2, 3, 4, 4, 2}, 2, false, 4, true, kAscendingOrder)),
        positionSearch("free N 2 parity", makeOptions(Mode::FreeBack, kParity, {{1, 1}, {2, 0}, {3, 1}}, 2, true)),
        combinationSearch("combination free 上期 parity",
                          makeCombination(Mode::FreePrevious, kParity, {1, 0, 1, 1, 0, 1, 0}, 4, true, 2, false)),
    };
}

inline std::vector<std::string> dumpLishi(store::Database& db) { return dumpTable(db, "Lishi", "SQQH"); }
// In the order the rows were written, which is ascending Nmb.
inline std::vector<std::string> dumpCarcu(store::Database& db) { return dumpTable(db, "Carcu", "rowid"); }

}  // namespace qudrim::search::testing
