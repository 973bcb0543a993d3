#include "windows/frmcalendar.h"

#include <algorithm>

#include <QKeyEvent>
#include <QLocale>
#include <QTableWidget>

#include "engine/daterange.h"
#include "platform/desktop.h"
#include "windows/kit/widgets.h"
#include "windows/monthpicker.h"

using namespace Qt::StringLiterals;

// What the person asks of the calendar: the keys that move the day and the month, a month picked,
// and the month printed or saved as a PDF.
namespace Kistarra {

namespace {

constexpr int WeekDays = 7;

} // namespace

void frmCalendar::turnMonth(int months)
{
    const QDate first = QDate(m_day.year(), m_day.month(), 1).addMonths(months);
    chooseDay(
        std::clamp(QDate(first.year(), first.month(), std::min(m_day.day(), first.daysInMonth())),
                   DateRange::FirstDate(), DateRange::LastDate()));
}

bool frmCalendar::eventFilter(QObject* watched, QEvent* event)
{
    // The month's words above the grid take more or fewer lines: its cells fit theirs again.
    if (watched == m_grid->viewport() && event->type() == QEvent::Resize)
        showCells();
    if (watched != m_grid || event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto* const key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
    case Qt::Key_Left:
        chooseDay(m_day.addDays(-1));
        return true;
    case Qt::Key_Right:
        chooseDay(m_day.addDays(1));
        return true;
    case Qt::Key_Up:
        chooseDay(m_day.addDays(-WeekDays));
        return true;
    case Qt::Key_Down:
        chooseDay(m_day.addDays(WeekDays));
        return true;
    case Qt::Key_PageUp:
        turnMonth(-1);
        return true;
    case Qt::Key_PageDown:
        turnMonth(1);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit dayShown(m_day);
        return true;
    default:
        return QWidget::eventFilter(watched, event);
    }
}

CalendarPage frmCalendar::page() const
{
    const QLocale locale;
    return {*m_calendar, m_name, locale.firstDayOfWeek(), locale.weekdays(), m_partnerName};
}

void frmCalendar::keyPressEvent(QKeyEvent* event)
{
    // The calendar's own window closes; the key never reaches the report window behind it.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void frmCalendar::pickMonth()
{
    auto* const picker = new MonthPicker(m_day, this);
    picker->setAttribute(Qt::WA_DeleteOnClose);
    connect(picker, &QDialog::accepted, this, [this, picker] {
        const QDate first = picker->chosenMonth();
        chooseDay(std::clamp(
            QDate(first.year(), first.month(), std::min(m_day.day(), first.daysInMonth())),
            DateRange::FirstDate(), DateRange::LastDate()));
    });
    picker->open();
}

void frmCalendar::printMonth()
{
    if (!m_calendar || !m_desktop.printCalendarPage(page()))
        m_desktop.showError(this, u"The month could not be printed."_s);
}

void frmCalendar::saveMonthAsPdf()
{
    SaveAsPdf(this, m_desktop, u"month"_s,
              [this](QIODevice& out) { return m_calendar && CalendarPageToPdf(page(), out); });
}

} // namespace Kistarra
