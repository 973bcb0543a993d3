#include "settings/programsettings.h"

#include <algorithm>
#include <array>
#include <cerrno>

#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "files/readfile.h"
#include "files/wholefiles.h"
#include "savedreading/savedreading.h"
#include "settings/initext.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

enum class Encoding { Plain, Shifted };

struct SettingKey {
    QStringView name;
    Encoding encoding;
};

namespace {

constexpr QStringView Section = u"Settings";
// Far more than the program ever writes: a larger file is not its settings.
constexpr qsizetype MostBytes = 1 << 20;

constexpr SettingKey ReminderDateKey{u"Duration", Encoding::Shifted};

[[nodiscard]] QString OnOff(bool on)
{
    return on ? u"true"_s : u"false"_s;
}

[[nodiscard]] bool IsOn(const QString& text)
{
    return text.trimmed().compare(u"true"_s, Qt::CaseInsensitive) == 0;
}

// Each reading option with its key: the text it is stored as, and what a stored text means.
struct OptionKey {
    SettingKey key;
    QString (*stored)(const ReadingOptions& options);
    void (*read)(ReadingOptions& options, const QString& text);
};

const std::array<OptionKey, 3> OptionKeys = {{
    {{u"SolarYear", Encoding::Plain},
     [](const ReadingOptions& options) { return OnOff(options.yearRule == YearRule::Solar); },
     [](ReadingOptions& options, const QString& text) {
         options.yearRule = IsOn(text) ? YearRule::Solar : YearRule::Calendar;
     }},
    {{u"TimeZone", Encoding::Plain},
     [](const ReadingOptions& options) { return QString::fromLatin1(options.timeZoneId); },
     [](ReadingOptions& options, const QString& text) {
         options.timeZoneId = text.trimmed().toLatin1();
     }},
    {{u"SolarTerms", Encoding::Plain},
     [](const ReadingOptions& options) { return OnOff(options.trueSolarTerms); },
     [](ReadingOptions& options, const QString& text) { options.trueSolarTerms = IsOn(text); }},
}};

// The key or value as the file holds it.
[[nodiscard]] QString Stored(Encoding encoding, QStringView text)
{
    return encoding == Encoding::Shifted ? QString::fromLatin1(EncodeText(text)) : text.toString();
}

// The whole file, read without ever waiting: whatever is not a regular file is refused before it
// is opened, and the opened file is checked again in case something else took its place in
// between. A file not there yet reads as empty.
[[nodiscard]] Result<QByteArray> ReadSettingsFile(const QString& path)
{
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return errno == ENOENT ? Result<QByteArray>(QByteArray()) : SystemFailure(path);
    if (!S_ISREG(status.st_mode))
        return Failure{u"not a regular file"_s, path};
    // Room for the file as it stood and a byte more, to see whether it grew since; one that did
    // is read again with room for more than a settings file may hold.
    const qsizetype room = std::min<qsizetype>(status.st_size, MostBytes) + 1;
    Result<QByteArray> bytes = ReadFileStart(path, room);
    if (bytes.ok() && bytes->size() == room && room <= MostBytes)
        bytes = ReadFileStart(path, MostBytes + 1);
    if (bytes.ok() && bytes->size() > MostBytes)
        return Failure{u"too large for a settings file"_s, path};
    return bytes;
}

// Missing folders are made for the person alone, as the XDG rule asks.
[[nodiscard]] Done MakeFolder(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat status {};
    if (::stat(name.constData(), &status) == 0)
        return S_ISDIR(status.st_mode) ? Done() : Failure{u"not a folder"_s, path};
    if (errno != ENOENT)
        return SystemFailure(path);
    const QString parent = QFileInfo(path).path();
    if (parent != path) {
        if (Done made = MakeFolder(parent); !made)
            return made;
    }
    if (::mkdir(name.constData(), 0700) != 0 && errno != EEXIST)
        return SystemFailure(path);
    return {};
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
        m_loaded = Failure{u"neither XDG_CONFIG_HOME nor HOME names a folder to keep them in"_s};
        return;
    }
    const Result<QByteArray> read = ReadSettingsFile(filePath());
    if (!read) {
        m_loaded = read.failure();
        return;
    }
    m_values = IniSectionValues(*read, Section);
}

QString ProgramSettings::filePath() const
{
    return m_folder.isEmpty() ? QString() : m_folder + u"/kistarra.ini"_s;
}

QString ProgramSettings::text(const SettingKey& key) const
{
    const QString stored = m_values.value(Stored(key.encoding, key.name));
    return key.encoding == Encoding::Shifted ? DecodeText(stored.toLatin1()) : stored;
}

Done ProgramSettings::store(const SettingKey& key, const QString& value)
{
    const QString storedKey = Stored(key.encoding, key.name);
    const QString storedValue = Stored(key.encoding, value);
    m_values.insert(storedKey, storedValue);
    if (m_folder.isEmpty())
        return m_loaded;
    // Read again, so that whatever else the file holds now stays in it.
    const Result<QByteArray> current = ReadSettingsFile(filePath());
    if (!current)
        return current.failure();
    const Result<QByteArray> changed = WithIniValue(*current, Section, storedKey, storedValue);
    if (!changed)
        return Failure{changed.failure().reason, filePath()};
    if (*changed == *current)
        return {};
    if (Done made = MakeFolder(m_folder); !made)
        return made;
    return WriteWholeFile(filePath(), *changed);
}

QString ProgramSettings::reminderDate() const
{
    return text(ReminderDateKey);
}

Done ProgramSettings::storeReminderDate(const QString& shortDate)
{
    return store(ReminderDateKey, shortDate);
}

ReadingOptions ProgramSettings::readingOptions() const
{
    ReadingOptions options;
    for (const OptionKey& option : OptionKeys)
        option.read(options, text(option.key));
    return options;
}

Done ProgramSettings::storeReadingOptions(const ReadingOptions& options)
{
    const ReadingOptions held = readingOptions();
    Done stored;
    for (const OptionKey& option : OptionKeys) {
        const QString value = option.stored(options);
        if (value == option.stored(held))
            continue;
        if (Done one = store(option.key, value); !one && stored)
            stored = one;
    }
    return stored;
}

} // namespace Kistarra
