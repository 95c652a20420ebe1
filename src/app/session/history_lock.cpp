#include "app/session/history_lock.h"

#include "app/desktop/file_paths.h"

namespace qudrim::app {

HistoryLock::HistoryLock(const std::filesystem::path& programFolder)
    : lock_(toQString(programFolder / kLockFileName))
{
    // A program may hold its history for days: only an owner that no longer
    // runs (or a lock from before the last boot) makes a lock stale, never
    // its age.
    lock_.setStaleLockTime(0);
}

HistoryLock::Outcome HistoryLock::take()
{
    if (lock_.isLocked())
        return Outcome::Taken;
    if (lock_.tryLock(0))
        return Outcome::Taken;
    return lock_.error() == QLockFile::LockFailedError ? Outcome::HeldElsewhere : Outcome::NotPossible;
}

void HistoryLock::release() { lock_.unlock(); }

QString HistoryLock::holder() const
{
    qint64 pid = 0;
    QString host;
    QString program;
    if (!lock_.getLockInfo(&pid, &host, &program))
        return QStringLiteral("锁文件：%1。").arg(lock_.fileName());
    return QStringLiteral("锁文件：%1；打开历史的程序：%4 上的进程 %2（%3）。")
        .arg(lock_.fileName())
        .arg(pid)
        .arg(program, host);
}

}  // namespace qudrim::app
