#include "windows/kit/chartgrid.h"

#include <array>
#include <initializer_list>

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QStringList>
#include <QTableWidget>

#include "engine/yearahead.h"
#include "windows/kit/theme.h"
#include "windows/kit/widgets.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

// Two lines of text with a few pixels of room above, below and either side.
constexpr int CellWidth = 50;
constexpr int CellHeight = 30;
constexpr QStringView OwnStarMark = u"\u2605";
constexpr QStringView AvoidTag = u"avoid";
constexpr QStringView FavourableTag = u"good";

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

// A legend entry: the tag on the colour the charts give it.
QLabel* MakeSwatch(QWidget* parent, QStringView tag, const QColor& colour)
{
    QLabel* const swatch = PlainLabel(parent, tag.toString());
    swatch->setAlignment(Qt::AlignCenter);
    swatch->setMargin(1);
    swatch->setFrameShape(QFrame::Box);
    SetColours(swatch, Black, colour);
    return swatch;
}

} // namespace

QTableWidget* MakeChartGrid(QWidget* parent, const QString& name)
{
    auto* const grid = new QTableWidget(3, 3, parent);
    grid->setObjectName(name);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setSelectionMode(QAbstractItemView::NoSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setTabKeyNavigation(false);
    grid->horizontalHeader()->hide();
    grid->verticalHeader()->hide();
    for (QHeaderView* const header : {grid->horizontalHeader(), grid->verticalHeader()})
        header->setMinimumSectionSize(1);
    grid->horizontalHeader()->setDefaultSectionSize(CellWidth);
    grid->verticalHeader()->setDefaultSectionSize(CellHeight);
    grid->setFixedSize(3 * CellWidth + 2 * grid->frameWidth(),
                       3 * CellHeight + 2 * grid->frameWidth());
    SetColour(grid, QPalette::Base, Silver);
    // A reader names a cell by its row and column.
    grid->setHorizontalHeaderLabels({u"East"_s, u"Centre"_s, u"West"_s});
    grid->setVerticalHeaderLabels({u"South"_s, u"Centre"_s, u"North"_s});
    for (int cell = 0; cell < 9; ++cell) {
        auto* const item = new QTableWidgetItem;
        item->setFlags(Qt::ItemIsEnabled);
        item->setTextAlignment(Qt::AlignCenter);
        grid->setItem(cell / 3, cell % 3, item);
    }
    return grid;
}

Frame* MakeChartFrame(QWidget* parent, const QString& name, QTableWidget* grid)
{
    auto* const frame = new Frame(parent);
    frame->setObjectName(name);
    auto* const layout = new QGridLayout(frame);
    layout->setContentsMargins(3, 0, 3, 1);
    layout->setHorizontalSpacing(3);
    layout->setVerticalSpacing(0);
    const auto side = [frame](const QString& text, Qt::Alignment alignment) {
        QLabel* const label = PlainLabel(frame, text);
        label->setAlignment(alignment);
        return label;
    };
    // East and West by their letters, in columns of their own beside the grid.
    layout->addWidget(side(u"South"_s, Qt::AlignCenter), 0, 1);
    layout->addWidget(side(u"E"_s, Qt::AlignCenter), 1, 0);
    layout->addWidget(grid, 1, 1);
    layout->addWidget(side(u"W"_s, Qt::AlignCenter), 1, 2);
    layout->addWidget(side(u"North"_s, Qt::AlignCenter), 2, 1);
    grid->setParent(frame);
    return frame;
}

void ShowChart(Frame* frame, QTableWidget* grid, const Chart& chart, const QString& title)
{
    frame->setTitle(title);
    grid->setAccessibleName(title % u", South at the top"_s);
    for (int cell = 0; cell < 9; ++cell) {
        const Palace palace =
            ChartRows.at(static_cast<std::size_t>(cell / 3)).at(static_cast<std::size_t>(cell % 3));
        const bool own = chart.palace == palace;
        const bool avoided = !AvoidedAt(chart, palace).isEmpty();
        QTableWidgetItem* const item = grid->item(cell / 3, cell % 3);
        item->setText(PalaceCode(palace) % u' ' % QString::number(chart.star(palace)) %
                      (own ? u" "_s % OwnStarMark : QString()) % u'\n' %
                      (avoided                      ? AvoidTag
                       : chart.isFavourable(palace) ? FavourableTag
                                                    : QStringView()));
        item->setData(Qt::AccessibleTextRole, CellName(chart, palace));
        item->setBackground(avoided ? AvoidRose : chart.isFavourable(palace) ? LightGreen : Silver);
        item->setForeground(Black);
        QFont font = grid->font();
        font.setBold(own);
        item->setFont(font);
    }
}

QHBoxLayout* MakeChartLegend(QWidget* parent)
{
    auto* const legend = new QHBoxLayout;
    legend->setSpacing(4);
    legend->addWidget(PlainLabel(parent, u"On the charts:"_s));
    legend->addWidget(MakeSwatch(parent, u"avoid"_s, AvoidRose));
    legend->addWidget(MakeSwatch(parent, u"good"_s, LightGreen));
    legend->addWidget(PlainLabel(parent, OwnStarMark % u" your star"_s));
    legend->addStretch(1);
    return legend;
}

} // namespace Kistarra
