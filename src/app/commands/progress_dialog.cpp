#include "app/commands/progress_dialog.h"

#include <QProgressDialog>

namespace qudrim::app {

std::unique_ptr<QProgressDialog> showProgressDialog(QWidget* parent, const QString& objectName, const QString& title,
                                                    int steps)
{
    auto dialog = std::make_unique<QProgressDialog>(parent);
    dialog->setObjectName(objectName);
    dialog->setWindowTitle(title);
    dialog->setCancelButtonText(QStringLiteral("取消"));
    dialog->setWindowModality(Qt::ApplicationModal);
    dialog->setAutoClose(false);
    dialog->setAutoReset(false);
    dialog->setMinimumDuration(0);
    dialog->setRange(0, steps);
    dialog->show();
    return dialog;
}

}  // namespace qudrim::app
