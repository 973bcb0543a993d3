#include "savedreading/wholefiles.h"

#include <sys/stat.h>

#include <QFile>
#include <QSaveFile>

using namespace Qt::StringLiterals;

namespace Kistarra {

QString RefusedTarget(const QString& path)
{
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return {}; // nothing there yet, or unreachable: the write itself says why
    if (!S_ISREG(status.st_mode))
        return u"not a regular file"_s;
    // The owner's bit, not access(): root may write anywhere, yet a read-only file stays so.
    if ((status.st_mode & S_IWUSR) == 0)
        return u"the file is read-only"_s;
    return {};
}

WholeFiles::WholeFiles() = default;
WholeFiles::~WholeFiles() = default;

bool WholeFiles::fail(const QString& path, const QString& reason)
{
    m_failedPath = path;
    m_reason = reason;
    m_files.clear();
    return false;
}

bool WholeFiles::add(const QString& path, const QByteArray& bytes)
{
    if (const QString refused = RefusedTarget(path); !refused.isEmpty())
        return fail(path, refused);
    // Unbuffered, so a disk that refuses the bytes fails the write itself rather than a later
    // flush whose failure commit() would not see.
    auto file = std::make_unique<QSaveFile>(path);
    if (!file->open(QIODevice::WriteOnly | QIODevice::Unbuffered) ||
        file->write(bytes) != bytes.size() || !file->flush())
        return fail(path, file->errorString());
    m_files.push_back(std::move(file));
    return true;
}

bool WholeFiles::commit()
{
    for (const auto& file : m_files) {
        if (!file->commit())
            return fail(file->fileName(), file->errorString());
    }
    m_files.clear();
    return true;
}

bool WriteWholeFile(const QString& path, const QByteArray& bytes)
{
    WholeFiles files;
    return files.add(path, bytes) && files.commit();
}

} // namespace Kistarra
