// The history line: writing a draw, and the lenient reading rule with the
// previous line's issue and numbers filling in what a line does not give.
#include "history/history_line.h"

#include <gtest/gtest.h>

#include <string>

using qudrim::history::ParseHisLine;
using qudrim::history::PrintHisLine;

namespace {

using Numbers = std::array<int, 7>;
const Numbers kPrevious = {1, 2, 3, 4, 5, 6, 7};
constexpr int32_t kPreviousIssue = 2014015;

struct LineCase {
    const char* name;
    std::string line;
    int32_t issue;
    Numbers numbers;
    int pairs;
};

class ParseHisLineTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(ParseHisLineTest, ReadsIssueAndNumbers)
{
    const LineCase& c = GetParam();
    const auto parsed = ParseHisLine(c.line, kPreviousIssue, kPrevious);
    EXPECT_EQ(parsed.issue, c.issue);
    EXPECT_EQ(parsed.numbers, c.numbers);
    EXPECT_EQ(parsed.pairs, c.pairs);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ParseHisLineTest,
    ::testing::Values(
        LineCase{"Standard", "2014016 05 12 23 34 45 49 07 ", 2014016, {5, 12, 23, 34, 45, 49, 7}, 7},
        LineCase{"NoTrailingBlank", "2014016 05 12 23 34 45 49 07", 2014016, {5, 12, 23, 34, 45, 49, 7}, 7},
        LineCase{"BlanksAround", "   2014016 05 12 23 34 45 49 07    ", 2014016, {5, 12, 23, 34, 45, 49, 7}, 7},
        LineCase{"NoIssueField", "05 12 23 34 45 49 07", 2014016, {5, 12, 23, 34, 45, 49, 7}, 7},
        LineCase{"FivePairs", "2014016 05 12 23 34 45", 2014016, {5, 12, 23, 34, 45, 6, 7}, 5},
        LineCase{"Empty", "", 2014016, {1, 2, 3, 4, 5, 6, 7}, 0},
        LineCase{"NinePairs", "2014016 05 12 23 34 45 49 07 08 09", 2014016, {5, 12, 23, 34, 45, 49, 7}, 9},
        LineCase{"Commas", "2014016,05,12,23,34,45,49,07", 2014016, {5, 12, 23, 34, 45, 49, 7}, 7},
        LineCase{"SixDigitIssue", "201401 05 12 23 34 45 49 07", 201401, {12, 23, 34, 45, 49, 7, 7}, 6},
        LineCase{"BlankInsideIssue", "2014 016 05 12", 2014016, {20, 14, 1, 5, 12, 6, 7}, 5},
        LineCase{"ZeroIssue", "0000000 05 12 23 34 45 49 07", 0, {5, 12, 23, 34, 45, 49, 7}, 7},
        LineCase{"ByteOrderMarkInFront", "\xEF\xBB\xBF" "2014016 05 12 23 34 45 49 07", 2014016,
                 {20, 14, 1, 5, 12, 23, 34}, 10},
        LineCase{"LongDigitRuns", "2014016 1234 567", 2014016, {12, 34, 56, 4, 5, 6, 7}, 3}),
    [](const ::testing::TestParamInfo<LineCase>& info) { return info.param.name; });

TEST(PrintHisLine, WritesTwentyNineCharactersWithTwoDigitNumbers)
{
    const std::string line = PrintHisLine(2014016, {5, 12, 23, 34, 45, 49, 7});
    EXPECT_EQ(line, "2014016 05 12 23 34 45 49 07 ");
    EXPECT_EQ(line.size(), 29u);
}

TEST(PrintHisLine, ReadsBackToTheSameDraw)
{
    const Numbers draws[] = {{1, 9, 10, 11, 48, 49, 2}, {49, 48, 47, 1, 2, 3, 10}};
    for (const Numbers& n : draws) {
        const auto parsed = ParseHisLine(PrintHisLine(2025134, n), 0, {});
        EXPECT_EQ(parsed.issue, 2025134);
        EXPECT_EQ(parsed.numbers, n);
    }
}

}  // namespace
