#include "app/updatereminder.h"

#include <sys/stat.h>

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QSettings>
#include <QStandardPaths>
#include <QString>

#include "platform/desktop.h"
#include "platform/modhelp.h"
#include "savedreading/savedreading.h"

using namespace Qt::StringLiterals;

namespace Kistarra {
namespace {

constexpr qint64 ReminderDays = 14;

// Short date formats with a two-digit year ("M/d/yy", "dd.MM.yy") read back as 19yy. The stored
// date is always a day this program wrote, so it lies near today: move it into the century that
// puts it within fifty years of today.
[[nodiscard]] QDate ReadShortDate(const QString& text, const QDate& today)
{
    QDate date = QLocale().toDate(text, QLocale::ShortFormat);
    if (!date.isValid())
        return {};
    while (date.year() < today.year() - 50)
        date = date.addYears(100);
    return date;
}

[[nodiscard]] QString ShortDateText(const QDate& date)
{
    return QLocale().toString(date, QLocale::ShortFormat);
}

void RememberToday(QSettings& settings, const QString& key, const QDate& today)
{
    settings.setValue(key, QString::fromLatin1(EncodeText(ShortDateText(today))));
    settings.sync();
}

} // namespace

void UpdateReminder(Desktop& desktop, QSettings& settings)
{
    const QString key = u"Settings/"_s + QString::fromLatin1(EncodeText(u"Duration"));
    const QDate today = desktop.today();

    const QString stored = DecodeText(settings.value(key).toString().toLatin1());
    if (stored.isEmpty()) {
        RememberToday(settings, key, today);
        return;
    }
    // A date that no longer reads (the date format changed with the locale) starts the fortnight
    // afresh, rather than silencing the reminder for good.
    const QDate last = ReadShortDate(stored, today);
    if (!last.isValid()) {
        RememberToday(settings, key, today);
        return;
    }
    const qint64 difference = today.daysTo(last);
    if (difference >= -ReminderDays && difference <= ReminderDays)
        return;

    const bool check =
        desktop.askYesNo(nullptr, u"There maybe an update to this software available\r"
                                  u"Do you want to check for an update?"_s);
    RememberToday(settings, key, today);
    if (check)
        OpenDownloadPage(desktop);
}

std::unique_ptr<QSettings> OpenProgramSettings()
{
    // Without an organisation QSettings would file the store under "Unknown Organization".
    const QString application = QCoreApplication::applicationName();
    // QSettings opens its user files by name and reads them whole, the store and the folder-wide
    // file beside it: a FIFO in their place would stop the start for good, a device never end.
    // Without a store the program runs on its defaults.
    const QDir folder(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    const QString store = application + u".ini"_s;
    for (const QString& file : {QString(application + u'/' + store), store}) {
        struct stat status {};
        if (::stat(QFile::encodeName(folder.filePath(file)).constData(), &status) == 0 &&
            !S_ISREG(status.st_mode))
            return nullptr;
    }
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, application,
                                       application);
}

} // namespace Kistarra
