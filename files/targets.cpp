#include "files/targets.h"

#include <array>
#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

#include <QFile>

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

// As many links as the system itself follows in one path.
constexpr int MostLinks = 40;

[[nodiscard]] Failure Refused(int error)
{
    errno = error;
    return SystemFailure();
}

// The folder part of name opened relative to base, and its last part. A name ending in '/'
// names a folder, which no file is written over: refused as the kernel refuses to create one.
[[nodiscard]] Result<Target> Split(int base, QByteArray name)
{
    if (name.isEmpty())
        return Refused(ENOENT);
    const bool folderOnly = name.endsWith('/');
    while (name.size() > 1 && name.endsWith('/'))
        name.chop(1);
    const qsizetype slash = name.lastIndexOf('/');
    const QByteArray folder = slash < 0 ? "."_ba : slash == 0 ? "/"_ba : name.left(slash);
    const QByteArray last = name.mid(slash + 1);
    Descriptor opened(::openat(base, folder.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (!opened.valid())
        return SystemFailure();
    if (folderOnly || last.isEmpty() || last == "." || last == "..") {
        struct stat status {};
        if (::fstatat(opened.get(), QByteArray(last + '/').constData(), &status, 0) != 0 &&
            errno != ENOENT)
            return SystemFailure();
        return Refused(EISDIR);
    }
    return Target{std::move(opened), last};
}

// The kernel's rule for links in sticky folders that anyone may write to (/tmp): follow only a
// link of the folder's owner or of the one following it, so that no one can plant a link that
// turns another user's save onto a file of their choosing.
[[nodiscard]] Done MayFollow(int folder, const struct stat& link)
{
    struct stat status {};
    if (::fstat(folder, &status) != 0)
        return SystemFailure();
    const bool shared = (status.st_mode & S_ISVTX) != 0 && (status.st_mode & S_IWOTH) != 0;
    if (shared && link.st_uid != status.st_uid && link.st_uid != ::geteuid())
        return Refused(EACCES);
    return {};
}

} // namespace

Descriptor::~Descriptor()
{
    if (m_descriptor >= 0)
        ::close(m_descriptor);
}

Descriptor& Descriptor::operator=(Descriptor&& other) noexcept
{
    if (this != &other) {
        if (m_descriptor >= 0)
            ::close(m_descriptor);
        m_descriptor = std::exchange(other.m_descriptor, -1);
    }
    return *this;
}

Failure SystemFailure(const QString& subject)
{
    return Failure(qt_error_string(errno), subject);
}

Failure TargetChanged()
{
    return Failure(u"the file changed while it was saved"_s);
}

FileId IdOf(const struct stat& status)
{
    return {status.st_dev, status.st_ino};
}

Result<std::optional<struct stat>> StatusAt(int folder, const QByteArray& name)
{
    struct stat status {};
    if (::fstatat(folder, name.constData(), &status, AT_SYMLINK_NOFOLLOW) == 0)
        return std::optional(status);
    if (errno == ENOENT)
        return std::optional<struct stat>();
    return SystemFailure();
}

std::optional<FileId> IdAt(int folder, const QByteArray& name)
{
    const auto status = StatusAt(folder, name);
    if (!status || !*status)
        return std::nullopt;
    return IdOf(**status);
}

Result<Target> ResolveTarget(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    if (QFile::decodeName(name) != path)
        return Failure{u"the name cannot be given to the file system as it is"_s};
    Result<Target> target = Split(AT_FDCWD, name);
    for (int links = 0; target; ++links) {
        const Target& at = *target;
        const auto status = StatusAt(at.folder.get(), at.name);
        if (!status)
            return status.failure();
        if (!*status || !S_ISLNK((*status)->st_mode))
            break;
        if (links == MostLinks)
            return Refused(ELOOP);
        if (Done allowed = MayFollow(at.folder.get(), **status); !allowed)
            return allowed.failure();
        std::array<char, 4096> text{};
        const ssize_t length =
            ::readlinkat(at.folder.get(), at.name.constData(), text.data(), text.size());
        if (length < 0) // no link any more (EINVAL): something else took its place meanwhile
            return errno == EINVAL ? TargetChanged() : SystemFailure();
        if (static_cast<size_t>(length) >= text.size())
            return Refused(ENAMETOOLONG);
        target = Split(at.folder.get(), QByteArray(text.data(), length));
    }
    return target;
}

Done CheckReplaceable(const struct stat& status)
{
    if (!S_ISREG(status.st_mode))
        return Failure{u"not a regular file"_s};
    if ((status.st_mode & S_IWUSR) == 0)
        return Failure{u"the file is read-only"_s};
    return {};
}

Done CheckTarget(const QString& path)
{
    const Result<Target> target = ResolveTarget(path);
    if (!target)
        return target.failure();
    const auto status = StatusAt(target->folder.get(), target->name);
    if (!status)
        return status.failure();
    return *status ? CheckReplaceable(**status) : Done();
}

bool SameTarget(const QString& first, const QString& second)
{
    const Result<Target> one = ResolveTarget(first);
    const Result<Target> other = ResolveTarget(second);
    if (!one || !other)
        return false;
    struct stat oneFolder {};
    struct stat otherFolder {};
    if (::fstat(one->folder.get(), &oneFolder) == 0 &&
        ::fstat(other->folder.get(), &otherFolder) == 0 && IdOf(oneFolder) == IdOf(otherFolder) &&
        one->name == other->name)
        return true;
    const std::optional<FileId> oneFile = IdAt(one->folder.get(), one->name);
    return oneFile && oneFile == IdAt(other->folder.get(), other->name);
}

} // namespace Kistarra
