// Reads Lishi back column by column name, straight from SQLite, so that the
// tests check what the file really holds rather than what the store's own
// readers make of it.
#pragma once

#include "store/database.h"

#include <sqlite3.h>

#include <cstdint>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace qudrim::testrows {

struct StoredRow {
    std::map<std::string, int64_t> ints;
    std::map<std::string, std::string> texts;

    int64_t at(const std::string& column) const
    {
        const auto it = ints.find(column);
        if (it == ints.end())
            throw std::out_of_range("no integer column " + column);
        return it->second;
    }
    const std::string& text(const std::string& column) const
    {
        const auto it = texts.find(column);
        if (it == texts.end())
            throw std::out_of_range("no text column " + column);
        return it->second;
    }
    bool operator==(const StoredRow&) const = default;
};

// Every row of Lishi in SQQH order, every column by its name.
inline std::vector<StoredRow> readLishi(store::Database& db)
{
    std::vector<StoredRow> rows;
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db.handle(), "SELECT * FROM Lishi ORDER BY SQQH", -1, &st, nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(db.handle()));
    while (sqlite3_step(st) == SQLITE_ROW) {
        StoredRow row;
        for (int c = 0; c < sqlite3_column_count(st); ++c) {
            const std::string name = sqlite3_column_name(st, c);
            if (sqlite3_column_type(st, c) == SQLITE_TEXT)
                row.texts[name] = reinterpret_cast<const char*>(sqlite3_column_text(st, c));
            else
                row.ints[name] = sqlite3_column_int64(st, c);
        }
        rows.push_back(std::move(row));
    }
    sqlite3_finalize(st);
    return rows;
}

inline int64_t countOf(store::Database& db, const std::string& table)
{
    auto st = db.prepare("SELECT COUNT(*) FROM " + table);
    st.step();
    return st.columnInt(0);
}

// The column stems of the attribute columns that carry copies.
inline std::vector<std::string> copyStems()
{
    std::vector<std::string> stems;
    for (int i = 1; i <= 7; ++i)
        stems.push_back("L" + std::to_string(i));
    for (int i = 1; i <= 6; ++i)
        stems.push_back("D" + std::to_string(i));
    return stems;
}

inline constexpr const char* kLetters[6] = {"A", "B", "C", "E", "F", "H"};
inline constexpr const char* kListSuffixes[8] = {"", "Sx", "Tou", "Wei", "He", "Ds", "Xw", "Das"};

}  // namespace qudrim::testrows
