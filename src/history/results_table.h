// The results table of a yearly results page: the element with id "main" of
// the page's HTML, its rows and the text of each cell as a browser's
// innerText gives it. The page arrives as bytes; its text encoding is taken
// from a byte-order mark, else from the charset of the HTTP header, else
// from a meta tag of the page, else UTF-8.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qudrim::history {

// Row r, cell c, the cell's text in characters (not bytes).
using CellTable = std::vector<std::vector<std::u32string>>;

// The encoding the page is read in, as the name the converter knows it by
// ("UTF-8", "GB18030", ...). `contentType` is the value of the HTTP header
// Content-Type ("text/html; charset=gbk"), empty when there was none. A
// declaration naming an encoding that cannot be converted is passed over.
// GB2312 and GBK pages are read as GB18030, their superset, as browsers do.
std::string pageEncoding(std::string_view page, std::string_view contentType);

// The rows of the table with id "main" (those of its head, body and foot
// sections included, those of nested tables not) with the text of every
// td or th cell: tags dropped, scripts and styles left out, runs of white
// space collapsed to one blank, blanks at both ends dropped. None when the
// page has no element "main" or that element is not a table.
std::optional<CellTable> readResultsTable(std::string_view page, std::string_view contentType);

}  // namespace qudrim::history
