// The online update run: the yearly pages of a plan read one by one through
// a page source (the window fetches them over HTTP), the run stopped at the
// first page that cannot be read, and the new draws of the pages read
// stored in one transaction, so that a run that fails or is cancelled
// leaves the history as it was, except that an appending run keeps the
// draws of the pages it read before the first page that failed.
#pragma once

#include "draw/row_builder.h"
#include "history/results_table.h"
#include "history/update_plan.h"
#include "store/history_store.h"

#include <cstdint>
#include <string>

namespace qudrim::history {

// A yearly page as the page source brought it, or why it did not.
struct PageFetch {
    // Missing: the site answered that it has no page for the year.
    enum class Outcome { Read, Failed, Missing, Cancelled };
    Outcome outcome = Outcome::Failed;
    std::string body;         // Read: the page's bytes
    std::string contentType;  // Read: the HTTP header Content-Type
    std::string reason;       // Failed, Missing: why, in the source's own words; passed on as it is
    std::string detail;       // Failed, Missing: the technical account
};

class ResultsPageSource {
public:
    virtual ~ResultsPageSource() = default;
    // The page of `year`; returns once it has arrived, failed or been cancelled.
    virtual PageFetch fetch(int32_t year) = 0;
};

enum class UpdateFault {
    None,              // every page of the plan was read
    Cancelled,         // the source was cancelled: nothing was stored
    PageNotFetched,    // the source could not bring the page of `year`
    PageUnreadable,    // the page of `year` holds no results table, or is no results page (`problem`)
    DrawsDoNotFollow,  // the new draws on the page of `year` leave out `firstMissing`
    StoreRefused,      // the database refused the new draws: nothing was stored
};

struct UpdateOutcome {
    UpdateFault fault = UpdateFault::None;
    int32_t year = 0;                         // the year of the last page asked for
    PageProblem problem = PageProblem::None;  // PageUnreadable
    int32_t firstMissing = 0;                 // DrawsDoNotFollow
    std::string reason;                       // PageNotFetched: the source's reason
    std::string detail;                       // PageNotFetched: the source's; StoreRefused: the database's
    size_t pagesRead = 0;                     // pages read before the run stopped, those passed over included
    size_t yearsPassedOver = 0;               // leading years without a page or without draws
    size_t drawsFound = 0;                    // new draws of those pages that were to be stored
    size_t stored = 0;                        // draws the run added to the history
};

// Reads the page of every year of `plan` in order and stores what the pages
// read give (gatherUpdate): under the keep-years rule only when every page
// was read, in place of the whole history. A page stops the run when the
// source cannot bring it, when it holds no results table, or when its new
// draws do not follow on (firstMissingIssue); the pages after it are not
// asked for. A year is a hole only once a draw precedes it (a stored one, or
// one the run has read): the leading years of the plan whose page the site
// does not have, or whose page has no draw, are passed over, as when the
// kept years begin before the site's first year; a run in which no year
// gave a draw and a page was missing ends as one whose first missing page
// could not be fetched. A cancelled source ends the run with nothing stored.
UpdateOutcome runOnlineUpdate(store::HistoryStore& store, const UpdatePlan& plan, const CodeBases& bases,
                              ResultsPageSource& source);

}  // namespace qudrim::history
