// The combination search "组合检索": marks every draw whose compared draw
// agrees with the reference values in all positions of at least one
// combination of k pool positions, and hands over to the result display.
#pragma once

#include "search/result_display.h"
#include "store/database.h"

#include <array>
#include <cstdint>

namespace qudrim::search {
class ColumnCache;
}

namespace qudrim::combination {

struct CombinationOptions {
    bool specialCounts = true;          // Check2 "自由位计特码" (free positions only)
    bool bolZyw = true;                 // true 自由位, false 固定位
    bool bolSq = true;                  // true 上期, false 前N期
    int intPreQi = 2;                   // N of 前N期 (below 1 taken as 1)
    int intLei = 0;                     // search kind 0..7
    int intZhWSetup = 2;                // combination size k; only 1..6 marks anything
    bool bolZhpm = false;               // pool: true 平码 (1..6), false 平特 (1..7)
    std::array<bool, 8> bolWei{};       // positions of the last position search
    std::array<int16_t, 8> intSqLei{};  // reference values 1..7
    search::DisplayOptions display;     // range, result kind, prefix, bases, scope
};

// The pool size: 6 for 平码, 7 for 平特.
inline int poolSize(bool bolZhpm) { return bolZhpm ? 6 : 7; }

// The whole search in one transaction: on failure it rolls back and throws
// StoreError, and no partial result is returned. Options out of their range
// (a search or result kind beyond 0..7, an order other than 'L'/'D', a scope
// beyond 0..2) are refused the same way. display.bolSq follows bolSq.
//
// What it leaves in Lishi: bolOk set exactly on the marked rows; intTh the
// count of the last combination (untouched when k is outside 1..6); for
// free positions txtHisP6 (the compared list, without the special number's
// entry unless it counts) and, against the draw N before, the rebuilt N-back
// lists; for fixed positions the copies of every pool position and of every
// position of the last position search, with txtHisPreLst against the draw
// N before.
//
// With a cache, the columns it reads come from there as far as it holds them
// for the database as it stands, and it keeps what the search wrote.
search::SearchResult runCombinationSearch(store::Database& db, const CombinationOptions& options,
                                          search::ColumnCache* cache = nullptr);

}  // namespace qudrim::combination
