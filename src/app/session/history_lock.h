// One program per history: a lock file beside the history database, taken
// before the database is opened and held until the program ends, so that a
// second program started on the same program folder leaves the history to
// the first. A lock left behind by a program that was killed is taken
// over: its owner no longer runs.
#pragma once

#include <QLockFile>
#include <QString>

#include <filesystem>

namespace qudrim::app {

// Beside "plenvox.mdb" in the program folder.
inline constexpr const char* kLockFileName = "plenvox.mdb.lock";

class HistoryLock {
public:
    explicit HistoryLock(const std::filesystem::path& programFolder);

    enum class Outcome {
        Taken,          // this program holds the history until release() or the end
        HeldElsewhere,  // another running program holds it; nothing was written
        NotPossible,    // the folder takes no lock file (unwritable, missing)
    };
    Outcome take();
    void release();
    bool held() const { return lock_.isLocked(); }

    QString path() const { return lock_.fileName(); }
    // Who holds it, as far as the lock file tells: for a message's detail.
    QString holder() const;

private:
    QLockFile lock_;
};

}  // namespace qudrim::app
