#include "draw/draw_entry.h"

#include "draw/tables.h"
#include "store/plain_text.h"

#include <limits>

namespace qudrim {

namespace {

bool twoDigitText(std::string_view t) { return t.size() == 2 && isDigit(t[0]) && isDigit(t[1]); }

EntryCheck refusedBox(EntryFault fault, int box, const std::string& text, int earlier = 0)
{
    EntryCheck check;
    check.fault = fault;
    check.faultyBox = box;
    check.earlierBox = earlier;
    check.boxText = text;
    return check;
}

}  // namespace

int boxNumber(std::string_view text)
{
    int v = 0;
    for (char c : text) {
        if (!isDigit(c))
            break;
        v = v * 10 + (c - '0');
    }
    return v;
}

EntryCheck checkEntry(const std::array<std::string, 7>& boxTexts, std::string_view issueText,
                      std::optional<int32_t> lastIssue)
{
    DrawInput draw;
    for (int box = 1; box <= 7; ++box) {
        const std::string& t = boxTexts[static_cast<size_t>(box - 1)];
        if (!twoDigitText(t))
            return refusedBox(EntryFault::Incomplete, box, t);
        const int n = boxNumber(t);
        if (!isDrawNumber(n))
            return refusedBox(EntryFault::OutOfRange, box, t);
        for (int earlier = 1; earlier < box; ++earlier)
            if (draw.numbers[static_cast<size_t>(earlier - 1)] == n)
                return refusedBox(EntryFault::Repeated, box, t, earlier);
        draw.numbers[static_cast<size_t>(box - 1)] = n;
    }

    EntryCheck check;
    int64_t issue = 0;
    if (!parseInt(issueText, issue) || issue <= 0 || issue > std::numeric_limits<int32_t>::max()) {
        check.fault = EntryFault::IssueNotNumber;
        return check;
    }
    if (lastIssue && issue <= *lastIssue) {
        check.fault = EntryFault::IssueNotAfter;
        check.issue = issue;
        check.lastIssue = *lastIssue;
        return check;
    }
    draw.issue = static_cast<int32_t>(issue);
    draw.zodiacIssue = draw.issue;
    check.draw = draw;
    return check;
}

}  // namespace qudrim
