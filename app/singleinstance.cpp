#include "app/singleinstance.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "platform/desktop.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

SingleInstanceGuard::SingleInstanceGuard(const QString& lockFilePath)
    : m_path(lockFilePath)
    , m_lock(lockFilePath)
{
    // The lock is held for the whole run, so its age says nothing: with the default stale time a
    // copy running for more than half a minute would look abandoned. Without an age limit the lock
    // is only taken over when the process it names is gone.
    m_lock.setStaleLockTime(0);
}

bool SingleInstanceGuard::heldByAnotherCopy() const
{
    qint64 pid = 0;
    QString host;
    QString application;
    return m_lock.getLockInfo(&pid, &host, &application);
}

SingleInstanceGuard::State SingleInstanceGuard::acquire()
{
    if (m_lock.isLocked())
        return State::Acquired;
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    if (m_lock.tryLock(0))
        return State::Acquired;
    if (m_lock.error() == QLockFile::LockFailedError) {
        // With no age limit QLockFile keeps a file that names no process for good. Removing it
        // fails while a live copy holds the file, which it does from the moment it makes it.
        if (!heldByAnotherCopy() && m_lock.removeStaleLockFile() && m_lock.tryLock(0))
            return State::Acquired;
        // Asked again: a copy starting this instant may only just have written its details.
        if (heldByAnotherCopy())
            return State::HeldByAnotherCopy;
    }
    m_problem = QFileInfo(m_path).isDir() ? u"'%1' is a folder, not a lock file"_s.arg(m_path)
                                          : u"the lock file '%1' cannot be made"_s.arg(m_path);
    return State::Unavailable;
}

bool SingleInstanceGuard::isAcquired() const
{
    return m_lock.isLocked();
}

QString SingleInstanceGuard::lockFilePath() const
{
    return m_path;
}

QString SingleInstanceGuard::DefaultLockFilePath()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return QDir(folder).filePath(u"kistarra.lock"_s);
}

void ReportAlreadyRunning(Desktop& desktop)
{
    desktop.showNotice(nullptr, u"Application is already running"_s);
}

} // namespace Kistarra
