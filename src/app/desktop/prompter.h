// Everything the window puts in front of the user outside its own controls:
// message boxes, confirmations, the input box, the open-file dialog and the
// pages and files it opens in other programs. The window never calls
// QMessageBox, QFileDialog or QDesktopServices directly but goes through the
// prompter it was given, so that the tests can stand in for the user.
#pragma once

#include "app/desktop/desktop_opener.h"

#include <QString>
#include <QUrl>

#include <functional>

class QWidget;

namespace qudrim::app {

class Prompter {
public:
    virtual ~Prompter() = default;

    // A message with a single OK button (rejected input, a failed operation).
    // `text` says in Chinese what happened and what the user can do; a
    // technical `detail` (a database's own error text) goes into the box's
    // detail area, out of the way.
    virtual void warning(QWidget* parent, const QString& title, const QString& text,
                         const QString& detail = QString()) = 0;
    // A confirmation: OK and Cancel with the question icon, OK the default
    // button; true for OK. Esc and the close button answer Cancel.
    virtual bool confirm(QWidget* parent, const QString& title, const QString& text) = 0;
    // An input box; the text typed, or an empty text when the user cancels.
    virtual QString getText(QWidget* parent, const QString& title, const QString& prompt,
                            const QString& defaultText) = 0;
    // The open-file dialog on `folder` with a Qt name filter ("Text (*.txt)");
    // the chosen file's full path, or an empty text when the user cancels.
    virtual QString getOpenFileName(QWidget* parent, const QString& folder, const QString& filter) = 0;
    // Opens a page or a file in the program the desktop gives it (browser,
    // text editor, spreadsheet program). Whether it could is known only once
    // the desktop has tried, mostly after the command has returned: `failed`
    // then runs, with a technical account for a message's detail area;
    // nothing runs when it opened.
    virtual void openUrl(const QUrl& url, std::function<void(const QString& detail)> failed) = 0;
};

// The real dialogs and the desktop's own programs, opened through xdg-open.
class DialogPrompter final : public Prompter {
public:
    void warning(QWidget* parent, const QString& title, const QString& text, const QString& detail) override;
    bool confirm(QWidget* parent, const QString& title, const QString& text) override;
    QString getText(QWidget* parent, const QString& title, const QString& prompt,
                    const QString& defaultText) override;
    QString getOpenFileName(QWidget* parent, const QString& folder, const QString& filter) override;
    void openUrl(const QUrl& url, std::function<void(const QString& detail)> failed) override;

private:
    DesktopOpener opener_;
};

}  // namespace qudrim::app
