#include "app/updatereminder.h"

#include <QDate>
#include <QLocale>
#include <QString>

#include "settings/programsettings.h"
#include "platform/desktop.h"
#include "platform/modhelp.h"

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

// Says nothing when the day cannot be noted (a read-only settings file): the reminder then comes
// again at a later start, which is all it costs.
void RememberToday(ProgramSettings& settings, const QDate& today)
{
    static_cast<void>(settings.storeReminderDate(ShortDateText(today)));
}

} // namespace

void UpdateReminder(Desktop& desktop, ProgramSettings& settings)
{
    const QDate today = desktop.today();

    const QString stored = settings.reminderDate();
    if (stored.isEmpty()) {
        RememberToday(settings, today);
        return;
    }
    // A date that no longer reads (the date format changed with the locale) starts the fortnight
    // afresh, rather than silencing the reminder for good.
    const QDate last = ReadShortDate(stored, today);
    if (!last.isValid()) {
        RememberToday(settings, today);
        return;
    }
    const qint64 difference = today.daysTo(last);
    if (difference >= -ReminderDays && difference <= ReminderDays)
        return;

    const bool check =
        desktop.askYesNo(nullptr, u"There maybe an update to this software available\r"
                                  u"Do you want to check for an update?"_s);
    RememberToday(settings, today);
    if (check)
        OpenDownloadPage(desktop);
}

} // namespace Kistarra
