// History text files as a whole: reading every draw of a file (checked whole
// before anything is stored) and writing draws as history lines, replacing a
// file in one step.
#pragma once

#include "draw/row_builder.h"
#include "history/progress.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace qudrim::history {

// A file that cannot be opened, read or written; what() is the system's
// own account of it.
class HistoryFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class LineFault {
    FewerThanSeven,     // the line gives fewer than seven numbers
    OutOfRange,         // a number outside 1..49
    Repeated,           // a number twice in one draw
    IssueNotAscending,  // the issue is not above the issue of the draw before it
};

// The line that stops a read. Lines are counted from 1 over every physical
// line of the file, skipped ones included.
struct RefusedLine {
    int lineNumber = 0;
    std::string text;             // the line as it stands in the file, without its line end
    LineFault fault = LineFault::FewerThanSeven;
    int32_t issue = 0;            // the issue the line gives
    int count = 0;                // FewerThanSeven: the numbers found
    int number = 0;               // OutOfRange, Repeated: the number at fault
    int32_t previousIssue = 0;    // IssueNotAscending: the issue of the draw before
};

struct HistoryText {
    std::vector<DrawInput> draws;        // in file order; empty when a line is refused or the read cancelled
    std::optional<RefusedLine> refused;  // set when the file cannot be taken
    bool cancelled = false;              // the progress callback called the read off
};

// Reads every line of a history text. A UTF-8 byte-order mark is skipped;
// LF, CR LF and CR each end a line. A line without any two adjacent digits
// (an empty line included) is skipped and leaves no trace. Every other line
// is read by the lenient line rule, with the issue of the line before (for
// the first line `issueBefore`) as its previous issue; a line whose issue is
// 0 or below is passed over, but its issue still serves the next line. A
// line that gives a draw must give seven different numbers from 1 to 49
// under an issue above the draw before it, or the whole text is refused.
// `progress`, when given, hears of the bytes checked now and then.
HistoryText readHistoryText(std::string_view content, int32_t issueBefore, const ProgressCallback& progress = {});

// readHistoryText of the file's bytes; `progress` also hears of the loading.
// Throws HistoryFileError when the file cannot be opened or read.
HistoryText readHistoryFile(const std::filesystem::path& file, int32_t issueBefore,
                            const ProgressCallback& progress = {});

// The history lines of `draws`, each ended with CR LF: the text of a history
// file that holds them.
std::string historyLines(std::span<const DrawInput> draws);

// Writes one history line per draw, each ended with CR LF, to a file beside
// `file` and then renames it over `file`: the file holds either its old
// content or every new line, never a part. Throws HistoryFileError (and
// leaves `file` as it was) when that cannot be done.
void writeHistoryFile(const std::filesystem::path& file, std::span<const DrawInput> draws);

}  // namespace qudrim::history
