#include "search/database_stamp.h"

#include <sqlite3.h>

#include <string>

namespace qudrim::search {

namespace {

int64_t pragmaValue(store::Database& db, const char* pragma)
{
    auto st = db.prepare(pragma);
    if (!st.step())
        throw store::StoreError(std::string("no value for ") + pragma);
    return st.columnInt(0);
}

}  // namespace

DatabaseStamp DatabaseStamp::of(store::Database& db)
{
    DatabaseStamp s;
    s.handle = db.handle();
    s.dataVersion = pragmaValue(db, "PRAGMA data_version");
    s.schemaVersion = pragmaValue(db, "PRAGMA schema_version");
    s.totalChanges = sqlite3_total_changes64(db.handle());
    return s;
}

}  // namespace qudrim::search
