// The history line: the text form of one draw in the history text files
// ("lsbf.txt", the import file, the text export). A line is the issue, a
// blank, and the seven numbers (drawn order, the special number last) each
// as two digits followed by a blank: 29 characters for a seven-digit issue,
// then CR LF.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace qudrim::history {

inline constexpr std::string_view kLineEnd = "\r\n";

// The line of one draw, without its line end. Numbers below 10 get a leading
// zero; the issue is written in plain decimal digits.
std::string PrintHisLine(int64_t issue, const std::array<int, 7>& numbers);

struct ParsedLine {
    int32_t issue = 0;
    std::array<int, 7> numbers{};  // what the line gives, the previous numbers elsewhere
    int pairs = 0;                 // digit pairs found, those after the seventh included
};

// The lenient reading rule. Blanks around the line are dropped. When its
// first seven characters read as a number and its characters 1 and 6 are
// digits, they are the issue field (rounded to a whole number) and the scan
// for numbers starts at character 9; otherwise the issue is the previous
// issue + 1 and the scan starts at character 1. Every two adjacent digits
// are one number (positions 1..7 in order); anything else separates. What
// the line does not give keeps the previous line's value. It never fails.
ParsedLine ParseHisLine(std::string_view line, int32_t previousIssue, const std::array<int, 7>& previousNumbers);

}  // namespace qudrim::history
