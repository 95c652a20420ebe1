#include "store/schema.h"

#include "store/database.h"

#include <set>
#include <unordered_set>

namespace qudrim::store {

namespace {

std::vector<AttributeColumn> buildAttributeColumns()
{
    std::vector<AttributeColumn> cols;
    for (NumberOrder order : {kDrawnOrder, kAscendingOrder}) {
        const int last = order == kDrawnOrder ? 7 : 6;
        for (int position = 1; position <= last; ++position)
            for (Copy copy : {Copy::Own, Copy::Previous, Copy::NBack})
                for (char letter : kAttrLetters)
                    cols.push_back({order, position, copy, letter, attributeColumn(order, position, letter, copy)});
    }
    return cols;
}

std::vector<ColumnDef> buildCatalogue()
{
    std::vector<ColumnDef> cols;
    cols.push_back({std::string(kIssueColumn), ColumnType::Integer});
    for (const auto& c : attributeColumns())
        cols.push_back({c.name, ColumnType::Integer});
    cols.push_back({std::string(kSpecialRepeatColumn), ColumnType::Integer});
    for (const auto& name : listColumns())
        cols.push_back({name, ColumnType::Text});
    cols.push_back({std::string(kMatchCountColumn), ColumnType::Integer});
    cols.push_back({std::string(kSearchedListColumn), ColumnType::Text});
    cols.push_back({std::string(kMarkColumn), ColumnType::Boolean});
    return cols;
}

}  // namespace

std::string stemOf(NumberOrder order, int position)
{
    if (position == 7)
        return "L7";
    return static_cast<char>(order) + std::to_string(position);
}

std::string attributeColumn(NumberOrder order, int position, char letter, Copy copy)
{
    std::string name = stemOf(order, position);
    name += letter;
    if (copy == Copy::Previous)
        name += 'S';
    else if (copy == Copy::NBack)
        name += 'P';
    return name;
}

const std::vector<AttributeColumn>& attributeColumns()
{
    static const std::vector<AttributeColumn> columns = buildAttributeColumns();
    return columns;
}

std::string listColumn(Kind kind, ListOf of)
{
    return std::string(of == ListOf::DrawBefore ? "txtHisLst" : "txtHisPreLst") +
           std::string(kListSuffixes[static_cast<size_t>(kind)]);
}

const std::vector<std::string>& listColumns()
{
    static const std::vector<std::string> names = [] {
        std::vector<std::string> v;
        for (ListOf of : {ListOf::DrawBefore, ListOf::DrawNBefore})
            for (Kind kind : kAllKinds)
                v.push_back(listColumn(kind, of));
        return v;
    }();
    return names;
}

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
