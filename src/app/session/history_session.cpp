#include "app/session/history_session.h"

#include "app/desktop/error_text.h"

#include <QTimer>

namespace qudrim::app {

HistorySession::HistorySession(const std::filesystem::path& programFolder, QObject* parent)
    : QObject(parent), lock_(programFolder), store_(programFolder), idleTimer_(new QTimer(this))
{
    idleTimer_->setSingleShot(true);
    // A zero interval fires once the events already waiting are handled.
    idleTimer_->setInterval(0);
    connect(idleTimer_, &QTimer::timeout, this, &HistorySession::idleWork);
}

HistorySession::~HistorySession()
{
    // The window is going: nothing is left to be told of a failure.
    blockSignals(true);
    close(store::kBusyTimeoutMs);
}

std::optional<QString> HistorySession::close(int lockWaitMs)
{
    std::optional<QString> failed;
    if (!marks_.empty() && store_.isOpen()) {
        store_.db().setBusyTimeout(lockWaitMs);
        failed = writeMarks();
        store_.db().setBusyTimeout(store::kBusyTimeoutMs);
    }
    marks_.discard();
    store_.close();
    lock_.release();
    return failed;
}

void HistorySession::keepMarks(search::PendingMarks marks)
{
    if (const auto failed = writeMarks())
        emit marksFailed(*failed);
    marks_ = std::move(marks);
    whenIdle();
}

std::optional<QString> HistorySession::writeMarks()
{
    if (marks_.empty())
        return std::nullopt;
    // Taken out first: whatever happens, these marks are written once.
    search::PendingMarks marks = std::move(marks_);
    if (!store_.isOpen()) {
        marks.discard();
        return std::nullopt;
    }
    try {
        if (std::optional<search::SearchResult> redone = marks.commit(store_.db()))
            emit searchRedone(std::make_shared<const search::SearchResult>(std::move(*redone)));
    } catch (const std::exception& e) {
        return exceptionText(e);
    }
    return std::nullopt;
}

Settled HistorySession::settle()
{
    if (const auto failed = writeMarks())
        return {Settled::Failure::MarksNotWritten, *failed};
    if (!store_.isOpen())
        return {};
    try {
        if (!followedVersion())
            follow(HistoryChange::replaced());
    } catch (const store::StoreError& e) {
        return failedRead(e);
    }
    return {};
}

bool HistorySession::open()
{
    try {
        store_.open();
        // The count of others' commits first, in the same read transaction
        // as the draws: a commit after the read shows as a new count.
        store::ViewRead read = store_.readView();
        view_ = std::move(read.view);
        noteFollows(read.dataVersion);
        fault_ = HistoryFault::None;
        openError_.clear();
    } catch (const std::exception& e) {
        const auto* storeError = dynamic_cast<const store::StoreError*>(&e);
        closeUnwritten(storeError && storeError->damaged() ? HistoryFault::Damaged : HistoryFault::NotOpened,
                       exceptionText(e));
        view_ = store::Snapshot();
    }
    return store_.isOpen();
}

void HistorySession::changedAndCompacted(const HistoryChange& change, const history::Compaction& compaction)
{
    if (compaction.damaged) {
        closeUnwritten(HistoryFault::Damaged, QString::fromStdString(compaction.detail));
        return;
    }
    changed(change);
}

void HistorySession::closeUnwritten(HistoryFault fault, const QString& detail)
{
    marks_.discard();
    columnCache_.invalidate();
    store_.abandon();
    viewVersion_.reset();
    fault_ = fault;
    openError_ = detail;
}

Settled HistorySession::failedRead(const store::StoreError& e)
{
    if (e.busy()) {
        // Another program holds the file: the view reads anew next time.
        viewVersion_.reset();
        return {Settled::Failure::Busy, exceptionText(e)};
    }
    closeUnwritten(HistoryFault::Unreadable, exceptionText(e));
    return {Settled::Failure::Unreadable, exceptionText(e)};
}

int64_t HistorySession::othersCommits()
{
    auto st = store_.db().prepare("PRAGMA data_version");
    if (!st.step())
        throw store::StoreError("no value for PRAGMA data_version");
    return st.columnInt(0);
}

std::optional<int64_t> HistorySession::followedVersion()
{
    if (!store_.isOpen() || !viewConnection_ || !viewConnection_->isOn(store_.db()) || !viewVersion_)
        return std::nullopt;
    const int64_t now = othersCommits();
    if (now != *viewVersion_)
        return std::nullopt;
    return now;
}

void HistorySession::noteFollows(int64_t version)
{
    if (!viewConnection_ || !viewConnection_->isOn(store_.db()))
        viewConnection_ = std::make_unique<search::ConnectionToken>(store_.db());
    viewVersion_ = version;
}

void HistorySession::follow(const HistoryChange& asked)
{
    HistoryChange change = asked;
    std::vector<DrawRow> read;
    // Read before anything else: what another program commits after this
    // shows as a new count the next time.
    std::optional<int64_t> version = followedVersion();
    // Another program's commits since the view last followed the database,
    // or a connection opened anew: only a whole read is sure to be right.
    if (!version) {
        change.rows = HistoryChange::Rows::Replaced;
        // The history differs from what the window shows anywhere, but an
        // emptied history found empty still shows only in the list.
        if (asked.rows != HistoryChange::Rows::Emptied)
            change.shown = HistoryChange::Shown::Everything;
    }
    if (change.rows == HistoryChange::Rows::Appended) {
        // Only the new rows are read; should that fail, the whole view is.
        try {
            read = store_.lastRows(change.appended);
            change.appended = static_cast<int>(read.size());
        } catch (const store::StoreError&) {
            change.rows = HistoryChange::Rows::Replaced;
        }
    }
    if (change.rows == HistoryChange::Rows::Replaced) {
        store::ViewRead whole = store_.readView();
        version = whole.dataVersion;
        read = std::move(whole.view).takeRows();
        if (asked.rows == HistoryChange::Rows::Emptied && read.empty())
            change.rows = HistoryChange::Rows::Emptied;
        else if (asked.rows == HistoryChange::Rows::Emptied)
            change.shown = HistoryChange::Shown::Everything;
    }
    emit historyAboutToChange(change);
    applyChange(change, std::move(read));
    noteFollows(*version);
    whenIdle();
    emit historyChanged(change);
}

void HistorySession::applyChange(const HistoryChange& change, std::vector<DrawRow>&& read)
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

void HistorySession::changed(const HistoryChange& asked)
{
    if (!store_.isOpen())
        return;
    try {
        follow(asked);
    } catch (const store::StoreError& e) {
        emit viewFailed(failedRead(e));
    }
}

void HistorySession::whenIdle() { idleTimer_->start(); }

void HistorySession::idleWork()
{
    if (const auto failed = writeMarks())
        emit marksFailed(*failed);
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
