#include "app/singleinstance.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>

#include "platform/desktop.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

[[nodiscard]] bool SameFile(const struct stat& one, const struct stat& other)
{
    return one.st_dev == other.st_dev && one.st_ino == other.st_ino;
}

} // namespace

SingleInstanceGuard::SingleInstanceGuard(const QString& lockFilePath)
    : m_path(lockFilePath)
{
}

SingleInstanceGuard::~SingleInstanceGuard()
{
    if (m_file < 0)
        return;
    // The name goes while the lock is held, and only while it is still this file's: a copy that
    // opened it just before sees, once it has the lock, that the name has gone, and tries again.
    const QByteArray name = QFile::encodeName(m_path.section(u'/', -1));
    struct stat locked {};
    struct stat named {};
    if (::fstat(m_file, &locked) == 0 &&
        ::fstatat(m_folder, name.constData(), &named, AT_SYMLINK_NOFOLLOW) == 0 &&
        SameFile(locked, named))
        ::unlinkat(m_folder, name.constData(), 0);
    ::close(m_file);
    ::close(m_folder);
}

SingleInstanceGuard::State SingleInstanceGuard::unavailable(const QString& problem)
{
    m_problem = problem;
    return State::Unavailable;
}

SingleInstanceGuard::State SingleInstanceGuard::acquire()
{
    if (m_file >= 0)
        return State::Acquired;
    if (m_path.isEmpty())
        return unavailable(u"XDG_RUNTIME_DIR names no private folder for the lock"_s);
    const QByteArray folderPath = QFile::encodeName(m_path.section(u'/', 0, -2) + u'/');
    const QByteArray name = QFile::encodeName(m_path.section(u'/', -1));
    const int folder = ::open(folderPath.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0)
        return unavailable(
            u"the folder of the lock file '%1': %2"_s.arg(m_path, qt_error_string(errno)));
    struct stat status {};
    if (::fstat(folder, &status) != 0 || status.st_uid != ::geteuid() ||
        (status.st_mode & (S_IRWXG | S_IRWXO)) != 0) {
        ::close(folder);
        return unavailable(
            u"the folder of the lock file '%1' is not the person's alone"_s.arg(m_path));
    }
    const auto notALockFile = [this, folder](const QString& why) {
        ::close(folder);
        return unavailable(u"'%1' is %2"_s.arg(m_path, why));
    };
    // A copy ending this instant may remove the name between the open and the lock: then again.
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (::fstatat(folder, name.constData(), &status, AT_SYMLINK_NOFOLLOW) == 0 &&
            !S_ISREG(status.st_mode))
            return notALockFile(u"not a regular file, not a lock file"_s);
        const int file =
            ::openat(folder, name.constData(),
                     O_RDWR | O_CREAT | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY, 0600);
        if (file < 0)
            return notALockFile(u"not a lock file that can be made: "_s + qt_error_string(errno));
        if (::fstat(file, &status) != 0 || !S_ISREG(status.st_mode) ||
            status.st_uid != ::geteuid()) {
            ::close(file);
            return notALockFile(u"not a regular file of the person's own, not a lock file"_s);
        }
        if (::flock(file, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            ::close(file);
            if (error == EWOULDBLOCK) {
                ::close(folder);
                return State::HeldByAnotherCopy;
            }
            return notALockFile(u"not a file that can be locked: "_s + qt_error_string(error));
        }
        struct stat named {};
        if (::fstatat(folder, name.constData(), &named, AT_SYMLINK_NOFOLLOW) == 0 &&
            SameFile(status, named)) {
            m_folder = folder;
            m_file = file;
            m_problem.clear();
            return State::Acquired;
        }
        ::close(file);
    }
    return notALockFile(u"changing all the time"_s);
}

QString SingleInstanceGuard::DefaultLockFilePath()
{
    const QByteArray folder = qgetenv("XDG_RUNTIME_DIR");
    const QString decoded = QFile::decodeName(folder);
    if (!folder.startsWith('/') || QFile::encodeName(decoded) != folder)
        return {};
    return decoded + u"/kistarra.lock"_s;
}

void ReportAlreadyRunning(Desktop& desktop)
{
    desktop.showNotice(nullptr, u"Application is already running"_s);
}

} // namespace Kistarra
