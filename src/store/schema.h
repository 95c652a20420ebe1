// The layout of the history table Lishi and the tally table Carcu, generated
// from one column catalogue: the file, the row builder, the read view and the
// searches all take their column names from here, so they cannot disagree on
// a name.
#pragma once

#include "store/attribute_kind.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace qudrim::store {

class Database;

enum class ColumnType { Integer, Text, Boolean };

struct ColumnDef {
    std::string name;
    ColumnType type;
};

// The six attribute letters that have columns, in catalogue order.
inline constexpr std::string_view kAttrLetters = "ABCEFH";

// Which draw an attribute column describes: the row's own, or a copy of the
// draw before it (suffix "S") or of the draw N before it (suffix "P").
enum class Copy { Own = 0, Previous = 1, NBack = 2 };

// Column stem of a position: "L1".."L7", "D1".."D6"; position 7 is "L7" in
// both orders, the special number having no ascending place.
std::string stemOf(NumberOrder order, int position);

// Stem, letter and the copy's suffix: "L3B", "D2FS", "L7HP".
std::string attributeColumn(NumberOrder order, int position, char letter, Copy copy = Copy::Own);

// The columns of Lishi that are not attributes or lists: the issue, and the
// three the searches write into every row.
inline constexpr std::string_view kIssueColumn = "SQQH";
inline constexpr std::string_view kMatchCountColumn = "intTh";      // conditions a row meets
inline constexpr std::string_view kSearchedListColumn = "txtHisP6";  // the compared draw without its special number
inline constexpr std::string_view kMarkColumn = "bolOk";            // the combination search's hits

// D7A repeats the special number; it is the only column of the stem D7.
inline constexpr std::string_view kSpecialRepeatColumn = "D7A";

// Every attribute column but D7A, in the order of the table: the stems L1..L7
// and then D1..D6, each with its own columns, its "S" copies and its "P"
// copies, the letters in catalogue order within each.
struct AttributeColumn {
    NumberOrder order;
    int position;
    Copy copy;
    char letter;
    std::string name;
};
const std::vector<AttributeColumn>& attributeColumns();

// The suffixes of the eight list columns, by attribute kind.
inline constexpr std::array<std::string_view, kKindCount> kListSuffixes = {"",   "Sx", "Tou", "Wei",
                                                                           "He", "Ds", "Xw",  "Das"};

// Which earlier draw a list column describes: txtHisLst + suffix the draw just
// before the row, txtHisPreLst + suffix the draw N before it.
enum class ListOf { DrawBefore, DrawNBefore };
std::string listColumn(Kind kind, ListOf of);
// The sixteen list columns in the order of the table: txtHisLst and its seven
// kinds, then txtHisPreLst and its seven.
const std::vector<std::string>& listColumns();

// Every column of Lishi (255 of them), in the order of the table.
const std::vector<ColumnDef>& lishiColumns();
bool isLishiColumn(std::string_view name);

// Creates Lishi (with a unique index on SQQH) and Carcu in an empty database.
void createSchema(Database& db);

// Throws StoreError when the database lacks a table or column the program needs.
void checkSchema(Database& db);

}  // namespace qudrim::store
