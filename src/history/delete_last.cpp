#include "history/delete_last.h"

namespace qudrim::history {

bool DeleteLastDraw(store::HistoryStore& store)
{
    store::Database& db = store.db();
    store::Transaction tx(db);
    db.exec("DELETE FROM Lishi WHERE SQQH = (SELECT MAX(SQQH) FROM Lishi)");
    const bool deleted = db.changes() > 0;
    tx.commit();
    return deleted;
}

}  // namespace qudrim::history
