#include "history/update_run.h"

#include "history/results_page.h"

#include <algorithm>
#include <exception>
#include <optional>
#include <utility>
#include <vector>

namespace qudrim::history {

UpdateOutcome runOnlineUpdate(store::HistoryStore& store, const UpdatePlan& plan, const CodeBases& bases,
                              ResultsPageSource& source)
{
    UpdateOutcome outcome;
    std::vector<std::vector<DrawInput>> pages;
    int32_t newest = plan.lastIssue;
    std::optional<std::pair<int32_t, PageFetch>> firstPassedOver;  // a missing page
    for (const int32_t year : plan.years()) {
        const PageFetch page = source.fetch(year);
        outcome.year = year;
        if (page.outcome == PageFetch::Outcome::Cancelled) {
            outcome.fault = UpdateFault::Cancelled;
            return outcome;
        }
        // Before the first draw a missing page is a year before the site's
        // first one.
        if (page.outcome == PageFetch::Outcome::Missing && newest == 0) {
            if (!firstPassedOver)
                firstPassedOver.emplace(year, page);
            pages.emplace_back();
            ++outcome.yearsPassedOver;
            continue;
        }
        if (page.outcome != PageFetch::Outcome::Read) {
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
        if (newest == 0 && read.draws.empty())
            ++outcome.yearsPassedOver;
        for (const DrawInput& d : read.draws)
            newest = std::max(newest, d.issue);
        pages.push_back(std::move(read.draws));
    }
    outcome.pagesRead = pages.size();
    // A site without a page of any of the years, or with pages of none but
    // years without draws, is most likely the wrong site: that is said.
    if (outcome.fault == UpdateFault::None && newest == 0 && firstPassedOver) {
        outcome.fault = UpdateFault::PageNotFetched;
        outcome.year = firstPassedOver->first;
        outcome.reason = firstPassedOver->second.reason;
        outcome.detail = firstPassedOver->second.detail;
        outcome.pagesRead = 0;
        return outcome;
    }

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
