// The progress dialog of a long command (an import, the online update),
// with Cancel.
#pragma once

#include <QString>

#include <memory>

class QProgressDialog;
class QWidget;

namespace qudrim::app {

// Shown at once over `parent`, its bar counting `steps`. Modal: no other
// command can start on the history meanwhile. It stays as it is at the end
// of its range; the command takes it away.
std::unique_ptr<QProgressDialog> showProgressDialog(QWidget* parent, const QString& objectName, const QString& title,
                                                    int steps);

}  // namespace qudrim::app
