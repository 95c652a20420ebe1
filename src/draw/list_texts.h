// The list texts of a draw: the number list and the seven occurrence lists
// that the free-position search matches with one pattern per position.
#pragma once

#include "store/history_row.h"

#include <array>
#include <string>

namespace qudrim {

// Indexed by attribute kind 0..7: number, zodiac, head, tail, digit sum,
// segment, wave colour, odd/even.
using ListTexts = std::array<std::string, 8>;

// Whether the value text of a kind has two digits (number, zodiac, digit
// sum, wave colour).
bool listValueHasTwoDigits(Kind kind);

// The value text of a kind as the lists and the search patterns write it.
std::string listValueText(Kind kind, int value);

// Builds the eight lists of a draw: the number list in drawn order, the
// occurrence lists over positions 1..6 ascending and then the special
// number. A value outside its kind's domain gets no entry.
ListTexts BuildHisLst(const DrawRow& draw);

}  // namespace qudrim
