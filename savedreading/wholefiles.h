#pragma once

#include <memory>
#include <vector>

#include <QByteArray>
#include <QString>

class QSaveFile;

// Files written whole or not at all. Each file's bytes go into a temporary beside it first; the
// files are replaced only once every temporary holds all its bytes, so a full disk or a refused
// target leaves every old file as it was.
namespace Kistarra {

// Why the thing at path may not be replaced, or nothing when it may (also when nothing is there):
// a folder, FIFO or device node is not a file to write over, and a file its owner may not write to
// is kept even from root. A symbolic link is judged by what it points to.
[[nodiscard]] QString RefusedTarget(const QString& path);

// A set of files written together: add each one's bytes, then commit them all at once.
class WholeFiles {
public:
    WholeFiles();
    ~WholeFiles(); // drops every temporary not yet committed
    WholeFiles(const WholeFiles&) = delete;
    WholeFiles& operator=(const WholeFiles&) = delete;

    // Writes the bytes into a temporary for path. False, with failedPath() and reason() set, when
    // the target is refused or any byte cannot be written.
    [[nodiscard]] bool add(const QString& path, const QByteArray& bytes);
    // Puts every temporary in its target's place. False when one cannot be.
    [[nodiscard]] bool commit();

    [[nodiscard]] QString failedPath() const { return m_failedPath; }
    [[nodiscard]] QString reason() const { return m_reason; }

private:
    bool fail(const QString& path, const QString& reason);

    std::vector<std::unique_ptr<QSaveFile>> m_files;
    QString m_failedPath;
    QString m_reason;
};

// Writes one file whole or not at all; false when it could not be.
[[nodiscard]] bool WriteWholeFile(const QString& path, const QByteArray& bytes);

} // namespace Kistarra
