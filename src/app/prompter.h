// Everything the window puts in front of the user outside its own controls:
// message boxes, the input box and the web browser. The window never calls
// QMessageBox or QDesktopServices directly, so that the tests can stand in for
// the user.
#pragma once

#include <QString>
#include <QUrl>

class QWidget;

namespace qudrim::app {

class Prompter {
public:
    virtual ~Prompter() = default;

    // A message with a single OK button (rejected input, a failed operation).
    virtual void warning(QWidget* parent, const QString& title, const QString& text) = 0;
    // A yes/no question; true for yes.
    virtual bool ask(QWidget* parent, const QString& title, const QString& text) = 0;
    // An input box; the text typed, or an empty text when the user cancels.
    virtual QString getText(QWidget* parent, const QString& title, const QString& prompt,
                            const QString& defaultText) = 0;
    // Opens a page in the user's web browser; false when it cannot be opened.
    virtual bool openUrl(const QUrl& url) = 0;
};

// The prompter in force: the real dialogs unless one was installed.
Prompter& prompter();

// Installs a prompter for the whole program (nullptr restores the real
// dialogs) and returns the one it replaces. The caller keeps ownership.
Prompter* setPrompter(Prompter* replacement);

}  // namespace qudrim::app
