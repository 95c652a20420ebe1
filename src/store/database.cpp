#include "store/database.h"

#include <sqlite3.h>

#include <utility>

namespace qudrim::store {

StoreError::StoreError(const std::string& what, int sqliteCode)
    : std::runtime_error(what), code_(sqliteCode & 0xFF)
{
}

bool StoreError::busy() const { return code_ == SQLITE_BUSY || code_ == SQLITE_LOCKED; }

bool StoreError::damaged() const { return code_ == SQLITE_CORRUPT; }

StoreError damagedFile(const std::string& what) { return StoreError(what, SQLITE_CORRUPT); }

Database::Database(const std::filesystem::path& file, Mode mode)
{
    int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX;
    if (mode == Mode::CreateIfMissing)
        flags |= SQLITE_OPEN_CREATE;
    sqlite3* h = nullptr;
    const int rc = sqlite3_open_v2(file.string().c_str(), &h, flags, nullptr);
    if (rc != SQLITE_OK) {
        std::string msg = h ? sqlite3_errmsg(h) : sqlite3_errstr(rc);
        sqlite3_close(h);
        throw StoreError("cannot open " + file.string() + ": " + msg, rc);
    }
    handle_ = h;
    sqlite3_busy_timeout(handle_, kBusyTimeoutMs);
    sqlite3_extended_result_codes(handle_, 1);
}

Database::~Database() { close(); }

Database::Database(Database&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}

Database& Database::operator=(Database&& other) noexcept
{
    if (this != &other) {
        close();
        handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
}

void Database::close()
{
    if (handle_) {
        sqlite3_close_v2(handle_);
        handle_ = nullptr;
    }
}

void Database::setBusyTimeout(int milliseconds)
{
    if (handle_)
        sqlite3_busy_timeout(handle_, milliseconds);
}

void Database::setCheckpointOnClose(bool fold)
{
    if (handle_)
        sqlite3_db_config(handle_, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, fold ? 0 : 1, nullptr);
}

void Database::exec(std::string_view sql)
{
    if (!handle_)
        throw StoreError("database is not open");
    char* err = nullptr;
    const std::string text(sql);
    if (const int rc = sqlite3_exec(handle_, text.c_str(), nullptr, nullptr, &err); rc != SQLITE_OK) {
        std::string msg = err ? err : lastError();
        sqlite3_free(err);
        throw StoreError(msg, rc);
    }
}

Statement Database::prepare(std::string_view sql) { return Statement(*this, sql); }

int64_t Database::changes() const { return handle_ ? sqlite3_changes64(handle_) : 0; }

CheckpointResult Database::checkpoint(CheckpointMode mode)
{
    if (!handle_)
        throw StoreError("database is not open");
    const int sqliteMode = mode == CheckpointMode::Passive ? SQLITE_CHECKPOINT_PASSIVE
                           : mode == CheckpointMode::Full  ? SQLITE_CHECKPOINT_FULL
                                                           : SQLITE_CHECKPOINT_TRUNCATE;
    CheckpointResult result;
    const int rc = sqlite3_wal_checkpoint_v2(handle_, "main", sqliteMode, &result.logFrames, &result.checkpointedFrames);
    if ((rc & 0xFF) == SQLITE_BUSY)
        result.busy = true;
    else if (rc != SQLITE_OK)
        throw StoreError("checkpoint: " + lastError(), rc);
    return result;
}

std::string Database::lastError() const { return handle_ ? sqlite3_errmsg(handle_) : "database is not open"; }

Statement::Statement(Database& db, std::string_view sql) : db_(&db)
{
    if (!db.handle())
        throw StoreError("database is not open");
    if (const int rc = sqlite3_prepare_v3(db.handle(), sql.data(), static_cast<int>(sql.size()),
                                          SQLITE_PREPARE_PERSISTENT, &stmt_, nullptr);
        rc != SQLITE_OK)
        throw StoreError(db.lastError() + " in: " + std::string(sql.substr(0, 200)), rc);
}

Statement::~Statement()
{
    if (stmt_)
        sqlite3_finalize(stmt_);
}

Statement::Statement(Statement&& other) noexcept : db_(other.db_), stmt_(std::exchange(other.stmt_, nullptr)) {}

void Statement::fail(const char* what) const
{
    throw StoreError(std::string(what) + ": " + db_->lastError(), sqlite3_extended_errcode(db_->handle()));
}

Statement& Statement::bind(int index, int64_t value)
{
    if (sqlite3_bind_int64(stmt_, index, value) != SQLITE_OK)
        fail("bind");
    return *this;
}

Statement& Statement::bind(int index, std::string_view text)
{
    if (sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT) != SQLITE_OK)
        fail("bind");
    return *this;
}

bool Statement::step()
{
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    const std::string msg = db_->lastError();
    sqlite3_reset(stmt_);
    throw StoreError(msg, rc);
}

void Statement::run()
{
    while (step()) {
    }
    reset();
}

void Statement::reset()
{
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

int Statement::columnCount() const { return sqlite3_column_count(stmt_); }

int64_t Statement::columnInt(int column) const { return sqlite3_column_int64(stmt_, column); }

std::string Statement::columnText(int column) const
{
    const auto* p = sqlite3_column_text(stmt_, column);
    return p ? std::string(reinterpret_cast<const char*>(p), static_cast<size_t>(sqlite3_column_bytes(stmt_, column)))
             : std::string();
}

ReadTransaction::ReadTransaction(Database& db) : db_(db) { db_.exec("BEGIN DEFERRED"); }

ReadTransaction::~ReadTransaction()
{
    if (!done_) {
        try {
            db_.exec("ROLLBACK");
        } catch (...) {
            // The connection already ended it (or is gone); nothing was written.
        }
    }
}

void ReadTransaction::end()
{
    db_.exec("COMMIT");
    done_ = true;
}

Transaction::Transaction(Database& db) : db_(db) { db_.exec("BEGIN IMMEDIATE"); }

Transaction::~Transaction()
{
    if (!done_) {
        try {
            db_.exec("ROLLBACK");
        } catch (...) {
            // The connection already rolled back (or is gone); nothing to undo.
        }
    }
}

void Transaction::commit()
{
    db_.exec("COMMIT");
    done_ = true;
}

}  // namespace qudrim::store
