#include "files/attributes.h"

#include <cerrno>
#include <utility>
#include <vector>

#include <sys/xattr.h>
#include <unistd.h>

#include <QByteArray>
#include <QList>
#include <QtEndian>

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

constexpr const char* AccessAcl = "system.posix_acl_access";

// One attribute's value, or a list of names; empty when there is none or it cannot be read.
template <typename Read>
[[nodiscard]] QByteArray ReadSized(Read read)
{
    for (int tries = 0; tries < 4; ++tries) {
        const ssize_t size = read(nullptr, 0);
        if (size <= 0)
            return {};
        QByteArray bytes(size, '\0');
        const ssize_t got = read(bytes.data(), bytes.size());
        if (got >= 0) {
            bytes.resize(got);
            return bytes;
        }
        if (errno != ERANGE) // grown in between: ask again
            return {};
    }
    return {};
}

[[nodiscard]] std::vector<std::pair<QByteArray, QByteArray>> Attributes(int file)
{
    std::vector<std::pair<QByteArray, QByteArray>> found;
    const QByteArray names =
        ReadSized([file](char* buffer, size_t size) { return ::flistxattr(file, buffer, size); });
    for (const QByteArray& name : names.split('\0')) {
        if (name.isEmpty())
            continue;
        const QByteArray value = ReadSized([file, &name](char* buffer, size_t size) {
            return ::fgetxattr(file, name.constData(), buffer, size);
        });
        found.emplace_back(name, value);
    }
    return found;
}

// The permission the owning group really has under an access ACL: its own entry, as far as the
// mask lets it (the mode's group bits show the mask, which may be wider); nothing when the
// ACL cannot be read.
[[nodiscard]] mode_t OwningGroupBits(const QByteArray& acl)
{
    constexpr quint16 GroupObject = 0x04;
    constexpr quint16 Mask = 0x10;
    constexpr qsizetype Header = 4;
    constexpr qsizetype Entry = 8;
    if (acl.size() < Header || (acl.size() - Header) % Entry != 0)
        return 0;
    mode_t group = 0;
    mode_t mask = 07;
    for (qsizetype at = Header; at < acl.size(); at += Entry) {
        const quint16 tag = qFromLittleEndian<quint16>(acl.constData() + at);
        const quint16 permissions = qFromLittleEndian<quint16>(acl.constData() + at + 2) & 07;
        if (tag == GroupObject)
            group = permissions;
        else if (tag == Mask)
            mask = permissions;
    }
    return group & mask;
}

} // namespace

Done KeepAttributes(int made, int old, const struct stat& oldStatus)
{
    struct stat status {};
    if (::fstat(made, &status) != 0)
        return SystemFailure();
    if ((status.st_uid != oldStatus.st_uid || status.st_gid != oldStatus.st_gid) &&
        ::fchown(made, oldStatus.st_uid, oldStatus.st_gid) != 0)
        return Failure{u"its owner and group cannot be kept: "_s + qt_error_string(errno)};
    const mode_t mode = oldStatus.st_mode & 07777;
    const auto attributes = old >= 0 ? Attributes(old) : decltype(Attributes(old)){};
    // Until the ACL is in place the group bits say what the owning group may do, no more; when
    // the old file cannot be read for its attributes, the group gets nothing.
    mode_t groupBits = 0;
    bool hasAcl = false;
    for (const auto& [name, value] : attributes) {
        if (name == AccessAcl) {
            hasAcl = true;
            groupBits = OwningGroupBits(value) << 3;
        }
    }
    if (old >= 0 && !hasAcl)
        groupBits = mode & 070;
    // After the owner: a change of owner clears the set-group-ID bit.
    if (::fchmod(made, (mode & ~mode_t(070)) | groupBits) != 0)
        return SystemFailure();
    // A folder's default ACL gave the new file one of its own: the old file's, or none, counts.
    if (!hasAcl)
        ::fremovexattr(made, AccessAcl);
    bool aclKept = !hasAcl && old >= 0;
    for (const auto& [name, value] : attributes) {
        const bool set =
            ::fsetxattr(made, name.constData(), value.constData(), value.size(), 0) == 0;
        if (name == AccessAcl)
            aclKept = set;
    }
    if (aclKept && ::fchmod(made, mode) != 0)
        return SystemFailure();
    return {};
}

} // namespace Kistarra
