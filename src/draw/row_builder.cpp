#include "draw/row_builder.h"

#include "draw/attributes.h"
#include "store/schema.h"

namespace qudrim {

namespace {

int16_t letterValue(const Attr& a, char letter)
{
    switch (letter) {
    case 'A': return a.A;
    case 'B': return a.B;
    case 'C': return a.C;
    case 'E': return a.E;
    case 'F': return a.F;
    case 'H': return a.H;
    default: return 0;
    }
}

// Walks the attribute columns in one fixed order; both the names and the
// values are produced by this walk, so they cannot drift apart.
template <typename Visit>
void forEachAttributeColumn(Visit&& visit)
{
    for (char prefix : {'L', 'D'}) {
        const int last = prefix == 'L' ? 7 : 6;
        for (int i = 1; i <= last; ++i)
            for (int which = 0; which < 3; ++which)  // own, previous ("S"), before-previous ("P")
                for (char letter : store::kAttrLetters)
                    visit(prefix, i, which, letter);
    }
}

std::vector<std::string> intNames()
{
    std::vector<std::string> names{"SQQH"};
    static const char* suffix[3] = {"", "S", "P"};
    forEachAttributeColumn([&](char prefix, int i, int which, char letter) {
        names.push_back(std::string(1, prefix) + std::to_string(i) + letter + suffix[which]);
    });
    names.push_back("D7A");
    return names;
}

std::vector<std::string> textNames()
{
    std::vector<std::string> names;
    for (const char* prefix : {"txtHisLst", "txtHisPreLst"})
        for (std::string_view suffix : store::kListSuffixes)
            names.push_back(std::string(prefix) + std::string(suffix));
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

const std::vector<std::string>& rowTextColumnNames()
{
    static const std::vector<std::string> names = textNames();
    return names;
}

RowValues buildRowValues(const DrawRow& current, const DrawRow& previous, const DrawRow& beforePrevious,
                         const HisLists& lists, const HisLists& preLists)
{
    RowValues v;
    v.ints.reserve(rowIntColumnNames().size());
    v.ints.push_back(current.issue);
    const DrawRow* source[3] = {&current, &previous, &beforePrevious};
    forEachAttributeColumn([&](char prefix, int i, int which, char letter) {
        const DrawRow& r = *source[which];
        const Attr& a = prefix == 'L' ? r.L[static_cast<size_t>(i)] : r.D[static_cast<size_t>(i)];
        v.ints.push_back(letterValue(a, letter));
    });
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
    HisLists lists = stored.empty() ? HisLists{} : BuildHisLst(previous);
    HisLists preLists{};  // the lists that the row before received
    if (mode == PreListMode::DrawTwoBefore && stored.size() == 2)
        preLists = BuildHisLst(beforePrevious);

    auto insert = db.prepare(insertSql());
    size_t rowsStored = 0;
    for (const DrawInput& d : draws) {
        const DrawRow current = deriveDraw(d.issue, d.numbers, GetSxYear(d.zodiacIssue), bases);
        const RowValues values =
            buildRowValues(current, previous, beforePrevious, lists,
                           mode == PreListMode::DrawTwoBefore ? preLists : HisLists{});
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
