#include "history/text_export.h"

#include "history/export_file.h"
#include "history/history_line.h"

namespace qudrim::history {

std::string historyTextFileName(int64_t lastIssue)
{
    return "更新至" + std::to_string(lastIssue) + "期历史号码.txt";
}

std::string historyTextOf(const std::vector<DrawRow>& rows)
{
    std::string text;
    text.reserve(rows.size() * (29 + kLineEnd.size()));
    for (const DrawRow& row : rows) {
        text += PrintHisLine(row.issue, row.numbers());
        text += kLineEnd;
    }
    return text;
}

std::optional<std::filesystem::path> exportHistoryText(const std::filesystem::path& folder,
                                                       const std::vector<DrawRow>& rows)
{
    if (rows.empty())
        return std::nullopt;
    const std::filesystem::path file = folder / pathFromUtf8(historyTextFileName(rows.back().issue));
    writeFileAtomically(file, historyTextOf(rows));
    return file;
}

}  // namespace qudrim::history
