#include "store/history_store.h"

#include "store/file_sync.h"
#include "store/schema.h"

#include <sqlite3.h>

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

int64_t countRows(Database& db)
{
    auto st = db.prepare("SELECT COUNT(*) FROM Lishi");
    st.step();
    return st.columnInt(0);
}

// A file renamed over the history must be on the disk first (see file_sync.h).
void syncOrThrow(const fs::path& path)
{
    if (const auto failure = syncToDisk(path))
        throw StoreError((failure->opening ? "cannot open " : "cannot write ") + path.string() +
                         (failure->opening ? ": " : " to the disk: ") + failure->error.message());
}

void checkIntegrity(Database& db)
{
    auto st = db.prepare("PRAGMA quick_check");
    if (!st.step() || st.columnText(0) != "ok")
        throw StoreError("the database file is damaged");
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
    // Look before touching: nothing is written to a file that fails the checks.
    Database existing(file, Database::Mode::OpenExisting);
    checkSchema(existing);
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

void HistoryStore::compact()
{
    const fs::path file = databasePath();
    const fs::path tmp = compactPath();
    fs::path staged = file;
    staged += ".new";
    Database& live = db();
    const int64_t rowsBefore = countRows(live);

    try {
        fs::remove(tmp);
        fs::remove(staged);
        {
            // The copy is written with the page size asked for here, whatever
            // the page size of the file it is made from.
            live.exec("PRAGMA page_size=" + std::to_string(kPageSize));
            auto st = live.prepare("VACUUM INTO ?1");
            st.bind(1, tmp.string());
            st.run();
        }
        {
            Database copy(tmp, Database::Mode::OpenExisting);
            checkSchema(copy);
            checkIntegrity(copy);
            if (countRows(copy) != rowsBefore)
                throw StoreError("the compacted copy lost rows");
        }
        close();
        // Closing the last connection folds the write-ahead log into the file
        // and removes it. A log still there means another connection has the
        // history open: a file renamed in under it would be read with that
        // connection's log of the old file, so the original stays.
        fs::path wal = file;
        wal += "-wal";
        if (fs::exists(wal))
            throw StoreError("the history database is open elsewhere; it was not compacted");
        // Replace the history in one rename, so that it is whole at every moment;
        // the compacted copy itself stays beside it.
        fs::copy_file(tmp, staged, fs::copy_options::overwrite_existing);
        syncOrThrow(staged);
        fs::rename(staged, file);
        try {
            // The rename itself reaches the disk with the folder; should that
            // fail, the file is whole under either name.
            syncOrThrow(folder_);
        } catch (const StoreError&) {
        }
    } catch (const std::exception& e) {
        std::error_code ignored;
        fs::remove(staged, ignored);
        if (!db_.isOpen())
            open();
        // A file step fails with a filesystem_error; the caller hears of every
        // failure of the store as a StoreError.
        if (dynamic_cast<const StoreError*>(&e))
            throw;
        throw StoreError(std::string("compaction failed: ") + e.what());
    }
    open();
}

}  // namespace qudrim::store
