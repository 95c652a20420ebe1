#include "history/update_run.h"

#include "history/results_page.h"

#include <algorithm>
#include <exception>
#include <vector>

namespace qudrim::history {

UpdateOutcome runOnlineUpdate(store::HistoryStore& store, const UpdatePlan& plan, const CodeBases& bases,
                              ResultsPageSource& source)
{
    UpdateOutcome outcome;
    std::vector<std::vector<DrawInput>> pages;
    int32_t newest = plan.lastIssue;
    for (const int32_t year : plan.years()) {
        const PageFetch page = source.fetch(year);
        outcome.year = year;
        if (page.outcome == PageFetch::Outcome::Cancelled) {
            outcome.fault = UpdateFault::Cancelled;
            return outcome;
        }
        if (page.outcome == PageFetch::Outcome::Failed) {
            outcome.fault = UpdateFault::PageNotFetched;
            outcome.reason = page.reason;
            outcome.detail = page.detail;
            break;
        }
        ResultsPage read = ReadKjYear(page.body, page.contentType, year, plan.lastIssue);
        if (!read.hasTable()) {
            outcome.fault = UpdateFault::PageUnreadable;
            outcome.problem = read.problem;
            break;
        }
        // A page that skips a draw would leave a hole that no later update
        // fills, as every update starts after the newest stored draw.
        if (const auto missing = firstMissingIssue(year, newest, read.draws, year < plan.endYear)) {
            outcome.fault = UpdateFault::DrawsDoNotFollow;
            outcome.firstMissing = *missing;
            break;
        }
        for (const DrawInput& d : read.draws)
            newest = std::max(newest, d.issue);
        pages.push_back(std::move(read.draws));
    }
    outcome.pagesRead = pages.size();

    const UpdateWrite write = gatherUpdate(plan, pages);
    if (!write.changesHistory)
        return outcome;
    outcome.drawsFound = write.draws.size();
    try {
        AddLishi(store, write.draws, bases, PreListMode::Unwritten, write.mode);
    } catch (const std::exception& e) {
        outcome.fault = UpdateFault::StoreRefused;
        outcome.detail = e.what();
        return outcome;
    }
    outcome.stored = write.draws.size();
    return outcome;
}

}  // namespace qudrim::history
