#include "search/pending_marks.h"

#include "search/column_cache.h"
#include "search/marked_search.h"

#include <string>
#include <utility>

namespace qudrim::search {

PendingMarks::PendingMarks() = default;

PendingMarks::PendingMarks(store::Database& db, std::unique_ptr<Evaluation> evaluation, ColumnCache* cache,
                           const DatabaseStamp& read, std::vector<TallyRow> tally, const char* what)
    : evaluation_(std::move(evaluation)), cache_(cache), connection_(std::make_unique<ConnectionToken>(db)), read_(read),
      tally_(std::move(tally)), what_(what)
{
    if (cache_)
        cache_->holdForMarks();
}

PendingMarks::~PendingMarks() { discard(); }

PendingMarks::PendingMarks(PendingMarks&& other) noexcept
    : evaluation_(std::move(other.evaluation_)), cache_(std::exchange(other.cache_, nullptr)),
      connection_(std::move(other.connection_)), read_(other.read_), tally_(std::move(other.tally_)), what_(other.what_)
{
}

PendingMarks& PendingMarks::operator=(PendingMarks&& other) noexcept
{
    if (this != &other) {
        discard();
        evaluation_ = std::move(other.evaluation_);
        cache_ = std::exchange(other.cache_, nullptr);
        connection_ = std::move(other.connection_);
        read_ = other.read_;
        tally_ = std::move(other.tally_);
        what_ = other.what_;
    }
    return *this;
}

void PendingMarks::discard()
{
    evaluation_.reset();
    connection_.reset();
    tally_.clear();
    if (auto* cache = std::exchange(cache_, nullptr))
        cache->releaseAndForget();
}

std::optional<SearchResult> PendingMarks::commit(store::Database& db)
{
    if (!evaluation_)
        return std::nullopt;
    // Empty from here on, whatever happens.
    std::unique_ptr<Evaluation> evaluation = std::move(evaluation_);
    std::vector<TallyRow> tally = std::move(tally_);
    const std::unique_ptr<ConnectionToken> connection = std::move(connection_);
    ColumnCache* cache = std::exchange(cache_, nullptr);
    const bool cacheIntact = cache ? cache->releaseForMarks() : true;
    CacheGuard guard(cache);
    try {
        store::Transaction tx(db);
        std::optional<SearchResult> again;
        if (!cacheIntact || !connection->isOn(db) || !(DatabaseStamp::of(db) == read_)) {
            evaluation = evaluation->fresh();
            again = evaluation->evaluate(db, cache);
            tally = again->tally;
        }
        evaluation->writes().write(db, evaluation->rows());
        writeCarcu(db, std::move(tally));
        if (cache)
            cache->keep(db, evaluation->rows(), evaluation->writes());
        tx.commit();
        guard.committed();
        return again;
    } catch (const store::StoreError&) {
        throw;
    } catch (const std::exception& e) {
        throw store::StoreError(std::string(what_) + " failed: " + e.what());
    }
}

SearchResult committed(store::Database& db, PreparedSearch prepared)
{
    if (auto again = prepared.marks.commit(db))
        return std::move(*again);
    return std::move(prepared.result);
}

}  // namespace qudrim::search
