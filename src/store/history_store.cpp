#include "store/history_store.h"

#include "store/schema.h"

#include <sqlite3.h>

#include <exception>
#include <string>

namespace qudrim::store {

namespace fs = std::filesystem;

namespace {

int64_t pragmaInt(Database& db, const char* pragma)
{
    auto st = db.prepare(std::string("PRAGMA ") + pragma);
    st.step();
    return st.columnInt(0);
}

void applyPragmas(Database& db)
{
    // WAL keeps a commit cheap (a typed draw, a search) and readers
    // consistent. With synchronous NORMAL a commit is in the log when it
    // returns and survives the program being killed; the log is synced at
    // every checkpoint, and a power cut before one can take back the last
    // commits but never leaves the file half-written.
    // A search rewrites columns of every row; a page cache that holds the
    // whole history keeps those rewrites from reading pages back in.
    db.exec("PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL; PRAGMA cache_size=-131072;");
    // SQLite's own checkpoint after every commit of 1,000 pages would run
    // inside nearly every search; the window checkpoints when idle instead,
    // and the automatic one is left only as the limit on the log's size.
    const int64_t limitPages = kLogLimitBytes / pragmaInt(db, "page_size");
    if (sqlite3_wal_autocheckpoint(db.handle(), static_cast<int>(limitPages)) != SQLITE_OK)
        throw StoreError("cannot set the log limit: " + db.lastError());
    db.exec("PRAGMA journal_size_limit=" + std::to_string(kLogLimitBytes));
}

// SQLite's quick check of the whole file (every page, every row against its
// table; it leaves out only the comparison of indexes with their tables):
// none when it passes, else the first problem it names.
std::optional<std::string> quickCheckProblem(Database& db)
{
    auto st = db.prepare("PRAGMA quick_check");
    if (!st.step())
        return "the quick check gave no answer";
    const std::string first = st.columnText(0);
    if (first == "ok")
        return std::nullopt;
    return first;
}

void checkDamage(Database& db, const std::filesystem::path& file)
{
    if (const auto problem = quickCheckProblem(db))
        throw damagedFile(file.string() + " is damaged: " + *problem);
}

fs::path logOf(const fs::path& file)
{
    fs::path wal = file;
    wal += "-wal";
    return wal;
}

// The history leaves the write-ahead log for SQLite's rollback journal, so
// that a VACUUM can give it pages of another size: SQLite grants the change
// only while no other connection has the file open, and says so at once
// rather than after waiting. A rollback journal guards against a power cut
// only when synced in full.
bool leaveLog(Database& db)
{
    db.setBusyTimeout(0);
    std::string mode;
    try {
        auto st = db.prepare("PRAGMA journal_mode=DELETE");
        if (st.step())
            mode = st.columnText(0);
    } catch (const StoreError& e) {
        db.setBusyTimeout(kBusyTimeoutMs);
        if (e.busy())
            return false;
        throw;
    }
    db.setBusyTimeout(kBusyTimeoutMs);
    if (mode != "delete")
        return false;
    db.exec("PRAGMA synchronous=FULL; PRAGMA page_size=" + std::to_string(kPageSize));
    return true;
}

// Should another connection hold the file just then, the history stays with
// the rollback journal (whole, and synced in full) until it is next opened.
void backToLog(Database& db) noexcept
{
    try {
        db.exec("PRAGMA journal_mode=WAL");
        db.exec("PRAGMA synchronous=NORMAL");
    } catch (const StoreError&) {
    }
}

}  // namespace

const DrawRow* Snapshot::fromEnd(int back) const
{
    if (back < 0 || back >= count())
        return nullptr;
    return &rows_[rows_.size() - 1 - static_cast<size_t>(back)];
}

HistoryStore::HistoryStore(fs::path programFolder) : folder_(std::move(programFolder)) {}

HistoryStore::~HistoryStore() { close(); }

void HistoryStore::abandon()
{
    if (!db_.isOpen())
        return;
    db_.setCheckpointOnClose(false);
    db_.close();
}

void HistoryStore::close()
{
    if (!db_.isOpen())
        return;
    try {
        db_.checkpoint(CheckpointMode::Truncate);
    } catch (const StoreError&) {
        // The log keeps every commit; the next open folds it in.
    }
    db_.close();
}

CheckpointResult HistoryStore::checkpoint(CheckpointMode mode) { return db().checkpoint(mode); }

Database& HistoryStore::db()
{
    if (!db_.isOpen())
        throw StoreError("the history database is not open");
    return db_;
}

void HistoryStore::open()
{
    close();
    const fs::path file = databasePath();
    std::error_code ec;
    if (!fs::exists(file, ec)) {
        Database created(file, Database::Mode::CreateIfMissing);
        // The page size is fixed by the first write, and WAL fixes it for good.
        created.exec("PRAGMA page_size=" + std::to_string(kPageSize));
        applyPragmas(created);
        createSchema(created);
        db_ = std::move(created);
        return;
    }
    // Look before touching: nothing is written to a file that fails the
    // checks, not even the commits that a log left beside it holds. (Without
    // a log, closing only takes away the empty one that opening made.)
    const bool logBeside = fs::exists(logOf(file), ec);
    Database existing(file, Database::Mode::OpenExisting);
    if (logBeside)
        existing.setCheckpointOnClose(false);
    checkSchema(existing);
    checkDamage(existing, file);
    existing.setCheckpointOnClose(true);
    applyPragmas(existing);
    db_ = std::move(existing);
}

namespace {

// The own columns of a draw in the order of the table, each with the place
// of its value in a DrawRow, worked out once for every row a read reads.
struct OwnColumn {
    const AttributeColumn* column;
    std::array<Attr, 8> DrawRow::*order;
    int16_t Attr::*attribute;
};

const std::vector<OwnColumn>& ownColumns()
{
    static const std::vector<OwnColumn> own = [] {
        std::vector<OwnColumn> v;
        for (const auto& c : attributeColumns()) {
            if (c.copy != Copy::Own)
                continue;
            // Only positions 1..6 have ascending columns, so the order alone
            // says which array holds the value.
            v.push_back({&c, c.order == kAscendingOrder ? &DrawRow::D : &DrawRow::L, Attr::memberOf(c.letter)});
        }
        return v;
    }();
    return own;
}

}  // namespace

std::string ownColumnsSelectList()
{
    std::string list(kIssueColumn);
    for (const OwnColumn& own : ownColumns())
        list += ", " + own.column->name;
    list += ", " + std::string(kSpecialRepeatColumn);
    return list;
}

DrawRow readDrawRow(const Statement& st, int c)
{
    DrawRow row;
    row.issue = static_cast<int32_t>(st.columnInt(c++));
    for (const OwnColumn& own : ownColumns())
        (row.*own.order)[static_cast<size_t>(own.column->position)].*own.attribute =
            static_cast<int16_t>(st.columnInt(c++));
    // The special number keeps its attributes in the L7 columns in both orders.
    row.D[7] = row.L[7];
    row.D[7].A = static_cast<int16_t>(st.columnInt(c++));
    return row;
}

Snapshot HistoryStore::snapshot()
{
    std::vector<DrawRow> rows;
    auto st = db().prepare("SELECT " + ownColumnsSelectList() + " FROM Lishi ORDER BY SQQH");
    while (st.step())
        rows.push_back(readDrawRow(st));
    return Snapshot(std::move(rows));
}

ViewRead HistoryStore::readView()
{
    Database& d = db();
    ReadTransaction read(d);
    ViewRead r;
    {
        // The first read of the transaction: what it counts is what the
        // transaction sees.
        auto st = d.prepare("PRAGMA data_version");
        if (!st.step())
            throw StoreError("no value for PRAGMA data_version");
        r.dataVersion = st.columnInt(0);
    }
    r.view = snapshot();
    read.end();
    return r;
}

std::vector<DrawRow> HistoryStore::lastRows(int count)
{
    std::vector<DrawRow> rows;
    auto st = db().prepare("SELECT " + ownColumnsSelectList() + " FROM Lishi ORDER BY SQQH DESC LIMIT ?1");
    st.bind(1, count);
    while (st.step())
        rows.insert(rows.begin(), readDrawRow(st));
    return rows;
}

void HistoryStore::deleteAll()
{
    Transaction tx(db());
    db_.exec("DELETE FROM Lishi");
    tx.commit();
}

void HistoryStore::pause(CompactionStep step) const
{
    if (pause_)
        pause_(step);
}

void HistoryStore::compact()
{
    Database& live = db();
    const fs::path tmp = compactPath();
    try {
        fs::remove(tmp);
        // The copy is written with the page size asked for here, whatever
        // the page size of the file it is made from. It is not the history:
        // the history is compacted, and checked, in place below.
        live.exec("PRAGMA page_size=" + std::to_string(kPageSize));
        auto st = live.prepare("VACUUM INTO ?1");
        st.bind(1, tmp.string());
        st.run();
    } catch (const StoreError&) {
        throw;
    } catch (const std::exception& e) {
        // A file step fails with a filesystem_error; the caller hears of every
        // failure of the store as a StoreError.
        throw StoreError(std::string("compaction failed: ") + e.what());
    }
    pause(CompactionStep::CopyWritten);
    vacuumInPlace();
    pause(CompactionStep::Compacted);
    checkDamage(live, databasePath());
    try {
        // What the VACUUM left in the log goes into the file now, unless
        // another connection is reading: then the log keeps it safe.
        live.checkpoint(CheckpointMode::Passive);
    } catch (const StoreError&) {
    }
}

namespace {

// Steps in once, from inside the VACUUM: SQLite calls a progress handler
// between the instructions of every statement it runs.
struct PauseInside {
    const CompactionPause* pause;
    bool done = false;
};

int pauseInside(void* data)
{
    auto* p = static_cast<PauseInside*>(data);
    if (p->done)
        return 0;
    p->done = true;
    try {
        (*p->pause)(CompactionStep::Compacting);
    } catch (...) {
        // Nothing may pass through SQLite: the VACUUM stops instead.
        return 1;
    }
    return 0;
}

}  // namespace

void HistoryStore::vacuumInPlace()
{
    // In the write-ahead log a VACUUM keeps the file's page size; a file of
    // other pages takes the new size when the connection has it alone.
    const bool resized = pragmaInt(db_, "page_size") != kPageSize && leaveLog(db_);
    PauseInside inside{&pause_};
    if (pause_)
        sqlite3_progress_handler(db_.handle(), 100, pauseInside, &inside);
    try {
        db_.exec("VACUUM");
    } catch (...) {
        sqlite3_progress_handler(db_.handle(), 0, nullptr, nullptr);
        if (resized)
            backToLog(db_);
        throw;
    }
    sqlite3_progress_handler(db_.handle(), 0, nullptr, nullptr);
    if (resized)
        backToLog(db_);
}

}  // namespace qudrim::store
