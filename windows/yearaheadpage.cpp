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
#include <QTableWidget>
#include <QTextEdit>
#include <QVBoxLayout>

#include "engine/yearahead.h"
#include "platform/desktop.h"
#include "reading/yearaheadtext.h"
#include "windows/theme.h"
#include "windows/widgets.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

constexpr int CellWidth = 54;
constexpr int CellHeight = 40;
constexpr int CycleRowHeight = 16;
constexpr QStringView OwnStarMark = u"\u2605";
constexpr QStringView CycleTitle = u"Nine-year cycle";
constexpr QStringView AvoidTag = u"avoid";
constexpr QStringView FavourableTag = u"good";

QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& text)
{
    auto* const label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    return label;
}

// A table that sizes itself to its cells: no headers of its own unless asked, no scroll bars,
// nothing to select or edit; the arrow keys walk its cells and Tab leaves it.
QTableWidget* MakeTable(QWidget* parent, const QString& name, int rows, int columns)
{
    auto* const table = new QTableWidget(rows, columns, parent);
    table->setObjectName(name);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setTabKeyNavigation(false);
    table->verticalHeader()->hide();
    // A reader names a cell by its row and column: hidden numbers say nothing, so the rows have
    // no names unless a table gives them.
    table->setVerticalHeaderLabels(QStringList(rows, QString()));
    for (QHeaderView* const header : {table->horizontalHeader(), table->verticalHeader()})
        header->setMinimumSectionSize(1);
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            auto* const item = new QTableWidgetItem;
            item->setFlags(Qt::ItemIsEnabled);
            table->setItem(row, column, item);
        }
    }
    return table;
}

QTableWidget* MakeChartGrid(QWidget* parent, const QString& name)
{
    QTableWidget* const grid = MakeTable(parent, name, 3, 3);
    grid->horizontalHeader()->hide();
    grid->horizontalHeader()->setDefaultSectionSize(CellWidth);
    grid->verticalHeader()->setDefaultSectionSize(CellHeight);
    grid->setFixedSize(3 * CellWidth + 2 * grid->frameWidth(),
                       3 * CellHeight + 2 * grid->frameWidth());
    SetColour(grid, QPalette::Base, Silver);
    grid->setHorizontalHeaderLabels({u"East"_s, u"Centre"_s, u"West"_s});
    grid->setVerticalHeaderLabels({u"South"_s, u"Centre"_s, u"North"_s});
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column)
            grid->item(row, column)->setTextAlignment(Qt::AlignCenter);
    }
    return grid;
}

// The chart in a frame with the four compass points around it.
Frame* MakeChartFrame(QWidget* parent, const QString& name, QTableWidget* grid)
{
    auto* const frame = new Frame(parent);
    frame->setObjectName(name);
    auto* const layout = new QGridLayout(frame);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->setSpacing(2);
    const auto side = [frame](const QString& text, Qt::Alignment alignment) {
        QLabel* const label = MakeLabel(frame, QString(), text);
        label->setAlignment(alignment);
        return label;
    };
    layout->addWidget(side(u"South"_s, Qt::AlignCenter), 0, 1);
    layout->addWidget(side(u"East"_s, Qt::AlignRight | Qt::AlignVCenter), 1, 0);
    layout->addWidget(grid, 1, 1);
    layout->addWidget(side(u"West"_s, Qt::AlignLeft | Qt::AlignVCenter), 1, 2);
    layout->addWidget(side(u"North"_s, Qt::AlignCenter), 2, 1);
    grid->setParent(frame);
    return frame;
}

// A legend entry: the tag on the colour the charts give it.
QLabel* MakeSwatch(QWidget* parent, QStringView tag, const QColor& colour)
{
    QLabel* const swatch = MakeLabel(parent, QString(), tag.toString());
    swatch->setAlignment(Qt::AlignCenter);
    swatch->setMargin(1);
    swatch->setFrameShape(QFrame::Box);
    SetColours(swatch, Black, colour);
    return swatch;
}

QStringList AvoidedAt(const Chart& chart, Palace palace)
{
    QStringList names;
    for (const Avoid avoid : Avoids) {
        if (chart.avoided(avoid) == palace)
            names << AvoidName(avoid).toString();
    }
    return names;
}

// What a screen reader says for a cell: "North: 6, avoid: Dark Sword, Breaker".
QString CellName(const Chart& chart, Palace palace)
{
    QString name = PalaceName(palace) % u": "_s % QString::number(chart.star(palace));
    if (chart.palace == palace)
        name += u", your star"_s;
    if (const QStringList avoided = AvoidedAt(chart, palace); !avoided.isEmpty())
        name += u", avoid: "_s % avoided.join(u", "_s);
    if (chart.isFavourable(palace))
        name += u", favourable"_s;
    return name;
}

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

// The nine years of the cycle from this one: the year, its centre star and the person's palace.
QTableWidget* MakeCycleTable(QWidget* parent)
{
    QTableWidget* const cycle = MakeTable(parent, u"tblCycle"_s, 9, 3);
    cycle->setAccessibleName(CycleTitle.toString());
    cycle->setHorizontalHeaderLabels({u"Year"_s, u"Star"_s, u"Your palace"_s});
    cycle->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    const std::array<int, 3> columnWidths = {40, 34, 84};
    for (std::size_t column = 0; column < columnWidths.size(); ++column)
        cycle->setColumnWidth(static_cast<int>(column), columnWidths.at(column));
    cycle->verticalHeader()->setDefaultSectionSize(CycleRowHeight);
    cycle->horizontalHeader()->setFixedHeight(CycleRowHeight + 2);
    cycle->setFixedSize(columnWidths[0] + columnWidths[1] + columnWidths[2] +
                            2 * cycle->frameWidth(),
                        (CycleRowHeight + 2) + 9 * CycleRowHeight + 2 * cycle->frameWidth());
    SetColour(cycle, QPalette::Base, Silver);
    ThemeHeader(cycle->horizontalHeader());
    return cycle;
}

// What the colours and the star on the charts mean.
QHBoxLayout* MakeLegend(QWidget* parent)
{
    auto* const legend = new QHBoxLayout;
    legend->setSpacing(4);
    legend->addWidget(MakeSwatch(parent, AvoidTag, AvoidRose));
    legend->addWidget(MakeLabel(parent, QString(), u"a direction to avoid"_s));
    legend->addSpacing(10);
    legend->addWidget(MakeSwatch(parent, FavourableTag, LightGreen));
    legend->addWidget(MakeLabel(parent, QString(), u"a favourable direction"_s));
    legend->addSpacing(10);
    legend->addWidget(MakeLabel(parent, QString(), OwnStarMark % u" your star"_s));
    legend->addStretch(1);
    return legend;
}

} // namespace

YearAheadPage::YearAheadPage(int principal, Desktop& desktop, QWidget* parent)
    : QWidget(parent)
    , m_principal(principal)
{
    setObjectName(u"picYearAhead"_s);
    setAccessibleName(YearAheadTitle.toString());
    setAutoFillBackground(true);
    SetColour(this, QPalette::Window, FrameGrey);

    auto* const page = new QVBoxLayout(this);
    page->setContentsMargins(6, 4, 6, 4);
    page->setSpacing(4);
    page->addLayout(makeDateRow());
    page->addWidget(m_solar);
    page->addLayout(makeChartRow());
    page->addLayout(MakeLegend(this));

    m_text = new QTextEdit(this);
    m_text->setObjectName(u"RTBYearAhead"_s);
    m_text->setAccessibleName(u"Year ahead"_s);
    m_text->setReadOnly(true);
    m_text->document()->setDocumentMargin(3);
    SetColour(m_text, QPalette::Base, FrameGrey);
    // The words are what the reading boxes show too, and go no further.
    EmptyClipboardOnUse(m_text, desktop);
    page->addWidget(m_text, 1);

    m_date->setDate(std::clamp(desktop.today(), YearAheadFirstDate(), YearAheadLastDate()));
    showDate(m_date->date());
    connect(m_date, &QDateEdit::dateChanged, this, &YearAheadPage::showDate);
    m_date->setEnabled(ComputeYearAhead(m_principal, m_date->date(), m_zone).has_value());
}

QHBoxLayout* YearAheadPage::makeDateRow()
{
    QLabel* const dateLabel = MakeLabel(this, u"lblYearAheadDate"_s, u"Da&te:"_s);
    dateLabel->setTextFormat(Qt::AutoText);
    m_date = new QDateEdit(this);
    m_date->setObjectName(u"dtpYearAhead"_s);
    m_date->setAccessibleName(u"Date of the year ahead"_s);
    m_date->setLocale(QLocale(QLocale::English, QLocale::UnitedKingdom));
    m_date->setDisplayFormat(u"d MMMM yyyy"_s);
    m_date->setCalendarPopup(true);
    m_date->setDateRange(YearAheadFirstDate(), YearAheadLastDate());
    ThemeDateBox(m_date);
    dateLabel->setBuddy(m_date);
    // Beside the date the zone of the times; below it, the whole page wide, when the solar year
    // and month begin and end, one line each.
    m_zoneLabel = MakeLabel(this, u"lblTimeZone"_s, QString());
    m_solar = MakeLabel(this, u"lblSolarDate"_s, QString());
    m_solar->setWordWrap(true);

    auto* const dateRow = new QHBoxLayout;
    dateRow->addWidget(dateLabel);
    dateRow->addWidget(m_date);
    dateRow->addSpacing(8);
    dateRow->addWidget(m_zoneLabel, 1);
    return dateRow;
}

QHBoxLayout* YearAheadPage::makeChartRow()
{
    m_yearGrid = MakeChartGrid(this, u"tblYearChart"_s);
    m_yearFrame = MakeChartFrame(this, u"fraYearChart"_s, m_yearGrid);
    m_monthGrid = MakeChartGrid(this, u"tblMonthChart"_s);
    m_monthFrame = MakeChartFrame(this, u"fraMonthChart"_s, m_monthGrid);

    auto* const cycleFrame = new Frame(this);
    cycleFrame->setTitle(CycleTitle.toString());
    cycleFrame->setObjectName(u"fraCycle"_s);
    m_cycle = MakeCycleTable(cycleFrame);
    auto* const cycleLayout = new QVBoxLayout(cycleFrame);
    cycleLayout->setContentsMargins(4, 2, 4, 2);
    cycleLayout->addWidget(m_cycle);

    auto* const chartRow = new QHBoxLayout;
    chartRow->addWidget(m_yearFrame);
    chartRow->addWidget(m_monthFrame);
    chartRow->addWidget(cycleFrame);
    chartRow->addStretch(1);
    return chartRow;
}

YearAheadPage::~YearAheadPage() = default;

void YearAheadPage::chainFocusAfter(QWidget* before)
{
    QWidget* previous = before;
    for (QWidget* const widget :
         std::initializer_list<QWidget*>{m_date, m_yearGrid, m_monthGrid, m_cycle, m_text}) {
        QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

void YearAheadPage::setTimeZone(const QTimeZone& zone)
{
    m_zone = zone;
    showDate(m_date->date());
}

void YearAheadPage::showDate(QDate date)
{
    const auto ahead = ComputeYearAhead(m_principal, date, m_zone);
    if (!ahead) {
        m_solar->clear();
        m_zoneLabel->clear();
        m_text->setPlainText(u"This reading has no year ahead: its birth year gives no "
                             u"principal number."_s);
        return;
    }
    const QString yearBranch = BranchWithArticle(ahead->year.branch);
    const QString monthBranch = BranchWithArticle(ahead->month.branch);
    m_zoneLabel->setText(u"Times in "_s % TimeZoneName(ahead->zone));
    m_solar->setText(u"Solar year %1, %2 year: %3\nSolar month %4, %5 month: %6"_s.arg(
        QString::number(ahead->solar.year), yearBranch, SolarYearSpanText(*ahead),
        QString::number(ahead->solar.month), monthBranch, SolarMonthSpanText(*ahead)));

    showChart(m_yearFrame, m_yearGrid, ahead->year,
              u"Year %1: centre %2"_s.arg(ahead->solar.year).arg(ahead->year.centre));
    showChart(m_monthFrame, m_monthGrid, ahead->month,
              u"Solar month %1: centre %2"_s.arg(ahead->solar.month).arg(ahead->month.centre));

    for (int row = 0; row < static_cast<int>(ahead->cycle.size()); ++row) {
        const CycleYear& year = ahead->cycle.at(static_cast<std::size_t>(row));
        m_cycle->item(row, 0)->setText(QString::number(year.year));
        m_cycle->item(row, 1)->setText(QString::number(year.centre));
        m_cycle->item(row, 2)->setText(PalaceName(year.palace).toString());
    }

    m_text->setHtml(
        ChartHtml(u"This year: %1, %2 year"_s.arg(ahead->solar.year).arg(yearBranch),
                  SolarYearSpanText(*ahead), u"this year"_s, ahead->year, m_principal) %
        ChartHtml(
            u"This month: solar month %1, %2 month"_s.arg(ahead->solar.month).arg(monthBranch),
            SolarMonthSpanText(*ahead), u"this month"_s, ahead->month, m_principal));
}

void YearAheadPage::showChart(Frame* frame, QTableWidget* grid, const Chart& chart,
                              const QString& title)
{
    frame->setTitle(title);
    grid->setAccessibleName(title % u", South at the top"_s);
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            const Palace palace =
                ChartRows.at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(column));
            const bool own = chart.palace == palace;
            const bool avoided = !AvoidedAt(chart, palace).isEmpty();
            QTableWidgetItem* const item = grid->item(row, column);
            item->setText(PalaceCode(palace) % u'\n' % QString::number(chart.star(palace)) %
                          (own ? u" "_s % OwnStarMark : QString()) % u'\n' %
                          (avoided                      ? AvoidTag
                           : chart.isFavourable(palace) ? FavourableTag
                                                        : QStringView()));
            item->setData(Qt::AccessibleTextRole, CellName(chart, palace));
            item->setBackground(avoided                      ? AvoidRose
                                : chart.isFavourable(palace) ? LightGreen
                                                             : Silver);
            item->setForeground(Black);
            QFont font = grid->font();
            font.setBold(own);
            item->setFont(font);
        }
    }
}

} // namespace Kistarra
