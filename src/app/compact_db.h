// What the user is told when the history file could not be compacted after
// draws were deleted: the history itself is whole.
#pragma once

#include "history/compaction.h"

class QWidget;

namespace qudrim::app {

class Prompter;

// Shows the failure of `compaction`, if it failed.
void reportCompactionFailure(Prompter& prompter, QWidget* parent, const history::Compaction& compaction);

}  // namespace qudrim::app
