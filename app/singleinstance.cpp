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

bool SingleInstanceGuard::tryAcquire()
{
    if (m_lock.isLocked())
        return true;
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    return m_lock.tryLock(0);
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
