// The online update run without a window or a server: pages from a fake
// source, stored in a real history file. It stops at the first page that
// fails, replaces the history under the keep-years rule only when every page
// was read, stores nothing when cancelled or refused, and refuses a year
// whose new draws leave a hole.
#include "history/results_page_fixture.h"
#include "history/update_run.h"
#include "store/lishi_rows.h"
#include "support/history_fixture.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

using namespace qudrim;
using namespace qudrim::history;
using qudrim::testing::drawsOf;
using qudrim::testing::joined;
using qudrim::testrows::StoredRow;

namespace {

constexpr CodeBases kBases{};

PageFetch pageOf(const std::string& html, const std::string& contentType = "text/html; charset=utf-8")
{
    PageFetch f;
    f.outcome = PageFetch::Outcome::Read;
    f.body = html;
    f.contentType = contentType;
    return f;
}

PageFetch pageOf(const std::vector<DrawInput>& draws)
{
    return pageOf(qudrim::testing::resultsPage(qudrim::testing::pageRows(draws)));
}

PageFetch failed()
{
    PageFetch f;
    f.reason = "the source's reason";
    f.detail = "the source's detail";
    return f;
}

PageFetch missing()
{
    PageFetch f = failed();
    f.outcome = PageFetch::Outcome::Missing;
    f.reason = "no such page";
    return f;
}

PageFetch cancelled()
{
    PageFetch f;
    f.outcome = PageFetch::Outcome::Cancelled;
    return f;
}

class FakePages final : public ResultsPageSource {
public:
    std::map<int32_t, PageFetch> pages;  // a year without a page fails
    std::vector<int32_t> asked;

    PageFetch fetch(int32_t year) override
    {
        asked.push_back(year);
        const auto it = pages.find(year);
        return it == pages.end() ? failed() : it->second;
    }
};

class UpdateRun : public ::testing::Test {
protected:
    UpdateRun() : store(folder.path()) { store.open(); }

    void store_(const std::vector<DrawInput>& draws) { AddLishi(store, draws, kBases); }
    std::vector<StoredRow> rows() { return testrows::readLishi(store.db()); }
    // What the history holds after `draws` were typed into an empty program.
    static std::vector<StoredRow> typedRows(const std::vector<DrawInput>& draws)
    {
        qudrim::testing::TempFolder other;
        store::HistoryStore typed(other.path());
        qudrim::testing::fillStore(typed, draws, kBases);
        return testrows::readLishi(typed.db());
    }
    UpdateOutcome run(int yearsKept, int32_t currentYear)
    {
        const store::Snapshot view = store.snapshot();
        std::optional<int32_t> oldest, newest;
        if (!view.empty()) {
            oldest = view.row(0).issue;
            newest = view.last()->issue;
        }
        return runOnlineUpdate(store, planUpdate(oldest, newest, yearsKept, currentYear), kBases, source);
    }

    qudrim::testing::TempFolder folder;
    store::HistoryStore store;
    FakePages source;
};

TEST_F(UpdateRun, AppendsTheNewDrawsOfEveryPageAsTypingThemWould)
{
    store_(drawsOf(2015, 1, 10));
    source.pages[2015] = pageOf(drawsOf(2015, 1, 14));
    source.pages[2016] = pageOf(drawsOf(2016, 1, 3));

    const UpdateOutcome out = run(6, 2016);

    EXPECT_EQ(out.fault, UpdateFault::None);
    EXPECT_EQ(source.asked, (std::vector<int32_t>{2015, 2016}));
    EXPECT_EQ(out.pagesRead, 2u);
    EXPECT_EQ(out.stored, 7u);
    EXPECT_EQ(rows(), typedRows(joined({drawsOf(2015, 1, 14), drawsOf(2016, 1, 3)})));
}

TEST_F(UpdateRun, StopsAtTheFirstPageThatFailsAndKeepsThePagesBeforeIt)
{
    store_(drawsOf(2014, 1, 3));
    source.pages[2014] = pageOf(drawsOf(2014, 1, 6));
    source.pages[2016] = pageOf(drawsOf(2016, 1, 2));  // never asked for

    const UpdateOutcome out = run(6, 2016);

    EXPECT_EQ(out.fault, UpdateFault::PageNotFetched);
    EXPECT_EQ(out.year, 2015);
    EXPECT_EQ(out.reason, "the source's reason");
    EXPECT_EQ(out.detail, "the source's detail");
    EXPECT_EQ(source.asked, (std::vector<int32_t>{2014, 2015}));
    EXPECT_EQ(out.pagesRead, 1u);
    EXPECT_EQ(out.stored, 3u);
    EXPECT_EQ(rows(), typedRows(drawsOf(2014, 1, 6)));
}

TEST_F(UpdateRun, APageWithoutTheTableStopsTheRun)
{
    store_(drawsOf(2015, 1, 3));
    source.pages[2015] = pageOf("<html><body><p>维护中</p></body></html>");
    const auto before = rows();

    const UpdateOutcome out = run(6, 2016);

    EXPECT_EQ(out.fault, UpdateFault::PageUnreadable);
    EXPECT_EQ(out.problem, PageProblem::NoTable);
    EXPECT_EQ(out.year, 2015);
    EXPECT_EQ(out.pagesRead, 0u);
    EXPECT_EQ(source.asked, (std::vector<int32_t>{2015}));
    EXPECT_EQ(rows(), before);
}

TEST_F(UpdateRun, TheKeepYearsRuleReplacesTheHistoryOnlyWhenEveryPageIsRead)
{
    // The oldest stored draw is three years old, one more than kept.
    const auto stored = joined({drawsOf(2013, 1, 4), drawsOf(2014, 1, 2)});
    store_(stored);
    source.pages[2014] = pageOf(drawsOf(2014, 1, 3));
    source.pages[2016] = pageOf(drawsOf(2016, 1, 2));
    const auto before = rows();

    // 2015 missing: nothing changes, and the page after it is not asked for.
    const UpdateOutcome missing = run(2, 2016);
    EXPECT_EQ(missing.fault, UpdateFault::PageNotFetched);
    EXPECT_EQ(missing.year, 2015);
    EXPECT_EQ(missing.pagesRead, 1u);
    EXPECT_EQ(missing.stored, 0u);
    EXPECT_EQ(source.asked, (std::vector<int32_t>{2014, 2015}));
    EXPECT_EQ(rows(), before);

    // Every page read: the pages' draws are the whole history.
    source.pages[2015] = pageOf(drawsOf(2015, 1, 1));
    source.asked.clear();
    const UpdateOutcome all = run(2, 2016);
    EXPECT_EQ(all.fault, UpdateFault::None);
    EXPECT_EQ(source.asked, (std::vector<int32_t>{2014, 2015, 2016}));
    EXPECT_EQ(all.stored, 6u);
    EXPECT_EQ(rows(), typedRows(joined({drawsOf(2014, 1, 3), drawsOf(2015, 1, 1), drawsOf(2016, 1, 2)})));
}

TEST_F(UpdateRun, CancelStoresNothingEvenAfterPagesWereRead)
{
    store_(drawsOf(2015, 1, 3));
    source.pages[2015] = pageOf(drawsOf(2015, 1, 8));
    source.pages[2016] = cancelled();
    const auto before = rows();

    const UpdateOutcome out = run(6, 2016);

    EXPECT_EQ(out.fault, UpdateFault::Cancelled);
    EXPECT_EQ(out.stored, 0u);
    EXPECT_EQ(rows(), before);
}

TEST_F(UpdateRun, ADatabaseThatRefusesARowKeepsTheHistoryAsItWas)
{
    store_(drawsOf(2015, 1, 3));
    store.db().exec("CREATE TRIGGER refuse BEFORE INSERT ON Lishi WHEN NEW.SQQH = 2015006 "
                    "BEGIN SELECT RAISE(ABORT, 'refused'); END;");
    source.pages[2015] = pageOf(drawsOf(2015, 1, 8));
    source.pages[2016] = pageOf(std::vector<DrawInput>{});
    const auto before = rows();

    const UpdateOutcome out = run(6, 2016);

    EXPECT_EQ(out.fault, UpdateFault::StoreRefused);
    EXPECT_EQ(out.drawsFound, 5u);
    EXPECT_EQ(out.stored, 0u);
    EXPECT_NE(out.detail.find("refused"), std::string::npos) << out.detail;
    EXPECT_EQ(rows(), before);
}

// A year whose new draws do not follow on is a page that could not be read:
// nothing of it is stored, the years before it are kept, and the pages
// after it are not asked for.
struct HoleCase {
    const char* name;
    std::vector<DrawInput> page2016;
    int32_t firstMissing;
};

void PrintTo(const HoleCase& c, std::ostream* os) { *os << c.name; }

class HoleTest : public UpdateRun, public ::testing::WithParamInterface<HoleCase> {};

TEST_P(HoleTest, RefusesTheYear)
{
    const HoleCase& c = GetParam();
    store_(drawsOf(2015, 1, 10));
    source.pages[2015] = pageOf(drawsOf(2015, 1, 12));
    source.pages[2016] = pageOf(c.page2016);
    source.pages[2017] = pageOf(drawsOf(2017, 1, 2));

    const UpdateOutcome out = run(6, 2017);

    EXPECT_EQ(out.fault, UpdateFault::DrawsDoNotFollow);
    EXPECT_EQ(out.year, 2016);
    EXPECT_EQ(out.firstMissing, c.firstMissing);
    EXPECT_EQ(source.asked, (std::vector<int32_t>{2015, 2016}));
    EXPECT_EQ(out.stored, 2u);
    EXPECT_EQ(rows(), typedRows(drawsOf(2015, 1, 12)));
}

INSTANTIATE_TEST_SUITE_P(
    Pages, HoleTest,
    ::testing::Values(HoleCase{"AnIssueSkipped", joined({drawsOf(2016, 1, 4), drawsOf(2016, 6, 9)}), 2016005},
                      HoleCase{"TheYearNotStartingAt001", drawsOf(2016, 2, 9), 2016001},
                      // The next year's draws would follow on from 2015 and leave 2016 out.
                      HoleCase{"APastYearWithoutDraws", {}, 2016001}),
    [](const ::testing::TestParamInfo<HoleCase>& info) { return info.param.name; });

TEST_F(UpdateRun, NewDrawsThatDoNotFollowTheNewestStoredAreRefused)
{
    // Rows 041 to 044 cannot be read (a number out of range): the draws
    // above them would leave a hole that no later update fills.
    store_(drawsOf(2016, 1, 40));
    std::vector<qudrim::testing::PageRow> rows2016 = qudrim::testing::pageRows(drawsOf(2016, 1, 50));
    for (size_t r = 6; r < 10; ++r)  // newest first: rows 6..9 are draws 044..041
        rows2016[r].special = "66";
    source.pages[2016] = pageOf(qudrim::testing::resultsPage(rows2016));
    const auto before = rows();

    const UpdateOutcome out = run(6, 2016);

    EXPECT_EQ(out.fault, UpdateFault::DrawsDoNotFollow);
    EXPECT_EQ(out.firstMissing, 2016041);
    EXPECT_EQ(out.stored, 0u);
    EXPECT_EQ(rows(), before);
}

TEST_F(UpdateRun, UnderTheKeepYearsRuleAHoleChangesNothing)
{
    store_(drawsOf(2013, 1, 4));
    source.pages[2015] = pageOf(drawsOf(2015, 1, 3));
    source.pages[2016] = pageOf(joined({drawsOf(2016, 1, 1), drawsOf(2016, 3, 4)}));
    const auto before = rows();

    const UpdateOutcome out = run(1, 2016);

    EXPECT_EQ(out.fault, UpdateFault::DrawsDoNotFollow);
    EXPECT_EQ(out.year, 2016);
    EXPECT_EQ(out.firstMissing, 2016002);
    EXPECT_EQ(out.stored, 0u);
    EXPECT_EQ(rows(), before);
}

// The damage the decoding mends: a history up to 2025060 and the page of
// 2025 in GBK with one stray byte in the row of draw 090. Read by the HTML
// parser alone, the rows below that byte were lost and 091 to 134 appended
// over a hole that no later update filled.
TEST_F(UpdateRun, AStrayByteInAGbkPageStoresTheWholeYear)
{
    store_(drawsOf(2025, 1, 60));
    const auto year = drawsOf(2025, 1, 134);
    const std::string page = qudrim::testing::withBytesInRow(
        qudrim::testing::toGbk(qudrim::testing::resultsPage(qudrim::testing::pageRows(year, " 、 "), "")),
        134 - 90 + 1, "\x80");
    source.pages[2025] = pageOf(page, "text/html; charset=gbk");

    const UpdateOutcome out = run(6, 2025);

    EXPECT_EQ(out.fault, UpdateFault::None);
    EXPECT_EQ(out.stored, 74u);
    EXPECT_EQ(rows(), typedRows(year));
}

// A year is a hole only once a draw precedes it: the years of the plan
// before the site's first one, without a page or with a page without draws,
// are passed over, in either order; after a draw they stop the run.
struct LeadingCase {
    const char* name;
    std::map<int32_t, PageFetch> pages;  // of 1992 to 1994; an empty history
    UpdateFault fault;
    int32_t year;  // of the fault
    std::vector<DrawInput> stored;
    size_t passedOver;
};

void PrintTo(const LeadingCase& c, std::ostream* os) { *os << c.name; }

class LeadingYearsTest : public UpdateRun, public ::testing::WithParamInterface<LeadingCase> {};

TEST_P(LeadingYearsTest, ArePassedOverUntilTheFirstDraw)
{
    const LeadingCase& c = GetParam();
    source.pages = c.pages;

    const UpdateOutcome out = run(2, 1994);

    EXPECT_EQ(out.fault, c.fault);
    if (c.fault != UpdateFault::None) {
        EXPECT_EQ(out.year, c.year);
    }
    EXPECT_EQ(out.yearsPassedOver, c.passedOver);
    EXPECT_EQ(rows(), typedRows(c.stored));
}

const std::vector<DrawInput> kNone;

INSTANTIATE_TEST_SUITE_P(
    Years, LeadingYearsTest,
    ::testing::Values(
        LeadingCase{"MissingPageThenDraws",
                    {{1992, missing()}, {1993, pageOf(drawsOf(1993, 1, 3))}, {1994, pageOf(drawsOf(1994, 1, 2))}},
                    UpdateFault::None, 0, joined({drawsOf(1993, 1, 3), drawsOf(1994, 1, 2)}), 1},
        LeadingCase{"EmptyPageThenDraws",
                    {{1992, pageOf(kNone)}, {1993, pageOf(drawsOf(1993, 1, 3))}, {1994, pageOf(drawsOf(1994, 1, 2))}},
                    UpdateFault::None, 0, joined({drawsOf(1993, 1, 3), drawsOf(1994, 1, 2)}), 1},
        LeadingCase{"MissingPageThenEmptyPageThenDraws",
                    {{1992, missing()}, {1993, pageOf(kNone)}, {1994, pageOf(drawsOf(1994, 1, 2))}}, UpdateFault::None,
                    0, drawsOf(1994, 1, 2), 2},
        LeadingCase{"EmptyPageThenMissingPageThenDraws",
                    {{1992, pageOf(kNone)}, {1993, missing()}, {1994, pageOf(drawsOf(1994, 1, 2))}}, UpdateFault::None,
                    0, drawsOf(1994, 1, 2), 2},
        // After a draw, a year without draws is a hole and a missing page a
        // page that could not be read: the draws before it stay.
        LeadingCase{"EmptyPageAfterDraws",
                    {{1992, pageOf(drawsOf(1992, 1, 3))}, {1993, pageOf(kNone)}, {1994, pageOf(drawsOf(1994, 1, 2))}},
                    UpdateFault::DrawsDoNotFollow, 1993, drawsOf(1992, 1, 3), 0},
        LeadingCase{"MissingPageAfterDraws",
                    {{1992, pageOf(drawsOf(1992, 1, 3))}, {1993, missing()}, {1994, pageOf(drawsOf(1994, 1, 2))}},
                    UpdateFault::PageNotFetched, 1993, drawsOf(1992, 1, 3), 0},
        // The first page with draws must still begin at 001.
        LeadingCase{"FirstDrawsNotStartingAt001",
                    {{1992, missing()}, {1993, pageOf(drawsOf(1993, 2, 3))}, {1994, pageOf(drawsOf(1994, 1, 2))}},
                    UpdateFault::DrawsDoNotFollow, 1993, kNone, 1},
        // No page of any year: most likely the wrong site, which is said.
        LeadingCase{"NoPageAtAll", {{1992, missing()}, {1993, missing()}, {1994, missing()}},
                    UpdateFault::PageNotFetched, 1992, kNone, 3},
        LeadingCase{"NoDrawAtAll", {{1992, missing()}, {1993, pageOf(kNone)}, {1994, pageOf(kNone)}},
                    UpdateFault::PageNotFetched, 1992, kNone, 3}),
    [](const ::testing::TestParamInfo<LeadingCase>& info) { return info.param.name; });

// With 34 years kept the replacement begins at 1992, a year before the
// results site's first; the history becomes the pages of 1993 to the
// current year.
TEST_F(UpdateRun, ThirtyFourKeptYearsReplaceTheHistoryFrom1993)
{
    std::vector<DrawInput> old;
    for (int32_t y = 1990; y <= 2025; ++y)
        old = joined({old, drawsOf(y, 1, 2)});
    store_(old);
    source.pages[1992] = pageOf(kNone);
    std::vector<DrawInput> site;
    for (int32_t y = 1993; y <= 2026; ++y) {
        const auto year = drawsOf(y, 1, y == 2026 ? 2 : 5);
        source.pages[y] = pageOf(year);
        site = joined({site, year});
    }

    const UpdateOutcome out = run(34, 2026);

    EXPECT_EQ(out.fault, UpdateFault::None);
    EXPECT_EQ(source.asked.front(), 1992);
    EXPECT_EQ(source.asked.size(), 35u);
    EXPECT_EQ(out.yearsPassedOver, 1u);
    EXPECT_EQ(out.stored, site.size());
    EXPECT_EQ(rows(), typedRows(site));
}

}  // namespace
