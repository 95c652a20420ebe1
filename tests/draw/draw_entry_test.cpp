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
    ASSERT_TRUE(c.draw.has_value()) << static_cast<int>(c.fault);
    EXPECT_EQ(c.draw->issue, 2013017);
    EXPECT_EQ(c.draw->zodiacIssue, 2013017);  // the issue shown gives the zodiac year too
    EXPECT_EQ(c.draw->numbers, (std::array<int, 7>{12, 5, 45, 23, 38, 34, 7}));
    EXPECT_EQ(c.fault, EntryFault::None);
}

TEST(CheckEntry, FaultyBoxesAreRefused)
{
    struct Case {
        const char* what;
        Boxes boxes;
        int faultyBox;
        EntryFault fault;
        int earlierBox = 0;
    };
    const Case cases[] = {
        {"one digit in a regular box", with(3, "5_"), 3, EntryFault::Incomplete},
        {"one digit in the special box", with(7, "5_"), 7, EntryFault::Incomplete},
        {"an empty box", with(1, "__"), 1, EntryFault::Incomplete},
        {"the second digit only", with(2, "_5"), 2, EntryFault::Incomplete},
        {"00", with(4, "00"), 4, EntryFault::OutOfRange},
        {"00 as the special", with(7, "00"), 7, EntryFault::OutOfRange},
        {"50", with(5, "50"), 5, EntryFault::OutOfRange},
        {"99", with(6, "99"), 6, EntryFault::OutOfRange},
        {"a repeated regular number", with(6, "05"), 6, EntryFault::Repeated, 2},
        {"the special repeats a regular number", with(7, "45"), 7, EntryFault::Repeated, 3},
        {"a box of three characters", with(1, "123"), 1, EntryFault::Incomplete},
        {"a box that lost its prompt", with(1, ""), 1, EntryFault::Incomplete},
        {"the first of two faulty boxes", [] { Boxes b = with(2, "__"); b[4] = "77"; return b; }(), 2,
         EntryFault::Incomplete},
    };
    for (const auto& c : cases) {
        const EntryCheck r = checkEntry(c.boxes, "2013017", 2013016);
        EXPECT_FALSE(r.draw.has_value()) << c.what;
        EXPECT_EQ(r.faultyBox, c.faultyBox) << c.what;
        EXPECT_EQ(r.fault, c.fault) << c.what;
        EXPECT_EQ(r.earlierBox, c.earlierBox) << c.what;
        EXPECT_EQ(r.boxText, c.boxes[static_cast<size_t>(c.faultyBox - 1)]) << c.what;
    }
}

TEST(CheckEntry, IssueMustBeAWholeNumberAfterTheLastStored)
{
    struct Case {
        const char* issueText;
        std::optional<int32_t> lastIssue;
        EntryFault fault;
    };
    const Case cases[] = {
        {"2013017", 2013016, EntryFault::None},
        {" 2013017 ", 2013016, EntryFault::None},
        {"2014001", 2013150, EntryFault::None},
        {"2013016", 2013016, EntryFault::IssueNotAfter},  // equal to the last
        {"2013010", 2013016, EntryFault::IssueNotAfter},  // before the last
        {"", 2013016, EntryFault::IssueNotNumber},
        {"abc", 2013016, EntryFault::IssueNotNumber},
        {"2013x17", 2013016, EntryFault::IssueNotNumber},
        {"2013017.5", 2013016, EntryFault::IssueNotNumber},
        {"-2013017", std::nullopt, EntryFault::IssueNotNumber},
        {"0", std::nullopt, EntryFault::IssueNotNumber},
        {"99999999999", std::nullopt, EntryFault::IssueNotNumber},  // beyond 32 bits
        // An empty history takes any positive issue.
        {"1", std::nullopt, EntryFault::None},
        {"2026001", std::nullopt, EntryFault::None},
        {"2147483647", std::nullopt, EntryFault::None},
    };
    for (const auto& c : cases) {
        const EntryCheck r = checkEntry(kValid, c.issueText, c.lastIssue);
        EXPECT_EQ(r.draw.has_value(), c.fault == EntryFault::None) << '"' << c.issueText << '"';
        EXPECT_EQ(r.fault, c.fault) << '"' << c.issueText << '"';
        if (c.fault != EntryFault::None) {
            EXPECT_EQ(r.faultyBox, 0) << '"' << c.issueText << '"';
        }
        if (c.fault == EntryFault::IssueNotAfter) {
            EXPECT_EQ(r.issue, std::stoll(c.issueText)) << '"' << c.issueText << '"';
            EXPECT_EQ(r.lastIssue, *c.lastIssue) << '"' << c.issueText << '"';
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
