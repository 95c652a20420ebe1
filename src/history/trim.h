// Trimming the history from its end: reading the user's answer, choosing the
// draws to keep, and making sure they come back unchanged from the backup
// file that the history is rebuilt from.
#pragma once

#include "draw/row_builder.h"
#include "store/history_store.h"

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace qudrim::history {

struct TrimAnswer {
    enum class Kind {
        Nothing,    // Cancel, an empty answer, 0 or below: nothing happens
        NotNumber,  // not a whole number (or beyond any issue): an input error
        Value,      // a whole number above 0
    };
    Kind kind = Kind::Nothing;
    int32_t value = 0;
};

// Blanks around the answer are allowed, and a sign; digits only otherwise.
TrimAnswer ReadTrimAnswer(std::string_view text);

// Every stored draw up to and including `lastKept`, in issue order.
std::vector<DrawInput> DrawsUpToIssue(const store::Snapshot& history, int32_t lastKept);

// Every stored draw but the last `dropped` ones, in issue order.
std::vector<DrawInput> DrawsWithoutLast(const store::Snapshot& history, int32_t dropped);

// The first draw whose history line does not read back to the same issue and
// numbers (an issue of other than seven digits), or null when every one does.
const DrawInput* FirstDrawNotReadBack(std::span<const DrawInput> draws);

}  // namespace qudrim::history
