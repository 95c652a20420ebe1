// Checking a typed draw before it is stored: seven two-digit numbers from
// 01 to 49, all different, under an issue after the last stored one.
#pragma once

#include "draw/row_builder.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace qudrim {

struct EntryCheck {
    std::optional<DrawInput> draw;  // set when the entry may be stored
    int faultyBox = 0;              // 1..7 for an entry box, 0 for the issue box
    std::string message;            // what is wrong, for the user
};

// boxTexts are the texts of the seven boxes ("__" when empty, "5_" half typed);
// issueText the text of the issue box; lastIssue the last stored issue, if any.
EntryCheck checkEntry(const std::array<std::string, 7>& boxTexts, std::string_view issueText,
                      std::optional<int32_t> lastIssue);

// The number an entry box's text begins with, 0 when it begins with the prompt.
int boxNumber(std::string_view text);

}  // namespace qudrim
