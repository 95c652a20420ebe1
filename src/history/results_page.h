// The results page of one year: which of its rows are new draws. The page
// lists its draws newest first; the walk runs from the bottom row up to row
// 1 (row 0 is the header), so the draws come out oldest first.
#pragma once

#include "draw/row_builder.h"
#include "history/results_table.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qudrim::history {

// The address of year `year`'s page on the results site `site`
// ("http://host:port", no slash at its end).
std::string resultsPageAddress(std::string_view site, int32_t year);

// Reads characters of a cell's text as a whole number: digits, possibly with
// blanks around them; none when they are empty or hold anything else.
std::optional<int> readWholeNumber(std::u32string_view text);

// The draws of the rows whose issue (year × 1000 + the first three
// characters of cell 1) is above `lastIssue`, in walk order. Cell 2 holds
// the six regular numbers at characters 1, 6, 11, 16, 21 and 26 (two each),
// cell 3 the special number in its first two characters. A row is passed
// over when a cell is missing or a value cannot be read, when a regular
// number is 0 (the numbers after it are not read), when a number lies
// outside 1..49 or when two of its numbers are the same; a special number 0
// in a row above `lastIssue` ends the page.
std::vector<DrawInput> walkResultsTable(const CellTable& table, int32_t year, int32_t lastIssue);

struct ResultsPage {
    PageProblem problem = PageProblem::NoTable;
    std::vector<DrawInput> draws;  // oldest first
    bool hasTable() const { return problem == PageProblem::None; }
};

// The page of `year` as it arrived (its bytes and the HTTP header
// Content-Type): the draws above `lastIssue`.
ResultsPage ReadKjYear(std::string_view page, std::string_view contentType, int32_t year, int32_t lastIssue);

}  // namespace qudrim::history
