// The position search "检索": marks the rows whose compared draw matches the
// reference values at the chosen positions and hands over to the result
// display.
#pragma once

#include "search/pending_marks.h"
#include "search/result_display.h"
#include "search/search_options.h"

namespace qudrim::search {

class ColumnCache;

// The whole search at once: prepared, and its marks committed straight
// away, so that the result and the table are those of the search on the
// database as the commit finds it. On failure it throws StoreError, has
// written nothing, and no partial result is returned. Options out of their range
// (an unknown search or result kind or number order, a scope beyond 0..2)
// are refused the same way. display.bolSq follows bolSq.
//
// What it leaves in Lishi: intTh of every row the number of conditions it
// meets; for free positions against the draw N before the rebuilt N-back
// lists, and txtHisP6 the compared list without the special number's entry
// when that does not count; for fixed positions the copies of the chosen
// positions, with txtHisPreLst against the draw N before.
//
// With a cache, the columns it reads come from there as far as it holds them
// for the database as it stands, and it keeps what the search wrote.
SearchResult runPositionSearch(store::Database& db, const SearchOptions& options, ColumnCache* cache = nullptr);

// The same search worked out in a read transaction: the result it shows, and
// what it leaves in Lishi and Carcu still to be written. Writes nothing.
// Refused (StoreError) while `cache` holds the pending marks of another
// search; on failure it throws StoreError and has written nothing.
PreparedSearch preparePositionSearch(store::Database& db, const SearchOptions& options, ColumnCache* cache = nullptr);

}  // namespace qudrim::search
