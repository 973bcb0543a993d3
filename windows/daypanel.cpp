#include "windows/daypanel.h"

#include <algorithm>

#include <QLabel>
#include <QStringList>
#include <QVBoxLayout>

#include "engine/calendarsigns.h"
#include "reading/calendartext.h"
#include "reading/calendarwords.h"
#include "reading/datetext.h"
#include "windows/kit/chartgrid.h"
#include "windows/kit/widgets.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

QLabel* PanelLabel(QWidget* parent, const QString& name)
{
    QLabel* const label = PlainLabel(parent, {}, name);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

} // namespace

DayPanel::DayPanel(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(u"pnlDay"_s);
    setAccessibleName(u"The chosen day"_s);
    m_title = PanelLabel(this, u"lblDayTitle"_s);
    m_chart = MakeChartGrid(this, u"tblSelectedDayChart"_s);
    m_frame = MakeChartFrame(this, u"fraSelectedDayChart"_s, m_chart);
    m_journey = PanelLabel(this, u"lblDayJourney"_s);
    m_together = PanelLabel(this, u"lblDayJourneyTogether"_s);
    m_together->hide();
    m_avoid = PanelLabel(this, u"lblDayAvoid"_s);
    m_terms = PanelLabel(this, u"lblDayTerms"_s);
    auto* const layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_title);
    layout->addWidget(m_frame);
    layout->addWidget(m_journey);
    layout->addWidget(m_together);
    layout->addWidget(m_avoid);
    layout->addWidget(m_terms);
    layout->addStretch(1);
    // As wide as the chart or a line of some thirty letters, whichever is wider, whatever the day
    // says: its words wrap, and the window does not jump as the chosen day moves.
    constexpr int LetterWidths = 30;
    setFixedWidth(
        std::max(m_frame->sizeHint().width(), fontMetrics().averageCharWidth() * LetterWidths));
}

void DayPanel::showDay(const CalendarDay& day, bool withPartner)
{
    QString title = LongDateText(day.date) % u"\nstar "_s % QString::number(day.star.star) % u' ' %
                    DayStarCharacters(day.star.star) % u' ' % DayStarName(day.star.star);
    if (const auto mark = PeriodBeginning(day))
        title += u'\n' % PeriodSign(day) % u' ' % PeriodMarkCharacters(*mark) % u' ' %
                 PeriodMarkText(*mark);
    m_title->setText(title);
    ShowChart(m_frame, m_chart, day.chart, u"Day: "_s % StemBranchText(day.stemBranch));
    m_journey->setText(u"Good for a journey: "_s % DirectionNames(day.journey));
    const QStringView sign = BothSign(day);
    m_together->setText((sign.isEmpty() ? QString() : QString(sign % u' ')) %
                        u"Good for a journey for both: "_s % DirectionNames(day.journeyTogether));
    m_together->setVisible(withPartner);
    m_avoid->setText(u"Avoid: "_s % AvoidedDirectionsText(AvoidedDirections(day.chart)));
    QStringList terms;
    for (const TermOnDay& term : day.dayTerms())
        terms << TermText(term);
    m_terms->setText(u"Solar terms: "_s %
                     (terms.isEmpty() ? NoDirection.toString() : terms.join(u", "_s)));
}

void DayPanel::clear()
{
    for (QLabel* const label : {m_title, m_journey, m_together, m_avoid, m_terms})
        label->clear();
}

} // namespace Kistarra
