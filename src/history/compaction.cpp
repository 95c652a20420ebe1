#include "history/compaction.h"

#include <exception>

namespace qudrim::history {

Compaction CompactDb(store::HistoryStore& store)
{
    Compaction result;
    try {
        store.compact();
    } catch (const store::StoreError& e) {
        result.failed = true;
        result.damaged = e.damaged();
        result.detail = e.what();
    } catch (const std::exception& e) {
        result.failed = true;
        result.detail = e.what();
    }
    return result;
}

}  // namespace qudrim::history
