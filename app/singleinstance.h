#pragma once

#include <QString>

namespace Kistarra {

class Desktop;

// Keeps a second copy of the program from starting: the first copy holds a lock on a file in the
// person's private runtime folder for as long as it runs. The kernel lets the lock go when its
// process ends, however it ends, so the file a copy that crashed or was killed leaves behind is
// simply locked again; a running owner's lock never is taken over, however long it has been held.
//
// The guard never waits: the file is opened without blocking and without following a link, and
// used only when it is a regular file of the person's own in a folder no one else may write to.
// Anything else there (a FIFO, a device, a link, a folder), or no private folder at all, leaves
// the lock Unavailable - never a shared folder in its place, where another user could plant one.
class SingleInstanceGuard {
public:
    enum class State {
        Acquired,          // this copy holds the lock
        HeldByAnotherCopy, // a running copy holds it
        Unavailable,       // no lock can be had here at all (see problem())
    };

    explicit SingleInstanceGuard(const QString& lockFilePath = DefaultLockFilePath());
    ~SingleInstanceGuard();
    SingleInstanceGuard(const SingleInstanceGuard&) = delete;
    SingleInstanceGuard& operator=(const SingleInstanceGuard&) = delete;

    // Takes the lock unless a running copy holds it; never waits.
    [[nodiscard]] State acquire();
    // True when this copy now holds the lock (or held it already).
    [[nodiscard]] bool tryAcquire() { return acquire() == State::Acquired; }
    // Why the last acquire() found the lock Unavailable.
    [[nodiscard]] QString problem() const { return m_problem; }
    [[nodiscard]] bool isAcquired() const { return m_file >= 0; }
    [[nodiscard]] QString lockFilePath() const { return m_path; }

    // "kistarra.lock" in the person's runtime folder, $XDG_RUNTIME_DIR; empty when that names no
    // absolute path.
    [[nodiscard]] static QString DefaultLockFilePath();

private:
    [[nodiscard]] State unavailable(const QString& problem);

    QString m_path;
    QString m_problem;
    int m_folder = -1; // the lock's folder while the lock is held
    int m_file = -1;   // the locked file
};

// What the second copy says before it ends.
void ReportAlreadyRunning(Desktop& desktop);

} // namespace Kistarra
