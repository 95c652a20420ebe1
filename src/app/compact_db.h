// What follows a compaction after draws were deleted: the history follows
// the change, and the user hears when the file could not be compacted (the
// history itself is whole) or failed its check afterwards (the file is
// damaged and no longer written).
#pragma once

#include "history/compaction.h"

class QWidget;

namespace qudrim::app {

class History;
class Prompter;
struct HistoryChange;

// The history follows `change`, unless the compacted file failed its check:
// then it is closed without another read or write.
void followCompactedChange(History& history, const HistoryChange& change, const history::Compaction& compaction);

// Shows the failure of `compaction`, if it failed.
void reportCompactionFailure(Prompter& prompter, QWidget* parent, const History& history,
                             const history::Compaction& compaction);

}  // namespace qudrim::app
