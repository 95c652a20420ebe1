// The rules that turn the numbers of a draw into its stored attributes.
#pragma once

#include "draw/tables.h"
#include "store/history_row.h"

#include <array>

namespace qudrim {

// Attributes of one number 1..49 in the given zodiac year. A number outside
// 1..49 is a caller's fault and throws std::invalid_argument: it must never
// reach a table lookup.
Attr deriveNumber(int n, int32_t zodiacYear, const CodeBases& bases);

// Positions 1..6 sorted ascending (equal numbers keep both); 7 stays.
std::array<int, 7> ascendingOrder(std::array<int, 7> numbers);

// The own columns of a draw given in drawn order (index 0..5 regular, 6 special).
DrawRow deriveDraw(int32_t issue, const std::array<int, 7>& numbers, int32_t zodiacYear, const CodeBases& bases);

}  // namespace qudrim
