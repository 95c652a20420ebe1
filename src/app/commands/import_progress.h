// The progress of a text import on a large file: nothing for its first
// moment, then a dialog with the step, a bar and Cancel, while the window
// keeps painting. Cancel calls the import off; the history stays as it was.
#pragma once

#include "history/progress.h"

#include <QElapsedTimer>
#include <QString>

#include <memory>
#include <optional>

class QProgressDialog;
class QWidget;

namespace qudrim::app {

// When the dialog shows and how often it is brought up to date: often
// enough for Cancel to answer at once, seldom enough to cost the import
// nothing.
struct ImportPace {
    int delayMs = 1000;   // the import's run before the dialog shows
    int refreshMs = 50;   // between two updates of the bar within a step
};

class ImportProgress {
public:
    ImportProgress(QWidget* parent, const QString& title, const ImportPace& pace);
    ~ImportProgress();
    ImportProgress(const ImportProgress&) = delete;
    ImportProgress& operator=(const ImportProgress&) = delete;

    // What the core calls as it reads and stores; it answers false once the
    // user has cancelled.
    history::ProgressCallback callback();
    // Takes the dialog away once the import has ended.
    void close();

private:
    bool report(history::ProgressStep step, size_t done, size_t total);

    QWidget* parent_;
    QString title_;
    ImportPace pace_;
    QElapsedTimer running_;
    QElapsedTimer sinceShown_;
    std::unique_ptr<QProgressDialog> dialog_;
    std::optional<history::ProgressStep> step_;
};

}  // namespace qudrim::app
