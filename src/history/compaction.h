// Compacting the history file after draws were deleted. The history itself
// is whole whether it succeeds or not: a failure only leaves the file its
// size, and the next compaction tries again; only a file that fails its
// check after the compaction is damaged.
#pragma once

#include "store/history_store.h"

#include <string>

namespace qudrim::history {

struct Compaction {
    bool failed = false;
    bool damaged = false;  // failed: the file failed its check and must not be written
    std::string detail;    // failed: the store's account
};

// Compacts the file in place; the database stays open.
Compaction CompactDb(store::HistoryStore& store);

}  // namespace qudrim::history
