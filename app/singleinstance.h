#pragma once

#include <QLockFile>
#include <QString>

namespace Kistarra {

class Desktop;

// Keeps a second copy of the program from starting: the first copy holds a lock file for as long
// as it runs. The lock of a copy that died without cleaning up (killed, crashed) is taken over,
// because the file names a process that no longer exists, and so is a file that names no process at
// all (empty or garbled, as a crash mid-write or a full disk leaves it); a running owner's lock
// never is, however long it has been held.
class SingleInstanceGuard {
public:
    enum class State {
        Acquired,          // this copy holds the lock
        HeldByAnotherCopy, // a running copy holds it
        Unavailable,       // no lock can be made here at all (see problem())
    };

    explicit SingleInstanceGuard(const QString& lockFilePath = DefaultLockFilePath());
    SingleInstanceGuard(const SingleInstanceGuard&) = delete;
    SingleInstanceGuard& operator=(const SingleInstanceGuard&) = delete;

    // Takes the lock unless a running copy holds it; never waits.
    [[nodiscard]] State acquire();
    // True when this copy now holds the lock (or held it already).
    [[nodiscard]] bool tryAcquire() { return acquire() == State::Acquired; }
    // Why the last acquire() found the lock Unavailable.
    [[nodiscard]] QString problem() const { return m_problem; }
    [[nodiscard]] bool isAcquired() const;
    [[nodiscard]] QString lockFilePath() const;

    // "kistarra.lock" in the per-user runtime folder, or in the temporary folder when the system
    // has no runtime folder.
    [[nodiscard]] static QString DefaultLockFilePath();

private:
    [[nodiscard]] bool heldByAnotherCopy() const;

    QString m_path;
    QLockFile m_lock;
    QString m_problem;
};

// What the second copy says before it ends.
void ReportAlreadyRunning(Desktop& desktop);

} // namespace Kistarra
