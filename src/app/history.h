// The history as the window holds it: the history database, its read view
// (every draw, ascending by issue, the copy the list, the next issue, the
// panel and the text export read), the columns the searches keep between
// runs and the work left for when the window is idle.
//
// Every command that changes the history says so through changed(), once,
// after its write committed; that is the one path by which the read view
// follows the database and by which the history list, the next issue and
// the panel hear of it. No command reads the history itself.
#pragma once

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

class History final : public QObject {
    Q_OBJECT
public:
    explicit History(const std::filesystem::path& programFolder, QObject* parent = nullptr);
    // Closing writes the marks of the last search and folds the log into
    // the file.
    ~History() override;

    // Opens the history database, creating it when there is none. False when
    // it cannot be opened; openError() then says why and the history is empty.
    bool open();
    bool isOpen() const { return store_.isOpen(); }
    const QString& openError() const { return openError_; }
    std::filesystem::path databasePath() const { return store_.databasePath(); }
    const std::filesystem::path& folder() const { return store_.folder(); }

    // The database, for a command about to read or write it. The marks of
    // the last search are written first, so that every command sees the
    // table exactly as that search leaves it.
    store::HistoryStore& store();
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
    // window is idle, before the database is next used, or when the history
    // closes, whichever comes first. The draws are as they were.
    void keepMarks(search::PendingMarks marks);

    // Before a command of the window: the marks of the last search are
    // written (a failure is told now, before the command asks or shows
    // anything), and the read view catches up with what another program
    // wrote meanwhile. False when the marks could not be written.
    bool settle();

signals:
    // Just before and just after the read view follows `change` (which may
    // be a whole new read where the command asked for less).
    void historyAboutToChange(const qudrim::app::HistoryChange& change);
    void historyChanged(const qudrim::app::HistoryChange& change);
    // The database had changed under the last search (another program wrote
    // to it): the search ran again as its marks were written, and this is
    // its result as the table now shows it.
    void searchRedone(std::shared_ptr<const qudrim::search::SearchResult> result);
    // The marks of the last search could not be written; `detail` is the
    // database's account. The table is as it was before that search.
    void marksFailed(const QString& detail);

private:
    // The change as it will be made: the rows it reads are read here, so
    // that the view itself changes only between the two signals.
    HistoryChange prepareChange(HistoryChange change, std::vector<DrawRow>& read);
    std::vector<DrawRow> readWholeView();
    void applyChange(const HistoryChange& change, std::vector<DrawRow>&& read);
    // Whether the view still follows the database: the same connection (a
    // compaction opens it anew), and no commit of another connection since
    // the view last caught up (PRAGMA data_version counts only those; our
    // own writes the view follows change by change).
    bool viewFollowsDatabase();
    void noteViewFollows();
    std::optional<int64_t> othersCommits();
    void whenIdle();
    void idleWork();
    bool writeMarks();

    store::HistoryStore store_;
    QString openError_;
    store::Snapshot view_;
    std::unique_ptr<search::ConnectionToken> viewConnection_;
    std::optional<int64_t> viewOthersCommits_;
    search::ColumnCache columnCache_;
    search::PendingMarks marks_;
    QTimer* idleTimer_ = nullptr;
};

}  // namespace qudrim::app
