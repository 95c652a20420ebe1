#include "app/history.h"

#include "app/error_text.h"

#include <QTimer>

namespace qudrim::app {

History::History(const std::filesystem::path& programFolder, QObject* parent)
    : QObject(parent), store_(programFolder), idleTimer_(new QTimer(this))
{
    idleTimer_->setSingleShot(true);
    // A zero interval fires once the events already waiting are handled.
    idleTimer_->setInterval(0);
    connect(idleTimer_, &QTimer::timeout, this, &History::idleWork);
}

History::~History()
{
    // The window is going: nothing is left to be told of a failure.
    blockSignals(true);
    writeMarks();
}

store::HistoryStore& History::store()
{
    writeMarks();
    return store_;
}

void History::keepMarks(search::PendingMarks marks)
{
    writeMarks();
    marks_ = std::move(marks);
    whenIdle();
}

void History::writeMarks()
{
    if (marks_.empty())
        return;
    // Taken out first: whatever happens, these marks are written once.
    search::PendingMarks marks = std::move(marks_);
    if (!store_.isOpen()) {
        marks.discard();
        return;
    }
    try {
        if (std::optional<search::SearchResult> redone = marks.commit(store_.db()))
            emit searchRedone(std::make_shared<const search::SearchResult>(std::move(*redone)));
    } catch (const std::exception& e) {
        emit marksFailed(exceptionText(e));
    }
}

bool History::open()
{
    try {
        store_.open();
        openError_.clear();
    } catch (const std::exception& e) {
        openError_ = exceptionText(e);
    }
    readWholeView();
    return store_.isOpen();
}

void History::readWholeView()
{
    // A view that cannot be read gives an empty history rather than a wait.
    view_ = store::Snapshot();
    if (!store_.isOpen())
        return;
    try {
        view_ = store_.snapshot();
    } catch (const std::exception&) {
    }
}

void History::changed(const HistoryChange& change)
{
    switch (change.rows) {
    case HistoryChange::Rows::Unchanged:
        break;
    case HistoryChange::Rows::Appended:
        // Only the new rows are read; should that fail, the whole view is.
        try {
            view_.append(store_.lastRows(change.appended));
        } catch (const std::exception&) {
            readWholeView();
        }
        break;
    case HistoryChange::Rows::LastRemoved:
        view_.removeLast();
        break;
    case HistoryChange::Rows::Emptied:
        view_ = store::Snapshot();
        break;
    case HistoryChange::Rows::Replaced:
        readWholeView();
        break;
    }
    whenIdle();
    emit historyChanged(change);
}

void History::whenIdle() { idleTimer_->start(); }

void History::idleWork()
{
    writeMarks();
    if (!store_.isOpen())
        return;
    try {
        // Passive: never waits for another program that has the file open;
        // what it cannot copy now stays safe in the log for the next one.
        store_.checkpoint(store::CheckpointMode::Passive);
    } catch (const std::exception&) {
        // Nothing is lost: every commit is whole in the log, and the next
        // change, the log limit or closing the history folds it in.
    }
}

}  // namespace qudrim::app
