#include "history/trim.h"

#include "history/history_file.h"
#include "store/plain_text.h"

#include <algorithm>
#include <limits>

namespace qudrim::history {

namespace {

DrawInput inputOf(const DrawRow& row)
{
    DrawInput d;
    d.issue = row.issue;
    d.zodiacIssue = row.issue;
    d.numbers = row.numbers();
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

TrimAnswer readTrimAnswer(std::string_view text)
{
    // A typed answer may carry a tab, pasted with it.
    text = trimmed(text, " \t");
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
        if (!isDigit(c)) {
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

std::vector<DrawInput> drawsUpToIssue(const store::Snapshot& history, int32_t lastKept)
{
    int count = 0;
    while (count < history.count() && history.row(count).issue <= lastKept)
        ++count;
    return firstDraws(history, count);
}

std::vector<DrawInput> drawsWithoutLast(const store::Snapshot& history, int32_t dropped)
{
    const int count = dropped >= history.count() ? 0 : history.count() - dropped;
    return firstDraws(history, count);
}

const DrawInput* firstDrawNotReadBack(std::span<const DrawInput> draws, int32_t issueBefore)
{
    // A line that stops the read names its draw, unless a draw before it
    // already came back otherwise.
    const HistoryText back = readHistoryText(historyLines(draws), issueBefore);
    if (back.refused) {
        const auto refused = static_cast<size_t>(back.refused->lineNumber - 1);
        if (const DrawInput* earlier = firstDrawNotReadBack(draws.first(refused), issueBefore))
            return earlier;
        return &draws[refused];
    }
    for (size_t k = 0; k < draws.size(); ++k)
        if (k >= back.draws.size() || back.draws[k].issue != draws[k].issue ||
            back.draws[k].numbers != draws[k].numbers)
            return &draws[k];
    return nullptr;
}

TrimOutcome trimHistory(store::HistoryStore& store, std::span<const DrawInput> kept,
                        const std::filesystem::path& backupFile, int32_t issueBefore, const CodeBases& bases)
{
    TrimOutcome outcome;
    // The history comes back from the file: a draw that would not read back
    // unchanged would be stored under another issue or with other numbers.
    if (const DrawInput* odd = firstDrawNotReadBack(kept, issueBefore)) {
        outcome.fault = TrimFault::NotReadBack;
        outcome.issue = odd->issue;
        return outcome;
    }
    try {
        writeHistoryFile(backupFile, kept);
    } catch (const HistoryFileError& e) {
        outcome.fault = TrimFault::BackupNotWritten;
        outcome.detail = e.what();
        return outcome;
    }
    outcome.rebuild = Dqzd(store, backupFile, issueBefore, bases);
    if (outcome.rebuild.status != RebuildStatus::Rebuilt) {
        outcome.fault = TrimFault::RebuildFailed;
        return outcome;
    }
    outcome.compaction = CompactDb(store);
    return outcome;
}

}  // namespace qudrim::history
