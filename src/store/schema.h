// The layout of the history table Lishi and the tally table Carcu, generated
// from one column catalogue so that the file, the row builder and the readers
// can never disagree on a name.
#pragma once

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

// The suffixes of the eight list columns, by attribute kind 0..7.
inline constexpr std::string_view kListSuffixes[8] = {"", "Sx", "Tou", "Wei", "He", "Ds", "Xw", "Das"};

// Every column of Lishi (255 of them), in the order of the table.
const std::vector<ColumnDef>& lishiColumns();
bool isLishiColumn(std::string_view name);

// Column stem of a position: "L1".."L7", "D1".."D6"; position 7 is "L7" in both orders.
std::string stemOf(char prefix, int position);

// Creates Lishi (with a unique index on SQQH) and Carcu in an empty database.
void createSchema(Database& db);

// Throws StoreError when the database lacks a table or column the program needs.
void checkSchema(Database& db);

}  // namespace qudrim::store
