// The combination search "组合检索": marks every draw whose compared draw
// agrees with the reference values in all positions of at least one
// combination of k pool positions, and hands over to the result display.
#pragma once

#include "search/pending_marks.h"
#include "search/result_display.h"
#include "search/search_options.h"
#include "store/database.h"

namespace qudrim::search {
class ColumnCache;
}

namespace qudrim::combination {

// The options of the position search (bolWei: the positions of the last
// position search) and the combination's own.
struct CombinationOptions : search::SearchOptions {
    int intZhWSetup = 2;  // combination size k; only 1..6 marks anything
    bool bolZhpm = false;  // pool: true 平码 (1..6), false 平特 (1..7)
};

// The pool size: 6 for 平码, 7 for 平特.
inline int poolSize(bool bolZhpm) { return bolZhpm ? 6 : 7; }

// The whole search at once: prepared, and its marks committed straight
// away, so that the result and the table are those of the search on the
// database as the commit finds it. On failure it throws StoreError, has
// written nothing, and no partial result is returned. Options out of their range
// (an unknown search or result kind or number order, a scope beyond 0..2)
// are refused the same way. display.bolSq follows bolSq.
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

// The same search worked out in a read transaction: the result it shows, and
// what it leaves in Lishi and Carcu still to be written. Writes nothing.
// Refused (StoreError) while `cache` holds the pending marks of another
// search; on failure it throws StoreError and has written nothing.
search::PreparedSearch prepareCombinationSearch(store::Database& db, const CombinationOptions& options,
                                                search::ColumnCache* cache = nullptr);

}  // namespace qudrim::combination
