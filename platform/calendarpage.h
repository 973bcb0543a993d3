#pragma once

#include <QList>
#include <QRectF>
#include <QString>

#include "engine/daycalendar.h"

class QIODevice;
class QPainter;
class QPrinter;

// The printed month of the calendar, drawn with a painter so that its weeks share the page in rows
// of equal height: one builder for paper, the PDF the window saves and the command line's --pdf.
namespace Kistarra {

// Everything a printed month shows: the days, whose they are and how the weeks are laid out.
struct CalendarPage {
    // The partner's name last and optional, so that a page for one person is made as before.
    CalendarPage(MonthCalendar month, QString owner, Qt::DayOfWeek first,
                 QList<Qt::DayOfWeek> working, QString partner = {});

    MonthCalendar calendar;
    QString name; // the person's; may be empty
    Qt::DayOfWeek firstDay = Qt::Monday;
    // The locale's working days (QLocale::weekdays()): the others are the weekend.
    QList<Qt::DayOfWeek> workdays;
    // The partner's, when the calendar has one: the page then shows the days good for both.
    QString partnerName;
};

// The legend of every sign the page uses, in one paragraph; with a partner the sign and the
// line of the days good for both too.
[[nodiscard]] QString CalendarPageLegend(bool withPartner = false);

// Draws the month into the area (in the painter's device pixels): title, whose calendar, the
// year's and months' stems and branches, the moves, the weeks and the legend.
void PaintCalendarPage(QPainter& painter, const QRectF& area, const CalendarPage& page);

// The page on the printer's paper, A4 on its side. False when the printer cannot begin or finish.
[[nodiscard]] bool PrintCalendarPage(const CalendarPage& page, QPrinter& printer);

// The page as a one-page PDF written into the device (opened for writing if it is not yet).
[[nodiscard]] bool CalendarPageToPdf(const CalendarPage& page, QIODevice& out);

} // namespace Kistarra
