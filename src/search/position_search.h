// The position search "检索": marks the rows whose compared draw matches the
// reference values and hands over to the result display.
#pragma once

#include "search/result_display.h"

#include <array>

namespace qudrim::search {

class ColumnCache;

struct SearchOptions {
    bool specialCounts = true;        // Check2 "自由位计特码" (free positions only)
    bool bolZyw = true;               // true 自由位, false 固定位
    bool bolSq = true;                // true 上期, false 前N期
    int intPreQi = 2;                 // N of 前N期 (0 is taken as 1)
    int intLei = 0;                   // search kind 0..7
    std::array<bool, 8> bolWei{};     // chosen positions 1..7
    std::array<int16_t, 8> intSqLei{};  // reference values 1..7
    DisplayOptions display;           // range, result kind, prefix, bases, scope
};

// The whole search in one transaction: on failure it rolls back and throws
// StoreError, and no partial result is returned. Options out of their range
// (a search or result kind beyond 0..7, an order other than 'L'/'D', a scope
// beyond 0..2) are refused the same way. display.bolSq follows bolSq.
// With a cache, the columns it reads come from there as far as it holds them
// for the database as it stands, and it keeps what the search wrote.
SearchResult runPositionSearch(store::Database& db, const SearchOptions& options, ColumnCache* cache = nullptr);

// The steps of a search, for the combination search to reuse inside its own
// transaction. Each writes only values that change.

// N of 前N期 as the searches use it: below 1 it is 1.
int effectivePreQi(int intPreQi);

// Rewrites the N-back list of the kind (and the plain number list when the
// kind is not 号码) in every row from the list of the row N - 1 places
// earlier: rows 2..N-1 get the empty text, row 1 keeps its list unless N is 1.
void RebuildPreLst(store::Database& db, int kind, int intPreQi);

// Recomputes the copies of the chosen positions for a kind (E and F for
// 合数, A for 单双): "S" copies from the row before, or "P" copies from the
// row N before together with the plain list txtHisPreLst; 0 where there is
// no such row. Nothing is written when no position is chosen.
void RefreshSqCols(store::Database& db, char prefix, const std::array<bool, 8>& bolWei, int kind, bool bolSq,
                   int intPreQi);

// Everything a search does to Lishi before the display: the rebuild or the
// refresh it needs, intTh of every row (and txtHisP6 for free positions
// without the special number). Returns the condition count, the number of
// chosen positions.
int markPositions(store::Database& db, const SearchOptions& options);

}  // namespace qudrim::search
