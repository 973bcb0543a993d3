#include "platform/calendarpage.h"

#include <algorithm>
#include <utility>

#include <QFontMetricsF>
#include <QIODevice>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QStringList>

#include "engine/calendarsigns.h"
#include "engine/ninestar.h"
#include "platform/fonts.h"
#include "reading/calendartext.h"
#include "reading/calendarwords.h"
#include "reading/datetext.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

constexpr int WeekDays = 7;
const QMarginsF PageMargins(12, 12, 12, 12);
// The shade of a good day: light enough for black words on it, dark enough to show on paper.
const QColor GoodDayShade(214, 236, 208);
const QColor WeekendShade(238, 238, 238);
constexpr qreal TitlePoints = 13;
constexpr qreal TextPoints = 9;
constexpr qreal CellPoints = 11;
constexpr qreal SmallestPoints = 5;

// The lines of a day's cell below its number: the star, the stem and branch, the journey (and
// with a partner the directions good for both), the period's beginning and the terms.
QStringList CellLines(const CalendarDay& day, bool withPartner)
{
    QStringList lines = {
        u"star "_s % QString::number(day.star.star) %
            (day.star.ascending ? u" \u2191 "_s : u" \u2193 "_s) % DayStarCharacters(day.star.star),
        StemBranchText(day.stemBranch), u"journey: "_s % DirectionCodes(day.journey)};
    if (withPartner)
        lines << u"both: "_s % DirectionCodes(day.journeyTogether);
    if (const auto mark = PeriodBeginning(day))
        lines << PeriodSign(day) % u' ' % PeriodMarkCharacters(*mark);
    for (const TermOnDay& term : day.dayTerms())
        lines << TermText(term);
    return lines;
}

QFont PageFont(qreal points, QPaintDevice* device, bool bold = false)
{
    QFont font(WindowFont(points, bold), device);
    // No ligatures on paper: text taken out of a PDF then reads "fl", not one joined glyph.
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

// Draws wrapped text from the top of the room, returning the height it took.
qreal DrawParagraph(QPainter& painter, const QRectF& room, const QString& text)
{
    const QRectF used =
        painter.boundingRect(room, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
    painter.drawText(room, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
    return used.height();
}

void PaintDay(QPainter& painter, const QRectF& cell, const CalendarDay& day, bool withPartner,
              const QFont& font, const QFont& bold)
{
    const qreal pad = QFontMetricsF(font).height() * 0.25;
    const QRectF inner = cell.adjusted(pad, pad * 0.5, -pad, -pad * 0.5);
    painter.setFont(bold);
    painter.drawText(inner, Qt::AlignLeft | Qt::AlignTop, QString::number(day.date.day()));
    const QStringView both = BothSign(day);
    painter.drawText(inner, Qt::AlignRight | Qt::AlignTop,
                     JourneySign(day) % (both.isEmpty() ? QString() : u' ' % both));
    painter.setFont(font);
    const qreal line = QFontMetricsF(font).lineSpacing();
    qreal top = inner.top() + QFontMetricsF(bold).lineSpacing();
    for (const QString& text : CellLines(day, withPartner)) {
        const QFontMetricsF metrics(font);
        painter.drawText(QPointF(inner.left(), top + metrics.ascent()),
                         metrics.elidedText(text, Qt::ElideRight, inner.width()));
        top += line;
    }
}

// The largest size up to CellPoints at which the fullest day fits its cell.
qreal FittingPoints(const CalendarPage& page, QPaintDevice* device, QSizeF cell)
{
    qsizetype most = 0;
    for (const CalendarDay& day : page.calendar.monthDays())
        most = std::max(most, CellLines(day, page.calendar.hasPartner()).size());
    for (qreal points = CellPoints; points > SmallestPoints; points -= 0.5) {
        const QFontMetricsF metrics(PageFont(points, device));
        if ((static_cast<qreal>(most) + 1.5) * metrics.lineSpacing() <= cell.height() &&
            metrics.horizontalAdvance(u"Summer Solstice 17:25"_s) * 1.1 <= cell.width())
            return points;
    }
    return SmallestPoints;
}

bool PaintOnPrinter(const CalendarPage& page, QPagedPaintDevice& device, const QRectF& area)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    PaintCalendarPage(painter, area, page);
    return painter.end();
}

QPageLayout LandscapeA4()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, PageMargins,
                       QPageLayout::Millimeter);
}

} // namespace

CalendarPage::CalendarPage(MonthCalendar month, QString owner, Qt::DayOfWeek first,
                           QList<Qt::DayOfWeek> working, QString partner)
    : calendar(std::move(month))
    , name(std::move(owner))
    , firstDay(first)
    , workdays(std::move(working))
    , partnerName(std::move(partner))
{
}

QString CalendarPageLegend(bool withPartner)
{
    const QString both =
        withPartner ? QString(BothJourneySign %
                              u" good for a journey for both, the person and the partner; "_s)
                    : QString();
    return OneJourneySign % u" good for a journey in one direction, "_s % SeveralJourneysSign %
           u" in two or more (shaded days have one or more); "_s % both %
           u"star: the day star, \u2191 ascending, \u2193 descending; "_s % AscendingMark % u' ' %
           PeriodMarkCharacters(PeriodMark::Ascending) % u' ' %
           PeriodMarkText(PeriodMark::Ascending) % u", "_s % DescendingMark % u' ' %
           PeriodMarkCharacters(PeriodMark::Descending) % u' ' %
           PeriodMarkText(PeriodMark::Descending) %
           u"; journey: the directions good for a journey that day"_s %
           (withPartner ? u", both: those good for both"_s : QString()) %
           u" (N North, NE North East, E East, SE South East, S South, SW South West, W West, NW "
           u"North West); the solar terms at local time; weekends grey."_s;
}

void PaintCalendarPage(QPainter& painter, const QRectF& area, const CalendarPage& page)
{
    const MonthCalendar& calendar = page.calendar;
    QPaintDevice* const device = painter.device();
    painter.save();
    painter.setPen(Qt::black);
    qreal top = area.top();
    painter.setFont(PageFont(TitlePoints, device, true));
    // A name of thousands of characters, as a saved reading may hold, keeps to half a line, or
    // with a partner each name to a quarter: the weeks keep their room.
    const bool withPartner = calendar.hasPartner();
    const qreal nameWidth = area.width() / (withPartner ? 4 : 2);
    const QFontMetricsF titleMetrics(painter.font());
    const QString name = titleMetrics.elidedText(page.name, Qt::ElideRight, nameWidth);
    const QString partnerName =
        titleMetrics.elidedText(page.partnerName, Qt::ElideRight, nameWidth);
    top +=
        DrawParagraph(painter, QRectF(area.left(), top, area.width(), area.height()),
                      u"Nine Star Ki Calendar: "_s % CalendarMonthTitle(calendar) % u" \u2014 "_s %
                          CalendarOwnerText(name, calendar, partnerName,
                                            QDate(calendar.year, calendar.month, 1)));
    const QFont text = PageFont(TextPoints, device);
    painter.setFont(text);
    QStringList moves;
    QStringList movesForBoth;
    for (const MoveDirections& move : calendar.monthMoves()) {
        moves << MoveText(move);
        movesForBoth << MoveText(move, true);
    }
    QString head = CalendarCycleText(calendar) % u"\nGood for a move: "_s % moves.join(u"; "_s);
    if (withPartner)
        head += u"\nGood for a move for both: "_s % movesForBoth.join(u"; "_s);
    top += DrawParagraph(painter, QRectF(area.left(), top, area.width(), area.height()), head);
    top += QFontMetricsF(text).lineSpacing() * 0.5;

    // The legend at the foot, measured first so the weeks take all the room between.
    const QString legend = CalendarPageLegend(withPartner);
    const qreal legendHeight =
        painter
            .boundingRect(QRectF(area.left(), 0, area.width(), area.height()),
                          Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, legend)
            .height();
    DrawParagraph(painter,
                  QRectF(area.left(), area.bottom() - legendHeight, area.width(), legendHeight),
                  legend);

    const QDate first(calendar.year, calendar.month, 1);
    const int lead = (first.dayOfWeek() - static_cast<int>(page.firstDay) + WeekDays) % WeekDays;
    const int weeks = (lead + calendar.dayCount + WeekDays - 1) / WeekDays;
    const qreal headerHeight = QFontMetricsF(text).lineSpacing() * 1.4;
    const qreal gridTop = top;
    const qreal gridBottom = area.bottom() - legendHeight - QFontMetricsF(text).lineSpacing() * 0.5;
    const qreal width = area.width() / WeekDays;
    const qreal height = (gridBottom - gridTop - headerHeight) / weeks;
    const qreal points = FittingPoints(page, device, QSizeF(width, height));
    const QFont font = PageFont(points, device);
    const QFont bold = PageFont(points + 1, device, true);

    painter.setFont(PageFont(TextPoints, device, true));
    for (int column = 0; column < WeekDays; ++column) {
        const int weekday = (static_cast<int>(page.firstDay) - 1 + column) % WeekDays;
        const QRectF cell(area.left() + column * width, gridTop, width, headerHeight);
        painter.drawRect(cell);
        painter.drawText(cell, Qt::AlignCenter, WeekdayText(weekday + 1));
    }
    for (int index = 0; index < weeks * WeekDays; ++index) {
        const int row = index / WeekDays;
        const int column = index % WeekDays;
        const QRectF cell(area.left() + column * width, gridTop + headerHeight + row * height,
                          width, height);
        const int dayIndex = index - lead;
        const auto weekday = static_cast<Qt::DayOfWeek>(
            (static_cast<int>(page.firstDay) - 1 + column) % WeekDays + 1);
        if (dayIndex >= 0 && dayIndex < calendar.dayCount) {
            const CalendarDay& day = calendar.days[static_cast<std::size_t>(dayIndex)];
            if (JourneyCount(day) > 0)
                painter.fillRect(cell, GoodDayShade);
            else if (!page.workdays.contains(weekday))
                painter.fillRect(cell, WeekendShade);
            PaintDay(painter, cell, day, withPartner, font, bold);
        }
        painter.drawRect(cell);
    }
    painter.restore();
}

bool PrintCalendarPage(const CalendarPage& page, QPrinter& printer)
{
    printer.setDocName(u"Kistarra"_s);
    printer.setPageLayout(LandscapeA4());
    return PaintOnPrinter(page, printer, printer.pageRect(QPrinter::DevicePixel));
}

bool CalendarPageToPdf(const CalendarPage& page, QIODevice& out)
{
    if (!out.isOpen() && !out.open(QIODevice::WriteOnly))
        return false;
    if (!out.isWritable())
        return false;
    QPdfWriter writer(&out);
    writer.setTitle(u"Kistarra"_s);
    writer.setResolution(QPrinter(QPrinter::HighResolution).resolution());
    writer.setPageLayout(LandscapeA4());
    return PaintOnPrinter(page, writer, QRectF(0, 0, writer.width(), writer.height()));
}

} // namespace Kistarra
