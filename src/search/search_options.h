// What a search is asked: the options both searches share. The combination
// search's options extend them by its pool and combination size.
#pragma once

#include "search/result_display.h"

#include <array>
#include <cstdint>

namespace qudrim::search {

struct SearchOptions {
    bool specialCounts = true;          // Check2 "自由位计特码" (free positions only)
    bool bolZyw = true;                 // true 自由位, false 固定位
    bool bolSq = true;                  // true 上期, false 前N期
    int intPreQi = 2;                   // N of 前N期 (below 1 taken as 1)
    Kind intLei = kNumber;              // search kind
    // The position search: the positions chosen. The combination search:
    // the positions of the last position search, whose copies it refreshes.
    std::array<bool, 8> bolWei{};
    std::array<int16_t, 8> intSqLei{};  // reference values 1..7
    DisplayOptions display;             // range, result kind, order, bases, scope; display.bolSq follows bolSq
};

}  // namespace qudrim::search
