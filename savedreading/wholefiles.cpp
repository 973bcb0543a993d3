#include "savedreading/wholefiles.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

// As many links as the system itself follows in one path.
constexpr int MostLinks = 40;

[[nodiscard]] QByteArray Name(const QString& path)
{
    return QFile::encodeName(path);
}

[[nodiscard]] QString SystemReason()
{
    return qt_error_string(errno);
}

[[nodiscard]] mode_t CurrentUmask()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

// A new empty file beside target, readable by its maker alone until its bytes are in; nothing
// when the folder takes none.
[[nodiscard]] std::optional<QString> NewTemporary(const QString& target, int& descriptor)
{
    QByteArray name = Name(QFileInfo(target).path() + u"/.kistarra-XXXXXX"_s);
    descriptor = ::mkostemp(name.data(), O_CLOEXEC);
    if (descriptor < 0)
        return std::nullopt;
    return QFile::decodeName(name);
}

// The file's owner, group and permission bits for the one it replaces (the usual ones for a new
// file), then all of its bytes, on the disk. The system's reason when any of that fails.
[[nodiscard]] QString Fill(int descriptor, const QByteArray& bytes, const struct stat* old)
{
    struct stat made {};
    if (::fstat(descriptor, &made) != 0)
        return SystemReason();
    if (old != nullptr && (made.st_uid != old->st_uid || made.st_gid != old->st_gid) &&
        ::fchown(descriptor, old->st_uid, old->st_gid) != 0)
        return u"its owner and group cannot be kept: "_s + SystemReason();
    // After the owner: a change of owner clears the set-group-ID bit.
    const mode_t mode = old != nullptr ? old->st_mode & 07777 : 0666 & ~CurrentUmask();
    if (::fchmod(descriptor, mode) != 0)
        return SystemReason();
    for (qsizetype written = 0; written < bytes.size();) {
        const ssize_t step = ::write(descriptor, bytes.constData() + written,
                                     static_cast<size_t>(bytes.size() - written));
        if (step < 0 && errno == EINTR)
            continue;
        if (step < 0)
            return SystemReason();
        written += step;
    }
    if (::fsync(descriptor) != 0)
        return SystemReason();
    return {};
}

} // namespace

ResolvedPath ResolveTarget(const QString& path)
{
    QString current = QDir::current().absoluteFilePath(path);
    for (int links = 0;; ++links) {
        struct stat status {};
        if (::lstat(Name(current).constData(), &status) != 0) {
            if (errno == ELOOP)
                return {std::nullopt, SystemReason()};
            break; // nothing there yet, or unreachable: the write itself says why
        }
        if (!S_ISLNK(status.st_mode))
            break;
        if (links == MostLinks) {
            errno = ELOOP;
            return {std::nullopt, SystemReason()};
        }
        std::array<char, 4096> text{};
        const ssize_t length = ::readlink(Name(current).constData(), text.data(), text.size());
        if (length < 0 || static_cast<size_t>(length) >= text.size())
            break;
        const QString linked = QFile::decodeName(QByteArray(text.data(), length));
        current = QDir(QFileInfo(current).path()).absoluteFilePath(linked);
    }
    const QFileInfo final(current);
    const QString folder = QFileInfo(final.path()).canonicalFilePath();
    return {QDir(folder.isEmpty() ? final.path() : folder).filePath(final.fileName()), {}};
}

std::optional<QString> RefusedTarget(const QString& path)
{
    const ResolvedPath resolved = ResolveTarget(path);
    if (!resolved.path)
        return resolved.reason;
    struct stat status {};
    if (::stat(Name(*resolved.path).constData(), &status) != 0)
        return std::nullopt; // nothing there yet, or unreachable: the write itself says why
    if (!S_ISREG(status.st_mode))
        return u"not a regular file"_s;
    // The owner's bit, not access(): root may write anywhere, yet a read-only file stays so.
    if ((status.st_mode & S_IWUSR) == 0)
        return u"the file is read-only"_s;
    return std::nullopt;
}

bool SameTarget(const QString& first, const QString& second)
{
    const ResolvedPath one = ResolveTarget(first);
    const ResolvedPath other = ResolveTarget(second);
    if (!one.path || !other.path)
        return false;
    if (*one.path == *other.path)
        return true;
    struct stat oneStatus {};
    struct stat otherStatus {};
    return ::stat(Name(*one.path).constData(), &oneStatus) == 0 &&
           ::stat(Name(*other.path).constData(), &otherStatus) == 0 &&
           oneStatus.st_dev == otherStatus.st_dev && oneStatus.st_ino == otherStatus.st_ino;
}

WholeFiles::~WholeFiles()
{
    dropTemporaries();
}

void WholeFiles::dropTemporaries()
{
    for (const Pending& file : m_files) {
        for (const QString& left : {file.temporary, file.backup}) {
            if (!left.isEmpty())
                ::unlink(Name(left).constData());
        }
    }
    m_files.clear();
}

bool WholeFiles::fail(const QString& path, const QString& reason)
{
    m_failedPath = path;
    m_reason = reason;
    dropTemporaries();
    return false;
}

bool WholeFiles::add(const QString& path, const QByteArray& bytes)
{
    if (const std::optional<QString> refused = RefusedTarget(path))
        return fail(path, *refused);
    const ResolvedPath resolved = ResolveTarget(path);
    if (!resolved.path)
        return fail(path, resolved.reason);
    struct stat old {};
    const bool existed = ::stat(Name(*resolved.path).constData(), &old) == 0;
    int descriptor = -1;
    const std::optional<QString> temporary = NewTemporary(*resolved.path, descriptor);
    if (!temporary)
        return fail(path, SystemReason());
    m_files.push_back({path, *resolved.path, *temporary, {}, false});
    QString problem = Fill(descriptor, bytes, existed ? &old : nullptr);
    if (::close(descriptor) != 0 && problem.isEmpty())
        problem = SystemReason();
    if (!problem.isEmpty())
        return fail(path, problem);
    return true;
}

// Puts the temporary in the target's place. The file it replaces is kept (where the temporary
// was) until every file is in place, so that undo() can put it back.
QString WholeFiles::replace(Pending& file)
{
    const QByteArray target = Name(file.target);
    const QByteArray temporary = Name(file.temporary);
    struct stat status {};
    if (::lstat(target.constData(), &status) != 0) {
        if (::rename(temporary.constData(), target.constData()) != 0)
            return SystemReason();
        file.temporary.clear();
        file.replaced = true;
        return {};
    }
    if (::renameat2(AT_FDCWD, temporary.constData(), AT_FDCWD, target.constData(),
                    RENAME_EXCHANGE) == 0) {
        file.backup = std::exchange(file.temporary, {});
        file.replaced = true;
        return {};
    }
    if (errno != EINVAL && errno != ENOSYS)
        return SystemReason();
    // A file system that cannot swap two names: the old file moves aside first, taking the place
    // of a fresh empty file made for it.
    int descriptor = -1;
    const std::optional<QString> aside = NewTemporary(file.target, descriptor);
    if (!aside)
        return SystemReason();
    ::close(descriptor);
    file.backup = *aside;
    if (::rename(target.constData(), Name(file.backup).constData()) != 0)
        return SystemReason();
    file.replaced = true;
    if (::rename(temporary.constData(), target.constData()) != 0)
        return SystemReason();
    file.temporary.clear();
    return {};
}

// Puts back every file replaced so far, the last first.
QString WholeFiles::undo()
{
    QString problem;
    for (auto file = m_files.rbegin(); file != m_files.rend(); ++file) {
        if (!file->replaced)
            continue;
        const QByteArray target = Name(file->target);
        const bool back = file->backup.isEmpty()
                              ? ::unlink(target.constData()) == 0
                              : ::rename(Name(file->backup).constData(), target.constData()) == 0;
        if (!back && problem.isEmpty())
            problem = u"; '%1' could not be put back: %2"_s.arg(file->given, SystemReason());
        if (back)
            file->backup.clear();
        file->replaced = false;
    }
    return problem;
}

bool WholeFiles::commit()
{
    // Anything may have changed since the temporaries were written: every target is checked
    // again before the first is replaced.
    for (const Pending& file : m_files) {
        if (const std::optional<QString> refused = RefusedTarget(file.target))
            return fail(file.given, *refused);
    }
    for (Pending& file : m_files) {
        if (const QString problem = replace(file); !problem.isEmpty()) {
            const QString given = file.given;
            return fail(given, problem + undo());
        }
    }
    dropTemporaries(); // the replaced files
    return true;
}

std::optional<QString> WriteWholeFile(const QString& path, const QByteArray& bytes)
{
    WholeFiles files;
    if (files.add(path, bytes) && files.commit())
        return std::nullopt;
    return files.reason();
}

} // namespace Kistarra
