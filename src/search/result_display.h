// The result display shared by both searches: the matching draws of the
// issue range, and the tally of the result kind over them, as the core works
// them out. A grid turns a cell into text only when it is shown.
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

// One hit as the display needs it: the issue, the value of the result kind at
// positions 1..7 (index 0 unused) and the number list of its compared draw.
struct HitRow {
    int64_t issue = 0;
    std::array<int64_t, 8> values{};
    std::string list;
};

// One value of the result kind and how often the hits hold it.
struct TallyRow {
    int64_t value = 0;
    int64_t count = 0;
};

// Both grids as the search found them: the rows as values, and the texts
// their cells show, one cell at a time.
struct SearchResult {
    DisplayOptions display;       // what the names and headers depend on
    std::vector<HitRow> hits;     // ascending SQQH: MSFlexGrid2 rows 1..n
    std::vector<TallyRow> tally;  // by count, highest first, equal counts by ascending value: MSFlexGrid3 rows 1..m
    int64_t counted = 0;          // positions counted (hits x positions of the scope), the percentages' base
    size_t longestList = 0;       // the hit whose compared-draw list has the most characters (0 without hits)

    // The header rows of both grids. A result without hits, a default one
    // included, gives the headers the grids show before the first search.
    std::array<std::string, 10> hitHeader() const;
    std::array<std::string, 4> tallyHeader() const;
    // A value of the result kind as a cell shows it: empty for a code
    // without a name under the bases in force.
    std::string valueText(int64_t value) const;
    // The text of a cell of a hit's row (columns 0..9) or of a tally row
    // (columns 0..3); empty beyond the last column.
    std::string hitText(size_t row, int column) const;
    std::string tallyText(size_t row, int column) const;
    // For each column of the hits, the few texts among which its widest cell
    // lies in any font, so that a grid of thousands of rows is measured
    // without reading them: for a column of whole numbers, one text for
    // each digit, as many of it as the longest number has digits (any digit
    // may stand at any place); the names the result kind's values can take;
    // the longest compared-draw list. Empty without hits.
    std::array<std::vector<std::string>, 10> widestHitTexts() const;
};

// Tallies the result kind over the hits a search selected (in ascending
// SQQH, inside the range), in memory. Throws StoreError for options out of
// their range.
SearchResult resultOf(std::vector<HitRow> hits, const DisplayOptions& options);

// Empties Carcu and writes the tally into it, one row a value in ascending
// order, zero counts included. Runs inside the caller's transaction.
void writeCarcu(store::Database& db, std::vector<TallyRow> tally);

// Checks a display's options; throws StoreError for an unknown result kind,
// a scope beyond 0..2 or an unknown number order.
void checkDisplayOptions(const DisplayOptions& options);

}  // namespace qudrim::search
