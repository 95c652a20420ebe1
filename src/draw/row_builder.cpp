#include "draw/row_builder.h"

#include "draw/attributes.h"
#include "store/schema.h"

namespace qudrim {

namespace {

std::vector<std::string> intNames()
{
    std::vector<std::string> names{std::string(store::kIssueColumn)};
    for (const auto& c : store::attributeColumns())
        names.push_back(c.name);
    names.emplace_back(store::kSpecialRepeatColumn);
    return names;
}

std::string insertSql()
{
    std::string cols, params;
    int n = 0;
    for (const auto* names : {&rowIntColumnNames(), &rowTextColumnNames()})
        for (const auto& name : *names) {
            if (n++) {
                cols += ", ";
                params += ", ";
            }
            cols += name;
            params += "?" + std::to_string(n);
        }
    return "INSERT INTO Lishi (" + cols + ") VALUES (" + params + ")";
}

}  // namespace

const std::vector<std::string>& rowIntColumnNames()
{
    static const std::vector<std::string> names = intNames();
    return names;
}

const std::vector<std::string>& rowTextColumnNames() { return store::listColumns(); }

RowValues buildRowValues(const DrawRow& current, const DrawRow& previous, const DrawRow& beforePrevious,
                         const ListTexts& lists, const ListTexts& preLists)
{
    RowValues v;
    v.ints.reserve(rowIntColumnNames().size());
    v.ints.push_back(current.issue);
    // Indexed by store::Copy: own columns describe the draw itself, "S"
    // copies the one before it, "P" copies the one before that.
    const DrawRow* source[3] = {&current, &previous, &beforePrevious};
    for (const auto& c : store::attributeColumns())
        v.ints.push_back(source[static_cast<size_t>(c.copy)]->at(c.order, c.position).column(c.letter));
    v.ints.push_back(current.D[7].A);
    v.texts.assign(lists.begin(), lists.end());
    v.texts.insert(v.texts.end(), preLists.begin(), preLists.end());
    return v;
}

bool AddLishi(store::HistoryStore& store, std::span<const DrawInput> draws, const CodeBases& bases,
              PreListMode mode, HistoryWrite write, const std::function<bool(size_t stored)>& keepGoing)
{
    if (draws.empty() && write == HistoryWrite::Append)
        return true;
    store::Database& db = store.db();
    store::Transaction tx(db);
    if (write == HistoryWrite::ReplaceAll)
        db.exec("DELETE FROM Lishi");

    // The working sets come from what is really stored, so a deletion or an
    // emptied history never leaves stale copies behind.
    const auto stored = store.lastRows(2);
    DrawRow previous, beforePrevious;
    if (!stored.empty())
        previous = stored.back();
    if (stored.size() == 2)
        beforePrevious = stored.front();
    ListTexts lists = stored.empty() ? ListTexts{} : BuildHisLst(previous);
    ListTexts preLists{};  // the lists that the row before received
    if (mode == PreListMode::DrawTwoBefore && stored.size() == 2)
        preLists = BuildHisLst(beforePrevious);

    auto insert = db.prepare(insertSql());
    size_t rowsStored = 0;
    for (const DrawInput& d : draws) {
        const DrawRow current = deriveDraw(d.issue, d.numbers, GetSxYear(d.zodiacIssue), bases);
        const RowValues values =
            buildRowValues(current, previous, beforePrevious, lists,
                           mode == PreListMode::DrawTwoBefore ? preLists : ListTexts{});
        int p = 1;
        for (int64_t x : values.ints)
            insert.bind(p++, x);
        for (const auto& t : values.texts)
            insert.bind(p++, std::string_view(t));
        insert.run();

        // The sets advance only once the row is really stored.
        beforePrevious = previous;
        previous = current;
        preLists = lists;
        lists = BuildHisLst(current);
        ++rowsStored;
        if (keepGoing && !keepGoing(rowsStored))
            return false;  // the transaction rolls back
    }
    tx.commit();
    return true;
}

}  // namespace qudrim
