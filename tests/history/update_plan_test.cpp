// Planning an online update: the keep-years rule, the last issue, the years
// whose pages are read, and what the pages read do to the history.
#include "history/update_plan.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <vector>

using namespace qudrim::history;
using qudrim::DrawInput;
using qudrim::HistoryWrite;

namespace {

struct PlanCase {
    const char* name;
    std::optional<int32_t> oldest, newest;
    int yearsKept;
    int32_t currentYear;
    bool replace;
    int32_t lastIssue;
    std::vector<int32_t> years;
};

void PrintTo(const PlanCase& c, std::ostream* os) { *os << c.name; }

class PlanUpdateTest : public ::testing::TestWithParam<PlanCase> {};

TEST_P(PlanUpdateTest, Plans)
{
    const PlanCase& c = GetParam();
    const UpdatePlan plan = planUpdate(c.oldest, c.newest, c.yearsKept, c.currentYear);
    EXPECT_EQ(plan.replaceHistory, c.replace);
    EXPECT_EQ(plan.lastIssue, c.lastIssue);
    EXPECT_EQ(plan.endYear, c.currentYear);
    EXPECT_EQ(plan.years(), c.years);
}

INSTANTIATE_TEST_SUITE_P(
    Histories, PlanUpdateTest,
    ::testing::Values(
        PlanCase{"EmptyHistoryReadsTheKeptYearsAndThisOne", std::nullopt, std::nullopt, 6, 2016, false, 0,
                 {2010, 2011, 2012, 2013, 2014, 2015, 2016}},
        PlanCase{"OldestExactlyTheKeptYearsOldIsKept", 2010001, 2016040, 6, 2016, false, 2016040, {2016}},
        PlanCase{"OldestOneYearMoreReplacesTheHistory", 2009150, 2016040, 6, 2016, true, 0,
                 {2010, 2011, 2012, 2013, 2014, 2015, 2016}},
        PlanCase{"NewestLastYearReadsLastYearAndThisOne", 2012001, 2015150, 6, 2016, false, 2015150,
                 {2015, 2016}},
        PlanCase{"NewestBefore2013StartsIn2013", 2011001, 2011150, 6, 2016, false, 2011150,
                 {2013, 2014, 2015, 2016}},
        PlanCase{"NewestBefore2013AndCurrentYearBefore2013", 2010001, 2011150, 6, 2012, false, 2011150, {}},
        PlanCase{"StartYearAfterTheCurrentYearReadsNothing", 2016001, 2016100, 6, 2015, false, 2016100, {}},
        PlanCase{"OtherYearsKept", 2013001, 2016100, 2, 2016, true, 0, {2014, 2015, 2016}},
        PlanCase{"SixteenYearsKept", 2000001, 2016100, 16, 2016, false, 2016100, {2016}}),
    [](const ::testing::TestParamInfo<PlanCase>& info) { return info.param.name; });

DrawInput draw(int32_t issue)
{
    DrawInput d;
    d.issue = issue;
    d.zodiacIssue = issue;
    d.numbers = {1, 2, 3, 4, 5, 6, 7};
    return d;
}

std::vector<int32_t> issues(const std::vector<DrawInput>& draws)
{
    std::vector<int32_t> out;
    for (const DrawInput& d : draws)
        out.push_back(d.issue);
    return out;
}

const UpdatePlan kAppend = planUpdate(2015001, 2015100, 6, 2016);       // years 2015, 2016
const UpdatePlan kReplace = planUpdate(2008001, 2016010, 2, 2016);      // years 2014 .. 2016

}  // namespace

TEST(GatherUpdate, AppendsTheDrawsOfEveryPageInOrder)
{
    const std::vector<std::vector<DrawInput>> pages = {{draw(2015101), draw(2015102)}, {draw(2016001)}};
    const UpdateWrite w = gatherUpdate(kAppend, pages);
    EXPECT_TRUE(w.changesHistory);
    EXPECT_EQ(w.mode, HistoryWrite::Append);
    EXPECT_EQ(issues(w.draws), (std::vector<int32_t>{2015101, 2015102, 2016001}));
}

TEST(GatherUpdate, AppendKeepsThePagesBeforeOneThatFailed)
{
    const std::vector<std::vector<DrawInput>> pages = {{draw(2015101)}};
    const UpdateWrite w = gatherUpdate(kAppend, pages);
    EXPECT_TRUE(w.changesHistory);
    EXPECT_EQ(issues(w.draws), (std::vector<int32_t>{2015101}));
}

TEST(GatherUpdate, NothingNewChangesNothing)
{
    const std::vector<std::vector<DrawInput>> pages = {{}, {}};
    EXPECT_FALSE(gatherUpdate(kAppend, pages).changesHistory);
    EXPECT_FALSE(gatherUpdate(kAppend, {}).changesHistory);
}

TEST(GatherUpdate, IssuesNotAboveTheOneBeforeAreLeftOut)
{
    // A page that lists an issue twice, or out of order.
    const std::vector<std::vector<DrawInput>> pages = {
        {draw(2015101), draw(2015103), draw(2015102), draw(2015103), draw(2015104)}, {draw(2016001)}};
    EXPECT_EQ(issues(gatherUpdate(kAppend, pages).draws),
              (std::vector<int32_t>{2015101, 2015103, 2015104, 2016001}));
}

TEST(GatherUpdate, ReplacesTheHistoryOnlyWhenEveryPageWasRead)
{
    const std::vector<std::vector<DrawInput>> all = {{draw(2014001)}, {}, {draw(2016001), draw(2016002)}};
    const UpdateWrite w = gatherUpdate(kReplace, all);
    EXPECT_TRUE(w.changesHistory);
    EXPECT_EQ(w.mode, HistoryWrite::ReplaceAll);
    EXPECT_EQ(issues(w.draws), (std::vector<int32_t>{2014001, 2016001, 2016002}));

    const std::vector<std::vector<DrawInput>> lastPageMissing = {{draw(2014001)}, {draw(2015001)}};
    EXPECT_FALSE(gatherUpdate(kReplace, lastPageMissing).changesHistory);

    const std::vector<std::vector<DrawInput>> allEmpty = {{}, {}, {}};
    EXPECT_FALSE(gatherUpdate(kReplace, allEmpty).changesHistory);
}

namespace {

struct FollowCase {
    const char* name;
    int32_t year;
    int32_t newest;  // stored, or taken from the pages before
    std::vector<int32_t> page;
    std::optional<int32_t> missing;
    bool pastYear = false;
};

void PrintTo(const FollowCase& c, std::ostream* os) { *os << c.name; }

class FirstMissingIssueTest : public ::testing::TestWithParam<FollowCase> {};

TEST_P(FirstMissingIssueTest, FindsTheHole)
{
    const FollowCase& c = GetParam();
    std::vector<DrawInput> page;
    for (int32_t issue : c.page)
        page.push_back(draw(issue));
    EXPECT_EQ(firstMissingIssue(c.year, c.newest, page, c.pastYear), c.missing);
}

INSTANTIATE_TEST_SUITE_P(
    Pages, FirstMissingIssueTest,
    ::testing::Values(
        FollowCase{"FollowsTheNewestStored", 2016, 2016040, {2016041, 2016042}, std::nullopt},
        FollowCase{"SkipsAnIssue", 2016, 2016040, {2016041, 2016043, 2016044}, 2016042},
        FollowCase{"FirstDoesNotFollowTheNewest", 2016, 2016040, {2016061, 2016062}, 2016041},
        FollowCase{"NothingNew", 2016, 2016040, {}, std::nullopt},
        FollowCase{"DrawsUpToTheNewestArePassedOver", 2016, 2016040, {2016039, 2016040, 2016041}, std::nullopt},
        FollowCase{"ARepeatedIssueIsLeftOut", 2016, 2016040, {2016041, 2016041, 2016042}, std::nullopt},
        FollowCase{"DrawsOutOfOrderLeaveAHole", 2016, 2016040, {2016041, 2016043, 2016042}, 2016042},
        FollowCase{"ALaterYearStartsAt001", 2016, 2015150, {2016001, 2016002}, std::nullopt},
        FollowCase{"ALaterYearThatDoesNotStartAt001", 2016, 2015150, {2016002, 2016003}, 2016001},
        FollowCase{"AYearAfterAGap", 2016, 2011150, {2016001}, std::nullopt},
        FollowCase{"AnEmptyHistoryStartsAt001", 2010, 0, {2010001, 2010002}, std::nullopt},
        FollowCase{"AnEmptyHistoryNotStartingAt001", 2010, 0, {2010003}, 2010001},
        FollowCase{"ARowOfIssue000", 2016, 2015150, {2016000, 2016001}, 2016001},
        FollowCase{"APastYearWithoutDraws", 2016, 2015150, {}, 2016001, true},
        FollowCase{"APastYearAlreadyStored", 2016, 2016150, {}, std::nullopt, true},
        // Before the first draw: a year before the results site's first one.
        FollowCase{"ALeadingPastYearWithoutDraws", 1992, 0, {}, std::nullopt, true}),
    [](const ::testing::TestParamInfo<FollowCase>& info) { return info.param.name; });

}  // namespace
