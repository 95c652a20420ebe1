#include "history/trim.h"

#include "history/history_line.h"

#include <algorithm>
#include <limits>

namespace qudrim::history {

namespace {

DrawInput inputOf(const DrawRow& row)
{
    DrawInput d;
    d.issue = row.issue;
    d.zodiacIssue = row.issue;
    for (size_t i = 0; i < 7; ++i)
        d.numbers[i] = row.L[i + 1].A;
    return d;
}

std::vector<DrawInput> firstDraws(const store::Snapshot& history, int count)
{
    std::vector<DrawInput> draws;
    draws.reserve(static_cast<size_t>(count));
    for (int k = 0; k < count; ++k)
        draws.push_back(inputOf(history.row(k)));
    return draws;
}

}  // namespace

TrimAnswer ReadTrimAnswer(std::string_view text)
{
    size_t first = 0, last = text.size();
    while (first < last && (text[first] == ' ' || text[first] == '\t'))
        ++first;
    while (last > first && (text[last - 1] == ' ' || text[last - 1] == '\t'))
        --last;
    text = text.substr(first, last - first);
    TrimAnswer answer;
    if (text.empty())
        return answer;
    const bool negative = text.front() == '-';
    if (negative || text.front() == '+')
        text.remove_prefix(1);
    if (text.empty()) {
        answer.kind = TrimAnswer::Kind::NotNumber;
        return answer;
    }
    int64_t v = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            answer.kind = TrimAnswer::Kind::NotNumber;
            return answer;
        }
        // Past the largest issue the value no longer matters, only that it is too large.
        v = std::min<int64_t>(v * 10 + (c - '0'), int64_t{std::numeric_limits<int32_t>::max()} + 1);
    }
    if (negative || v == 0)
        return answer;
    if (v > std::numeric_limits<int32_t>::max()) {
        answer.kind = TrimAnswer::Kind::NotNumber;
        return answer;
    }
    answer.kind = TrimAnswer::Kind::Value;
    answer.value = static_cast<int32_t>(v);
    return answer;
}

std::vector<DrawInput> DrawsUpToIssue(const store::Snapshot& history, int32_t lastKept)
{
    int count = 0;
    while (count < history.count() && history.row(count).issue <= lastKept)
        ++count;
    return firstDraws(history, count);
}

std::vector<DrawInput> DrawsWithoutLast(const store::Snapshot& history, int32_t dropped)
{
    const int count = dropped >= history.count() ? 0 : history.count() - dropped;
    return firstDraws(history, count);
}

const DrawInput* FirstDrawNotReadBack(std::span<const DrawInput> draws)
{
    for (const DrawInput& d : draws) {
        const ParsedLine back = ParseHisLine(PrintHisLine(d.issue, d.numbers), 0, {});
        if (back.issue != d.issue || back.numbers != d.numbers || back.pairs != 7)
            return &d;
    }
    return nullptr;
}

}  // namespace qudrim::history
