// The building blocks that both searches share: the substring a free
// position looks for, the values a tally lists and counts, the percentage
// text and the guard on column names.
#pragma once

#include "store/attribute_kind.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qudrim::search {

// What a free position with the value v looks for anywhere in the compared
// list: v in two digits for 号码 (the number only needs to occur), otherwise
// "tXv", t the times v must occur ("2X05": at least two entries of 05).
std::string occurrenceNeedle(Kind kind, int value, int times);

// The needles of the chosen positions 1..7 of a position search (none for
// positions not chosen and for values outside their kind's domain): the t of
// a position counts how many chosen positions so far asked for the same
// value, so that a value chosen m times needs m entries of it.
std::array<std::optional<std::string>, 8> freeNeedles(Kind kind, const std::array<bool, 8>& chosen,
                                                      const std::array<int16_t, 8>& values);

// Which of a few needles (at most eight, the conditions of one search or
// combination pool) a text holds anywhere. One pass over the text finds them
// all: each place is looked up by its first two characters, so that only
// needles beginning there are compared further.
class NeedleSet {
public:
    static constexpr size_t kMostNeedles = 8;

    // Throws std::invalid_argument for more than kMostNeedles needles.
    explicit NeedleSet(std::vector<std::string> needles);

    // Bit i set when needle i occurs in the text; an empty needle always does.
    uint32_t heldBy(std::string_view text) const;
    size_t size() const { return needles_.size(); }

private:
    std::vector<std::string> needles_;
    std::vector<uint8_t> byPair_;  // needles by their first two characters
    uint32_t short_ = 0;           // needles of fewer than two characters
};

// The values a tally of a result kind lists, ascending (the rows of Carcu).
std::vector<int> tallyValues(Kind kind, const CodeBases& bases);
// Whether a value found in a row has a counter in the tally of its kind:
// counters hold the values of either code base, and 号码 and 合数 also have
// one for 0, which no tally row lists.
bool tallyCounts(Kind kind, int value);

// Count × 100 / total with three decimals, rounded half up, and "%"; empty
// when the total is 0.
std::string percentText(int64_t count, int64_t total);

// Throws StoreError unless the name is a column of Lishi: the last guard
// before a name goes into a statement.
const std::string& checkedColumn(const std::string& name);

}  // namespace qudrim::search
