#include "app/desktop/prompter.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QIdentityProxyModel>
#include <QInputDialog>
#include <QLocale>
#include <QMessageBox>
#include <QTimer>
#include <QTreeView>

namespace qudrim::app {

namespace {

// Qt's own open-file dialog writes a file's size and date in the system's
// locale, not the program's: under LANG=C "3 bytes" and "11 Dec 2026" beside
// "纯文本文档". The two columns are written anew in the program's locale.
class ProgramLocaleColumns final : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override
    {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (role != Qt::DisplayRole || !files || !index.isValid())
            return QIdentityProxyModel::data(index, role);
        const QModelIndex file = mapToSource(index);
        switch (index.column()) {
        case 1:
            // A folder has no size.
            if (!files->isDir(file))
                return QLocale().formattedDataSize(files->size(file));
            break;
        case 3: return QLocale().toString(files->lastModified(file), QLocale::ShortFormat);
        }
        return QIdentityProxyModel::data(index, role);
    }
};

// Qt's own open-file dialog sizes its size, type and date columns for
// English texts, so "纯文本文档" and a Chinese date end in "…". Each time a
// folder has been read the three columns are made as wide as what they show.
// A native dialog of the desktop has no such view and is left alone.
void fitDetailColumns(QFileDialog& dialog)
{
    auto* details = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    auto* files = dialog.findChild<QFileSystemModel*>();
    if (!details || !files)
        return;
    auto fit = [details] {
        for (int c = 1; c < details->model()->columnCount(details->rootIndex()); ++c)
            details->resizeColumnToContents(c);
    };
    QObject::connect(files, &QFileSystemModel::directoryLoaded, details, fit);
    fit();
}

}  // namespace

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
    QFileDialog dialog(parent, QString(), folder, filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setProxyModel(new ProgramLocaleColumns(&dialog));
    // The dialog builds its views when it is shown.
    QTimer::singleShot(0, &dialog, [&dialog] { fitDetailColumns(dialog); });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

void DialogPrompter::openUrl(const QUrl& url, std::function<void(const QString& detail)> failed)
{
    opener_.open(url, std::move(failed));
}

}  // namespace qudrim::app
