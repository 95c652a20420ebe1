// Replacing the whole history by the draws of a history text file: the text
// import (a file the user chooses) and the rebuild from the backup file
// "lsbf.txt" after a trim. The file is read and checked whole first; only
// then is the history replaced, in one transaction.
#pragma once

#include "draw/row_builder.h"
#include "history/history_file.h"
#include "history/progress.h"
#include "store/history_store.h"

#include <filesystem>
#include <optional>
#include <string>

namespace qudrim::history {

inline constexpr const char* kBackupFileName = "lsbf.txt";

enum class EmptyFile {
    Refuse,   // a file without any draw is refused (the import)
    Empties,  // a file without any draw empties the history (a trim that keeps nothing)
};

enum class RebuildStatus {
    Rebuilt,       // the history holds exactly the file's draws
    Unreadable,    // the file cannot be opened or read
    LineRefused,   // a line is no draw
    NoDraw,        // the file gives no draw, and that is refused
    StoreRefused,  // the database refused the rows
    Cancelled,     // the progress callback called the rebuild off
};

// Whatever the status other than Rebuilt, the history is exactly as it was.
struct RebuildResult {
    RebuildStatus status = RebuildStatus::Rebuilt;
    std::optional<RefusedLine> refused;  // LineRefused
    std::string detail;                  // Unreadable, StoreRefused: the system's or database's text
    size_t draws = 0;                    // Rebuilt: the rows now stored
};

// Reads `file` (a first line without an issue gets `issueBefore` + 1) and
// stores its draws in file order in place of every stored draw, each row
// built by AddLishi: row 1 with zero copies and empty lists, each later row
// with the copies and lists of the draws before it in the file; with
// PreListMode::DrawTwoBefore each row also carries the lists that the row
// before it received. `progress`, when given, hears how far the loading, the
// checking and then the storing have come, and can cancel at any of them.
RebuildResult RebuildLishi(store::HistoryStore& store, const std::filesystem::path& file, int32_t issueBefore,
                           PreListMode mode, const CodeBases& bases, EmptyFile empty,
                           const ProgressCallback& progress = {});

// The rebuild from the backup file after a trim: every row with its two-back
// lists; a file without any draw leaves an empty history.
RebuildResult Dqzd(store::HistoryStore& store, const std::filesystem::path& backupFile, int32_t issueBefore,
                   const CodeBases& bases);

}  // namespace qudrim::history
