#include "search/result_display.h"

#include "draw/tables.h"
#include "search/search_terms.h"

namespace qudrim::search {

namespace {

// Runs the body inside a savepoint: nested in the caller's transaction it
// undoes only its own writes, called alone it is a transaction of its own.
template <typename Body>
auto insideSavepoint(store::Database& db, Body&& body)
{
    db.exec("SAVEPOINT display");
    try {
        auto result = body();
        db.exec("RELEASE display");
        return result;
    } catch (...) {
        try {
            db.exec("ROLLBACK TO display");
            db.exec("RELEASE display");
        } catch (...) {
            // The connection already dropped the savepoint with its transaction.
        }
        throw;
    }
}

SearchResult fill(store::Database& db, const std::vector<HitRow>& hits, const DisplayOptions& options)
{
    const Kind kind = options.intXianshiLei;
    SearchResult result;
    result.hitHeader = {"期号", "平1位", "平2位", "平3位", "平4位", "平5位", "平6位", "特位",
                        options.bolSq ? "上期开奖" : "前期开奖", "序号"};
    result.tallyHeader = {"序号", "结果", "出现次数", "百分比"};

    const int firstPos = options.scope == 2 ? 7 : 1;
    const int lastPos = options.scope == 1 ? 6 : 7;

    // The names of a kind's values, worked out once instead of once a cell.
    std::array<std::string, 50> names;
    for (int v = 0; v < 50; ++v)
        names[static_cast<size_t>(v)] = displayValue(kind, v, options.bases);
    auto shown = [&](int64_t v) {
        return (v >= 0 && v < 50) ? names[static_cast<size_t>(v)] : displayValue(kind, static_cast<int>(v), options.bases);
    };

    std::array<int64_t, 50> counter{};
    result.hits.reserve(hits.size());
    int64_t n = 0;
    for (const HitRow& hit : hits) {
        auto& row = result.hits.emplace_back();
        row[0] = std::to_string(hit.issue);
        for (int p = 1; p <= 7; ++p) {
            const int64_t v = hit.values[static_cast<size_t>(p)];
            row[static_cast<size_t>(p)] = shown(v);
            if (p >= firstPos && p <= lastPos && v >= 0 && v < 50 && tallyCounts(kind, static_cast<int>(v)))
                ++counter[static_cast<size_t>(v)];
        }
        row[8] = hit.list;
        row[9] = std::to_string(++n);
    }
    const int64_t total = n * (lastPos - firstPos + 1);

    db.exec("DELETE FROM Carcu");
    {
        auto insert = db.prepare("INSERT INTO Carcu (Nmb, Count) VALUES (?1, ?2)");
        for (int v : tallyValues(kind, options.bases)) {
            const int64_t count = tallyCounts(kind, v) ? counter[static_cast<size_t>(v)] : 0;
            insert.bind(1, v).bind(2, count);
            insert.run();
        }
    }
    auto st = db.prepare("SELECT Nmb, Count FROM Carcu ORDER BY Count DESC, Nmb ASC");
    int64_t m = 0;
    while (st.step()) {
        const int64_t count = st.columnInt(1);
        result.tally.push_back({std::to_string(++m), shown(st.columnInt(0)), std::to_string(count),
                                percentText(count, total)});
    }
    return result;
}

}  // namespace

void checkDisplayOptions(const DisplayOptions& o)
{
    if (!isKnownKind(o.intXianshiLei))
        throw store::StoreError("result kind out of range");
    if (o.scope < 0 || o.scope > 2)
        throw store::StoreError("statistics scope out of range");
    if (!isKnownOrder(o.strQz))
        throw store::StoreError("number order must be L or D");
}

SearchResult displayHits(store::Database& db, const std::vector<HitRow>& hits, const DisplayOptions& options)
{
    checkDisplayOptions(options);
    return insideSavepoint(db, [&] { return fill(db, hits, options); });
}

}  // namespace qudrim::search
