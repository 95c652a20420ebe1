// The planning of an online update: which yearly pages to read and which of
// their draws are new, and what the pages that were read do to the history.
#pragma once

#include "draw/row_builder.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace qudrim::history {

// The first year whose page is read while stored draws remain.
inline constexpr int32_t kFirstResultsYear = 2013;

struct UpdatePlan {
    // The keep-years rule applies: the oldest stored draw is more than the
    // kept number of years old, so the pages replace the whole history.
    bool replaceHistory = false;
    // Draws up to this issue are passed over; 0 takes every draw.
    int32_t lastIssue = 0;
    int32_t startYear = 0;
    int32_t endYear = 0;  // the current year

    // The years to read, oldest first; none when the start year lies after
    // the current year (a system clock set back).
    std::vector<int32_t> years() const;
    bool operator==(const UpdatePlan&) const = default;
};

// `oldestIssue` and `newestIssue` are the first and last stored issues (none
// for an empty history), `yearsKept` the setting IniSerchDay.
UpdatePlan planUpdate(std::optional<int32_t> oldestIssue, std::optional<int32_t> newestIssue, int yearsKept,
                      int32_t currentYear);

// What a run stores once its pages are read.
struct UpdateWrite {
    bool changesHistory = false;
    HistoryWrite mode = HistoryWrite::Append;
    std::vector<DrawInput> draws;  // ascending issues
};

// `pages` holds the draws of each page read, in the order of plan.years().
// A run stops at the first page it cannot read, so fewer pages than years
// means that the pages after the last one given were not read. Replacing
// the history needs every page and at least one draw; appending takes the
// draws of the pages read. A draw whose issue is not above the one
// before it (a page listing an issue twice or out of order) is left out, so
// the stored history stays in issue order.
UpdateWrite gatherUpdate(const UpdatePlan& plan, std::span<const std::vector<DrawInput>> pages);

// Within a year the draws are numbered from 001 without a gap, so the new
// draws of a page must follow on: from the one after `newest` (the newest
// draw stored or taken from the pages before) when that lies in `year`,
// from `year`001 when the year is a later one. `page` holds the page's
// draws in walk order; as in gatherUpdate, those not above the one before
// are left out. The first issue the new draws leave out, or none when they
// follow on. A page without new draws follows on, unless it is of a
// `pastYear` (one before the current year) of which no draw is stored
// either while a draw precedes it (`newest` is not 0): a past year always
// has draws, and the next year's would otherwise follow on from the year
// before and leave this one out for good. Before the first draw a year
// without draws lies before the results site's first year.
std::optional<int32_t> firstMissingIssue(int32_t year, int32_t newest, std::span<const DrawInput> page,
                                         bool pastYear);

}  // namespace qudrim::history
