// A thin RAII layer over SQLite: one connection, prepared statements with
// bound values, and transactions that roll back unless committed.
#pragma once

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace qudrim::store {

// Every failure of the store is reported to the caller as a StoreError;
// the store itself never talks to the user. It carries SQLite's result code
// when SQLite failed, so that the caller can tell a file another connection
// holds from a file that cannot be read.
class StoreError : public std::runtime_error {
public:
    explicit StoreError(const std::string& what, int sqliteCode = 0);

    // SQLite's primary result code; 0 when the failure was not SQLite's.
    int sqliteCode() const { return code_; }
    // Another connection holds the lock the step needed (SQLITE_BUSY,
    // SQLITE_LOCKED): trying again later may succeed.
    bool busy() const;
    // The file's content is damaged (SQLITE_CORRUPT, or a failed check).
    bool damaged() const;

private:
    int code_;
};

// A damaged file as the store's own checks find it.
StoreError damagedFile(const std::string& what);

class Statement;

// How long a statement waits, by default, for a lock another connection
// holds: a locked file must never make the window wait without end.
inline constexpr int kBusyTimeoutMs = 2000;

// How far a checkpoint goes in folding the write-ahead log into the file.
// Passive copies what it can without waiting for anyone; Full waits for
// other writers and readers of the log; Truncate also empties the log file.
enum class CheckpointMode { Passive, Full, Truncate };

// A Truncate that emptied the log reports no frames at all.
struct CheckpointResult {
    int logFrames = 0;           // frames in the log when the checkpoint ran
    int checkpointedFrames = 0;  // of them, those now in the database file
    bool busy = false;           // another connection kept a Full or Truncate from finishing
    bool complete() const { return !busy && checkpointedFrames == logFrames; }
};

class Database {
public:
    enum class Mode { OpenExisting, CreateIfMissing };

    Database() = default;
    Database(const std::filesystem::path& file, Mode mode);
    ~Database();
    Database(Database&& other) noexcept;
    Database& operator=(Database&& other) noexcept;
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    bool isOpen() const { return handle_ != nullptr; }
    void close();

    // How long a statement waits for a lock another connection holds.
    void setBusyTimeout(int milliseconds);
    // Whether closing the last connection folds the write-ahead log into the
    // file (SQLite's default). A file whose checks failed is closed without.
    void setCheckpointOnClose(bool fold);

    // Runs statements without parameters (schema, pragmas, transactions).
    void exec(std::string_view sql);
    Statement prepare(std::string_view sql);
    int64_t changes() const;
    // Folds committed transactions from the write-ahead log into the file.
    // Work left undone (busy) loses nothing: the log keeps every commit.
    CheckpointResult checkpoint(CheckpointMode mode);

    sqlite3* handle() const { return handle_; }
    std::string lastError() const;

private:
    sqlite3* handle_ = nullptr;
};

class Statement {
public:
    Statement(Database& db, std::string_view sql);
    ~Statement();
    Statement(Statement&& other) noexcept;
    Statement& operator=(Statement&&) = delete;
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // Parameters are numbered from 1, as in SQLite.
    Statement& bind(int index, int64_t value);
    Statement& bind(int index, int value) { return bind(index, static_cast<int64_t>(value)); }
    Statement& bind(int index, std::string_view text);

    // Advances to the next result row; false when the statement is done.
    bool step();
    // Runs a statement that returns no rows, then resets it for reuse.
    void run();
    void reset();

    int columnCount() const;
    int64_t columnInt(int column) const;
    std::string columnText(int column) const;

private:
    [[noreturn]] void fail(const char* what) const;
    Database* db_;
    sqlite3_stmt* stmt_ = nullptr;
};

// BEGIN DEFERRED ... COMMIT around reads only: everything read inside sees
// one state of the database, the one its first read finds.
class ReadTransaction {
public:
    explicit ReadTransaction(Database& db);
    ~ReadTransaction();
    ReadTransaction(const ReadTransaction&) = delete;
    ReadTransaction& operator=(const ReadTransaction&) = delete;
    void end();

private:
    Database& db_;
    bool done_ = false;
};

// BEGIN IMMEDIATE ... COMMIT; a transaction left uncommitted rolls back.
class Transaction {
public:
    explicit Transaction(Database& db);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit();

private:
    Database& db_;
    bool done_ = false;
};

}  // namespace qudrim::store
