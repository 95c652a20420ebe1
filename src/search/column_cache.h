// The columns of Lishi that searches read, kept in memory from one search
// to the next, so that a search reads from the table only what it has not
// read before.
//
// It never serves a value the table no longer holds. What it holds is valid
// for one connection as long as nothing changed the database since the last
// search noted it (its stamp: see DatabaseStamp), and the connection was not
// closed or opened again. A search that wrote rows keeps it valid only by
// handing it exactly what it wrote, before its commit.
//
// A prepared search whose marks are not written yet points into what the
// cache holds and writes through it later: until its marks are committed or
// discarded, the cache serves and takes nothing else.
#pragma once

#include "search/connection_token.h"
#include "search/database_stamp.h"
#include "store/database.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace qudrim::search {

class Rows;
class RowWrites;

class ColumnCache {
public:
    ColumnCache();
    ~ColumnCache();
    ColumnCache(const ColumnCache&) = delete;
    ColumnCache& operator=(const ColumnCache&) = delete;

    // Points the registered columns of `rows` at what it holds, after
    // dropping everything if the database changed since it was last noted
    // and reading from the table what it lacks. Runs inside the caller's
    // transaction, so that what it reads is one state of the table. Refused
    // (StoreError) while marks are pending.
    void load(store::Database& db, Rows& rows);

    // Takes over what a search wrote through `writes` into the columns of
    // `rows` (loaded from this cache) and notes the database as the search
    // leaves it. Call after the search's last statement and before its
    // commit; the note holds from committed() on. Refused while marks are
    // pending.
    void keep(store::Database& db, const Rows& rows, const RowWrites& writes);
    void committed();

    // Forgets everything; the next search reads the table again. While marks
    // are pending, what they point into stays until they are done, and they
    // are told that it no longer counts.
    void invalidate();

    // Held by the pending marks of a search that loaded from it; the cache
    // must outlive them.
    void holdForMarks();
    bool marksPending() const { return heldForMarks_; }
    // Lets go when the marks are written: whether what it holds is still
    // what the search loaded (not invalidated meanwhile); if not, it is
    // forgotten now.
    bool releaseForMarks();
    // Lets go when the marks are discarded, and forgets everything.
    void releaseAndForget();

    // How many columns it holds, and how often it has read from the table
    // (tests).
    size_t columnsHeld() const { return ints_.size() + texts_.size(); }
    size_t tableReads() const { return tableReads_; }

private:
    bool holds(store::Database& db) const;
    bool onConnection(store::Database& db) const;
    void refuseWhileHeld(const char* what) const;
    void loadColumns(store::Database& db, const std::vector<std::string>& ints, const std::vector<std::string>& texts);
    bool tokenOn(store::Database& db);

    bool loaded_ = false;
    std::vector<int64_t> rowid_, sqqh_;   // ascending issue
    std::vector<size_t> order_;           // storage place of each row in issue order
    std::map<std::string, std::vector<int64_t>> ints_;
    std::map<std::string, std::vector<std::string>> texts_;
    DatabaseStamp stamp_, pending_;
    bool pendingValid_ = false;
    bool heldForMarks_ = false;
    bool staleForMarks_ = false;
    std::unique_ptr<ConnectionToken> token_;
    size_t tableReads_ = 0;
};

// Forgets what the cache holds unless the search's commit went through.
class CacheGuard {
public:
    explicit CacheGuard(ColumnCache* cache) : cache_(cache) {}
    ~CacheGuard()
    {
        if (cache_ && !committed_)
            cache_->invalidate();
    }
    CacheGuard(const CacheGuard&) = delete;
    CacheGuard& operator=(const CacheGuard&) = delete;
    void committed()
    {
        committed_ = true;
        if (cache_)
            cache_->committed();
    }

private:
    ColumnCache* cache_;
    bool committed_ = false;
};

}  // namespace qudrim::search
