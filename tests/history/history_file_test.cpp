// Reading a history text whole, with the line that stops it named by its
// physical line number, and writing one that reads back to the same draws.
#include "history/history_file.h"
#include "history/history_line.h"
#include "support/history_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

using namespace qudrim;
using namespace qudrim::history;

namespace {

constexpr int32_t kIssueBefore = 2014001;  // the next issue the window offers

std::string readBytes(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string lineOf(const DrawInput& d) { return PrintHisLine(d.issue, d.numbers) + "\r\n"; }

void writeBytes(const std::filesystem::path& file, const std::string& bytes)
{
    std::ofstream out(file, std::ios::binary);
    out << bytes;
}

// What a refusal says about its line, in the test's own shorthand.
std::string factsOf(const RefusedLine& r)
{
    switch (r.fault) {
    case LineFault::FewerThanSeven: return "count " + std::to_string(r.count);
    case LineFault::OutOfRange: return "out of range " + std::to_string(r.number);
    case LineFault::Repeated: return "repeated " + std::to_string(r.number);
    case LineFault::IssueNotAscending:
        return "issue " + std::to_string(r.issue) + " after " + std::to_string(r.previousIssue);
    }
    return {};
}

struct ReadCase {
    const char* name;
    std::string content;
    std::vector<int32_t> issues;  // the draws taken, when the text is taken
};

void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }

class ReadHistoryTextTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadHistoryTextTest, TakesTheDrawsOfTheText)
{
    const ReadCase& c = GetParam();
    const HistoryText text = readHistoryText(c.content, kIssueBefore);
    ASSERT_FALSE(text.refused) << "line " << text.refused->lineNumber << ": " << factsOf(*text.refused);
    std::vector<int32_t> issues;
    for (const DrawInput& d : text.draws) {
        issues.push_back(d.issue);
        EXPECT_EQ(d.zodiacIssue, d.issue);
    }
    EXPECT_EQ(issues, c.issues);
}

const std::string kLine1 = "2014016 05 12 23 34 45 49 07 ";
const std::string kLine2 = "2014017 01 02 03 04 05 06 10 ";
const std::string kLine3 = "2014018 11 22 33 44 48 09 08 ";

INSTANTIATE_TEST_SUITE_P(
    Texts, ReadHistoryTextTest,
    ::testing::Values(
        ReadCase{"CrLf", kLine1 + "\r\n" + kLine2 + "\r\n" + kLine3 + "\r\n", {2014016, 2014017, 2014018}},
        ReadCase{"LfOnly", kLine1 + "\n" + kLine2 + "\n" + kLine3 + "\n", {2014016, 2014017, 2014018}},
        ReadCase{"CrOnly", kLine1 + "\r" + kLine2 + "\r" + kLine3 + "\r", {2014016, 2014017, 2014018}},
        ReadCase{"LastLineWithoutEnd", kLine1 + "\r\n" + kLine2, {2014016, 2014017}},
        ReadCase{"ByteOrderMark", "\xEF\xBB\xBF" + kLine1 + "\r\n" + kLine2 + "\r\n", {2014016, 2014017}},
        // An empty or digitless line is no draw and no copy of the one before.
        ReadCase{"EmptyAndDigitlessLines",
                 "\r\n" + kLine1 + "\r\n\r\n   \r\n-----\r\n" + kLine2 + "\r\n\r\n", {2014016, 2014017}},
        // Without an issue field a line takes the issue after the line before
        // it; the first line the issue after the one the window offers.
        ReadCase{"NoIssueFields", "05 12 23 34 45 49 07\r\n01 02 03 04 05 06 10\r\n", {2014002, 2014003}},
        ReadCase{"NoIssueFieldAfterAnIssue", kLine1 + "\r\n01 02 03 04 05 06 10\r\n", {2014016, 2014017}},
        ReadCase{"SkippedLineLeavesTheIssueChain", kLine1 + "\r\n\r\n01 02 03 04 05 06 10\r\n", {2014016, 2014017}},
        // A line with issue 0 stores nothing; the next one counts on from it.
        ReadCase{"ZeroIssuePassedOver", "0000000 05 12 23 34 45 49 07\r\n01 02 03 04 05 06 10\r\n", {1}},
        ReadCase{"CommasAndNinePairs", "2014016,05,12,23,34,45,49,07,08,09\r\n", {2014016}},
        ReadCase{"Empty", "", {}},
        ReadCase{"OnlyBlankLines", "\r\n\r\n \r\n", {}}),
    [](const ::testing::TestParamInfo<ReadCase>& info) { return info.param.name; });

TEST(ReadHistoryText, TakesTheNumbersOfEachLine)
{
    const HistoryText text = readHistoryText(kLine1 + "\r\n" + kLine3 + "\r\n", kIssueBefore);
    ASSERT_EQ(text.draws.size(), 2u);
    EXPECT_EQ(text.draws[0].numbers, (std::array<int, 7>{5, 12, 23, 34, 45, 49, 7}));
    EXPECT_EQ(text.draws[1].numbers, (std::array<int, 7>{11, 22, 33, 44, 48, 9, 8}));
}

struct RefusalCase {
    const char* name;
    std::string content;
    int lineNumber;
    std::string lineText;
    LineFault fault;
    std::string facts;  // factsOf the refusal
};

void PrintTo(const RefusalCase& c, std::ostream* os) { *os << c.name; }

class RefusedTextTest : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(RefusedTextTest, NamesTheLineAndTakesNoDraw)
{
    const RefusalCase& c = GetParam();
    const HistoryText text = readHistoryText(c.content, kIssueBefore);
    EXPECT_TRUE(text.draws.empty());
    ASSERT_TRUE(text.refused);
    EXPECT_EQ(text.refused->lineNumber, c.lineNumber);
    EXPECT_EQ(text.refused->text, c.lineText);
    EXPECT_EQ(text.refused->fault, c.fault);
    EXPECT_EQ(factsOf(*text.refused), c.facts);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, RefusedTextTest,
    ::testing::Values(
        RefusalCase{"FivePairs", kLine1 + "\r\n2014017 01 02 03 04 05\r\n", 2, "2014017 01 02 03 04 05",
                    LineFault::FewerThanSeven, "count 5"},
        RefusalCase{"IssueAlone", kLine1 + "\r\n2014017\r\n", 2, "2014017", LineFault::FewerThanSeven,
                    "count 0"},
        // A six-digit issue shifts the numbers one place: six are left.
        RefusalCase{"SixDigitIssue", "201401 05 12 23 34 45 49 07\r\n", 1, "201401 05 12 23 34 45 49 07",
                    LineFault::FewerThanSeven, "count 6"},
        RefusalCase{"Fifty", kLine1 + "\r\n2014017 01 02 03 04 05 06 50\r\n", 2, "2014017 01 02 03 04 05 06 50",
                    LineFault::OutOfRange, "out of range 50"},
        RefusalCase{"Zero", "2014017 01 02 00 04 05 06 07\r\n", 1, "2014017 01 02 00 04 05 06 07",
                    LineFault::OutOfRange, "out of range 0"},
        RefusalCase{"Repeated", "2014017 01 02 03 04 05 06 03\r\n", 1, "2014017 01 02 03 04 05 06 03",
                    LineFault::Repeated, "repeated 3"},
        RefusalCase{"SameIssue", kLine1 + "\r\n" + kLine1 + "\r\n", 2, kLine1, LineFault::IssueNotAscending,
                    "issue 2014016 after 2014016"},
        RefusalCase{"LowerIssue", kLine2 + "\r\n" + kLine1 + "\r\n", 2, kLine1, LineFault::IssueNotAscending,
                    "issue 2014016 after 2014017"},
        // Every physical line counts, skipped ones and those of any line end.
        RefusalCase{"CountsSkippedLines", "\xEF\xBB\xBF\r\n" + kLine1 + "\r\n\r\n\n2014017 01 02\r\n", 5,
                    "2014017 01 02", LineFault::FewerThanSeven,
                    "count 2"},
        RefusalCase{"CountsCrOnlyLines", kLine1 + "\r\r" + kLine2 + "\r2014019 01 01 02 03 04 05 06\r", 4,
                    "2014019 01 01 02 03 04 05 06", LineFault::Repeated,
                    "repeated 1"},
        // A passed-over issue 0 still sets the next line's issue, now below the draws before.
        RefusalCase{"IssueAfterZeroIssue", kLine1 + "\r\n0000000 01 02\r\n01 02 03 04 05 06 10\r\n", 3,
                    "01 02 03 04 05 06 10", LineFault::IssueNotAscending,
                    "issue 1 after 2014016"}),
    [](const ::testing::TestParamInfo<RefusalCase>& info) { return info.param.name; });

TEST(HistoryFile, WritesLinesThatReadBackToTheSameDraws)
{
    qudrim::testing::TempFolder folder;
    const auto file = folder.path() / "lsbf.txt";
    const auto draws = qudrim::testing::syntheticHistory(300);
    writeHistoryFile(file, draws);

    const std::string bytes = readBytes(file);
    ASSERT_EQ(bytes.size(), draws.size() * 31);
    EXPECT_EQ(bytes.substr(0, 31), "2000001 " + bytes.substr(8, 21) + "\r\n");
    for (size_t k = 0; k < draws.size(); ++k)
        ASSERT_EQ(bytes.substr(k * 31 + 29, 2), "\r\n") << k;

    const HistoryText back = readHistoryFile(file, 0);
    ASSERT_FALSE(back.refused);
    ASSERT_EQ(back.draws.size(), draws.size());
    for (size_t k = 0; k < draws.size(); ++k) {
        EXPECT_EQ(back.draws[k].issue, draws[k].issue);
        EXPECT_EQ(back.draws[k].numbers, draws[k].numbers);
    }
}

TEST(HistoryFile, ReplacesTheFileWholeAndLeavesNothingBeside)
{
    qudrim::testing::TempFolder folder;
    const auto file = folder.path() / "lsbf.txt";
    writeBytes(file, "old content\r\n");
    const auto draws = qudrim::testing::syntheticHistory(2);
    writeHistoryFile(file, draws);
    EXPECT_EQ(readBytes(file), lineOf(draws[0]) + lineOf(draws[1]));
    writeHistoryFile(file, {});
    EXPECT_EQ(readBytes(file), "");
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
        names.push_back(entry.path().filename().string());
    EXPECT_EQ(names, std::vector<std::string>{"lsbf.txt"});
}

TEST(HistoryFile, AFileThatCannotBeWrittenStaysAsItWas)
{
    qudrim::testing::TempFolder folder;
    // A folder under the file's name cannot be replaced by a file.
    const auto blocked = folder.path() / "lsbf.txt";
    std::filesystem::create_directory(blocked);
    writeBytes(blocked / "inside", "kept");
    EXPECT_THROW(writeHistoryFile(blocked, qudrim::testing::syntheticHistory(3)), HistoryFileError);
    EXPECT_TRUE(std::filesystem::is_directory(blocked));
    EXPECT_EQ(readBytes(blocked / "inside"), "kept");
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "lsbf.txt.new"));
    // A folder that does not exist.
    EXPECT_THROW(writeHistoryFile(folder.path() / "missing" / "lsbf.txt", {}), HistoryFileError);
}

TEST(HistoryFile, AMissingFileOrAFolderCannotBeRead)
{
    qudrim::testing::TempFolder folder;
    EXPECT_THROW(readHistoryFile(folder.path() / "none.txt", 0), HistoryFileError);
    EXPECT_THROW(readHistoryFile(folder.path(), 0), HistoryFileError);
}

}  // namespace

// A write killed between its temporary file and the rename leaves the
// temporary file; the next write of the same target removes it, and only
// files named as the program names its own.
TEST(HistoryFile, AWriteRemovesTheTemporaryFilesOfEarlierWritesThatWereKilled)
{
    qudrim::testing::TempFolder folder;
    const auto file = folder.path() / "lsbf.txt";
    const std::vector<std::string> stale = {".lsbf.txt.0123abcd.tmp", ".lsbf.txt.ffffffff.tmp"};
    const std::vector<std::string> others = {
        ".lsbf.txt.0123abcd.tmp.keep", ".lsbf.txt.0123ABCD.tmp", ".lsbf.txt.0123abc.tmp", ".lsbf.txt.0123abcde.tmp",
        "lsbf.txt.0123abcd.tmp",       ".lishi.xlsx.0123abcd.tmp", ".lsbf.txt.0123abcd.txt", "mine.txt"};
    for (const auto& name : stale)
        writeBytes(folder.path() / name, "left by a write that was killed");
    for (const auto& name : others)
        writeBytes(folder.path() / name, "not ours");

    writeHistoryFile(file, qudrim::testing::syntheticHistory(2));

    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
        names.push_back(entry.path().filename().string());
    std::vector<std::string> expected = others;
    expected.push_back("lsbf.txt");
    std::sort(names.begin(), names.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(names, expected);
}

TEST(HistoryFile, TellsHowFarItHasLoadedAndCheckedAndStopsWhenCalledOff)
{
    qudrim::testing::TempFolder folder;
    const auto file = folder.path() / "long.txt";
    writeHistoryFile(file, qudrim::testing::syntheticHistory(90000));
    const size_t size = std::filesystem::file_size(file);
    ASSERT_GT(size, 2u * 1024 * 1024);

    std::vector<std::pair<ProgressStep, size_t>> heard;
    const HistoryText all = readHistoryFile(file, 0, [&](ProgressStep step, size_t done, size_t total) {
        EXPECT_EQ(total, size);
        heard.emplace_back(step, done);
        return true;
    });
    EXPECT_EQ(all.draws.size(), 90000u);
    EXPECT_FALSE(all.cancelled);
    // Loading from 0, then checking from 0, each a few times on the way.
    const auto firstCheck = std::find_if(heard.begin(), heard.end(),
                                         [](const auto& h) { return h.first == ProgressStep::Checking; });
    ASSERT_NE(firstCheck, heard.end());
    const std::vector<std::pair<ProgressStep, size_t>> loading(heard.begin(), firstCheck);
    const std::vector<std::pair<ProgressStep, size_t>> checking(firstCheck, heard.end());
    ASSERT_GE(loading.size(), 3u);
    ASSERT_GE(checking.size(), 3u);
    EXPECT_EQ(loading.front().second, 0u);
    EXPECT_EQ(checking.front().second, 0u);
    for (const auto* part : {&loading, &checking}) {
        EXPECT_TRUE(std::is_sorted(part->begin(), part->end()));
        EXPECT_TRUE(std::all_of(part->begin(), part->end(), [&](const auto& h) {
            return h.first == part->front().first && h.second <= size;
        }));
    }

    // Called off while loading, and while checking.
    for (size_t stopAt : {size_t{1}, loading.size() + 1}) {
        size_t calls = 0;
        const HistoryText stopped =
            readHistoryFile(file, 0, [&](ProgressStep, size_t, size_t) { return ++calls <= stopAt; });
        EXPECT_TRUE(stopped.cancelled) << stopAt;
        EXPECT_TRUE(stopped.draws.empty()) << stopAt;
        EXPECT_EQ(calls, stopAt + 1);
    }
}
