#include "history/results_page.h"

#include <array>

namespace qudrim::history {

namespace {

bool isBlank(char32_t c) { return c == U' ' || c == U'\u00A0' || c == U'\t'; }

// Characters `start` (counted from 1) to `start + length - 1` of the text;
// shorter or empty where the text ends before.
std::u32string_view slice(std::u32string_view text, size_t start, size_t length)
{
    if (start - 1 >= text.size())
        return {};
    return text.substr(start - 1, length);
}

}  // namespace

std::string resultsPageAddress(std::string_view site, int32_t year)
{
    return std::string(site) + "/85122/kj/" + std::to_string(year) + ".html";
}

std::optional<int> readWholeNumber(std::u32string_view p)
{
    while (!p.empty() && isBlank(p.front()))
        p.remove_prefix(1);
    while (!p.empty() && isBlank(p.back()))
        p.remove_suffix(1);
    if (p.empty() || p.size() > 9)
        return std::nullopt;
    int value = 0;
    for (char32_t c : p) {
        if (c < U'0' || c > U'9')
            return std::nullopt;
        value = value * 10 + static_cast<int>(c - U'0');
    }
    return value;
}

std::vector<DrawInput> walkResultsTable(const CellTable& table, int32_t year, int32_t lastIssue)
{
    std::vector<DrawInput> draws;
    for (size_t r = table.size(); r-- > 1;) {
        const auto& cells = table[r];
        if (cells.size() < 2)
            continue;
        const auto inYear = readWholeNumber(slice(cells[1], 1, 3));
        if (!inYear)
            continue;
        const int32_t issue = year * 1000 + *inYear;
        if (issue <= lastIssue)
            continue;
        if (cells.size() < 4)
            continue;

        DrawInput d;
        d.issue = issue;
        d.zodiacIssue = issue;
        bool readable = true;
        bool zeroRegular = false;
        for (size_t k = 1; k <= 6 && readable && !zeroRegular; ++k) {
            const auto n = readWholeNumber(slice(cells[2], (k - 1) * 5 + 1, 2));
            readable = n.has_value();
            if (n) {
                d.numbers[k - 1] = *n;
                zeroRegular = *n == 0;
            }
        }
        if (!readable)
            continue;
        const auto special = readWholeNumber(slice(cells[3], 1, 2));
        if (!special)
            continue;
        if (*special == 0)
            break;  // the rows above this one are not read
        if (zeroRegular)
            continue;
        d.numbers[6] = *special;
        // A draw the row builder cannot describe (a number outside 1..49,
        // a number twice) stays out of the history.
        if (firstNumberFault(d.numbers))
            continue;
        draws.push_back(d);
    }
    return draws;
}

ResultsPage ReadKjYear(std::string_view page, std::string_view contentType, int32_t year, int32_t lastIssue)
{
    ResultsPage result;
    const ResultsTable table = readResultsTable(page, contentType);
    result.problem = table.problem;
    if (result.hasTable())
        result.draws = walkResultsTable(table.rows, year, lastIssue);
    return result;
}

}  // namespace qudrim::history
