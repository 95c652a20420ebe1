// What the user is told when a history file could not replace the history:
// which file, which line and why, and that the history is as it was.
#pragma once

#include "history/rebuild.h"

#include <QString>

class QWidget;

namespace qudrim::app {

class Prompter;

// Shows the failure of `result` (any status but Rebuilt) for `file`.
void reportRebuildFailure(Prompter& prompter, QWidget* parent, const QString& title,
                          const std::filesystem::path& file, const history::RebuildResult& result);

}  // namespace qudrim::app
