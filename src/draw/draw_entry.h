// Checking a typed draw before it is stored: seven two-digit numbers from
// 01 to 49, all different, under an issue after the last stored one.
#pragma once

#include "draw/row_builder.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace qudrim {

enum class EntryFault {
    None,
    Incomplete,       // a box does not hold two digits
    OutOfRange,       // a box's number is not 01..49
    Repeated,         // a box repeats the number of an earlier box
    IssueNotNumber,   // the issue box holds no positive whole number
    IssueNotAfter,    // the issue is not after the last stored one
};

// What the check found; the window puts the fault into words.
struct EntryCheck {
    std::optional<DrawInput> draw;  // set when the entry may be stored
    EntryFault fault = EntryFault::None;
    int faultyBox = 0;              // 1..7 for an entry box, 0 for the issue box
    int earlierBox = 0;             // Repeated: the box that holds the number first
    std::string boxText;            // OutOfRange, Repeated: the faulty box's text
    int64_t issue = 0;              // IssueNotAfter: the issue typed
    int32_t lastIssue = 0;          // IssueNotAfter: the last stored issue
};

// boxTexts are the texts of the seven boxes ("__" when empty, "5_" half typed);
// issueText the text of the issue box; lastIssue the last stored issue, if any.
EntryCheck checkEntry(const std::array<std::string, 7>& boxTexts, std::string_view issueText,
                      std::optional<int32_t> lastIssue);

// The number an entry box's text begins with, 0 when it begins with the prompt.
int boxNumber(std::string_view text);

}  // namespace qudrim
