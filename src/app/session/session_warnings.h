// What the user is told when the history database cannot serve a command:
// it is not open (it could not be opened at start-up, it failed its check,
// a read of it failed, or it was closed since), another program holds it,
// or another window has the history already.
#pragma once

#include <QString>

class QWidget;

namespace qudrim::app {

class HistorySession;
class Prompter;
struct CommandContext;
struct Settled;

// `refused` says what cannot be done ("检索无法进行").
void warnHistoryNotOpen(Prompter& prompter, QWidget* parent, const HistorySession& history, const QString& refused);

// True when the history database is open; otherwise says so as above.
bool historyOpenFor(const CommandContext& context, const QString& refused);

// The history could not settle before a command, which therefore did
// nothing.
void warnCommandNotRun(Prompter& prompter, QWidget* parent, const HistorySession& history, const Settled& settled);

// The view could not follow a command's change, which itself is done.
void warnViewNotFollowing(Prompter& prompter, QWidget* parent, const HistorySession& history, const Settled& settled);

// The history database could not be opened at start-up, or failed its check.
void warnHistoryNotOpened(Prompter& prompter, QWidget* parent, const HistorySession& history);

// Another window holds the history of this program folder.
void warnHistoryHeldElsewhere(Prompter& prompter, QWidget* parent, const HistorySession& history);

// The marks of the last search could not be written at closing.
void warnMarksLostAtClosing(Prompter& prompter, QWidget* parent, const HistorySession& history, const QString& detail);

}  // namespace qudrim::app
