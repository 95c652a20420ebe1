#include "history/history_line.h"

#include "store/plain_text.h"

#include <cmath>
#include <limits>

namespace qudrim::history {

namespace {

// Digits with an optional decimal fraction and blanks after them: the forms
// of a number that an issue field starting with a digit can take.
bool readIssueField(std::string_view t, double& value)
{
    t = trimBlanks(t);  // the field starts with a digit: only blanks after it go
    size_t i = 0;
    while (i < t.size() && isDigit(t[i]))
        ++i;
    if (i == 0)
        return false;
    if (i < t.size() && t[i] == '.') {
        ++i;
        while (i < t.size() && isDigit(t[i]))
            ++i;
    }
    if (i != t.size())
        return false;
    value = std::stod(std::string(t));
    return true;
}

int32_t nextIssue(int32_t previous)
{
    return previous < std::numeric_limits<int32_t>::max() ? previous + 1 : previous;
}

}  // namespace

std::string PrintHisLine(int64_t issue, const std::array<int, 7>& numbers)
{
    std::string line = std::to_string(issue) + " ";
    for (int n : numbers)
        line += twoDigits(n) + " ";
    return line;
}

ParsedLine ParseHisLine(std::string_view line, int32_t previousIssue, const std::array<int, 7>& previousNumbers)
{
    const std::string_view s = trimBlanks(line);

    ParsedLine out;
    out.numbers = previousNumbers;
    size_t p = 0;
    double value = 0;
    if (s.size() >= 6 && isDigit(s[0]) && isDigit(s[5]) && readIssueField(s.substr(0, 7), value)) {
        // Halves go to the even neighbour, as the number conversion does.
        out.issue = static_cast<int32_t>(std::nearbyint(value));
        p = 8;  // character 8 is taken to be the blank after the issue
    } else {
        out.issue = nextIssue(previousIssue);
    }
    while (p + 1 < s.size()) {
        if (isDigit(s[p]) && isDigit(s[p + 1])) {
            if (out.pairs < 7)
                out.numbers[static_cast<size_t>(out.pairs)] = (s[p] - '0') * 10 + (s[p + 1] - '0');
            ++out.pairs;
            p += 2;
        } else {
            ++p;
        }
    }
    return out;
}

}  // namespace qudrim::history
