#include "tests/support/testfiles.h"

#include <algorithm>
#include <csignal>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QSettings>

using namespace Qt::StringLiterals;

namespace Kistarra {

QString TestDataPath(const QString& name)
{
    return QDir(QStringLiteral(KISTARRA_TEST_DATA_DIR)).filePath(name);
}

QString AnnFilePath()
{
    return TestDataPath(u"ann-1970-05-01.nsk"_s);
}

QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "<cannot open " + path.toUtf8() + '>';
    return file.readAll();
}

unsigned FileMode(const QString& path)
{
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return ~0u;
    return status.st_mode & 07777u;
}

bool WriteFile(const QString& path, const QByteArray& contents)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size();
}

QVariant QSettingsValue(const QString& iniPath, const QString& key)
{
    static int copies = 0;
    const QString copy = iniPath + u".read-"_s + QString::number(++copies);
    if (!QFile::copy(iniPath, copy))
        return QString(u"<cannot copy "_s + iniPath + u'>');
    QVariant value = QSettings(copy, QSettings::IniFormat).value(key);
    QFile::remove(copy);
    return value;
}

EntriesAtFolder EntriesAt(int folder)
{
    EntriesAtFolder found;
    DIR* listing = ::fdopendir(::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (listing == nullptr)
        return {{"<cannot list>", {0u, 0u, {}}}};
    while (const dirent* entry = ::readdir(listing)) {
        const QByteArray name(entry->d_name);
        if (name == "." || name == "..")
            continue;
        struct stat status {};
        ::fstatat(folder, name.constData(), &status, AT_SYMLINK_NOFOLLOW);
        QByteArray contents(4096, '\0');
        if (S_ISLNK(status.st_mode)) {
            contents.resize(std::max<ssize_t>(
                0, ::readlinkat(folder, name.constData(), contents.data(), contents.size())));
        } else if (S_ISREG(status.st_mode)) {
            const int file = ::openat(folder, name.constData(), O_RDONLY | O_CLOEXEC);
            contents.resize(std::max<ssize_t>(0, ::read(file, contents.data(), contents.size())));
            ::close(file);
        } else {
            contents.clear();
        }
        found[name] = {status.st_mode, status.st_uid, contents};
    }
    ::closedir(listing);
    return found;
}

FileSizeLimit::FileSizeLimit(rlim_t bytes)
{
    ::getrlimit(RLIMIT_FSIZE, &m_old);
    m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = m_old;
    limited.rlim_cur = bytes;
    m_active = ::setrlimit(RLIMIT_FSIZE, &limited) == 0;
}

FileSizeLimit::~FileSizeLimit()
{
    ::setrlimit(RLIMIT_FSIZE, &m_old);
    std::signal(SIGXFSZ, m_oldHandler);
}

} // namespace Kistarra
