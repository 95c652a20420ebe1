#include "history/update_plan.h"

#include <algorithm>

namespace qudrim::history {

std::vector<int32_t> UpdatePlan::years() const
{
    std::vector<int32_t> ys;
    for (int32_t y = startYear; y <= endYear; ++y)
        ys.push_back(y);
    return ys;
}

UpdatePlan planUpdate(std::optional<int32_t> oldestIssue, std::optional<int32_t> newestIssue, int yearsKept,
                      int32_t currentYear)
{
    UpdatePlan plan;
    plan.endYear = currentYear;
    const bool stored = oldestIssue && newestIssue;
    plan.replaceHistory = stored && currentYear - *oldestIssue / 1000 > yearsKept;
    if (!stored || plan.replaceHistory) {
        plan.lastIssue = 0;
        plan.startYear = currentYear - yearsKept;
        return plan;
    }
    plan.lastIssue = *newestIssue;
    plan.startYear = std::max(*newestIssue / 1000, kFirstResultsYear);
    return plan;
}

UpdateWrite gatherUpdate(const UpdatePlan& plan, std::span<const std::vector<DrawInput>> pages)
{
    UpdateWrite write;
    write.mode = plan.replaceHistory ? HistoryWrite::ReplaceAll : HistoryWrite::Append;
    if (plan.replaceHistory && pages.size() < plan.years().size())
        return write;
    int32_t last = plan.lastIssue;
    for (const auto& page : pages)
        for (const DrawInput& d : page)
            if (d.issue > last) {
                write.draws.push_back(d);
                last = d.issue;
            }
    write.changesHistory = !write.draws.empty();
    return write;
}

std::optional<int32_t> firstMissingIssue(int32_t year, int32_t newest, std::span<const DrawInput> page,
                                         bool pastYear)
{
    int32_t expected = newest / 1000 == year ? newest + 1 : year * 1000 + 1;
    int32_t last = newest;
    for (const DrawInput& d : page) {
        if (d.issue <= last)
            continue;
        if (d.issue != expected)
            return expected;
        last = d.issue;
        ++expected;
    }
    if (pastYear && newest != 0 && last / 1000 < year)
        return year * 1000 + 1;
    return std::nullopt;
}

}  // namespace qudrim::history
