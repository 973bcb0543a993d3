#include "app/programsettings.h"

#include <array>
#include <cerrno>
#include <optional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>

#include "app/initext.h"
#include "savedreading/savedreading.h"
#include "files/wholefiles.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

constexpr QStringView Section = u"Settings";
// Far more than the program ever writes: a larger file is not its settings.
constexpr qsizetype MostBytes = 1 << 20;

struct FileRead {
    QByteArray bytes;
    QString problem; // empty when read, or when nothing is there yet
};

// The whole file, read without ever waiting: whatever is not a regular file is refused before it
// is opened, and opened without blocking in case something else took its place in between.
[[nodiscard]] FileRead ReadSettingsFile(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat status {};
    if (::stat(name.constData(), &status) != 0)
        return {{}, errno == ENOENT ? QString() : qt_error_string(errno)};
    if (!S_ISREG(status.st_mode))
        return {{}, u"not a regular file"_s};
    const int descriptor = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (descriptor < 0)
        return {{}, qt_error_string(errno)};
    const auto closed = qScopeGuard([descriptor] { ::close(descriptor); });
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode))
        return {{}, u"not a regular file"_s};
    QByteArray bytes;
    std::array<char, 8192> buffer{};
    for (;;) {
        const ssize_t got = ::read(descriptor, buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return {{}, qt_error_string(errno)};
        if (got == 0)
            return {bytes, {}};
        bytes.append(buffer.data(), got);
        if (bytes.size() > MostBytes)
            return {{}, u"too large for a settings file"_s};
    }
}

// Missing folders are made for the person alone, as the XDG rule asks.
[[nodiscard]] bool MakeFolder(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat status {};
    if (::stat(name.constData(), &status) == 0)
        return S_ISDIR(status.st_mode);
    if (errno != ENOENT)
        return false;
    const QString parent = QFileInfo(path).path();
    if (parent != path && !MakeFolder(parent))
        return false;
    return ::mkdir(name.constData(), 0700) == 0 || errno == EEXIST;
}

// A folder named by the environment, if it is an absolute path that the file system can be given
// byte for byte.
[[nodiscard]] QString AbsoluteFolder(const QByteArray& value)
{
    const QString folder = QFile::decodeName(value);
    if (!QDir::isAbsolutePath(folder) || QFile::encodeName(folder) != value)
        return {};
    return QDir::cleanPath(folder);
}

} // namespace

QString ProgramSettings::Stored(Encoding encoding, QStringView text)
{
    return encoding == Encoding::Shifted ? QString::fromLatin1(EncodeText(text)) : text.toString();
}

QString ProgramSettings::UserFolder(const QByteArray& configHome, const QByteArray& home)
{
    if (const QString config = AbsoluteFolder(configHome); !config.isEmpty())
        return config + u"/kistarra"_s;
    if (const QString homeFolder = AbsoluteFolder(home); !homeFolder.isEmpty())
        return QDir::cleanPath(homeFolder + u"/.config/kistarra"_s);
    return {};
}

QString ProgramSettings::UserFolder()
{
    return UserFolder(qgetenv("XDG_CONFIG_HOME"), qgetenv("HOME"));
}

ProgramSettings::ProgramSettings(const QString& folder)
    : m_folder(folder.isEmpty() ? QString() : QDir::cleanPath(folder))
{
    if (m_folder.isEmpty()) {
        m_problem = u"neither XDG_CONFIG_HOME nor HOME names a folder to keep them in"_s;
        return;
    }
    const FileRead read = ReadSettingsFile(filePath());
    if (!read.problem.isEmpty()) {
        m_problem = u"'%1': %2"_s.arg(filePath(), read.problem);
        return;
    }
    m_values = IniSectionValues(read.bytes, Section);
}

QString ProgramSettings::filePath() const
{
    return m_folder.isEmpty() ? QString() : m_folder + u"/kistarra.ini"_s;
}

QString ProgramSettings::text(const Key& key) const
{
    const QString stored = m_values.value(Stored(key.encoding, key.name));
    return key.encoding == Encoding::Shifted ? DecodeText(stored.toLatin1()) : stored;
}

bool ProgramSettings::store(const Key& key, const QString& value)
{
    const QString storedKey = Stored(key.encoding, key.name);
    const QString storedValue = Stored(key.encoding, value);
    m_values.insert(storedKey, storedValue);
    if (m_folder.isEmpty())
        return false;
    // Read again, so that whatever else the file holds now stays in it.
    const FileRead current = ReadSettingsFile(filePath());
    if (!current.problem.isEmpty())
        return false;
    const std::optional<QByteArray> changed =
        WithIniValue(current.bytes, Section, storedKey, storedValue);
    if (!changed)
        return false;
    if (*changed == current.bytes)
        return true;
    return MakeFolder(m_folder) && WriteWholeFile(filePath(), *changed).ok();
}

QString ProgramSettings::reminderDate() const
{
    return text(ReminderDateKey);
}

bool ProgramSettings::storeReminderDate(const QString& shortDate)
{
    return store(ReminderDateKey, shortDate);
}

YearRule ProgramSettings::yearRule() const
{
    return text(SolarYearKey).trimmed().compare(u"true"_s, Qt::CaseInsensitive) == 0
               ? YearRule::Solar
               : YearRule::Calendar;
}

bool ProgramSettings::storeYearRule(YearRule rule)
{
    return store(SolarYearKey, rule == YearRule::Solar ? u"true"_s : u"false"_s);
}

QByteArray ProgramSettings::timeZoneId() const
{
    return text(TimeZoneKey).trimmed().toLatin1();
}

bool ProgramSettings::storeTimeZoneId(const QByteArray& id)
{
    return store(TimeZoneKey, QString::fromLatin1(id));
}

bool ProgramSettings::trueSolarTerms() const
{
    return text(SolarTermsKey).trimmed().compare(u"true"_s, Qt::CaseInsensitive) == 0;
}

bool ProgramSettings::storeTrueSolarTerms(bool on)
{
    return store(SolarTermsKey, on ? u"true"_s : u"false"_s);
}

} // namespace Kistarra
