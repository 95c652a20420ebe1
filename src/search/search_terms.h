// The building blocks that both searches share: which columns a search kind
// compares, the substring a free position looks for, the value of a result
// kind at a position, and the values a tally lists. Every column name handed
// out here comes from the fixed catalogue of Lishi.
#pragma once

#include "draw/tables.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qudrim::search {

// Whether a reference value can stand in the lists and columns of its kind
// (number 1..49, zodiac 0..12, head 0..4, tail 0..9, digit sum 1..13,
// segment 0..7, wave colour 0..3, odd/even 0..1; both code bases fit). A value
// outside is still a condition, one that no row meets.
bool referenceInRange(int kind, int value);

// The list column that describes the compared draw: txtHisLst + suffix of
// the kind against the previous draw, txtHisPreLst + suffix against the draw
// N before.
std::string comparedListColumn(int kind, bool previousDraw);
// The list of the draw just before a row, of the same kind: the source of
// the N-back lists.
std::string sourceListColumn(int kind);

// The text a free position looks for anywhere in the compared list, one entry
// per position 1..7 (empty for positions not chosen and for values out of
// range): the number in two digits for 号码, otherwise "kXv" where k counts
// how many chosen positions so far asked for the same value v, so that a value
// chosen m times needs m entries of it in the compared draw.
std::array<std::optional<std::string>, 8> freeNeedles(int kind, const std::array<bool, 8>& chosen,
                                                      const std::array<int16_t, 8>& values);

// The own columns a fixed position of a kind reads (stem + letter), and the
// copies written from them: E and F for 合数, A for 单双, the kind's letter
// otherwise.
std::vector<std::string> fixedLetters(int kind);

// An SQL expression over own columns of Lishi that yields the value of a
// result kind at a position: stem + letter, E + F for 合数, A % 2 for 单双.
std::string valueExpression(int kind, char prefix, int position);

// The values a tally of a result kind lists, ascending (the rows of Carcu).
std::vector<int> tallyValues(int kind, const CodeBases& bases);
// Whether a value found in a row has a counter in the tally of its kind.
bool tallyCounts(int kind, int value);

// Count × 100 / total with three decimals, rounded half up, and "%"; empty
// when the total is 0.
std::string percentText(int64_t count, int64_t total);

// Throws StoreError unless the name is a column of Lishi: the last guard
// before a name goes into a statement.
const std::string& checkedColumn(const std::string& name);

}  // namespace qudrim::search
