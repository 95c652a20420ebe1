// The frame both searches run in, whatever their marking: the options
// checked; one transaction; the columns read once (from the cache where it
// holds them); every row's new values worked out in memory and each changed
// row written once; the marked draws of the issue range shown; and the
// cache told exactly what was written, so that it serves the next search
// without reading again.
#pragma once

#include "search/column_cache.h"
#include "search/history_columns.h"
#include "search/result_display.h"
#include "search/search_options.h"

#include <string>
#include <vector>

namespace qudrim::search {

// Refuses, as a StoreError, an unknown search or result kind, an unknown
// number order or a scope beyond 0..2, before anything runs; returns the
// display's options with the compared draw of the search.
DisplayOptions checkedDisplay(const SearchOptions& options);

// `Marking` is built from (options, rows), registering the columns it
// reads, and gives evaluate(rows, writes) and isHit(k) once evaluated.
// Throws StoreError ("<what> failed: ..." for a failure outside the store),
// and then has rolled back and emptied the cache.
template <class Marking, class Options>
SearchResult runMarkedSearch(store::Database& db, const Options& options, ColumnCache* cache, const char* what)
{
    try {
        const DisplayOptions display = checkedDisplay(options);
        Rows rows;
        Marking marking(options, rows);

        store::Transaction tx(db);
        CacheGuard guard(cache);
        // The display reads the same pass: the result kind's own columns and
        // the compared draw's number list as this run leaves it.
        const HitColumns hitColumns = registerHitColumns(rows, display);
        rows.load(db, cache);
        RowWrites writes;
        marking.evaluate(rows, writes);
        writes.write(db, rows);

        std::vector<HitRow> hits;
        for (size_t k = 0; k < rows.size(); ++k)
            if (rows.sqqh()[k] >= display.firstIssue && rows.sqqh()[k] <= display.lastIssue && marking.isHit(k))
                hits.push_back(hitOf(rows, hitColumns, writes, k));
        SearchResult result = displayHits(db, hits, display);
        if (cache)
            cache->keep(db, rows, writes);
        tx.commit();
        guard.committed();
        return result;
    } catch (const store::StoreError&) {
        throw;
    } catch (const std::exception& e) {
        throw store::StoreError(std::string(what) + " failed: " + e.what());
    }
}

}  // namespace qudrim::search
