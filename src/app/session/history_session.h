// The history as the window holds it: the history database, its read view
// (every draw, ascending by issue, the copy the list, the next issue, the
// panel and the text export read), the columns the searches keep between
// runs and the work left for when the window is idle.
//
// Every command that changes the history says so through changed(), once,
// after its write committed; that is the one path by which the read view
// follows the database and by which the history list, the next issue and
// the panel hear of it. The commands that need the draws themselves (the
// text export, the trims, the online update) take them from view(), as the
// list shows them, never from the file.
//
// The history is this program's alone while it runs (HistoryLock). A file
// that fails its check, or a read that fails, is never shown as an empty
// history: the view keeps what it last read, and nothing more is written
// to the file.
#pragma once

#include "app/session/history_lock.h"
#include "history/compaction.h"
#include "search/column_cache.h"
#include "search/connection_token.h"
#include "search/pending_marks.h"
#include "store/history_store.h"

#include <QObject>
#include <QString>

#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

class QTimer;

namespace qudrim::app {

// What a command did to the draws, and which parts of the window show the
// history anew: the one thing that differs between the commands that change it.
struct HistoryChange {
    enum class Rows {
        Unchanged,    // nothing was stored or deleted
        Appended,     // `appended` new draws after the last one
        Replaced,     // the history may differ anywhere (import, trim, replacement)
        LastRemoved,  // the newest draw is gone
        Emptied,      // every draw is gone
    };
    enum class Shown {
        Everything,     // the list, the next issue with the end of the range, the panel
        ListOnly,       // clearing: the next issue, the range end and the panel keep what they showed
        NextIssueOnly,  // an import that stored nothing still shows the next issue as the history has it
    };
    Rows rows = Rows::Unchanged;
    int appended = 0;
    Shown shown = Shown::Everything;

    static HistoryChange appendedDraws(int count) { return {Rows::Appended, count, Shown::Everything}; }
    static HistoryChange replaced() { return {Rows::Replaced, 0, Shown::Everything}; }
    static HistoryChange lastRemoved() { return {Rows::LastRemoved, 0, Shown::Everything}; }
    static HistoryChange emptied() { return {Rows::Emptied, 0, Shown::ListOnly}; }
    static HistoryChange unchanged() { return {Rows::Unchanged, 0, Shown::Everything}; }
    static HistoryChange nextIssueOnly() { return {Rows::Unchanged, 0, Shown::NextIssueOnly}; }
};

// Why the history database is not open.
enum class HistoryFault {
    None,        // it is open (or was closed at the end)
    NotOpened,   // it could not be opened at start-up: not a history database, or held by another program
    Damaged,     // it failed its check, at start-up or after a compaction
    Unreadable,  // a read of the history failed while the window ran
};

// What settling the history before a command came to.
struct Settled {
    enum class Failure {
        None,
        MarksNotWritten,  // the database refused the last search's marks (another program held it); they are lost
        Busy,             // another program held the database: the view could not catch up
        Unreadable,       // the history could not be read: the database is closed
    };
    Failure failure = Failure::None;
    QString detail;  // the database's account
    bool ok() const { return failure == Failure::None; }
};

class HistorySession final : public QObject {
    Q_OBJECT
public:
    explicit HistorySession(const std::filesystem::path& programFolder, QObject* parent = nullptr);
    // As close(), telling nobody of a failure.
    ~HistorySession() override;

    // One program per history: takes the lock beside the history database,
    // held until close() or the end of this object. HeldElsewhere: another
    // program has the history, and nothing of it may be touched.
    HistoryLock::Outcome lock() { return lock_.take(); }
    QString lockHolder() const { return lock_.holder(); }

    // Opens the history database, creating it when there is none, and reads
    // the view. False when it cannot be opened; fault() and openError() then
    // say why, and the history is empty.
    bool open();
    bool isOpen() const { return store_.isOpen(); }
    HistoryFault fault() const { return fault_; }
    const QString& openError() const { return openError_; }
    std::filesystem::path databasePath() const { return store_.databasePath(); }

    // The database, for a command about to read or write it, once the
    // history has settled.
    store::HistoryStore& store() { return store_; }
    search::ColumnCache& columnCache() { return columnCache_; }

    // The read view as of the last change.
    const store::Snapshot& view() const { return view_; }

    // The one change path. Brings the read view up to date with no more
    // reading than the change needs (at most one read of the history), asks
    // for the log to be folded in once the window is idle and tells the
    // window's parts. Should another program have written to the database
    // since the view last followed it, the whole view is read instead.
    void changed(const HistoryChange& change);
    // A search shown before its marks are written: they are written once the
    // window is idle, when the history settles before the next command, or
    // when the history closes, whichever comes first. The draws are as they
    // were.
    void keepMarks(search::PendingMarks marks);

    // Before a command of the window: the marks of the last search are
    // written, and the read view catches up with what another program wrote
    // meanwhile (the list, the next issue and the panel with it). A failure
    // is for the caller to tell; the command must then not run.
    Settled settle();

    // The change path of a command that compacted the file after its write:
    // as changed(), unless the compacted file failed its check; then the
    // database is closed without another read or write.
    void changedAndCompacted(const HistoryChange& change, const history::Compaction& compaction);

    // At the end: the marks of the last search are written, waiting up to
    // `lockWaitMs` for a lock another program holds; the log is folded into
    // the file, the database closed and the lock given up. The database's
    // account when the marks could not be written.
    std::optional<QString> close(int lockWaitMs);

signals:
    // Just before and just after the read view follows `change` (which may
    // be a whole new read where the command asked for less).
    void historyAboutToChange(const qudrim::app::HistoryChange& change);
    void historyChanged(const qudrim::app::HistoryChange& change);
    // The database had changed under the last search (another program wrote
    // to it): the search ran again as its marks were written, and this is
    // its result as the table now shows it.
    void searchRedone(std::shared_ptr<const qudrim::search::SearchResult> result);
    // The marks of the last search, due when the window was idle, could not
    // be written; `detail` is the database's account. The table is as it
    // was before that search.
    void marksFailed(const QString& detail);
    // The view could not follow a command's change; it shows what it last
    // read. Unreadable: the database is closed.
    void viewFailed(const qudrim::app::Settled& failure);

private:
    // Follows `asked` with no more reading than it needs; throws StoreError
    // when the history cannot be read, and the view then stays as it was.
    void follow(const HistoryChange& asked);
    void applyChange(const HistoryChange& change, std::vector<DrawRow>&& read);
    // The count of other connections' commits that the view reflects, when
    // it still follows the database: the same connection, and no commit of
    // another connection since (PRAGMA data_version counts only those; our
    // own writes the view follows change by change). None otherwise.
    std::optional<int64_t> followedVersion();
    int64_t othersCommits();
    void noteFollows(int64_t version);
    Settled failedRead(const store::StoreError& e);
    void closeUnwritten(HistoryFault fault, const QString& detail);
    void whenIdle();
    void idleWork();
    // None when the marks were written (or there were none).
    std::optional<QString> writeMarks();

    // Given up last: the history is closed before another program may take it.
    HistoryLock lock_;
    store::HistoryStore store_;
    HistoryFault fault_ = HistoryFault::None;
    QString openError_;
    store::Snapshot view_;
    std::unique_ptr<search::ConnectionToken> viewConnection_;
    std::optional<int64_t> viewVersion_;
    search::ColumnCache columnCache_;
    search::PendingMarks marks_;
    QTimer* idleTimer_ = nullptr;
};

}  // namespace qudrim::app
