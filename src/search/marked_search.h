// The frame both searches run in, whatever their marking: the options
// checked; the columns read once, in one read transaction (from the cache
// where it holds them); every row's new values and the result worked out in
// memory; and, later and in a write transaction of its own, each changed row
// written once and the cache told exactly what was written, so that it
// serves the next search without reading again.
#pragma once

#include "search/column_cache.h"
#include "search/history_columns.h"
#include "search/pending_marks.h"
#include "search/result_display.h"
#include "search/search_options.h"

#include <functional>
#include <memory>

namespace qudrim::search {

// Refuses, as a StoreError, an unknown search or result kind, an unknown
// number order or a scope beyond 0..2, before anything runs; returns the
// display's options with the compared draw of the search.
DisplayOptions checkedDisplay(const SearchOptions& options);

// One search worked out from the rows it read: what it writes back, and the
// hits of the range with their tally.
class Evaluation {
public:
    virtual ~Evaluation() = default;
    Evaluation(const Evaluation&) = delete;
    Evaluation& operator=(const Evaluation&) = delete;

    // The same search again, not yet worked out.
    virtual std::unique_ptr<Evaluation> fresh() const = 0;

    // Reads the registered columns (through the cache, when given) and works
    // out the writes and the result.
    SearchResult evaluate(store::Database& db, ColumnCache* cache);

    const Rows& rows() const { return rows_; }
    const RowWrites& writes() const { return writes_; }

protected:
    explicit Evaluation(const DisplayOptions& display) : display_(display) {}
    // After the marking registered its columns: those the display reads, the
    // result kind's own columns and the compared draw's number list as the
    // search leaves it.
    void registerDisplay() { hitColumns_ = registerHitColumns(rows_, display_); }

    Rows rows_;

private:
    virtual void mark(const Rows& rows, RowWrites& writes) = 0;
    virtual bool isHit(size_t k) const = 0;

    DisplayOptions display_;
    HitColumns hitColumns_;
    RowWrites writes_;
};

// `Marking` is built from (options, rows), registering the columns it
// reads, and gives evaluate(rows, writes) and isHit(k) once evaluated. It may
// keep a reference to the options, which live as long as it.
template <class Marking, class Options>
class MarkedEvaluation final : public Evaluation {
public:
    explicit MarkedEvaluation(const Options& options)
        : Evaluation(checkedDisplay(options)), options_(options), marking_(options_, rows_)
    {
        registerDisplay();
    }

    std::unique_ptr<Evaluation> fresh() const override { return std::make_unique<MarkedEvaluation>(options_); }

private:
    void mark(const Rows& rows, RowWrites& writes) override { marking_.evaluate(rows, writes); }
    bool isHit(size_t k) const override { return marking_.isHit(k); }

    Options options_;
    Marking marking_;
};

// Works the search out in a read transaction, writing nothing. Refused while
// the cache holds pending marks. Throws StoreError ("<what> failed: ..." for
// a failure outside the store), and then has emptied the cache.
PreparedSearch prepareSearch(store::Database& db, const std::function<std::unique_ptr<Evaluation>()>& make,
                             ColumnCache* cache, const char* what);

template <class Marking, class Options>
PreparedSearch prepareMarkedSearch(store::Database& db, const Options& options, ColumnCache* cache, const char* what)
{
    return prepareSearch(
        db, [&] { return std::make_unique<MarkedEvaluation<Marking, Options>>(options); }, cache, what);
}

}  // namespace qudrim::search
