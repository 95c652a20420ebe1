#include "store/schema.h"

#include "store/database.h"

#include <set>
#include <unordered_set>

namespace qudrim::store {

namespace {

std::vector<ColumnDef> buildCatalogue()
{
    std::vector<ColumnDef> cols;
    cols.push_back({"SQQH", ColumnType::Integer});
    auto addStem = [&](const std::string& stem) {
        for (const char* suffix : {"", "S", "P"})
            for (char letter : kAttrLetters)
                cols.push_back({stem + letter + suffix, ColumnType::Integer});
    };
    for (int i = 1; i <= 7; ++i)
        addStem("L" + std::to_string(i));
    for (int i = 1; i <= 6; ++i)
        addStem("D" + std::to_string(i));
    cols.push_back({"D7A", ColumnType::Integer});
    for (const char* prefix : {"txtHisLst", "txtHisPreLst"})
        for (std::string_view suffix : kListSuffixes)
            cols.push_back({std::string(prefix) + std::string(suffix), ColumnType::Text});
    cols.push_back({"intTh", ColumnType::Integer});
    cols.push_back({"txtHisP6", ColumnType::Text});
    cols.push_back({"bolOk", ColumnType::Boolean});
    return cols;
}

}  // namespace

const std::vector<ColumnDef>& lishiColumns()
{
    static const std::vector<ColumnDef> catalogue = buildCatalogue();
    return catalogue;
}

bool isLishiColumn(std::string_view name)
{
    static const std::unordered_set<std::string_view> names = [] {
        std::unordered_set<std::string_view> s;
        for (const auto& c : lishiColumns())
            s.insert(c.name);
        return s;
    }();
    return names.count(name) != 0;
}

std::string stemOf(char prefix, int position)
{
    if (position == 7)
        return "L7";
    return std::string(1, prefix) + std::to_string(position);
}

void createSchema(Database& db)
{
    std::string sql = "CREATE TABLE Lishi (";
    bool first = true;
    for (const auto& c : lishiColumns()) {
        if (!first)
            sql += ", ";
        first = false;
        sql += '"' + c.name + '"';
        switch (c.type) {
        case ColumnType::Integer:
        case ColumnType::Boolean:
            sql += " INTEGER NOT NULL DEFAULT 0";
            break;
        case ColumnType::Text:
            sql += " TEXT NOT NULL DEFAULT ''";
            break;
        }
    }
    sql += ");";
    Transaction tx(db);
    db.exec(sql);
    db.exec("CREATE UNIQUE INDEX LishiSQQH ON Lishi (SQQH);");
    db.exec("CREATE TABLE Carcu (Nmb INTEGER NOT NULL DEFAULT 0, Count INTEGER NOT NULL DEFAULT 0);");
    tx.commit();
}

void checkSchema(Database& db)
{
    auto columnsOf = [&](const char* table) {
        std::set<std::string> names;
        auto st = db.prepare("SELECT name FROM pragma_table_info(?1)");
        st.bind(1, std::string_view(table));
        while (st.step())
            names.insert(st.columnText(0));
        return names;
    };
    const auto lishi = columnsOf("Lishi");
    if (lishi.empty())
        throw StoreError("the database has no table Lishi");
    for (const auto& c : lishiColumns())
        if (!lishi.count(c.name))
            throw StoreError("table Lishi lacks the column " + c.name);
    const auto carcu = columnsOf("Carcu");
    if (!carcu.count("Nmb") || !carcu.count("Count"))
        throw StoreError("the database has no table Carcu with Nmb and Count");
}

}  // namespace qudrim::store
