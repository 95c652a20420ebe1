#include "app/prompter.h"

#include <QDesktopServices>
#include <QInputDialog>
#include <QMessageBox>

namespace qudrim::app {

void DialogPrompter::warning(QWidget* parent, const QString& title, const QString& text)
{
    QMessageBox::warning(parent, title, text, QMessageBox::Ok);
}

bool DialogPrompter::ask(QWidget* parent, const QString& title, const QString& text)
{
    return QMessageBox::question(parent, title, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) ==
           QMessageBox::Yes;
}

QString DialogPrompter::getText(QWidget* parent, const QString& title, const QString& prompt,
                                const QString& defaultText)
{
    bool ok = false;
    const QString answer = QInputDialog::getText(parent, title, prompt, QLineEdit::Normal, defaultText, &ok);
    return ok ? answer : QString();
}

bool DialogPrompter::openUrl(const QUrl& url) { return QDesktopServices::openUrl(url); }

}  // namespace qudrim::app
