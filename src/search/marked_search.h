// The frame both searches run in, whatever their marking: one transaction;
// the columns read once (from the cache where it holds them); every row's
// new values worked out in memory and each changed row written once; the
// marked draws of the issue range shown; and the cache told exactly what was
// written, so that it serves the next search without reading again.
#pragma once

#include "draw/tables.h"
#include "search/column_cache.h"
#include "search/history_columns.h"
#include "search/result_display.h"

#include <vector>

namespace qudrim::search {

// Refuses, as a StoreError, a search kind beyond 0..7 or a number order other
// than 'L'/'D' (a setting edited outside the program), before anything runs.
inline void checkSearchKindAndOrder(int kind, char order)
{
    if (kind < 0 || kind >= kKindCount)
        throw store::StoreError("search kind out of range");
    if (order != 'L' && order != 'D')
        throw store::StoreError("number order must be L or D");
}

// `Marking` gives rows(), evaluate(), write(db) and writes(); `isHit(k)`
// says whether row k is marked once evaluated. Throws StoreError and then
// has rolled back and emptied the cache.
template <class Marking, class IsHit>
SearchResult runMarkedSearch(store::Database& db, const DisplayOptions& display, ColumnCache* cache,
                             Marking& marking, IsHit&& isHit)
{
    store::Transaction tx(db);
    CacheGuard guard(cache);
    Rows& rows = marking.rows();
    // The display reads the same pass: the result kind's own columns and the
    // compared draw's number list as this run leaves it.
    const HitColumns hitColumns = registerHitColumns(rows, display);
    rows.load(db, cache);
    marking.evaluate();
    marking.write(db);

    std::vector<HitRow> hits;
    for (size_t k = 0; k < rows.size(); ++k)
        if (rows.sqqh()[k] >= display.firstIssue && rows.sqqh()[k] <= display.lastIssue && isHit(k))
            hits.push_back(hitOf(rows, hitColumns, marking.writes(), k));
    SearchResult result = JieguoXianshiRows(db, hits, display);
    if (cache)
        cache->keep(db, rows, marking.writes());
    tx.commit();
    guard.committed();
    return result;
}

}  // namespace qudrim::search
