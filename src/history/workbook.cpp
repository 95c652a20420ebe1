#include "history/workbook.h"

#include "history/export_file.h"
#include "store/plain_text.h"

#include <xlsxwriter.h>

#include <charconv>
#include <optional>

namespace qudrim::history {

namespace {

// A double holds 15 significant decimal digits exactly; longer digit runs
// stay text, so that no digit of what the grid shows is lost.
constexpr size_t kMaxDigits = 15;

// Digits without a leading zero ("0" itself included); the count read.
size_t wholePart(std::string_view s)
{
    size_t n = 0;
    while (n < s.size() && isDigit(s[n]))
        ++n;
    if (n == 0 || (n > 1 && s[0] == '0'))
        return 0;
    return n;
}

std::optional<double> decimalValue(std::string_view digits, int exponent)
{
    std::string text(digits);
    text += "e" + std::to_string(exponent);
    double v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return v;
}

}  // namespace

CellValue typeOfCell(std::string_view text)
{
    if (text.empty())
        return {};
    const CellValue asText{CellValue::Kind::Text, 0};

    // A number: an optional minus, whole digits without a leading zero,
    // optionally a point and decimals; a percentage has "%" right after it.
    std::string_view s = text;
    const bool negative = s.front() == '-';
    if (negative)
        s.remove_prefix(1);
    const size_t whole = wholePart(s);
    if (whole == 0)
        return asText;
    std::string digits(s.substr(0, whole));
    s.remove_prefix(whole);
    int decimals = 0;
    if (!s.empty() && s.front() == '.') {
        s.remove_prefix(1);
        while (!s.empty() && isDigit(s.front())) {
            digits += s.front();
            s.remove_prefix(1);
            ++decimals;
        }
        if (decimals == 0)
            return asText;
    }
    const bool percent = s == "%";
    if ((!s.empty() && !percent) || digits.size() > kMaxDigits)
        return asText;
    // Shifting the decimal point in the digits gives the value the program
    // would have read from "0.10317", not the rounded 10.317 / 100.
    const auto v = decimalValue(digits, -(decimals + (percent ? 2 : 0)));
    if (!v)
        return asText;
    return {percent ? CellValue::Kind::Percent : CellValue::Kind::Number, (negative && *v != 0) ? -*v : *v};
}

void writeWorkbook(const std::filesystem::path& target, const TextTable& table)
{
    if (table.size() > LXW_ROW_MAX)
        throw ExportError("the grid has more rows than a worksheet");
    for (const auto& row : table)
        if (row.size() > LXW_COL_MAX)
            throw ExportError("the grid has more columns than a worksheet");

    const std::filesystem::path temporary = temporaryBeside(target);
    const std::string name = utf8Of(temporary);
    lxw_workbook* book = workbook_new(name.c_str());
    if (!book)
        throw ExportError("cannot start a workbook");
    lxw_worksheet* sheet = workbook_add_worksheet(book, kSheetName);
    lxw_format* percent = workbook_add_format(book);
    lxw_error failed = (sheet && percent) ? LXW_NO_ERROR : LXW_ERROR_MEMORY_MALLOC_FAILED;
    if (percent)
        format_set_num_format(percent, kPercentFormat);

    for (size_t r = 0; r < table.size() && !failed; ++r) {
        for (size_t c = 0; c < table[r].size() && !failed; ++c) {
            const std::string& text = table[r][c];
            const auto row = static_cast<lxw_row_t>(r);
            const auto col = static_cast<lxw_col_t>(c);
            const CellValue v = typeOfCell(text);
            switch (v.kind) {
            case CellValue::Kind::Blank: break;
            case CellValue::Kind::Number: failed = worksheet_write_number(sheet, row, col, v.number, nullptr); break;
            case CellValue::Kind::Percent: failed = worksheet_write_number(sheet, row, col, v.number, percent); break;
            case CellValue::Kind::Text: failed = worksheet_write_string(sheet, row, col, text.c_str(), nullptr); break;
            }
        }
    }

    // Closing writes the file; it also frees the workbook when a cell failed.
    const lxw_error closed = workbook_close(book);
    const lxw_error error = failed ? failed : closed;
    if (error) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        throw ExportError("cannot write the workbook " + name + ": " + lxw_strerror(error));
    }
    replaceWith(temporary, target);
}

}  // namespace qudrim::history
