// The position search "检索": marks the rows whose compared draw matches the
// reference values and hands over to the result display.
#pragma once

#include "search/result_display.h"

#include <array>

namespace qudrim::search {

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
// StoreError, and no partial result is returned.
SearchResult runPositionSearch(store::Database& db, const SearchOptions& options);

}  // namespace qudrim::search
