// What the user hears after a command compacted the history file: that it
// could not be compacted (the history itself is whole), or that it failed
// its check afterwards (the file is damaged and no longer written).
#pragma once

#include "history/compaction.h"

class QWidget;

namespace qudrim::app {

class HistorySession;
class Prompter;

// Shows the failure of `compaction`, if it failed.
void reportCompactionFailure(Prompter& prompter, QWidget* parent, const HistorySession& history,
                             const history::Compaction& compaction);

}  // namespace qudrim::app
