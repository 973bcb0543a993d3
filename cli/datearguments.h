#pragma once

#include <optional>

#include <QDate>
#include <QString>
#include <QStringView>

// The dates the options name, read exactly as written: QDate's own parser also takes "2026-6-1"
// or "+2026-06-01", which a script's typo should not turn into some other date.
namespace Kistarra {

// A month of the calendar, from --calendar.
struct CalendarMonth {
    int year = 0;
    int month = 0;
};

// The dates --forecast takes, as its help and its refusal name them: "1900-02-04 to 2100-12-31".
[[nodiscard]] QString ForecastDates();

// The months --calendar takes, as its help and its refusal name them: "1900-02 to 2100-12".
[[nodiscard]] QString CalendarMonths();

// The date of --forecast: "today", or a real calendar date written exactly as YYYY-MM-DD, within
// the year ahead's dates. Nothing for anything else.
[[nodiscard]] std::optional<QDate> ForecastDate(QStringView text, QDate today);

// The month of --calendar: written exactly as YYYY-MM, a month of the calendar's range. Nothing
// for anything else.
[[nodiscard]] std::optional<CalendarMonth> CalendarMonthOf(QStringView text);

} // namespace Kistarra
