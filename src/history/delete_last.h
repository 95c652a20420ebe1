// Deleting the newest draw: the one with the highest issue, whatever the
// order in which the draws were stored.
#pragma once

#include "store/history_store.h"

namespace qudrim::history {

// Deletes the row with the highest SQQH in one transaction; false when the
// history is empty. Throws StoreError, and then nothing is deleted.
bool DeleteLastDraw(store::HistoryStore& store);

}  // namespace qudrim::history
