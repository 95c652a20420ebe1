#include "app/commands/import_progress.h"

#include "app/commands/progress_dialog.h"

#include <QApplication>
#include <QProgressDialog>

namespace qudrim::app {

namespace {

// The bar counts in thousandths of the step.
constexpr int kSteps = 1000;

QString stepText(history::ProgressStep step)
{
    switch (step) {
    case history::ProgressStep::Loading: return QStringLiteral("正在读取历史号码文件……");
    case history::ProgressStep::Checking: return QStringLiteral("正在检查历史号码……");
    case history::ProgressStep::Storing: return QStringLiteral("正在保存历史号码……");
    }
    return {};
}

}  // namespace

ImportProgress::ImportProgress(QWidget* parent, const QString& title, const ImportPace& pace)
    : parent_(parent), title_(title), pace_(pace)
{
    running_.start();
}

ImportProgress::~ImportProgress() = default;

history::ProgressCallback ImportProgress::callback()
{
    return [this](history::ProgressStep step, size_t done, size_t total) { return report(step, done, total); };
}

void ImportProgress::close() { dialog_.reset(); }

bool ImportProgress::report(history::ProgressStep step, size_t done, size_t total)
{
    if (!dialog_) {
        if (running_.elapsed() < pace_.delayMs)
            return true;
        dialog_ = showProgressDialog(parent_, QStringLiteral("importProgress"), title_, kSteps);
        // The arrow with the hourglass: Cancel is there to be clicked.
        QApplication::changeOverrideCursor(Qt::BusyCursor);
    }
    // A new step is shown at once; within a step, now and then.
    if (step != step_ || sinceShown_.elapsed() >= pace_.refreshMs) {
        if (step != step_)
            dialog_->setLabelText(stepText(step));
        step_ = step;
        const double part = total == 0 ? 0.0 : static_cast<double>(done) / static_cast<double>(total);
        dialog_->setValue(static_cast<int>(part * kSteps));
        QApplication::processEvents();
        sinceShown_.start();
    }
    return !dialog_->wasCanceled();
}

}  // namespace qudrim::app
