// Reads a workbook written by the exports back: the names of its worksheets
// and every cell of the first one, with the number format a number carries.
// Enough of the Office Open XML package to check an export cell by cell.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace qudrim::testing {

struct SheetCell {
    bool isNumber = false;
    double number = 0;
    std::string text;    // the text of a text cell
    std::string format;  // a number's format code, "General" when it has none
};

struct ReadWorkbook {
    std::vector<std::string> sheetNames;
    // The first worksheet's cells by (row, column), both counted from 1.
    std::map<std::pair<int, int>, SheetCell> cells;

    const SheetCell* at(int row, int column) const;
    int rowCount() const;     // the highest row that holds a cell
    int columnCount() const;  // the highest column that holds a cell
};

// Throws std::runtime_error when the file is no readable workbook.
ReadWorkbook readWorkbook(const std::filesystem::path& file);

}  // namespace qudrim::testing
