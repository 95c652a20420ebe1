// The result display shared by both searches: the matching draws of the issue
// range that pass a row filter, and the tally of the result kind over them.
#pragma once

#include "draw/tables.h"
#include "store/database.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace qudrim::search {

// Which rows qualify: a closed set of filters, never SQL text from outside.
struct RowFilter {
    enum class Kind { ConditionCount, CombinationOk };
    Kind kind = Kind::ConditionCount;
    int conditionCount = 0;  // for ConditionCount: rows whose intTh equals it
    // CombinationOk: rows whose bolOk is set (any value but 0).
};

struct DisplayOptions {
    int32_t firstIssue = 0;  // Text3(0)
    int32_t lastIssue = 0;   // Text3(1)
    int intXianshiLei = 0;   // result kind 0..7
    char strQz = 'L';        // prefix of positions 1..6
    bool bolSq = true;       // header of column 8 and which list it shows
    CodeBases bases;
    int scope = 0;           // 0 平特 (1..7), 1 平码 (1..6), 2 特码 (7)
};

// The texts of both grids, ready to render: header row first.
struct SearchResult {
    std::array<std::string, 10> hitHeader;
    std::vector<std::array<std::string, 10>> hits;  // MSFlexGrid2 rows 1..n
    std::array<std::string, 4> tallyHeader;
    std::vector<std::array<std::string, 4>> tally;  // MSFlexGrid3 rows 1..m
};

// Column widths of MSFlexGrid2 in twips; the combination search leaves the
// width of column 9 as it is.
inline constexpr std::array<int, 10> kHitColumnWidths = {1000, 800, 800, 800, 800, 800, 800, 800, 2500, 680};

// Runs inside the caller's transaction (or, called alone, inside a savepoint
// of its own); rewrites Carcu and changes no row of Lishi. The hits come in
// ascending SQQH, the tally by count, highest first, equal counts by
// ascending value. Throws StoreError, and then has written nothing.
SearchResult JieguoXianshi(store::Database& db, const RowFilter& filter, const DisplayOptions& options);

// One hit as the display needs it: the issue, the value of the result kind at
// positions 1..7 (index 0 unused) and the number list of its compared draw.
struct HitRow {
    int64_t issue = 0;
    std::array<int64_t, 8> values{};
    std::string list;
};

// The same display for hits a caller has already selected (in ascending
// SQQH, inside the range), e.g. from rows it evaluated in memory: fills both
// grids and rewrites Carcu exactly as JieguoXianshi does.
SearchResult JieguoXianshiRows(store::Database& db, const std::vector<HitRow>& hits, const DisplayOptions& options);

// Checks a display's options; throws StoreError for a result kind beyond
// 0..7, a scope beyond 0..2 or an order other than 'L'/'D'.
void checkDisplayOptions(const DisplayOptions& options);

}  // namespace qudrim::search
