#include "windows/frmcalendar.h"

#include <algorithm>

#include <QBuffer>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QShortcut>
#include <QTableWidget>
#include <QVBoxLayout>

#include "platform/desktop.h"
#include "platform/calendarpage.h"
#include "reading/calendartext.h"
#include "reading/yearaheadtext.h"
#include "engine/daterange.h"
#include "engine/yearahead.h"
#include "files/wholefiles.h"
#include "reading/calendarwords.h"
#include "windows/daypanel.h"
#include "windows/kit/calendarcell.h"
#include "windows/kit/partner.h"
#include "windows/kit/screenfit.h"
#include "windows/kit/theme.h"
#include "windows/kit/widgets.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

constexpr int Weeks = 6;
constexpr int WeekDays = 7;

// The year ahead shows the days from the start of its first solar year: the calendar offers no
// day it could not show there.
bool IsChoosable(QDate day)
{
    return DateRange::Contains(day);
}

// A weekend's grey, lighter than the window's and the days before the calendar's.
constexpr QColor WeekendGrey{224, 224, 224};

} // namespace

frmCalendar::frmCalendar(int principal, QDate day, const ReadingOptions& options, Desktop& desktop,
                         Partner* partner, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_principal(principal)
    , m_options(options)
    , m_zone(options.zone())
    , m_desktop(desktop)
    , m_partner(partner)
{
    setObjectName(u"frmCalendar"_s);
    takePartner();
    SetUpWindow(this, TextSize::Window);
    setAccessibleName(u"Nine Star Ki Calendar"_s);
    makeControls();
    // The program's dark window, its pale words and silver buttons, as the other windows have.
    SetColours(this, PaleText, WindowGrey);
    for (QPushButton* const button : findChildren<QPushButton*>())
        SetColours(button, Black, Silver);
    m_day = std::clamp(DateRange::ContainsMonth(day.year(), day.month()) ? day : m_desktop.today(),
                       DateRange::FirstDate(), DateRange::LastDate());
    showMonth();
    if (m_partner)
        connect(m_partner, &Partner::changed, this, &frmCalendar::partnerChanged);
    // Sized once the month's title and moves are in, whose lines it must hold too.
    // The chosen day's panel beside the grid when the screen has room for both; in a smaller
    // window it waits behind its button.
    m_panel->hide();
    const QSize withoutPanel = defaultSize();
    // Fixed before the first show: the month's words would move it later, which some platforms
    // cannot pass on to a shown window.
    // The grid's minimum was raised and lowered again to measure the default size: the layout
    // inside the window's takes it anew.
    layout()->invalidate();
    layout()->activate();
    setMinimumSize(layout()->totalMinimumSize());
    const QSize withPanel(withoutPanel.width() + m_panel->sizeHint().width() + layout()->spacing(),
                          std::max(withoutPanel.height(), m_panel->sizeHint().height()));
    const bool roomForPanel = FittedToScreen(this, withPanel) == withPanel;
    m_panelButton->setChecked(roomForPanel);
    resize(FittedToScreen(this, roomForPanel ? withPanel : withoutPanel));
    KeepOnScreen(this);
    selectChosenDay();
    m_grid->setFocus();
}

frmCalendar::~frmCalendar() = default;

void frmCalendar::makeControls()
{
    m_previous = MakeButton(this, u"cmdPreviousMonth"_s, u"Pre&vious month"_s);
    m_today = MakeButton(this, u"cmdToday"_s, u"&Today"_s);
    m_next = MakeButton(this, u"cmdNextMonth"_s, u"&Next month"_s);
    m_title = PlainLabel(this, {}, u"lblCalendarMonth"_s);
    m_title->setAlignment(Qt::AlignCenter);
    m_title->setFont(ThemeFont(TextSize::Title, true));
    connect(m_previous, &QPushButton::clicked, this, [this] { turnMonth(-1); });
    connect(m_next, &QPushButton::clicked, this, [this] { turnMonth(1); });
    connect(m_today, &QPushButton::clicked, this, [this] { chooseDay(m_desktop.today()); });

    auto* const top = new QHBoxLayout;
    top->addWidget(m_previous);
    top->addWidget(m_title, 1);
    top->addWidget(m_today);
    top->addWidget(m_next);
    QPushButton* const goTo = MakeButton(this, u"cmdGoToMonth"_s, u"&Go to\u2026"_s);
    goTo->setToolTip(u"Go to a month and year (Ctrl+G)"_s);
    connect(goTo, &QPushButton::clicked, this, &frmCalendar::pickMonth);
    auto* const shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_G), this);
    connect(shortcut, &QShortcut::activated, this, &frmCalendar::pickMonth);
    top->addWidget(goTo);

    m_owner = PlainLabel(this, {}, u"lblCalendarOwner"_s);
    m_owner->setAlignment(Qt::AlignCenter);
    m_cycle = PlainLabel(this, {}, u"lblCalendarCycle"_s);
    m_cycle->setWordWrap(true);

    m_moves = PlainLabel(this, {}, u"lblMoves"_s);
    m_moves->setWordWrap(true);

    makeGrid();

    m_legend = PlainLabel(this, legendText(), u"lblCalendarLegend"_s);
    m_legend->setWordWrap(true);

    m_panel = new DayPanel(this);
    auto* const body = new QHBoxLayout;
    body->addWidget(m_grid, 1);
    body->addWidget(m_panel);

    auto* const page = new QVBoxLayout(this);
    page->addLayout(top);
    page->addWidget(m_owner);
    page->addWidget(m_cycle);
    page->addWidget(m_moves);
    page->addLayout(body, 1);
    page->addWidget(m_legend);
    page->addWidget(makeButtonRow());
}

// Six weeks of seven days that share the window's room; the keys are the window's own.
void frmCalendar::makeGrid()
{
    m_grid = new QTableWidget(Weeks, WeekDays, this);
    m_grid->setObjectName(u"tblCalendar"_s);
    m_grid->setAccessibleName(u"Days of the month"_s);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setTabKeyNavigation(false);
    m_grid->setWordWrap(true);
    m_grid->verticalHeader()->hide();
    // A reader names a day by its weekday and by the words of its cell; the weeks have no names.
    m_grid->setVerticalHeaderLabels(QStringList(Weeks, QString()));
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    // The weekday names and the chosen day in the theme's colours, not the platform's blue.
    ThemeHeader(m_grid->horizontalHeader());
    QPalette palette = m_grid->palette();
    palette.setColor(QPalette::Highlight, WindowGrey);
    palette.setColor(QPalette::HighlightedText, LightGreen);
    m_grid->setPalette(palette);
    m_grid->setItemDelegate(new ChosenDayDelegate(m_grid));
    m_grid->installEventFilter(this);
    m_grid->viewport()->installEventFilter(this);
    // Room for the day and its star in every cell, whatever the window's size.
    const QSize smallest = SmallestCellRoom(m_grid->font()) + CellMargins;
    m_grid->setMinimumSize(WeekDays * smallest.width() + 2 * m_grid->frameWidth(),
                           m_grid->horizontalHeader()->sizeHint().height() +
                               Weeks * smallest.height() + 2 * m_grid->frameWidth());
    connect(m_grid, &QTableWidget::cellClicked, this, [this](int row, int column) {
        chooseDay(QDate(m_calendar->year, m_calendar->month, 1)
                      .addDays(row * WeekDays + column - leadingCells()));
    });
    connect(m_grid, &QTableWidget::cellDoubleClicked, this, [this] { emit dayShown(m_day); });
}

QWidget* frmCalendar::makeButtonRow()
{
    auto* const row = new QWidget(this);
    auto* const layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    QPushButton* const print = MakeButton(row, u"cmdPrint"_s, u"P&rint\u2026"_s);
    QPushButton* const pdf = MakeButton(row, u"cmdSavePdf"_s, u"Save as &PDF\u2026"_s);
    m_panelButton = MakeButton(row, u"cmdDayPanel"_s, u"&Day details"_s);
    m_panelButton->setCheckable(true);
    m_panelButton->setToolTip(u"Show or hide the chosen day's chart and directions"_s);
    connect(m_panelButton, &QPushButton::toggled, this, [this](bool shown) {
        // Asked for in a window too small for it, the window grows as far as the screen
        // lets it.
        if (shown && !roomForPanel())
            resize(FittedToScreen(
                this, QSize(std::max(width(),
                                     minimumWidth() + m_panel->width() + this->layout()->spacing()),
                            std::max(height(), height() - m_grid->height() +
                                                   m_panel->minimumSizeHint().height()))));
        placePanel();
    });
    QPushButton* const partner = MakeButton(row, u"cmdAddPartner"_s, u"&Add a Partner\u2026"_s);
    partner->setToolTip(u"Show the days good for a journey for you and a partner"_s);
    connect(partner, &QPushButton::clicked, this, &frmCalendar::partnerRequested);
    QPushButton* const close = MakeButton(row, u"cmdClose"_s, u"&Close"_s);
    connect(print, &QPushButton::clicked, this, &frmCalendar::printMonth);
    connect(pdf, &QPushButton::clicked, this, &frmCalendar::saveMonthAsPdf);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    layout->addWidget(print);
    layout->addWidget(pdf);
    layout->addWidget(m_panelButton);
    layout->addWidget(partner);
    layout->addStretch(1);
    layout->addWidget(close);
    return row;
}

int frmCalendar::leadingCells() const
{
    const int firstDay = static_cast<int>(QLocale().firstDayOfWeek());
    return (QDate(m_day.year(), m_day.month(), 1).dayOfWeek() - firstDay + WeekDays) % WeekDays;
}

void frmCalendar::setOwnerName(const QString& name)
{
    m_name = name;
    showHeader();
}

// Every line of the fullest day in each cell: the grid that needs, and the window around it.
QSize frmCalendar::defaultSize()
{
    const QSize cell = FullCellRoom(m_grid->font(), withPartner()) + CellMargins;
    const QSize grid(WeekDays * cell.width() + 2 * m_grid->frameWidth(),
                     m_grid->horizontalHeader()->sizeHint().height() + Weeks * cell.height() +
                         2 * m_grid->frameWidth());
    // The wrapped words above and below the grid take its width and as many lines as they need.
    const QMargins margins = layout()->contentsMargins();
    const int topRow = layout()->itemAt(0)->sizeHint().width();
    const int width = std::max(grid.width(), topRow) + margins.left() + margins.right();
    const QSize smallest = m_grid->minimumSize();
    m_grid->setMinimumSize(grid);
    const int height = layout()->totalHeightForWidth(width);
    m_grid->setMinimumSize(smallest);
    return {width, height};
}

void frmCalendar::chooseDay(QDate day)
{
    if (!IsChoosable(day))
        return;
    const bool sameMonth =
        m_calendar && day.year() == m_calendar->year && day.month() == m_calendar->month;
    m_day = day;
    if (!sameMonth)
        showMonth();
    selectChosenDay();
}

void frmCalendar::selectChosenDay()
{
    const int cell = leadingCells() + m_day.day() - 1;
    m_grid->setCurrentCell(cell / WeekDays, cell % WeekDays);
    showHeader();
    if (m_calendar)
        m_panel->showDay(m_calendar->days[static_cast<std::size_t>(m_day.day() - 1)],
                         withPartner());
}

void frmCalendar::showMonth()
{
    m_calendar =
        ComputeMonthCalendar(m_principal, m_day.year(), m_day.month(), m_zone, m_partnerPrincipal);
    // The week begins on the locale's first day; its days are named as every other date here.
    const int firstDay = static_cast<int>(QLocale().firstDayOfWeek());
    QStringList headers;
    for (int column = 0; column < WeekDays; ++column)
        headers << QLocale::c().dayName((firstDay - 1 + column) % 7 + 1, QLocale::ShortFormat);
    m_grid->setHorizontalHeaderLabels(headers);
    if (!m_calendar) {
        m_title->setText(u"No calendar for this reading"_s);
        m_moves->clear();
        m_cycle->clear();
        m_owner->clear();
        m_panel->clear();
        showCells();
        return;
    }
    m_title->setText(CalendarMonthTitle(*m_calendar));
    m_cycle->setText(CalendarCycleText(*m_calendar));
    m_moves->setText(movesText());
    showCells();
    m_previous->setEnabled(
        DateRange::ContainsMonth(m_day.addMonths(-1).year(), m_day.addMonths(-1).month()));
    m_next->setEnabled(
        DateRange::ContainsMonth(m_day.addMonths(1).year(), m_day.addMonths(1).month()));
}

void frmCalendar::showCells()
{
    const int lead = leadingCells();
    for (int cell = 0; cell < Weeks * WeekDays; ++cell) {
        const int index = cell - lead;
        fillCell(cell / WeekDays, cell % WeekDays,
                 m_calendar && index >= 0 && index < m_calendar->dayCount
                     ? &m_calendar->days[static_cast<std::size_t>(index)]
                     : nullptr);
    }
}

void frmCalendar::fillCell(int row, int column, const CalendarDay* day)
{
    auto* item = m_grid->item(row, column);
    if (item == nullptr) {
        item = new QTableWidgetItem;
        item->setTextAlignment(Qt::AlignLeft | Qt::AlignTop);
        m_grid->setItem(row, column, item);
    }
    if (day == nullptr) {
        item->setText(QString());
        item->setToolTip(QString());
        item->setFlags(Qt::NoItemFlags);
        item->setData(Qt::AccessibleTextRole, QVariant());
        item->setBackground(FrameGrey);
        return;
    }
    const bool today = day->date == m_desktop.today();
    const bool choosable = IsChoosable(day->date);
    item->setFlags(choosable ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags);
    QFont font = m_grid->font();
    font.setBold(today);
    item->setFont(font);
    // The words the cell has room for; all of them in its tooltip and for a screen reader.
    const QList<CellLine> lines = CalendarCellLines(*day, today, withPartner());
    // The stretched rows and columns share the grid's room; none gets less than its share.
    const QSize room(m_grid->viewport()->width() / WeekDays, m_grid->viewport()->height() / Weeks);
    item->setText(FittedCellText(lines, font, room - CellMargins));
    item->setToolTip(CalendarCellToolTip(*day, lines));
    item->setData(Qt::AccessibleTextRole,
                  QString(CalendarDayName(*day, withPartner()) % CalendarDayExtras(*day) %
                          (today ? u", today"_s : QString())));
    const bool weekend = !QLocale().weekdays().contains(day->date.dayOfWeek());
    item->setBackground(!choosable               ? Silver
                        : JourneyCount(*day) > 0 ? LightGreen
                        : weekend                ? WeekendGrey
                                                 : White);
    item->setForeground(choosable ? Black : FrameGrey);
}

// The panel beside the grid when the window has room for it beside the smallest grid; otherwise
// it waits behind its button.
bool frmCalendar::roomForPanel() const
{
    return width() >= minimumWidth() + m_panel->width() + layout()->spacing() &&
           m_grid->height() >= m_panel->minimumSizeHint().height();
}

void frmCalendar::placePanel()
{
    m_panel->setVisible(m_panelButton->isChecked() && roomForPanel());
}

void frmCalendar::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placePanel();
}

} // namespace Kistarra
