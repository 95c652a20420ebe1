// The results table of a yearly results page: the element with id "main" of
// the document a browser builds from the page, its rows and the text of each
// cell as the browser's innerText gives it. The page arrives as bytes in the
// encoding it declares (see page_encoding.h).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace qudrim::history {

// Row r, cell c, the cell's text in characters (not bytes).
using CellTable = std::vector<std::vector<std::u32string>>;

// Why a page gives no results table.
enum class PageProblem {
    None,        // the table was read
    NoTable,     // no element "main", or it is not a table
    TooLarge,    // more bytes than any results page has
    TooComplex,  // more elements than any results page has, or a parse far too long
};

// A yearly page of the results site is well under 100 KB with a few
// thousand elements. Pages beyond these limits are refused, and so is a
// page whose parse would take longer than any results page's by far (see
// ParseBudget in page_document.h), so that reading a page ends within a
// moment of its arrival, whatever it holds.
inline constexpr size_t kMaxPageBytes = 1024 * 1024;
inline constexpr size_t kMaxPageElements = 100000;

struct ResultsTable {
    PageProblem problem = PageProblem::None;
    CellTable rows;  // None: the rows of the table
};

// The rows of the table with id "main" as its rows collection has them
// (those of its head, body and foot sections and those directly in it,
// those of nested tables not) with the innerText of every td or th cell
// (see inner_text.h). `contentType` is the value of the HTTP header
// Content-Type, empty when there was none.
ResultsTable readResultsTable(std::string_view page, std::string_view contentType);

}  // namespace qudrim::history
