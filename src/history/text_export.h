// The text export: the history as a file of history lines, oldest draw
// first, named after the last issue ("更新至2014016期历史号码.txt"). The file
// can be read back by the text import.
#pragma once

#include "store/history_row.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace qudrim::history {

// The export file's name, in UTF-8.
std::string historyTextFileName(int64_t lastIssue);

// One history line with CR LF per row, in the order given.
std::string historyTextOf(const std::vector<DrawRow>& rows);

// Writes the rows (ascending by issue, as the read view gives them) to the
// export file in `folder`, replacing a file of the same name whole. Returns
// the file's path, or nothing for an empty history, which writes no file.
// Throws ExportError, and then has changed nothing.
std::optional<std::filesystem::path> exportHistoryText(const std::filesystem::path& folder,
                                                       const std::vector<DrawRow>& rows);

}  // namespace qudrim::history
