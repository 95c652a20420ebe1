// What every command of the window works with: the window the messages
// belong to, the prompter that stands in for the user's dialogs, the
// history and the program folder the command's files lie in.
#pragma once

#include <QString>

class QWidget;

namespace qudrim::app {

class HistorySession;
class Prompter;

struct CommandContext {
    QWidget* window = nullptr;
    Prompter& prompter;
    HistorySession& history;
    QString programFolder;
};

}  // namespace qudrim::app
