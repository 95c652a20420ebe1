// Combination searches over small histories in a real database file.
#pragma once

#include "combination/combination_search.h"
#include "search/search_fixture.h"

#include <vector>

namespace qudrim::combination::testing {

using search::testing::Mode;
using search::testing::Numbers;

// Options over the whole history: the reference values of positions 1..7,
// the combination size and the pool, everything else at its plain default.
inline CombinationOptions makeCombination(Mode mode, Kind kind, const std::array<int, 7>& values, int k,
                                          bool pool7, int n = 2, bool specialCounts = true, NumberOrder order = kDrawnOrder)
{
    CombinationOptions o;
    o.bolZyw = mode == Mode::FreePrevious || mode == Mode::FreeBack;
    o.bolSq = mode == Mode::FreePrevious || mode == Mode::FixedPrevious;
    o.intPreQi = n;
    o.intLei = kind;
    o.intZhWSetup = k;
    o.bolZhpm = !pool7;
    o.specialCounts = specialCounts;
    for (int p = 1; p <= 7; ++p)
        o.intSqLei[static_cast<size_t>(p)] = static_cast<int16_t>(values[static_cast<size_t>(p - 1)]);
    o.display.firstIssue = 0;
    o.display.lastIssue = 99999999;
    o.display.strQz = order;
    o.display.intXianshiLei = kNumber;
    return o;
}

class CombinationDb : public search::testing::SearchDb {
protected:
    search::SearchResult combine(const CombinationOptions& o) { return runCombinationSearch(db(), o); }
};

}  // namespace qudrim::combination::testing
