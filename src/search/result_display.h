// The result display shared by both searches: the matching draws of the
// issue range, and the tally of the result kind over them.
#pragma once

#include "store/attribute_kind.h"
#include "store/database.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace qudrim::search {

struct DisplayOptions {
    int32_t firstIssue = 0;            // Text3(0)
    int32_t lastIssue = 0;             // Text3(1)
    Kind intXianshiLei = kNumber;      // result kind
    NumberOrder strQz = kDrawnOrder;   // order of positions 1..6
    bool bolSq = true;                 // header of column 8 and which list it shows
    CodeBases bases;
    int scope = 0;                     // 0 平特 (1..7), 1 平码 (1..6), 2 特码 (7)
};

// The texts of both grids, ready to render: header row first.
struct SearchResult {
    std::array<std::string, 10> hitHeader;
    std::vector<std::array<std::string, 10>> hits;  // MSFlexGrid2 rows 1..n
    std::array<std::string, 4> tallyHeader;
    std::vector<std::array<std::string, 4>> tally;  // MSFlexGrid3 rows 1..m
};

// One hit as the display needs it: the issue, the value of the result kind at
// positions 1..7 (index 0 unused) and the number list of its compared draw.
struct HitRow {
    int64_t issue = 0;
    std::array<int64_t, 8> values{};
    std::string list;
};

// Lists the hits a search selected (in ascending SQQH, inside the range) and
// tallies the result kind over them: fills both grids and rewrites Carcu,
// with the tally by count, highest first, equal counts by ascending value.
// Runs inside the caller's transaction (or, called alone, inside a savepoint
// of its own) and changes no row of Lishi. Throws StoreError, and then has
// written nothing.
SearchResult displayHits(store::Database& db, const std::vector<HitRow>& hits, const DisplayOptions& options);

// Checks a display's options; throws StoreError for an unknown result kind,
// a scope beyond 0..2 or an unknown number order.
void checkDisplayOptions(const DisplayOptions& options);

}  // namespace qudrim::search
