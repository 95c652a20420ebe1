#include "app/prompter.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace qudrim::app {

void DialogPrompter::warning(QWidget* parent, const QString& title, const QString& text, const QString& detail)
{
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok, parent);
    if (!detail.isEmpty())
        box.setDetailedText(detail);
    box.exec();
}

bool DialogPrompter::confirm(QWidget* parent, const QString& title, const QString& text)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Ok | QMessageBox::Cancel, parent);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Cancel);
    return box.exec() == QMessageBox::Ok;
}

QString DialogPrompter::getText(QWidget* parent, const QString& title, const QString& prompt,
                                const QString& defaultText)
{
    bool ok = false;
    const QString answer = QInputDialog::getText(parent, title, prompt, QLineEdit::Normal, defaultText, &ok);
    return ok ? answer : QString();
}

QString DialogPrompter::getOpenFileName(QWidget* parent, const QString& folder, const QString& filter)
{
    return QFileDialog::getOpenFileName(parent, QString(), folder, filter);
}

bool DialogPrompter::openUrl(const QUrl& url) { return QDesktopServices::openUrl(url); }

}  // namespace qudrim::app
