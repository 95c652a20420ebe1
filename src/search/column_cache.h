// The columns of Lishi that searches read, kept in memory from one search
// to the next, so that a search reads from the table only what it has not
// read before.
//
// It never serves a value the table no longer holds. What it holds is valid
// for one connection as long as nothing changed the database since the last
// search noted it: not another connection (PRAGMA data_version), not a write
// of this connection (its total change count: every INSERT, UPDATE or
// DELETE, rolled back or not), not the schema (PRAGMA schema_version, which
// VACUUM raises too, as it may number the rows anew), and not a closing or
// reopening of the connection. A search that wrote rows keeps it valid only
// by handing it exactly what it wrote, before its commit.
#pragma once

#include "store/database.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

struct sqlite3;

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
    // write transaction, so that nobody can change the table meanwhile.
    void load(store::Database& db, Rows& rows);

    // Takes over what a search wrote through `writes` into the columns of
    // `rows` (loaded from this cache) and notes the database as the search
    // leaves it. Call after the search's last statement and before its
    // commit; the note holds from committed() on.
    void keep(store::Database& db, const Rows& rows, const RowWrites& writes);
    void committed();

    // Forgets everything; the next search reads the table again.
    void invalidate();

    // How many columns it holds, and how often it has read from the table
    // (tests).
    size_t columnsHeld() const { return ints_.size() + texts_.size(); }
    size_t tableReads() const { return tableReads_; }

    struct Token;

private:
    struct Stamp {
        sqlite3* handle = nullptr;
        int64_t dataVersion = -1;
        int64_t schemaVersion = -1;
        int64_t totalChanges = -1;
        bool operator==(const Stamp&) const = default;
    };
    static Stamp stampOf(store::Database& db);
    bool holds(store::Database& db) const;
    void loadColumns(store::Database& db, const std::vector<std::string>& ints, const std::vector<std::string>& texts);
    bool tokenOn(store::Database& db);

    bool loaded_ = false;
    std::vector<int64_t> rowid_, sqqh_;   // ascending issue
    std::vector<size_t> order_;           // storage place of each row in issue order
    std::map<std::string, std::vector<int64_t>> ints_;
    std::map<std::string, std::vector<std::string>> texts_;
    Stamp stamp_, pending_;
    bool pendingValid_ = false;
    std::shared_ptr<Token> token_;
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
