#include "windows/kit/calendarcell.h"

#include <algorithm>
#include <array>
#include <utility>

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QRect>
#include <QStringList>

#include "engine/daychart.h"
#include "engine/solarterms.h"
#include "reading/calendartext.h"
#include "reading/calendarwords.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

constexpr QStringView Ascending = u"\u2191";
constexpr QStringView Descending = u"\u2193";
constexpr QStringView TodayMark = u"  today";
// The most directions a day has been good for a journey in any month from 1900 to 2100.
constexpr int MostJourneyDirections = 4;

// "6  star 1 ↑", "6 ◎ ♥  today  star 1 ↑ ▲": the journey signs after the day, the period's mark
// after its star.
QString DayLine(int day, bool today, int star, bool ascending, const QString& journey = {},
                QStringView period = {})
{
    return QString::number(day) % (journey.isEmpty() ? QString() : u' ' % journey) %
           (today ? TodayMark : QStringView()) % u"  star "_s % QString::number(star) % u' ' %
           (ascending ? Ascending : Descending) % (period.isEmpty() ? QString() : u' ' % period);
}

// "◎ ♥": the day's journey sign and the sign of a day good for both, as many as it has.
QString JourneySigns(QStringView journey, QStringView both)
{
    if (journey.isEmpty() || both.isEmpty())
        return journey.toString() + both.toString();
    return journey % u' ' % both;
}

QString BothLine(PalaceSet directions)
{
    return u"both: "_s % DirectionCodes(directions);
}

QString StemBranchLine(StemBranch day)
{
    return StemBranchCharacters(day) % u' ' % StemBranchName(day);
}

// The height the lines take laid out as the item view lays them out, line spacing and the
// Chinese characters' fallback font included.
int TextHeight(const QFontMetrics& metrics, const QString& text, int width)
{
    return metrics
        .boundingRect(QRect(0, 0, std::max(width, 1), 1 << 20),
                      Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text)
        .height();
}

// A line wraps between its words; one with a word wider than the cell is cut short instead.
QString Wrappable(const QString& line, const QFontMetrics& metrics, int width)
{
    const QStringList words = line.split(u' ', Qt::SkipEmptyParts);
    const bool fits = std::all_of(words.begin(), words.end(), [&](const QString& word) {
        return metrics.horizontalAdvance(word) <= width;
    });
    return fits ? line : metrics.elidedText(line, Qt::ElideRight, width);
}

QString Joined(const QList<CellLine>& lines, const QFontMetrics& metrics, int width,
               CellLineKind firstKept)
{
    QStringList kept;
    for (const CellLine& line : lines) {
        if (line.kind >= firstKept)
            kept << Wrappable(line.text, metrics, width);
    }
    return kept.join(u'\n');
}

QString Widest(const QStringList& texts, const QFontMetrics& metrics)
{
    return *std::max_element(texts.begin(), texts.end(), [&metrics](auto& a, auto& b) {
        return metrics.horizontalAdvance(a) < metrics.horizontalAdvance(b);
    });
}

QString Tallest(const QStringList& texts, const QFontMetrics& metrics, int width)
{
    return *std::max_element(texts.begin(), texts.end(), [&](auto& a, auto& b) {
        return std::pair(TextHeight(metrics, a, width), metrics.horizontalAdvance(a)) <
               std::pair(TextHeight(metrics, b, width), metrics.horizontalAdvance(b));
    });
}

} // namespace

QList<CellLine> CalendarCellLines(const CalendarDay& day, bool today, bool withPartner)
{
    QList<CellLine> lines = {
        {CellLineKind::Day,
         DayLine(day.date.day(), today, day.star.star, day.star.ascending,
                 JourneySigns(JourneySign(day), BothSign(day)), PeriodSign(day))},
        {CellLineKind::StemBranch, StemBranchLine(day.stemBranch)},
        {CellLineKind::Journey, u"journey: "_s % DirectionCodes(day.journey)}};
    if (withPartner)
        lines.append({CellLineKind::Journey, BothLine(day.journeyTogether)});
    for (const TermOnDay& term : day.dayTerms())
        lines.append({CellLineKind::Term, TermText(term)});
    return lines;
}

QString FullCellText(const QList<CellLine>& lines)
{
    QStringList texts;
    for (const CellLine& line : lines)
        texts << line.text;
    return texts.join(u'\n');
}

void ChosenDayDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const
{
    // Dark enough to tell the chosen day at a glance, light enough for its words and colour.
    constexpr QColor ChosenWash{64, 64, 64, 96};
    QStyleOptionViewItem plain(option);
    plain.state &= ~QStyle::State_Selected;
    QStyledItemDelegate::paint(painter, plain, index);
    if (option.state & QStyle::State_Selected)
        painter->fillRect(option.rect, ChosenWash);
}

QString CalendarCellToolTip(const CalendarDay& day, const QList<CellLine>& lines)
{
    QString tip = FullCellText(lines) % u"\nstar "_s % QString::number(day.star.star) % u": "_s %
                  DayStarCharacters(day.star.star) % u' ' % DayStarName(day.star.star);
    if (const auto mark = PeriodBeginning(day))
        tip += u'\n' % PeriodMarkCharacters(*mark) % u": "_s % PeriodMarkText(*mark);
    return tip % u"\navoid: "_s % AvoidedDirectionsText(AvoidedDirections(day.chart));
}

QString FittedCellText(const QList<CellLine>& lines, const QFont& font, QSize room)
{
    const QFontMetrics metrics(font);
    for (const CellLineKind firstKept :
         {CellLineKind::Term, CellLineKind::StemBranch, CellLineKind::Journey, CellLineKind::Day}) {
        const QString text = Joined(lines, metrics, room.width(), firstKept);
        if (TextHeight(metrics, text, room.width()) <= room.height())
            return text;
    }
    // Not even the day and its star: that line cut short to one line, or nothing.
    const QString day = metrics.elidedText(lines.constFirst().text, Qt::ElideRight, room.width());
    return TextHeight(metrics, day, room.width()) <= room.height() ? day : QString();
}

// As wide as its day line and its stem and
// branch, the journey and the terms wrapping below them.
QSize FullCellRoom(const QFont& font, bool withPartner)
{
    // Today's cell is bold: the widest of all.
    QFont bold = font;
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    QStringList days;
    QStringList stemBranches;
    QStringList terms;
    const QString signs =
        JourneySigns(SeveralJourneysSign, withPartner ? BothJourneySign : QStringView());
    for (int star = 1; star <= 9; ++star)
        days << DayLine(30, true, star, true, signs, AscendingMark)
             << DayLine(30, true, star, false, signs, DescendingMark);
    for (int index = 0; index < 60; ++index)
        stemBranches << StemBranchLine(StemBranch{index});
    for (const SolarTerm term : SolarTerms)
        terms << SolarTermName(term) % u" 00:00"_s;
    // The two-letter directions are the widest.
    PalaceSet journey;
    const std::array<Palace, 8> byWidth = {Palace::NE, Palace::SE, Palace::SW, Palace::NW,
                                           Palace::N,  Palace::E,  Palace::S,  Palace::W};
    for (std::size_t index = 0; index < MostJourneyDirections; ++index)
        journey.insert(byWidth[index]);

    const QString day = Widest(days, metrics);
    const QString stemBranch = Widest(stemBranches, metrics);
    const int width =
        1 + std::max(metrics.horizontalAdvance(day), metrics.horizontalAdvance(stemBranch));
    QList<CellLine> lines = {{CellLineKind::Day, day},
                             {CellLineKind::StemBranch, stemBranch},
                             {CellLineKind::Journey, u"journey: "_s % DirectionCodes(journey)}};
    if (withPartner)
        lines.append({CellLineKind::Journey, BothLine(journey)});
    lines.append({CellLineKind::Term, Tallest(terms, metrics, width)});
    return {width, TextHeight(metrics, Joined(lines, metrics, width, CellLineKind::Term), width)};
}

QSize SmallestCellRoom(const QFont& font)
{
    // Today's mark gives way to the ellipsis first; the bold tells the day still.
    const QFontMetrics metrics(font);
    const QString day = DayLine(30, false, 9, true);
    return {metrics.horizontalAdvance(day) + 1, TextHeight(metrics, day, 1 << 20)};
}

} // namespace Kistarra
