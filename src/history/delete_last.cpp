#include "history/delete_last.h"

#include <exception>

namespace qudrim::history {

bool deleteLastDraw(store::HistoryStore& store)
{
    store::Database& db = store.db();
    store::Transaction tx(db);
    db.exec("DELETE FROM Lishi WHERE SQQH = (SELECT MAX(SQQH) FROM Lishi)");
    const bool deleted = db.changes() > 0;
    tx.commit();
    return deleted;
}

DeleteOutcome deleteLastAndCompact(store::HistoryStore& store)
{
    DeleteOutcome outcome;
    try {
        outcome.deleted = deleteLastDraw(store);
    } catch (const std::exception& e) {
        outcome.refused = true;
        outcome.detail = e.what();
        return outcome;
    }
    outcome.compaction = CompactDb(store);
    return outcome;
}

}  // namespace qudrim::history
