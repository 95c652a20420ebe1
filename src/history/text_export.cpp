#include "history/text_export.h"

#include "history/export_file.h"
#include "history/history_line.h"

namespace qudrim::history {

std::string HistoryTextFileName(int64_t lastIssue)
{
    return "更新至" + std::to_string(lastIssue) + "期历史号码.txt";
}

std::string HistoryText(const std::vector<DrawRow>& rows)
{
    std::string text;
    text.reserve(rows.size() * (29 + kLineEnd.size()));
    for (const DrawRow& row : rows) {
        std::array<int, 7> numbers{};
        for (size_t i = 0; i < 7; ++i)
            numbers[i] = row.L[i + 1].A;
        text += PrintHisLine(row.issue, numbers);
        text += kLineEnd;
    }
    return text;
}

std::optional<std::filesystem::path> ExportHistoryText(const std::filesystem::path& folder,
                                                       const std::vector<DrawRow>& rows)
{
    if (rows.empty())
        return std::nullopt;
    const std::filesystem::path file = folder / PathFromUtf8(HistoryTextFileName(rows.back().issue));
    WriteFileAtomically(file, HistoryText(rows));
    return file;
}

}  // namespace qudrim::history
