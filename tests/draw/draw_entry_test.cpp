// Checking a typed draw before it is stored.
#include "draw/draw_entry.h"

#include <gtest/gtest.h>

#include <limits>

using namespace qudrim;

namespace {

using Boxes = std::array<std::string, 7>;

const Boxes kValid = {"12", "05", "45", "23", "38", "34", "07"};

Boxes with(int box, const std::string& text)
{
    Boxes b = kValid;
    b[static_cast<size_t>(box - 1)] = text;
    return b;
}

}  // namespace

TEST(CheckEntry, CompleteValidDrawIsAccepted)
{
    const EntryCheck c = checkEntry(kValid, "2013017", 2013016);
    ASSERT_TRUE(c.draw.has_value()) << c.message;
    EXPECT_EQ(c.draw->issue, 2013017);
    EXPECT_EQ(c.draw->zodiacIssue, 2013017);  // the issue shown gives the zodiac year too
    EXPECT_EQ(c.draw->numbers, (std::array<int, 7>{12, 5, 45, 23, 38, 34, 7}));
    EXPECT_TRUE(c.message.empty());
}

TEST(CheckEntry, FaultyBoxesAreRefused)
{
    struct Case {
        const char* what;
        Boxes boxes;
        int faultyBox;
    };
    const Case cases[] = {
        {"one digit in a regular box", with(3, "5_"), 3},
        {"one digit in the special box", with(7, "5_"), 7},
        {"an empty box", with(1, "__"), 1},
        {"the second digit only", with(2, "_5"), 2},
        {"00", with(4, "00"), 4},
        {"00 as the special", with(7, "00"), 7},
        {"50", with(5, "50"), 5},
        {"99", with(6, "99"), 6},
        {"a repeated regular number", with(6, "05"), 6},
        {"the special repeats a regular number", with(7, "45"), 7},
        {"a box of three characters", with(1, "123"), 1},
        {"a box that lost its prompt", with(1, ""), 1},
        {"the first of two faulty boxes", [] { Boxes b = with(2, "__"); b[4] = "77"; return b; }(), 2},
    };
    for (const auto& c : cases) {
        const EntryCheck r = checkEntry(c.boxes, "2013017", 2013016);
        EXPECT_FALSE(r.draw.has_value()) << c.what;
        EXPECT_EQ(r.faultyBox, c.faultyBox) << c.what;
        EXPECT_FALSE(r.message.empty()) << c.what;
    }
}

TEST(CheckEntry, IssueMustBeAWholeNumberAfterTheLastStored)
{
    struct Case {
        const char* issueText;
        std::optional<int32_t> lastIssue;
        bool accepted;
    };
    const Case cases[] = {
        {"2013017", 2013016, true},
        {" 2013017 ", 2013016, true},
        {"2014001", 2013150, true},
        {"2013016", 2013016, false},  // equal to the last
        {"2013010", 2013016, false},  // before the last
        {"", 2013016, false},
        {"abc", 2013016, false},
        {"2013x17", 2013016, false},
        {"2013017.5", 2013016, false},
        {"-2013017", std::nullopt, false},
        {"0", std::nullopt, false},
        {"99999999999", std::nullopt, false},  // beyond 32 bits
        // An empty history takes any positive issue.
        {"1", std::nullopt, true},
        {"2026001", std::nullopt, true},
        {"2147483647", std::nullopt, true},
    };
    for (const auto& c : cases) {
        const EntryCheck r = checkEntry(kValid, c.issueText, c.lastIssue);
        EXPECT_EQ(r.draw.has_value(), c.accepted) << '"' << c.issueText << '"';
        if (!c.accepted) {
            EXPECT_EQ(r.faultyBox, 0) << '"' << c.issueText << '"';
            EXPECT_FALSE(r.message.empty()) << '"' << c.issueText << '"';
        }
    }
}

TEST(CheckEntry, BoxesAreCheckedBeforeTheIssue)
{
    const EntryCheck r = checkEntry(with(5, "6_"), "abc", 2013016);
    EXPECT_FALSE(r.draw.has_value());
    EXPECT_EQ(r.faultyBox, 5);
}

TEST(BoxNumber, ReadsTheDigitsItBeginsWith)
{
    struct Case {
        const char* text;
        int number;
    };
    const Case cases[] = {{"07", 7}, {"7_", 7}, {"_7", 0}, {"__", 0}, {"49", 49}, {"00", 0}, {"", 0}, {"99", 99}};
    for (const auto& c : cases)
        EXPECT_EQ(boxNumber(c.text), c.number) << '"' << c.text << '"';
}
