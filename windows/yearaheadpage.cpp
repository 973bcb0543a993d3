#include "windows/yearaheadpage.h"

#include <algorithm>
#include <array>
#include <initializer_list>

#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTableWidget>
#include <QTextEdit>
#include <QVBoxLayout>

#include "engine/daterange.h"
#include "engine/daycalendar.h"
#include "engine/ninestar.h"
#include "engine/timezones.h"
#include "engine/yearahead.h"
#include "platform/desktop.h"
#include "reading/calendarwords.h"
#include "reading/datetext.h"
#include "reading/yearaheadtext.h"
#include "windows/kit/chartgrid.h"
#include "windows/frmcalendar.h"
#include "windows/kit/theme.h"
#include "windows/kit/widgets.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

constexpr int CycleRowHeight = 12;
constexpr QStringView CycleTitle = u"Nine-year cycle";

// What the three directions to avoid that every chart names stand for.
constexpr std::array<QStringView, 3> AvoidExplanations = {
    u"Five Yellow is where the 5 stands: the star of upheaval and decay, so nothing new should "
    u"set out that way.",
    u"Dark Sword lies opposite the Five Yellow: harm that others bring, such as disputes, "
    u"accidents and losses, comes from there.",
    u"Breaker lies opposite the zodiac branch of the year, month or day: plans begun that way "
    u"tend to break down."};

QString Escaped(QStringView text)
{
    return text.toString().toHtmlEscaped();
}

// One chart in words: where the person's star stands and what that brings, the directions to
// avoid by name, and the favourable ones.
QString ChartHtml(const QString& heading, const QString& span, const QString& period,
                  const Chart& chart, int principal)
{
    QString html = u"<p><b>"_s % Escaped(heading) % u"</b>, "_s % Escaped(span) % u"</p><p>"_s %
                   Escaped(u"Your star %1 stands in the %2 %3. "_s.arg(principal).arg(
                       PalaceName(chart.palace), period)) %
                   Escaped(PalaceMeaning(chart.palace)) % u"</p><p>Directions to avoid:"_s;
    for (const Avoid avoid : Avoids)
        html += u"<br>"_s % Escaped(AvoidName(avoid)) % u": "_s %
                Escaped(AvoidedDirectionText(chart, avoid));
    return html % u"</p><p>Favourable directions: "_s % Escaped(FavourableDirectionsText(chart)) %
           u"</p>"_s;
}

QString AvoidExplanationsHtml()
{
    QString html = u"<p><b>The directions to avoid</b>"_s;
    for (const QStringView sentence : AvoidExplanations)
        html += u"<br>"_s % Escaped(sentence);
    return html % u"</p>"_s;
}

QTextEdit* MakeTextBox(QWidget* parent, Desktop& desktop)
{
    auto* const text = new QTextEdit(parent);
    text->setObjectName(u"RTBYearAhead"_s);
    text->setAccessibleName(u"Year ahead"_s);
    text->setReadOnly(true);
    text->document()->setDocumentMargin(3);
    SetColour(text, QPalette::Base, FrameGrey);
    // The words are what the reading boxes show too, and go no further.
    EmptyClipboardOnUse(text, desktop);
    return text;
}

// The nine years of the cycle from this one: the year, its centre star and the person's palace.
QTableWidget* MakeCycleTable(QWidget* parent)
{
    auto* const cycle = new QTableWidget(9, 3, parent);
    cycle->setObjectName(u"tblCycle"_s);
    cycle->setAccessibleName(CycleTitle.toString());
    cycle->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    cycle->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    cycle->setSelectionMode(QAbstractItemView::NoSelection);
    cycle->setEditTriggers(QAbstractItemView::NoEditTriggers);
    cycle->setTabKeyNavigation(false);
    cycle->verticalHeader()->hide();
    // A reader names a cell by its row and column: hidden numbers say nothing, so the rows have
    // no names.
    cycle->setVerticalHeaderLabels(QStringList(9, QString()));
    cycle->setHorizontalHeaderLabels({u"Year"_s, u"Year star"_s, u"Your palace"_s});
    cycle->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    cycle->verticalHeader()->setMinimumSectionSize(1);
    const std::array<int, 3> columnWidths = {38, 56, 74};
    for (std::size_t column = 0; column < columnWidths.size(); ++column)
        cycle->setColumnWidth(static_cast<int>(column), columnWidths.at(column));
    cycle->verticalHeader()->setDefaultSectionSize(CycleRowHeight);
    cycle->horizontalHeader()->setFixedHeight(CycleRowHeight + 2);
    cycle->setFixedSize(columnWidths[0] + columnWidths[1] + columnWidths[2] +
                            2 * cycle->frameWidth(),
                        (CycleRowHeight + 2) + 9 * CycleRowHeight + 2 * cycle->frameWidth());
    SetColour(cycle, QPalette::Base, Silver);
    ThemeHeader(cycle->horizontalHeader());
    for (int cell = 0; cell < 27; ++cell) {
        auto* const item = new QTableWidgetItem;
        item->setFlags(Qt::ItemIsEnabled);
        cycle->setItem(cell / 3, cell % 3, item);
    }
    return cycle;
}

} // namespace

YearAheadPage::YearAheadPage(int principal, const ReadingOptions& options, Partner& partner,
                             Desktop& desktop, QWidget* parent)
    : QWidget(parent)
    , m_principal(principal)
    , m_options(options)
    , m_partner(partner)
    , m_zone(options.zone())
    , m_desktop(desktop)
{
    setObjectName(u"picYearAhead"_s);
    setAccessibleName(YearAheadTitle.toString());
    setAutoFillBackground(true);
    SetColour(this, QPalette::Window, FrameGrey);

    m_text = MakeTextBox(this, desktop);
    // The charts on the left; the words, with what the charts' colours mean, on the right.
    auto* const words = new QVBoxLayout;
    words->setSpacing(2);
    words->addWidget(m_text, 1);
    words->addLayout(MakeChartLegend(this));
    auto* const body = new QHBoxLayout;
    body->setSpacing(4);
    body->addLayout(makeChartGrid(), 0);
    body->addLayout(words, 1);

    auto* const page = new QVBoxLayout(this);
    page->setContentsMargins(4, 3, 4, 3);
    page->setSpacing(3);
    page->addLayout(makeDateRow());
    page->addWidget(m_solar);
    page->addLayout(body, 1);

    m_date->setDate(std::clamp(desktop.today(), DateRange::FirstDate(), DateRange::LastDate()));
    const bool hasYearAhead = showDate(m_date->date());
    connect(m_date, &QDateEdit::dateChanged, this, &YearAheadPage::showDate);
    m_date->setEnabled(hasYearAhead);
    m_calendarButton->setEnabled(hasYearAhead);
}

QHBoxLayout* YearAheadPage::makeDateRow()
{
    QLabel* const dateLabel = PlainLabel(this, u"Da&te:"_s, u"lblYearAheadDate"_s);
    dateLabel->setTextFormat(Qt::AutoText);
    m_date = new QDateEdit(this);
    m_date->setObjectName(u"dtpYearAhead"_s);
    m_date->setAccessibleName(u"Date of the year ahead"_s);
    m_date->setLocale(QLocale::c());
    m_date->setDisplayFormat(u"d MMMM yyyy"_s);
    m_date->setCalendarPopup(true);
    m_date->setDateRange(DateRange::FirstDate(), DateRange::LastDate());
    ThemeDateBox(m_date);
    // Wide enough for the longest date it shows, "29 September 2100", and its arrow.
    m_date->setMinimumWidth(
        m_date->fontMetrics().horizontalAdvance(LongDateText(QDate(DateRange::LastYear, 9, 29))) +
        44);
    dateLabel->setBuddy(m_date);
    m_calendarButton = new QPushButton(u"&Calendar\u2026"_s, this);
    m_calendarButton->setObjectName(u"cmdCalendar"_s);
    m_calendarButton->setAutoDefault(false);
    connect(m_calendarButton, &QPushButton::clicked, this, &YearAheadPage::openCalendar);
    // Beside the date the zone of the times; below it, the whole page wide, when the solar year
    // and month begin and end, one line each.
    m_zoneLabel = PlainLabel(this, {}, u"lblTimeZone"_s);
    m_solar = PlainLabel(this, {}, u"lblSolarDate"_s);
    m_solar->setWordWrap(true);

    auto* const dateRow = new QHBoxLayout;
    dateRow->addWidget(dateLabel);
    dateRow->addWidget(m_date);
    dateRow->addWidget(m_calendarButton);
    dateRow->addSpacing(6);
    dateRow->addWidget(m_zoneLabel, 1);
    return dateRow;
}

QGridLayout* YearAheadPage::makeChartGrid()
{
    m_yearGrid = MakeChartGrid(this, u"tblYearChart"_s);
    m_yearFrame = MakeChartFrame(this, u"fraYearChart"_s, m_yearGrid);
    m_monthGrid = MakeChartGrid(this, u"tblMonthChart"_s);
    m_monthFrame = MakeChartFrame(this, u"fraMonthChart"_s, m_monthGrid);
    m_dayGrid = MakeChartGrid(this, u"tblDayChart"_s);
    m_dayFrame = MakeChartFrame(this, u"fraDayChart"_s, m_dayGrid);

    auto* const cycleFrame = new Frame(this);
    cycleFrame->setTitle(CycleTitle.toString());
    cycleFrame->setObjectName(u"fraCycle"_s);
    m_cycle = MakeCycleTable(cycleFrame);
    auto* const cycleLayout = new QVBoxLayout(cycleFrame);
    cycleLayout->setContentsMargins(3, 0, 3, 2);
    cycleLayout->addWidget(m_cycle, 0, Qt::AlignCenter);

    auto* const grid = new QGridLayout;
    grid->setSpacing(3);
    grid->addWidget(m_yearFrame, 0, 0);
    grid->addWidget(m_monthFrame, 0, 1);
    grid->addWidget(m_dayFrame, 1, 0);
    grid->addWidget(cycleFrame, 1, 1);
    return grid;
}

YearAheadPage::~YearAheadPage() = default;

frmCalendar* YearAheadPage::calendarWindow() const
{
    return m_calendar;
}

void YearAheadPage::chainFocusAfter(QWidget* before)
{
    QWidget* previous = before;
    for (QWidget* const widget : std::initializer_list<QWidget*>{
             m_date, m_calendarButton, m_yearGrid, m_monthGrid, m_dayGrid, m_cycle, m_text}) {
        QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

bool YearAheadPage::showDate(QDate date)
{
    const auto ahead = ComputeYearAhead(m_principal, date, m_zone);
    const auto day = ComputeDayAhead(m_principal, date, m_zone);
    if (!ahead || !day) {
        m_solar->clear();
        m_zoneLabel->clear();
        m_text->setPlainText(u"This reading has no year ahead: its birth year gives no "
                             u"principal number."_s);
        return false;
    }
    const QString yearBranch = BranchWithArticle(ahead->year.branch);
    const QString monthBranch = BranchWithArticle(ahead->month.branch);
    // The offset in force on the page's date; the computer's unknown zone says it is UTC already.
    const QString zoneName = ZoneInUseName(ahead->zone);
    m_zoneLabel->setText(u"Times in "_s % (zoneName == TimeZoneName(ahead->zone)
                                               ? ZoneWithOffset(ahead->zone, date)
                                               : zoneName));
    m_solar->setText(u"Solar year %1, %2 year: %3\nSolar month %4, %5 month: %6"_s.arg(
        QString::number(ahead->solar.year), yearBranch, SolarYearSpanText(*ahead),
        QString::number(ahead->solar.month), monthBranch, SolarMonthSpanText(*ahead)));

    showCharts(*ahead, date, day->chart, day->stemBranch);
    showCycle(*ahead);

    const QString dayHeading =
        u"This day: %1, a %2 day"_s.arg(LongDateText(date), StemBranchName(day->stemBranch));
    const QString daySpan = u"day star %1, %2"_s.arg(day->star.star)
                                .arg(day->star.ascending ? u"rising"_s : u"falling"_s);
    m_text->setHtml(
        ChartHtml(u"This year: %1, %2 year"_s.arg(ahead->solar.year).arg(yearBranch),
                  SolarYearSpanText(*ahead), u"this year"_s, ahead->year, m_principal) %
        ChartHtml(
            u"This month: solar month %1, %2 month"_s.arg(ahead->solar.month).arg(monthBranch),
            SolarMonthSpanText(*ahead), u"this month"_s, ahead->month, m_principal) %
        ChartHtml(dayHeading, daySpan, u"this day"_s, day->chart, m_principal) %
        AvoidExplanationsHtml());
    return true;
}

void YearAheadPage::showCharts(const YearAhead& ahead, QDate date, const Chart& dayChart,
                               StemBranch day)
{
    // The month's last whole day: the day of the next month's term belongs to that month.
    const QDate monthBegins = ahead.monthBegins.localDate();
    const QDate monthEnds = ahead.monthEnds.localDate().addDays(-1);
    ShowChart(m_yearFrame, m_yearGrid, ahead.year,
              u"%1 year from %2 %3"_s
                  .arg(BranchNames[static_cast<std::size_t>(ahead.year.branch)],
                       ShortDateText(ahead.yearBegins.localDate()))
                  .arg(ahead.solar.year));
    ShowChart(
        m_monthFrame, m_monthGrid, ahead.month,
        u"%1 month: %2 \u2013 %3"_s.arg(BranchNames[static_cast<std::size_t>(ahead.month.branch)],
                                        ShortDateText(monthBegins), ShortDateText(monthEnds)));
    ShowChart(m_dayFrame, m_dayGrid, dayChart,
              u"Day %1: %2"_s.arg(ShortDateText(date), StemBranchName(day)));
}

void YearAheadPage::showCycle(const YearAhead& ahead)
{
    for (int row = 0; row < static_cast<int>(ahead.cycle.size()); ++row) {
        const CycleYear& year = ahead.cycle.at(static_cast<std::size_t>(row));
        const bool current = row == 0;
        const std::array<QString, 3> texts = {QString::number(year.year),
                                              QString::number(year.centre),
                                              PalaceName(year.palace).toString()};
        for (int column = 0; column < 3; ++column) {
            QTableWidgetItem* const item = m_cycle->item(row, column);
            item->setText(texts.at(static_cast<std::size_t>(column)));
            item->setBackground(current ? LinkYellow : Silver);
            item->setForeground(Black);
            QFont font = m_cycle->font();
            font.setBold(current);
            item->setFont(font);
            item->setData(Qt::AccessibleTextRole, current && column == 0
                                                      ? QVariant(texts[0] % u", this year"_s)
                                                      : QVariant());
        }
    }
}

void YearAheadPage::setOwnerName(const QString& name)
{
    m_name = name;
    if (m_calendar)
        m_calendar->setOwnerName(name);
}

void YearAheadPage::openCalendar()
{
    if (m_calendar) {
        m_calendar->chooseDay(m_date->date());
    } else {
        m_calendar =
            new frmCalendar(m_principal, m_date->date(), m_options, m_desktop, &m_partner, this);
        m_calendar->setOwnerName(m_name);
        m_calendar->setAttribute(Qt::WA_DeleteOnClose);
        connect(m_calendar, &frmCalendar::dayShown, this, &YearAheadPage::showDay);
        connect(m_calendar, &frmCalendar::partnerRequested, this, &YearAheadPage::partnerRequested);
    }
    m_calendar->show();
    m_calendar->activateWindow();
}

void YearAheadPage::showDay(QDate day)
{
    m_date->setDate(std::clamp(day, DateRange::FirstDate(), DateRange::LastDate()));
    window()->activateWindow();
}

} // namespace Kistarra
