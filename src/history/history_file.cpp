#include "history/history_file.h"

#include "draw/tables.h"
#include "history/export_file.h"
#include "history/history_line.h"
#include "store/plain_text.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <system_error>

namespace qudrim::history {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// How often a read tells of its progress: a file of 200 MB about 200 times.
constexpr size_t kProgressBytes = 1024 * 1024;

bool hasDigitPair(std::string_view line)
{
    for (size_t i = 0; i + 1 < line.size(); ++i)
        if (isDigit(line[i]) && isDigit(line[i + 1]))
            return true;
    return false;
}

// The first fault of a line that gives a draw, if any.
std::optional<RefusedLine> faultOf(const ParsedLine& parsed, std::optional<int32_t> previousIssue)
{
    RefusedLine r;
    r.issue = parsed.issue;
    if (parsed.pairs < 7) {
        r.fault = LineFault::FewerThanSeven;
        r.count = parsed.pairs;
        return r;
    }
    if (const auto bad = firstNumberFault(parsed.numbers)) {
        r.fault = bad->kind == NumberFault::Kind::OutOfRange ? LineFault::OutOfRange : LineFault::Repeated;
        r.number = bad->number;
        return r;
    }
    if (previousIssue && parsed.issue <= *previousIssue) {
        r.fault = LineFault::IssueNotAscending;
        r.previousIssue = *previousIssue;
        return r;
    }
    return std::nullopt;
}

std::string systemError(const char* what, const fs::path& file, int error)
{
    return std::string(what) + " " + file.string() + ": " + std::strerror(error);
}

}  // namespace

HistoryText readHistoryText(std::string_view content, int32_t issueBefore, const ProgressCallback& progress)
{
    if (content.starts_with(kByteOrderMark))
        content.remove_prefix(kByteOrderMark.size());

    HistoryText out;
    int32_t previousIssue = issueBefore;
    std::array<int, 7> previousNumbers{};
    std::optional<int32_t> lastAccepted;
    int lineNumber = 0;
    size_t pos = 0;
    size_t reported = 0;
    if (progress && !progress(ProgressStep::Checking, 0, content.size())) {
        out.cancelled = true;
        return out;
    }
    while (pos < content.size()) {
        if (progress && pos - reported >= kProgressBytes) {
            reported = pos;
            if (!progress(ProgressStep::Checking, pos, content.size())) {
                out.draws.clear();
                out.cancelled = true;
                return out;
            }
        }
        size_t end = pos;
        while (end < content.size() && content[end] != '\n' && content[end] != '\r')
            ++end;
        const std::string_view line = content.substr(pos, end - pos);
        // CR LF is one line end; a lone CR or LF is one too.
        pos = end;
        if (pos < content.size())
            pos += (content[pos] == '\r' && pos + 1 < content.size() && content[pos + 1] == '\n') ? 2 : 1;
        ++lineNumber;

        if (!hasDigitPair(line))
            continue;
        const ParsedLine parsed = ParseHisLine(line, previousIssue, previousNumbers);
        previousIssue = parsed.issue;
        previousNumbers = parsed.numbers;
        if (parsed.issue <= 0)
            continue;
        if (auto fault = faultOf(parsed, lastAccepted)) {
            fault->lineNumber = lineNumber;
            fault->text = std::string(line);
            out.draws.clear();
            out.refused = std::move(fault);
            return out;
        }
        DrawInput d;
        d.issue = parsed.issue;
        d.zodiacIssue = parsed.issue;
        d.numbers = parsed.numbers;
        out.draws.push_back(d);
        lastAccepted = parsed.issue;
    }
    return out;
}

HistoryText readHistoryFile(const fs::path& file, int32_t issueBefore, const ProgressCallback& progress)
{
    std::error_code ec;
    if (fs::is_directory(file, ec))
        throw HistoryFileError(file.string() + " is a folder, not a file");
    errno = 0;
    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw HistoryFileError(systemError("cannot open", file, errno ? errno : ENOENT));
    // A file of some hundred megabytes takes a second or two to load: that
    // is told of as well, in large blocks.
    std::string content;
    size_t size = 0;
    if (const auto s = fs::file_size(file, ec); !ec) {
        size = static_cast<size_t>(s);
        content.reserve(size);
    }
    std::array<char, 1 << 16> block;
    HistoryText cancelled;
    cancelled.cancelled = true;
    if (progress && !progress(ProgressStep::Loading, 0, size))
        return cancelled;
    size_t reported = 0;
    while (in.read(block.data(), block.size()) || in.gcount() > 0) {
        content.append(block.data(), static_cast<size_t>(in.gcount()));
        if (progress && content.size() - reported >= kProgressBytes) {
            reported = content.size();
            if (!progress(ProgressStep::Loading, content.size(), std::max(size, content.size())))
                return cancelled;
        }
    }
    if (in.bad())
        throw HistoryFileError(systemError("cannot read", file, errno ? errno : EIO));
    return readHistoryText(content, issueBefore, progress);
}

std::string historyLines(std::span<const DrawInput> draws)
{
    std::string text;
    text.reserve(draws.size() * (29 + kLineEnd.size()));
    for (const DrawInput& d : draws) {
        text += PrintHisLine(d.issue, d.numbers);
        text += kLineEnd;
    }
    return text;
}

void writeHistoryFile(const fs::path& file, std::span<const DrawInput> draws)
{
    try {
        writeFileAtomically(file, historyLines(draws));
    } catch (const ExportError& e) {
        throw HistoryFileError(e.what());
    }
}

}  // namespace qudrim::history
