// Everything the window puts in front of the user outside its own controls:
// message boxes, the input box and the web browser. The window never calls
// QMessageBox or QDesktopServices directly but goes through the prompter it was
// given, so that the tests can stand in for the user.
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

// The real dialogs: message boxes, the input box and the desktop's browser.
class DialogPrompter final : public Prompter {
public:
    void warning(QWidget* parent, const QString& title, const QString& text) override;
    bool ask(QWidget* parent, const QString& title, const QString& text) override;
    QString getText(QWidget* parent, const QString& title, const QString& prompt,
                    const QString& defaultText) override;
    bool openUrl(const QUrl& url) override;
};

}  // namespace qudrim::app
