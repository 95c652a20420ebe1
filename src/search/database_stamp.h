// What tells whether the database may have changed between two moments on
// one connection: another connection's commit (PRAGMA data_version), a write
// of this connection (its total change count: every INSERT, UPDATE or
// DELETE, rolled back or not), or the schema (PRAGMA schema_version, which
// VACUUM raises too, as it may number the rows anew). A connection closed and
// opened again at the same address may show the same stamp; the column cache
// tells such a connection apart by a token of its own.
#pragma once

#include "store/database.h"

#include <cstdint>

struct sqlite3;

namespace qudrim::search {

struct DatabaseStamp {
    sqlite3* handle = nullptr;
    int64_t dataVersion = -1;
    int64_t schemaVersion = -1;
    int64_t totalChanges = -1;
    bool operator==(const DatabaseStamp&) const = default;

    // Inside a transaction, the stamp of what the transaction sees.
    static DatabaseStamp of(store::Database& db);
};

}  // namespace qudrim::search
