#pragma once

#include <optional>
#include <utility>

#include <sys/stat.h>

#include <QByteArray>
#include <QString>

#include "files/result.h"

// Where a write lands, found the way the kernel finds it. A name the person gives is used byte
// for byte (one that does not survive the trip to bytes and back is refused); its folder is
// opened once, relative to the current folder for a relative name, so the current folder's depth
// never matters, and every later step works relative to that folder. Names read from the file
// system (a link's target) stay bytes. A final name that is a symbolic link is followed by us, so
// that the link stays and the file it names is written; a link in a sticky folder that anyone may
// write to is followed only when it belongs to the folder's owner or to the one saving, as the
// kernel's protected_symlinks rule has it.
namespace Kistarra {

// An open file descriptor, closed when it goes.
class Descriptor {
public:
    Descriptor() = default;
    explicit Descriptor(int descriptor)
        : m_descriptor(descriptor)
    {
    }
    ~Descriptor();
    Descriptor(Descriptor&& other) noexcept
        : m_descriptor(std::exchange(other.m_descriptor, -1))
    {
    }
    Descriptor& operator=(Descriptor&& other) noexcept;
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    [[nodiscard]] int get() const { return m_descriptor; }
    [[nodiscard]] bool valid() const { return m_descriptor >= 0; }
    // Hands the descriptor over, for a close whose failure matters.
    [[nodiscard]] int release() { return std::exchange(m_descriptor, -1); }

private:
    int m_descriptor = -1;
};

// One file, whatever it is called: its device and inode.
struct FileId {
    dev_t device = 0;
    ino_t inode = 0;
    friend bool operator==(const FileId&, const FileId&) = default;
};
[[nodiscard]] FileId IdOf(const struct stat& status);

// What a save says when what it checked at the target is not what stands there any more.
[[nodiscard]] Failure TargetChanged();

// A target: the folder a name ends in, held open, and the last part of the name in it.
struct Target {
    Descriptor folder;
    QByteArray name;
};

// What stands at name in folder, the name itself when it is a link; nothing when nothing does.
[[nodiscard]] Result<std::optional<struct stat>> StatusAt(int folder, const QByteArray& name);
[[nodiscard]] std::optional<FileId> IdAt(int folder, const QByteArray& name);

// The folder and final name a write to path lands on, every link at its end followed: nothing
// needs to be there yet (a dangling link leads to the file it would make). Refused when path
// ends in '/' (it names a folder), when links do not end, and when a link may not be followed.
[[nodiscard]] Result<Target> ResolveTarget(const QString& path);

// Whether the thing with that status may be replaced: a regular file its owner may write to. The
// owner's bit, not access(): root may write anywhere, yet a read-only file stays so.
[[nodiscard]] Done CheckReplaceable(const struct stat& status);

// Whether path may be written: its target resolves, and is nothing yet or a replaceable file.
[[nodiscard]] Done CheckTarget(const QString& path);

// True when writing to the two paths would write the same file: the same name in the same
// folder, or the same existing file under two names.
[[nodiscard]] bool SameTarget(const QString& first, const QString& second);

} // namespace Kistarra
