#pragma once

#include <optional>
#include <vector>

#include <QByteArray>
#include <QString>

// Files written whole or not at all. Each file's bytes go into a temporary beside the file they
// replace first; the files are replaced only once every temporary holds all its bytes, every
// target is checked again, and what each replacement takes away is kept until the last one has
// succeeded: when any step fails, every file replaced so far is put back. A replaced file keeps
// its owner, group and permission bits (set-group-ID included); a new file gets the usual
// permissions (0666 less the umask). A hard link to a replaced file keeps the old contents.
namespace Kistarra {

// Where a write to path really lands: the final path after every symbolic link, whether or not
// anything is there yet (a dangling link resolves to the file it would make), its folder spelt
// canonically. Nothing, with reason set, when the links do not end (a loop, too many levels).
struct ResolvedPath {
    std::optional<QString> path;
    QString reason;
};
[[nodiscard]] ResolvedPath ResolveTarget(const QString& path);

// Why the thing at path may not be replaced, or nothing when it may (also when nothing is there
// yet): a folder, FIFO or device node is not a file to write over, a file its owner may not write
// to is kept even from root, and links that do not end lead to no file at all. A symbolic link is
// judged by what it points to.
[[nodiscard]] std::optional<QString> RefusedTarget(const QString& path);

// True when writing to the two paths would write the same file: the same final path, or the same
// existing file under two names.
[[nodiscard]] bool SameTarget(const QString& first, const QString& second);

// A set of files written together: add each one's bytes, then commit them all at once.
class WholeFiles {
public:
    WholeFiles() = default;
    ~WholeFiles(); // removes every temporary not yet committed
    WholeFiles(const WholeFiles&) = delete;
    WholeFiles& operator=(const WholeFiles&) = delete;

    // Writes the bytes into a temporary for path. False, with failedPath() and reason() set, when
    // the target is refused or any byte cannot be written.
    [[nodiscard]] bool add(const QString& path, const QByteArray& bytes);
    // Puts every temporary in its target's place. False when one cannot be; every target is then
    // as it was before.
    [[nodiscard]] bool commit();

    [[nodiscard]] QString failedPath() const { return m_failedPath; }
    [[nodiscard]] QString reason() const { return m_reason; }

private:
    struct Pending {
        QString given;     // the path as the caller named it, for messages
        QString target;    // the final path it resolves to
        QString temporary; // the new bytes, until they are in the target's place
        QString backup;    // the file they replaced, until every file is in place
        bool replaced = false;
    };

    bool fail(const QString& path, const QString& reason);
    [[nodiscard]] static QString replace(Pending& file);
    [[nodiscard]] QString undo();
    void dropTemporaries();

    std::vector<Pending> m_files;
    QString m_failedPath;
    QString m_reason;
};

// Writes one file whole or not at all: nothing when it was written, else the system's reason.
[[nodiscard]] std::optional<QString> WriteWholeFile(const QString& path, const QByteArray& bytes);

} // namespace Kistarra
