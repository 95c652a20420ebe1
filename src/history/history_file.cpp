#include "history/history_file.h"

#include "draw/tables.h"
#include "history/export_file.h"
#include "history/history_line.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <system_error>

namespace qudrim::history {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool hasDigitPair(std::string_view line)
{
    for (size_t i = 0; i + 1 < line.size(); ++i)
        if (isDigit(line[i]) && isDigit(line[i + 1]))
            return true;
    return false;
}

std::string twoDigits(int n) { return (n >= 0 && n < 10 ? "0" : "") + std::to_string(n); }

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
    for (size_t i = 0; i < 7; ++i) {
        const int n = parsed.numbers[i];
        if (!isDrawNumber(n)) {
            r.fault = LineFault::OutOfRange;
            r.number = n;
            return r;
        }
        for (size_t j = 0; j < i; ++j)
            if (parsed.numbers[j] == n) {
                r.fault = LineFault::Repeated;
                r.number = n;
                return r;
            }
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

std::string DescribeFault(const RefusedLine& r)
{
    switch (r.fault) {
    case LineFault::FewerThanSeven:
        return "这一行只有 " + std::to_string(r.count) + " 个号码，每一期必须有七个号码（六个平码和一个特码）。";
    case LineFault::OutOfRange:
        return "号码 " + twoDigits(r.number) + " 不在 01～49 之间。";
    case LineFault::Repeated:
        return "号码 " + twoDigits(r.number) + " 出现了两次，一期的七个号码必须各不相同。";
    case LineFault::IssueNotAscending:
        return "期号 " + std::to_string(r.issue) + " 不大于前面一期的期号 " + std::to_string(r.previousIssue) +
               "，期号必须逐行增大。";
    }
    return {};
}

HistoryText ReadHistoryText(std::string_view content, int32_t issueBefore)
{
    if (content.starts_with(kByteOrderMark))
        content.remove_prefix(kByteOrderMark.size());

    HistoryText out;
    int32_t previousIssue = issueBefore;
    std::array<int, 7> previousNumbers{};
    std::optional<int32_t> lastAccepted;
    int lineNumber = 0;
    size_t pos = 0;
    while (pos < content.size()) {
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

HistoryText ReadHistoryFile(const fs::path& file, int32_t issueBefore)
{
    std::error_code ec;
    if (fs::is_directory(file, ec))
        throw HistoryFileError(file.string() + " is a folder, not a file");
    errno = 0;
    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw HistoryFileError(systemError("cannot open", file, errno ? errno : ENOENT));
    const std::string content{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad())
        throw HistoryFileError(systemError("cannot read", file, errno ? errno : EIO));
    return ReadHistoryText(content, issueBefore);
}

void WriteHistoryFile(const fs::path& file, std::span<const DrawInput> draws)
{
    std::string text;
    text.reserve(draws.size() * (29 + kLineEnd.size()));
    for (const DrawInput& d : draws) {
        text += PrintHisLine(d.issue, d.numbers);
        text += kLineEnd;
    }
    try {
        WriteFileAtomically(file, text);
    } catch (const ExportError& e) {
        throw HistoryFileError(e.what());
    }
}

}  // namespace qudrim::history
