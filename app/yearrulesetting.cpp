#include "app/yearrulesetting.h"

#include <QSettings>
#include <QString>

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

// Unlike the reminder's key, this one is stored plain.
constexpr QStringView SolarYearKey = u"Settings/SolarYear";

} // namespace

YearRule StoredYearRule(QSettings& settings)
{
    const QString stored = settings.value(SolarYearKey.toString()).toString().trimmed();
    return stored.compare(u"true"_s, Qt::CaseInsensitive) == 0 ? YearRule::Solar
                                                               : YearRule::Calendar;
}

bool StoreYearRule(QSettings& settings, YearRule rule)
{
    settings.setValue(SolarYearKey.toString(), rule == YearRule::Solar ? u"true"_s : u"false"_s);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

} // namespace Kistarra
