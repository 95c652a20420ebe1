// A search shown before its marks are written: what it still has to write
// into Lishi and Carcu, written later in one transaction of its own, or
// forgotten.
#pragma once

#include "search/connection_token.h"
#include "search/database_stamp.h"
#include "search/result_display.h"
#include "store/database.h"

#include <memory>
#include <optional>
#include <vector>

namespace qudrim::search {

class ColumnCache;
class Evaluation;

class PendingMarks {
public:
    PendingMarks();
    // Takes the search as it was worked out from `db` as `read` stamps it;
    // holds `cache`, when the search loaded from it, until the marks are
    // done.
    PendingMarks(store::Database& db, std::unique_ptr<Evaluation> evaluation, ColumnCache* cache,
                 const DatabaseStamp& read, std::vector<TallyRow> tally, const char* what);
    // Marks never committed are discarded.
    ~PendingMarks();
    PendingMarks(PendingMarks&& other) noexcept;
    PendingMarks& operator=(PendingMarks&& other) noexcept;
    PendingMarks(const PendingMarks&) = delete;
    PendingMarks& operator=(const PendingMarks&) = delete;

    bool empty() const { return evaluation_ == nullptr; }

    // Writes them in one transaction and hands the cache exactly what was
    // written. Should the database have changed since the search read it
    // (another connection, or a write of this one), the search is run again
    // as a whole inside that transaction instead, so that the table is always
    // what that search leaves on the database as it now is; its result is
    // then returned, in place of the one shown. Throws StoreError, and then
    // has written nothing and emptied the cache. Empty afterwards either way.
    std::optional<SearchResult> commit(store::Database& db);

    // Forgets them; the cache is emptied too.
    void discard();

private:
    std::unique_ptr<Evaluation> evaluation_;
    ColumnCache* cache_ = nullptr;
    // The connection and the state of the database the search read.
    std::unique_ptr<ConnectionToken> connection_;
    DatabaseStamp read_;
    std::vector<TallyRow> tally_;
    const char* what_ = "search";
};

// A search worked out from the database as it stood, nothing written yet.
struct PreparedSearch {
    SearchResult result;
    PendingMarks marks;
};

// Commits the marks of a prepared search at once: the search as one whole,
// its result as the table now shows it.
SearchResult committed(store::Database& db, PreparedSearch prepared);

}  // namespace qudrim::search
