// The history database file in the program folder: opening (and creating) it,
// the ordered read view, emptying the history and compaction.
#pragma once

#include "store/database.h"
#include "store/history_row.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

namespace qudrim::store {

inline constexpr const char* kDatabaseFileName = "plenvox.mdb";
inline constexpr const char* kCompactFileName = "plenvoxTmp.mdb";

// The page size of new files and of every compacted copy. A history row is
// wide (255 columns); bigger pages mean fewer pages, and less page handling,
// for the searches that rewrite every row. Files made with smaller pages
// keep working and take this size at their next compaction.
inline constexpr int kPageSize = 16384;

// Commits stay in the write-ahead log until the window is idle and asks for
// a checkpoint. Should it never get to ask, a commit that leaves the log at
// this size checkpoints there and then, and the log file is cut back to it.
inline constexpr int64_t kLogLimitBytes = 64 * 1024 * 1024;

// The read view: every draw with its own columns, ascending by SQQH, as a
// fixed copy taken when it was opened.
class Snapshot {
public:
    Snapshot() = default;
    explicit Snapshot(std::vector<DrawRow> rows) : rows_(std::move(rows)) {}

    bool empty() const { return rows_.empty(); }
    int count() const { return static_cast<int>(rows_.size()); }
    const DrawRow& row(int index) const { return rows_.at(static_cast<size_t>(index)); }
    const std::vector<DrawRow>& rows() const { return rows_; }
    std::vector<DrawRow> takeRows() && { return std::move(rows_); }
    const DrawRow* last() const { return rows_.empty() ? nullptr : &rows_.back(); }
    // The row `back` rows before the last one, or null when there is none.
    const DrawRow* fromEnd(int back) const;

    // Follows a change whose rows are known without reading the history:
    // draws stored after the last one, or the last one deleted.
    void append(std::vector<DrawRow> rows) { rows_.insert(rows_.end(), rows.begin(), rows.end()); }
    void removeLast()
    {
        if (!rows_.empty())
            rows_.pop_back();
    }

private:
    std::vector<DrawRow> rows_;
};

// The read view with the count of other connections' commits it reflects
// (PRAGMA data_version), both read in one transaction: a commit of another
// connection after the read shows as a different count.
struct ViewRead {
    Snapshot view;
    int64_t dataVersion = 0;
};

// The moments of a compaction at which a caller (a test) may step in: another
// connection opening, reading or writing there must find the history whole,
// and a program killed there must leave it whole.
enum class CompactionStep {
    CopyWritten,  // "plenvoxTmp.mdb" written; the history itself not yet compacted
    Compacting,   // inside the history's own VACUUM, which holds its write lock
    Compacted,    // that VACUUM committed; the history not yet checked
};
using CompactionPause = std::function<void(CompactionStep)>;

class HistoryStore {
public:
    explicit HistoryStore(std::filesystem::path programFolder);
    // Closes with a truncating checkpoint, as close() does.
    ~HistoryStore();
    HistoryStore(const HistoryStore&) = delete;
    HistoryStore& operator=(const HistoryStore&) = delete;

    const std::filesystem::path& folder() const { return folder_; }
    std::filesystem::path databasePath() const { return folder_ / kDatabaseFileName; }
    std::filesystem::path compactPath() const { return folder_ / kCompactFileName; }

    // Opens "plenvox.mdb", creating it with the full schema when it does not
    // exist. A file that is not a usable history database, or fails SQLite's
    // quick check, is left untouched and reported with a StoreError
    // (damaged() for a failed check).
    void open();
    bool isOpen() const { return db_.isOpen(); }
    // Folds the write-ahead log into the file and empties it, then closes.
    // Should another connection keep the log busy, the log stays beside the
    // file and the next open reads it: nothing committed is lost.
    void close();
    // Closes without writing anything more into the file: for a file that
    // can no longer be read, the log stays beside it as it is.
    void abandon();
    Database& db();

    // Folds committed transactions from the write-ahead log into the file.
    // Every commit is whole in the log already; the window runs a passive
    // checkpoint when it is idle after a change, so a search or a typed draw
    // never waits for one.
    CheckpointResult checkpoint(CheckpointMode mode);

    // Takes a new read view of the whole history.
    Snapshot snapshot();
    // The same, with the count of other connections' commits read first in
    // the same read transaction.
    ViewRead readView();
    // The last `count` rows in SQQH order (oldest first), own columns only.
    std::vector<DrawRow> lastRows(int count);

    // Empties Lishi in one transaction; on failure the history stays whole.
    void deleteAll();

    // Writes the compacted copy "plenvoxTmp.mdb" (which stays beside the
    // history), then compacts "plenvox.mdb" itself with an in-place VACUUM
    // under SQLite's own locks and journal, and checks it.
    // The file is never replaced: every other connection sees the history
    // before or after the compaction, whole, and a program killed at any
    // moment leaves one of the two. The connection stays open throughout.
    // A failure before the VACUUM committed leaves the file as it was; a
    // failed check afterwards is a StoreError with damaged().
    void compact();
    // Called at each step of every compaction from now on; none by default.
    void setCompactionPause(CompactionPause pause) { pause_ = std::move(pause); }

private:
    void pause(CompactionStep step) const;
    void vacuumInPlace();

    std::filesystem::path folder_;
    Database db_;
    CompactionPause pause_;
};

// Reads the own columns of the current row of a statement that selected
// ownColumnsSelectList() first.
std::string ownColumnsSelectList();
DrawRow readDrawRow(const Statement& st, int firstColumn = 0);

}  // namespace qudrim::store
