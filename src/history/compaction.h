// Compacting the history file after draws were deleted. The history itself
// is whole whether it succeeds or not: a failure only leaves the file its
// size, and the next compaction tries again.
#pragma once

#include "store/history_store.h"

#include <string>

namespace qudrim::history {

struct Compaction {
    bool failed = false;
    std::string detail;  // failed: the store's account
};

// Compacts the file and opens it again (the store opens the original again
// when the compaction fails).
Compaction CompactDb(store::HistoryStore& store);

}  // namespace qudrim::history
