// A grid as a spreadsheet workbook (Office Open XML): grid cell (r, c),
// header row included, goes to the cell of row r + 1 and column c + 1 of the
// one worksheet "Sheet1". Each text becomes what a spreadsheet program makes
// of it when it is typed into the cell: a number written without a leading
// zero ("2013001", "7", "0") a number, a percentage ("10.317%") a number
// shown as a percentage with three decimals, anything else ("05", names,
// lists of numbers) text. An empty text leaves its cell empty.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace qudrim::history {

// The workbooks of the three grids, in the program folder.
inline constexpr const char* kHistoryWorkbook = "lishi.xlsx";  // the history list
inline constexpr const char* kHitsWorkbook = "Jiansuo.xlsx";   // the matching draws
inline constexpr const char* kTallyWorkbook = "Jieguo.xlsx";   // the tally

inline constexpr const char* kSheetName = "Sheet1";
inline constexpr const char* kPercentFormat = "0.000%";

// A grid's texts in UTF-8, row by row, the header row first.
using TextTable = std::vector<std::vector<std::string>>;

struct CellValue {
    enum class Kind { Blank, Number, Percent, Text };
    Kind kind = Kind::Blank;
    double number = 0;  // for Number, and for Percent the fraction (10.317% is 0.10317)
};

CellValue typeOfCell(std::string_view text);

// Writes the table to `target` through a temporary file beside it, so that
// the old workbook stays whole when anything fails. Throws ExportError.
void writeWorkbook(const std::filesystem::path& target, const TextTable& table);

}  // namespace qudrim::history
