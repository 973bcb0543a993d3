#pragma once

#include <QLockFile>
#include <QString>

namespace Kistarra {

class Desktop;

// Keeps a second copy of the program from starting: the first copy holds a lock file for as long
// as it runs. The lock of a copy that died without cleaning up (killed, crashed) is taken over,
// because the file names a process that no longer exists; a running owner's lock never is, however
// long it has been held.
class SingleInstanceGuard {
public:
    explicit SingleInstanceGuard(const QString& lockFilePath = DefaultLockFilePath());
    SingleInstanceGuard(const SingleInstanceGuard&) = delete;
    SingleInstanceGuard& operator=(const SingleInstanceGuard&) = delete;

    // True when this copy now holds the lock (or held it already); false at once when another
    // running copy holds it or the file cannot be written.
    [[nodiscard]] bool tryAcquire();
    [[nodiscard]] bool isAcquired() const;
    [[nodiscard]] QString lockFilePath() const;

    // "kistarra.lock" in the per-user runtime folder, or in the temporary folder when the system
    // has no runtime folder.
    [[nodiscard]] static QString DefaultLockFilePath();

private:
    QString m_path;
    QLockFile m_lock;
};

// What the second copy says before it ends.
void ReportAlreadyRunning(Desktop& desktop);

} // namespace Kistarra
