#include "cli/datearguments.h"

#include "engine/daterange.h"
#include "engine/daycalendar.h"
#include "engine/yearahead.h"

namespace Kistarra {

namespace {

// True when the text is the form exactly, each '9' of the form standing for one ASCII digit.
bool hasForm(QStringView text, QStringView form)
{
    if (text.size() != form.size())
        return false;
    for (qsizetype at = 0; at < form.size(); ++at) {
        const bool digit = text[at] >= u'0' && text[at] <= u'9';
        if (form[at] == u'9' ? !digit : text[at] != form[at])
            return false;
    }
    return true;
}

} // namespace

QString ForecastDates()
{
    return DateRange::FirstDate().toString(Qt::ISODate) + u" to " +
           DateRange::LastDate().toString(Qt::ISODate);
}

QString CalendarMonths()
{
    return DateRange::FirstDate().toString(u"yyyy-MM") + u" to " +
           DateRange::LastDate().toString(u"yyyy-MM");
}

std::optional<QDate> ForecastDate(QStringView text, QDate today)
{
    QDate date;
    if (text == u"today") {
        date = today;
    } else {
        if (!hasForm(text, u"9999-99-99"))
            return std::nullopt;
        date = QDate(text.mid(0, 4).toInt(), text.mid(5, 2).toInt(), text.mid(8, 2).toInt());
    }
    if (!DateRange::Contains(date))
        return std::nullopt;
    return date;
}

std::optional<CalendarMonth> CalendarMonthOf(QStringView text)
{
    if (!hasForm(text, u"9999-99"))
        return std::nullopt;
    const CalendarMonth month{text.left(4).toInt(), text.mid(5, 2).toInt()};
    if (!DateRange::ContainsMonth(month.year, month.month))
        return std::nullopt;
    return month;
}

} // namespace Kistarra
