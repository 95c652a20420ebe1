// The text export: the history as history lines with CR LF, the file named
// after the last issue, written whole or not at all.
#include "history/export_file.h"
#include "history/history_line.h"
#include "history/text_export.h"
#include "support/history_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

using namespace qudrim;
using namespace qudrim::history;
using qudrim::testing::TempFolder;

namespace fs = std::filesystem;

namespace {

DrawRow draw(int32_t issue, const std::array<int, 7>& numbers)
{
    DrawRow row;
    row.issue = issue;
    for (size_t i = 0; i < 7; ++i)
        row.L[i + 1].A = static_cast<int16_t>(numbers[i]);
    return row;
}

const std::vector<DrawRow> kSmall = {
    draw(2014014, {1, 2, 3, 4, 5, 6, 10}),
    draw(2014015, {38, 7, 12, 45, 3, 22, 49}),
    draw(2014016, {5, 12, 23, 34, 45, 49, 7}),
};

const std::string kSmallText =
    "2014014 01 02 03 04 05 06 10 \r\n"
    "2014015 38 07 12 45 03 22 49 \r\n"
    "2014016 05 12 23 34 45 49 07 \r\n";

std::string contentOf(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<std::string> namesIn(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(folder))
        names.push_back(utf8Of(e.path().filename()));
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

TEST(HistoryText, OneLineWithCrLfPerDrawOldestFirst)
{
    EXPECT_EQ(historyTextOf(kSmall), kSmallText);
    EXPECT_EQ(historyTextOf({}), "");
    EXPECT_EQ(historyTextFileName(2014016), "更新至2014016期历史号码.txt");
}

TEST(HistoryText, EveryLineReadsBackToItsDraw)
{
    const auto draws = qudrim::testing::syntheticHistory(300);
    std::vector<DrawRow> rows;
    for (const auto& d : draws)
        rows.push_back(draw(d.issue, d.numbers));
    std::istringstream in(historyTextOf(rows));
    std::string line;
    int32_t issue = 0;
    std::array<int, 7> numbers{};
    size_t n = 0;
    while (std::getline(in, line)) {
        ASSERT_LT(n, rows.size());
        ASSERT_FALSE(line.empty());
        ASSERT_EQ(line.back(), '\r');
        line.pop_back();
        EXPECT_EQ(line.size(), 29u);
        const ParsedLine parsed = ParseHisLine(line, issue, numbers);
        EXPECT_EQ(parsed.issue, draws[n].issue);
        EXPECT_EQ(parsed.numbers, draws[n].numbers);
        issue = parsed.issue;
        numbers = parsed.numbers;
        ++n;
    }
    EXPECT_EQ(n, rows.size());
}

TEST(ExportHistoryText, WritesTheFileNamedAfterTheLastIssue)
{
    TempFolder folder;
    const auto file = exportHistoryText(folder.path(), kSmall);
    ASSERT_TRUE(file);
    EXPECT_EQ(*file, folder.path() / pathFromUtf8("更新至2014016期历史号码.txt"));
    EXPECT_EQ(contentOf(*file), kSmallText);

    // Twice with the same last issue: the same one file, no temporary left.
    ASSERT_TRUE(exportHistoryText(folder.path(), kSmall));
    EXPECT_EQ(namesIn(folder.path()), std::vector<std::string>{"更新至2014016期历史号码.txt"});
    EXPECT_EQ(contentOf(*file), kSmallText);

    // A new draw: a second file beside the first, which stays as it was.
    auto longer = kSmall;
    longer.push_back(draw(2014017, {9, 8, 7, 6, 5, 4, 3}));
    const auto second = exportHistoryText(folder.path(), longer);
    ASSERT_TRUE(second);
    EXPECT_EQ(namesIn(folder.path()),
              (std::vector<std::string>{"更新至2014016期历史号码.txt", "更新至2014017期历史号码.txt"}));
    EXPECT_EQ(contentOf(*second), kSmallText + "2014017 09 08 07 06 05 04 03 \r\n");
    EXPECT_EQ(contentOf(*file), kSmallText);
}

TEST(ExportHistoryText, ReplacesALongerOldFileWhole)
{
    TempFolder folder;
    const fs::path file = folder.path() / pathFromUtf8(historyTextFileName(2014016));
    std::ofstream(file, std::ios::binary) << std::string(5000, 'x');
    ASSERT_TRUE(exportHistoryText(folder.path(), kSmall));
    EXPECT_EQ(contentOf(file), kSmallText);
}

TEST(ExportHistoryText, AnEmptyHistoryWritesNothing)
{
    TempFolder folder;
    EXPECT_FALSE(exportHistoryText(folder.path(), {}));
    EXPECT_TRUE(namesIn(folder.path()).empty());
}

TEST(ExportHistoryText, AFolderThatCannotBeWrittenChangesNothing)
{
    TempFolder folder;
    EXPECT_THROW(exportHistoryText(folder.path() / "missing", kSmall), ExportError);
    EXPECT_TRUE(namesIn(folder.path()).empty());

    // Something in the file's place that a file cannot replace.
    const fs::path blocked = folder.path() / pathFromUtf8(historyTextFileName(2014016));
    fs::create_directories(blocked / "inside");
    EXPECT_THROW(exportHistoryText(folder.path(), kSmall), ExportError);
    EXPECT_TRUE(fs::is_directory(blocked / "inside"));
    EXPECT_EQ(namesIn(folder.path()), std::vector<std::string>{"更新至2014016期历史号码.txt"});
}
