#include "windows/frmcalendar.h"

#include <algorithm>

#include <QFontMetrics>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QStringList>
#include <QTableWidget>

#include "reading/calendartext.h"
#include "reading/calendarwords.h"
#include "reading/reading.h"
#include "windows/daypanel.h"
#include "windows/kit/partner.h"
#include "windows/kit/screenfit.h"

using namespace Qt::StringLiterals;

// Whose calendar it is and what the header and the legend say, for one person or for two: the
// partner is read from the run's holder with the calendar's own options.
namespace Kistarra {

bool frmCalendar::takePartner()
{
    const std::optional<BirthDetails> details =
        m_partner ? m_partner->details() : std::optional<BirthDetails>();
    // Checked details always give a principal number; a calendar for one beats none at all.
    const int principal =
        details ? ComputeReading(*details, m_options.yearRule, m_options.trueTermsZone()).principal
                : 0;
    if (principal < 1 || principal > 9) {
        m_partnerName.clear();
        m_partnerPrincipal.reset();
        return false;
    }
    m_partnerName = details->name;
    m_partnerPrincipal = principal;
    return true;
}

// A partner now, or another one: the month again with the days good for both, and the window
// grown, as far as the screen lets it, to the room its cells now want.
void frmCalendar::partnerChanged()
{
    if (!takePartner())
        return;
    m_legend->setText(legendText());
    showMonth();
    selectChosenDay();
    const QSize full = defaultSize();
    const int panel = m_panel->isVisible() ? m_panel->width() + layout()->spacing() : 0;
    resize(FittedToScreen(
        this, QSize(std::max(width(), full.width() + panel), std::max(height(), full.height()))));
}

QString frmCalendar::legendText() const
{
    const QString both =
        withPartner()
            ? QString(u";  "_s % BothJourneySign % u" and both: good for a journey for both"_s)
            : QString();
    return u"star: the day star, \u2191 ascending, \u2193 descending, "_s % AscendingMark %
           u" ascending period begins, "_s % DescendingMark %
           u" descending period begins;  journey: the directions good for a journey that day, "
           u"green days, "_s %
           OneJourneySign % u" one direction, "_s % SeveralJourneysSign % u" two or more"_s % both %
           u";  grey: the weekend;  the solar terms at local time"_s;
}

QString frmCalendar::movesText() const
{
    QStringList moves;
    QStringList forBoth;
    for (const MoveDirections& move : m_calendar->monthMoves()) {
        moves << MoveText(move);
        forBoth << MoveText(move, true);
    }
    QString text = u"Good for a move: "_s % moves.join(u";  "_s);
    if (m_calendar->hasPartner())
        text += u"\nGood for a move for both: "_s % forBoth.join(u";  "_s);
    return text;
}

// Whose calendar, and the offset in force on the chosen day. A name of thousands of characters,
// as a saved reading may hold, keeps to a part of the grid's width.
void frmCalendar::showHeader()
{
    if (!m_calendar)
        return;
    const QFontMetrics metrics(m_owner->font());
    const int room = m_grid->minimumWidth() / (withPartner() ? 4 : 2);
    m_owner->setText(
        CalendarOwnerText(metrics.elidedText(m_name, Qt::ElideRight, room), *m_calendar,
                          metrics.elidedText(m_partnerName, Qt::ElideRight, room), m_day));
}

} // namespace Kistarra
