#include "search/marked_search.h"

#include <string>

namespace qudrim::search {

DisplayOptions checkedDisplay(const SearchOptions& o)
{
    if (!isKnownKind(o.intLei))
        throw store::StoreError("search kind out of range");
    DisplayOptions display = o.display;
    display.bolSq = o.bolSq;
    checkDisplayOptions(display);
    return display;
}

SearchResult Evaluation::evaluate(store::Database& db, ColumnCache* cache)
{
    rows_.load(db, cache);
    mark(rows_, writes_);
    auto listed = [&](size_t k) {
        return rows_.sqqh()[k] >= display_.firstIssue && rows_.sqqh()[k] <= display_.lastIssue && isHit(k);
    };
    size_t count = 0;
    for (size_t k = 0; k < rows_.size(); ++k)
        count += listed(k);
    std::vector<HitRow> hits;
    hits.reserve(count);
    for (size_t k = 0; k < rows_.size(); ++k)
        if (listed(k))
            hits.push_back(hitOf(rows_, hitColumns_, writes_, k));
    return resultOf(std::move(hits), display_);
}

PreparedSearch prepareSearch(store::Database& db, const std::function<std::unique_ptr<Evaluation>()>& make,
                             ColumnCache* cache, const char* what)
{
    if (cache && cache->marksPending())
        throw store::StoreError(std::string(what) +
                                " refused: the marks of the last search are not written yet");
    try {
        std::unique_ptr<Evaluation> evaluation = make();
        try {
            // Only reads: one state of the database for the whole search, and no
            // lock that keeps another connection from writing.
            store::ReadTransaction read(db);
            SearchResult result = evaluation->evaluate(db, cache);
            const DatabaseStamp stamp = DatabaseStamp::of(db);
            read.end();
            PendingMarks marks(db, std::move(evaluation), cache, stamp, result.tally, what);
            return {std::move(result), std::move(marks)};
        } catch (...) {
            // What it read may be only part of what it asked for.
            if (cache)
                cache->invalidate();
            throw;
        }
    } catch (const store::StoreError&) {
        throw;
    } catch (const std::exception& e) {
        throw store::StoreError(std::string(what) + " failed: " + e.what());
    }
}

}  // namespace qudrim::search
