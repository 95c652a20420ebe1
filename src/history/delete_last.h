// Deleting the newest draw: the one with the highest issue, whatever the
// order in which the draws were stored; then the file is compacted.
#pragma once

#include "history/compaction.h"
#include "store/history_store.h"

#include <string>

namespace qudrim::history {

// Deletes the row with the highest SQQH in one transaction; false when the
// history is empty. Throws StoreError, and then nothing is deleted.
bool deleteLastDraw(store::HistoryStore& store);

struct DeleteOutcome {
    bool refused = false;    // the database refused: nothing was deleted, nothing compacted
    std::string detail;      // refused: the database's account
    bool deleted = false;    // a draw went (none does from an empty history)
    Compaction compaction;   // after the deletion, an empty history's included
};

// "删除最后历史": the newest draw goes, then the file is compacted.
DeleteOutcome deleteLastAndCompact(store::HistoryStore& store);

}  // namespace qudrim::history
