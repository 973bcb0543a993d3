#include "tests/support/testfiles.h"

#include <csignal>

#include <sys/stat.h>

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
