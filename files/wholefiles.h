#pragma once

#include <optional>
#include <vector>

#include <QByteArray>
#include <QString>

#include "files/result.h"
#include "files/targets.h"

// Files written whole or not at all. Each file's bytes go into a temporary beside the file they
// replace first; the files are replaced only once every temporary holds all its bytes, every
// target is checked again, and what each replacement takes away is kept until the last one has
// succeeded: when any step fails, every file replaced so far is put back. A replaced file keeps
// its owner, group, permission bits and extended attributes (its ACL too); a new file gets what a
// shell's ">" would give it (0666 less the umask, or the folder's default ACL). A hard link to a
// replaced file keeps the old contents. Whatever stands at a target other than the file that was
// checked there - something swapped in meanwhile - is put straight back and the save refused: a
// run removes, hides or leaves behind nothing but its own files.
namespace Kistarra {

// A set of files written together: add each one's bytes, then commit them all at once. A
// failure names the file as the caller gave it.
class WholeFiles {
public:
    WholeFiles() = default;
    ~WholeFiles(); // removes every temporary not yet committed
    WholeFiles(const WholeFiles&) = delete;
    WholeFiles& operator=(const WholeFiles&) = delete;

    // Writes the bytes into a temporary for path; refused when the target is, or when any byte
    // cannot be written.
    [[nodiscard]] Done add(const QString& path, const QByteArray& bytes);
    // Puts every temporary in its target's place; when one cannot be, every target is as it was.
    [[nodiscard]] Done commit();

private:
    struct Pending {
        QString given;                 // the path as the caller named it, for messages
        Target target;                 // where it lands
        std::optional<FileId> checked; // what stood there when it was checked; nothing: new
        FileId made;                   // the file holding the new bytes
        QByteArray temporary;          // its name until it is in place
        QByteArray aside;              // the name the replaced file is kept under meanwhile
        FileId asideHolds;             // what that name is meant to hold
        bool replaced = false;
    };

    Done fail(const QString& given, Failure failure);
    [[nodiscard]] static Done recheck(const Pending& file);
    [[nodiscard]] static Done replace(Pending& file);
    [[nodiscard]] static Done replaceWithoutExchange(Pending& file);
    [[nodiscard]] QString undo();
    void dropTemporaries();

    std::vector<Pending> m_files;
};

// Writes one file whole or not at all.
[[nodiscard]] Done WriteWholeFile(const QString& path, const QByteArray& bytes);

} // namespace Kistarra
