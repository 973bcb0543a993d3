#include "windows/frmcalendar.h"

#include <algorithm>

#include <QBuffer>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTableWidget>
#include <QTextDocument>
#include <QVBoxLayout>

#include "platform/desktop.h"
#include "platform/printing.h"
#include "reading/calendartext.h"
#include "reading/yearaheadtext.h"
#include "engine/daterange.h"
#include "engine/yearahead.h"
#include "files/wholefiles.h"
#include "windows/kit/calendarcell.h"
#include "windows/kit/screenfit.h"
#include "windows/kit/theme.h"
#include "windows/kit/widgets.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

constexpr int Weeks = 6;
constexpr int WeekDays = 7;

QPushButton* MakeButton(QWidget* parent, const QString& name, const QString& caption)
{
    auto* const button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

// The year ahead shows the days from the start of its first solar year: the calendar offers no
// day it could not show there.
bool IsChoosable(QDate day)
{
    return DateRange::Contains(day);
}

bool HasJourney(const CalendarDay& day)
{
    return !day.journey.empty();
}

} // namespace

frmCalendar::frmCalendar(int principal, QDate day, const ReadingOptions& options, Desktop& desktop,
                         QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_principal(principal)
    , m_zone(options.zone())
    , m_desktop(desktop)
{
    setObjectName(u"frmCalendar"_s);
    SetUpWindow(this, TextSize::Window);
    setAccessibleName(u"Nine Star Ki Calendar"_s);
    makeControls();
    m_day = std::clamp(DateRange::ContainsMonth(day.year(), day.month()) ? day : m_desktop.today(),
                       DateRange::FirstDate(), DateRange::LastDate());
    showMonth();
    // Sized once the month's title and moves are in, whose lines it must hold too.
    resize(FittedToScreen(this, defaultSize()));
    // Fixed before the first show: the month's words would move it later, which some platforms
    // cannot pass on to a shown window.
    setMinimumSize(layout()->totalMinimumSize());
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

    m_moves = PlainLabel(this, {}, u"lblMoves"_s);
    m_moves->setWordWrap(true);

    makeGrid();

    auto* const legend = new QLabel(u"star: the day star, \u2191 rising, \u2193 falling;  "
                                    u"journey: the directions good for a journey that day "
                                    u"(green days have one);  the solar terms at local time"_s,
                                    this);
    legend->setObjectName(u"lblCalendarLegend"_s);
    legend->setWordWrap(true);

    auto* const page = new QVBoxLayout(this);
    page->addLayout(top);
    page->addWidget(m_moves);
    page->addWidget(m_grid, 1);
    page->addWidget(legend);
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
    QPushButton* const close = MakeButton(row, u"cmdClose"_s, u"&Close"_s);
    connect(print, &QPushButton::clicked, this, &frmCalendar::printMonth);
    connect(pdf, &QPushButton::clicked, this, &frmCalendar::saveMonthAsPdf);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    layout->addWidget(print);
    layout->addWidget(pdf);
    layout->addStretch(1);
    layout->addWidget(close);
    return row;
}

int frmCalendar::leadingCells() const
{
    const int firstDay = static_cast<int>(QLocale().firstDayOfWeek());
    return (QDate(m_day.year(), m_day.month(), 1).dayOfWeek() - firstDay + WeekDays) % WeekDays;
}

// Every line of the fullest day in each cell: the grid that needs, and the window around it.
QSize frmCalendar::defaultSize()
{
    const QSize cell = FullCellRoom(m_grid->font()) + CellMargins;
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
}

void frmCalendar::turnMonth(int months)
{
    const QDate first = QDate(m_day.year(), m_day.month(), 1).addMonths(months);
    chooseDay(
        std::clamp(QDate(first.year(), first.month(), std::min(m_day.day(), first.daysInMonth())),
                   DateRange::FirstDate(), DateRange::LastDate()));
}

void frmCalendar::showMonth()
{
    m_calendar = ComputeMonthCalendar(m_principal, m_day.year(), m_day.month(), m_zone);
    // The week begins on the locale's first day; its days are named as every other date here.
    const int firstDay = static_cast<int>(QLocale().firstDayOfWeek());
    QStringList headers;
    for (int column = 0; column < WeekDays; ++column)
        headers << QLocale::c().dayName((firstDay - 1 + column) % 7 + 1, QLocale::ShortFormat);
    m_grid->setHorizontalHeaderLabels(headers);
    if (!m_calendar) {
        m_title->setText(u"No calendar for this reading"_s);
        m_moves->clear();
        showCells();
        return;
    }
    m_title->setText(CalendarMonthTitle(*m_calendar) % u", "_s % TimeZoneName(m_zone));
    QStringList moves;
    for (const MoveDirections& move : m_calendar->monthMoves())
        moves << MoveText(move);
    m_moves->setText(u"Good for a move: "_s % moves.join(u";  "_s));
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
    const QList<CellLine> lines = CalendarCellLines(*day, today);
    // The stretched rows and columns share the grid's room; none gets less than its share.
    const QSize room(m_grid->viewport()->width() / WeekDays, m_grid->viewport()->height() / Weeks);
    item->setText(FittedCellText(lines, font, room - CellMargins));
    item->setToolTip(FullCellText(lines));
    item->setData(Qt::AccessibleTextRole,
                  QString(CalendarDayName(*day) % (today ? u", today"_s : QString())));
    item->setBackground(!choosable ? Silver : HasJourney(*day) ? LightGreen : White);
    item->setForeground(choosable ? Black : FrameGrey);
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

void frmCalendar::layOutMonth(QTextDocument& document) const
{
    document.setDefaultFont(CalendarPageFont());
    document.setHtml(m_calendar ? CalendarHtml(*m_calendar, QLocale().firstDayOfWeek())
                                : QString());
}

void frmCalendar::printMonth()
{
    QTextDocument document;
    layOutMonth(document);
    if (!m_desktop.printLandscapeA4(document))
        m_desktop.showError(this, u"The month could not be printed."_s);
}

void frmCalendar::saveMonthAsPdf()
{
    const QString path = m_desktop.saveFileName(this, PdfSaveDialog());
    if (path.isEmpty())
        return;
    QTextDocument document;
    layOutMonth(document);
    QBuffer buffer;
    if (!PrintToPdf(document, buffer, Paper::LandscapeA4)) {
        m_desktop.showError(this, u"The month could not be laid out as a PDF."_s);
        return;
    }
    if (const Done saved = WriteWholeFile(path, buffer.data()); !saved)
        m_desktop.showError(this, u"The PDF could not be saved as %1: %2."_s.arg(
                                      saved.failure().subject, saved.failure().reason));
}

} // namespace Kistarra
