#include "app/prompter.h"

#include <QDesktopServices>
#include <QInputDialog>
#include <QMessageBox>

namespace qudrim::app {

namespace {

class DialogPrompter final : public Prompter {
public:
    void warning(QWidget* parent, const QString& title, const QString& text) override
    {
        QMessageBox::warning(parent, title, text, QMessageBox::Ok);
    }

    bool ask(QWidget* parent, const QString& title, const QString& text) override
    {
        return QMessageBox::question(parent, title, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) ==
               QMessageBox::Yes;
    }

    QString getText(QWidget* parent, const QString& title, const QString& prompt,
                    const QString& defaultText) override
    {
        bool ok = false;
        const QString answer = QInputDialog::getText(parent, title, prompt, QLineEdit::Normal, defaultText, &ok);
        return ok ? answer : QString();
    }

    bool openUrl(const QUrl& url) override { return QDesktopServices::openUrl(url); }
};

DialogPrompter& dialogs()
{
    static DialogPrompter instance;
    return instance;
}

Prompter* installed = nullptr;

}  // namespace

Prompter& prompter() { return installed ? *installed : dialogs(); }

Prompter* setPrompter(Prompter* replacement)
{
    Prompter* previous = installed;
    installed = replacement;
    return previous;
}

}  // namespace qudrim::app
