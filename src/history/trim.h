// Trimming the history from its end: reading the user's answer, choosing the
// draws to keep, making sure they come back unchanged from the backup file
// that the history is rebuilt from, and the trim itself: the backup file
// written, the history rebuilt from it, the file compacted.
#pragma once

#include "draw/row_builder.h"
#include "history/compaction.h"
#include "history/rebuild.h"
#include "store/history_store.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qudrim::history {

struct TrimAnswer {
    enum class Kind {
        Nothing,    // Cancel, an empty answer, 0 or below: nothing happens
        NotNumber,  // not a whole number (or beyond any issue): an input error
        Value,      // a whole number above 0
    };
    Kind kind = Kind::Nothing;
    int32_t value = 0;
};

// Blanks around the answer are allowed, and a sign; digits only otherwise.
TrimAnswer readTrimAnswer(std::string_view text);

// Every stored draw up to and including `lastKept`, in issue order.
std::vector<DrawInput> drawsUpToIssue(const store::Snapshot& history, int32_t lastKept);

// Every stored draw but the last `dropped` ones, in issue order.
std::vector<DrawInput> drawsWithoutLast(const store::Snapshot& history, int32_t dropped);

// The first draw that the rebuild would not read back from the backup file
// holding `draws` as the same issue and numbers (an issue of other than
// seven digits), or null when every one comes back. The file is read as the
// rebuild reads it, a first line without an issue taking `issueBefore` + 1.
const DrawInput* firstDrawNotReadBack(std::span<const DrawInput> draws, int32_t issueBefore);

enum class TrimFault {
    None,              // the history holds exactly the kept draws
    NotReadBack,       // a kept draw would not come back from the file: nothing was written
    BackupNotWritten,  // the backup file could not be written: the history is as it was
    RebuildFailed,     // the rebuild from the backup file failed: the history is as it was
};

struct TrimOutcome {
    TrimFault fault = TrimFault::None;
    int32_t issue = 0;      // NotReadBack: the draw's issue
    std::string detail;     // BackupNotWritten: the system's account
    RebuildResult rebuild;  // the rebuild's own result (RebuildFailed: why)
    Compaction compaction;  // after a rebuild: a failure keeps the rebuilt history
};

// Keeps `kept` (oldest first) of the stored draws: they are written to
// `backupFile` ("lsbf.txt"), the history is rebuilt from that file with
// Dqzd (`issueBefore`: the next issue before the trim), and the file is
// compacted.
TrimOutcome trimHistory(store::HistoryStore& store, std::span<const DrawInput> kept,
                        const std::filesystem::path& backupFile, int32_t issueBefore, const CodeBases& bases);

}  // namespace qudrim::history
