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
#include "files/wholefiles.h"
#include "windows/theme.h"
#include "windows/widgets.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

constexpr int Weeks = 6;
constexpr int WeekDays = 7;
constexpr QStringView Ascending = u"\u2191";
constexpr QStringView Descending = u"\u2193";

QPushButton* MakeButton(QWidget* parent, const QString& name, const QString& caption)
{
    auto* const button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

QString CellText(const CalendarDay& day, bool today)
{
    QString text = QString::number(day.date.day()) % (today ? u"  today"_s : QString()) %
                   u"\nstar "_s % QString::number(day.star.star) % u' ' %
                   (day.star.ascending ? Ascending : Descending) % u"  "_s %
                   StemBranchCharacters(day.stemBranch) % u'\n' % StemBranchName(day.stemBranch) %
                   u"\njourney: "_s % DirectionCodes(day.journey);
    for (const TermOnDay& term : day.dayTerms())
        text += u'\n' % TermText(term);
    return text;
}

bool HasJourney(const CalendarDay& day)
{
    return std::any_of(day.journey.begin(), day.journey.end(), [](bool good) { return good; });
}

} // namespace

frmCalendar::frmCalendar(int principal, QDate day, const QTimeZone& zone, Desktop& desktop,
                         QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_principal(principal)
    , m_zone(zone)
    , m_desktop(desktop)
{
    setObjectName(u"frmCalendar"_s);
    SetUpWindow(this, TextSize::Window);
    setAccessibleName(u"Nine Star Ki Calendar"_s);
    makeControls();
    resize(860, 620);
    m_day = day;
    if (!IsCalendarMonth(day.year(), day.month()))
        m_day = std::clamp(m_desktop.today(), QDate(1900, 2, 1), QDate(2100, 12, 31));
    showMonth();
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

void frmCalendar::setTimeZone(const QTimeZone& zone)
{
    m_zone = zone;
    showMonth();
    selectChosenDay();
}

void frmCalendar::chooseDay(QDate day)
{
    if (!day.isValid() || !IsCalendarMonth(day.year(), day.month()))
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
    chooseDay(QDate(first.year(), first.month(), std::min(m_day.day(), first.daysInMonth())));
}

void frmCalendar::showMonth()
{
    m_calendar = ComputeMonthCalendar(m_principal, m_day.year(), m_day.month(), m_zone);
    const QLocale locale;
    QStringList headers;
    for (int column = 0; column < WeekDays; ++column)
        headers << locale.dayName((static_cast<int>(locale.firstDayOfWeek()) - 1 + column) % 7 + 1,
                                  QLocale::ShortFormat);
    m_grid->setHorizontalHeaderLabels(headers);
    if (!m_calendar) {
        m_title->setText(u"No calendar for this reading"_s);
        m_moves->clear();
        for (int cell = 0; cell < Weeks * WeekDays; ++cell)
            fillCell(cell / WeekDays, cell % WeekDays, nullptr);
        return;
    }
    m_title->setText(CalendarMonthTitle(*m_calendar) % u", "_s % TimeZoneName(m_zone));
    QStringList moves;
    for (const MoveDirections& move : m_calendar->monthMoves())
        moves << MoveText(move);
    m_moves->setText(u"Good for a move: "_s % moves.join(u";  "_s));
    const int lead = leadingCells();
    for (int cell = 0; cell < Weeks * WeekDays; ++cell) {
        const int index = cell - lead;
        fillCell(cell / WeekDays, cell % WeekDays,
                 index >= 0 && index < m_calendar->dayCount
                     ? &m_calendar->days[static_cast<std::size_t>(index)]
                     : nullptr);
    }
    m_previous->setEnabled(
        IsCalendarMonth(m_day.addMonths(-1).year(), m_day.addMonths(-1).month()));
    m_next->setEnabled(IsCalendarMonth(m_day.addMonths(1).year(), m_day.addMonths(1).month()));
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
        item->setFlags(Qt::NoItemFlags);
        item->setData(Qt::AccessibleTextRole, QVariant());
        item->setBackground(FrameGrey);
        return;
    }
    const bool today = day->date == m_desktop.today();
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    item->setText(CellText(*day, today));
    item->setData(Qt::AccessibleTextRole,
                  QString(CalendarDayName(*day) % (today ? u", today"_s : QString())));
    item->setBackground(HasJourney(*day) ? LightGreen : White);
    item->setForeground(Black);
    QFont font = m_grid->font();
    font.setBold(today);
    item->setFont(font);
}

bool frmCalendar::eventFilter(QObject* watched, QEvent* event)
{
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
