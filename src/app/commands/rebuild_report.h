// What the user is told when a history file could not replace the history:
// which file, which line and why, and that the history is as it was.
#pragma once

#include "history/rebuild.h"

#include <QString>

class QWidget;

namespace qudrim::app {

class Prompter;

// The path as the user knows it, from the bytes the file system uses.
QString displayPath(const std::filesystem::path& file);

// Shows the failure of `result` (any status but Rebuilt) for `file`.
void reportRebuildFailure(Prompter& prompter, QWidget* parent, const QString& title,
                          const std::filesystem::path& file, const history::RebuildResult& result);

}  // namespace qudrim::app
