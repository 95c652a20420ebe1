// What a command tells the user when it needs the history database and the
// database is not open: what cannot be done, and why the database is not
// open (it could not be opened at start-up, or it was closed since).
#pragma once

#include <QString>

class QWidget;

namespace qudrim::app {

class History;
class Prompter;
struct CommandContext;

// `refused` says what cannot be done ("检索无法进行").
void warnHistoryNotOpen(Prompter& prompter, QWidget* parent, const History& history, const QString& refused);

// True when the history database is open; otherwise says so as above.
bool historyOpenFor(const CommandContext& context, const QString& refused);

}  // namespace qudrim::app
