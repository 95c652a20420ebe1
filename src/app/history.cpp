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

bool History::writeMarks()
{
    if (marks_.empty())
        return true;
    // Taken out first: whatever happens, these marks are written once.
    search::PendingMarks marks = std::move(marks_);
    if (!store_.isOpen()) {
        marks.discard();
        return true;
    }
    try {
        if (std::optional<search::SearchResult> redone = marks.commit(store_.db()))
            emit searchRedone(std::make_shared<const search::SearchResult>(std::move(*redone)));
    } catch (const std::exception& e) {
        emit marksFailed(exceptionText(e));
        return false;
    }
    return true;
}

bool History::settle()
{
    const bool written = writeMarks();
    if (store_.isOpen() && !viewFollowsDatabase())
        changed(HistoryChange::replaced());
    return written;
}

bool History::open()
{
    try {
        store_.open();
        openError_.clear();
    } catch (const std::exception& e) {
        openError_ = exceptionText(e);
    }
    view_ = store::Snapshot(readWholeView());
    noteViewFollows();
    return store_.isOpen();
}

std::optional<int64_t> History::othersCommits()
{
    try {
        auto st = store_.db().prepare("PRAGMA data_version");
        if (st.step())
            return st.columnInt(0);
    } catch (const std::exception&) {
        // Unknown: the next change reads the whole view.
    }
    return std::nullopt;
}

bool History::viewFollowsDatabase()
{
    if (!store_.isOpen() || !viewConnection_ || !viewConnection_->isOn(store_.db()) || !viewOthersCommits_)
        return false;
    return othersCommits() == viewOthersCommits_;
}

void History::noteViewFollows()
{
    viewOthersCommits_.reset();
    if (!store_.isOpen())
        return;
    if (!viewConnection_ || !viewConnection_->isOn(store_.db()))
        viewConnection_ = std::make_unique<search::ConnectionToken>(store_.db());
    viewOthersCommits_ = othersCommits();
}

std::vector<DrawRow> History::readWholeView()
{
    // A view that cannot be read gives an empty history rather than a wait.
    if (!store_.isOpen())
        return {};
    try {
        return store_.snapshot().takeRows();
    } catch (const std::exception&) {
        return {};
    }
}

HistoryChange History::prepareChange(HistoryChange change, std::vector<DrawRow>& read)
{
    // Another program's commits since the view last followed the database,
    // or a connection opened anew: only a whole read is sure to be right.
    if (!viewFollowsDatabase() && change.rows != HistoryChange::Rows::Emptied) {
        change.rows = HistoryChange::Rows::Replaced;
        // The history differs from what the window shows anywhere.
        change.shown = HistoryChange::Shown::Everything;
    }
    if (change.rows == HistoryChange::Rows::Appended) {
        // Only the new rows are read; should that fail, the whole view is.
        try {
            read = store_.lastRows(change.appended);
            change.appended = static_cast<int>(read.size());
        } catch (const std::exception&) {
            change.rows = HistoryChange::Rows::Replaced;
        }
    }
    if (change.rows == HistoryChange::Rows::Replaced)
        read = readWholeView();
    return change;
}

void History::applyChange(const HistoryChange& change, std::vector<DrawRow>&& read)
{
    switch (change.rows) {
    case HistoryChange::Rows::Unchanged:
        break;
    case HistoryChange::Rows::Appended:
        view_.append(std::move(read));
        break;
    case HistoryChange::Rows::LastRemoved:
        view_.removeLast();
        break;
    case HistoryChange::Rows::Emptied:
        view_ = store::Snapshot();
        break;
    case HistoryChange::Rows::Replaced:
        view_ = store::Snapshot(std::move(read));
        break;
    }
}

void History::changed(const HistoryChange& asked)
{
    std::vector<DrawRow> read;
    const HistoryChange change = prepareChange(asked, read);
    emit historyAboutToChange(change);
    applyChange(change, std::move(read));
    noteViewFollows();
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
