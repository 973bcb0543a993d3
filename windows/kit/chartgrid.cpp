#include "windows/kit/chartgrid.h"

#include <algorithm>
#include <array>

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QStringList>
#include <QStyle>
#include <QStyleOptionViewItem>

#include "engine/yearahead.h"
#include "windows/kit/chartgridaccess.h"
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
constexpr int GridLine = 1;
// A reader names a cell by its row and column.
constexpr std::array<QStringView, 3> ColumnNames = {u"East", u"Centre", u"West"};
constexpr std::array<QStringView, 3> RowNames = {u"South", u"Centre", u"North"};

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

ChartGrid::ChartGrid(QWidget* parent, const QString& name)
    : QFrame(parent)
{
    InstallChartGridAccessibility();
    setObjectName(name);
    // Framed, sized, coloured and reached by the keyboard as the platform's table is.
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setFocusPolicy(Qt::WheelFocus);
    setFixedSize(Columns * CellWidth + 2 * frameWidth(), Rows * CellHeight + 2 * frameWidth());
    SetColour(this, QPalette::Base, Silver);
}

void ChartGrid::showChart(const Chart& chart, const QString& title)
{
    setAccessibleName(title % u", South at the top"_s);
    for (int cell = 0; cell < Rows * Columns; ++cell) {
        const Palace palace = ChartRows.at(static_cast<std::size_t>(cell / Columns))
                                  .at(static_cast<std::size_t>(cell % Columns));
        const bool own = chart.palace == palace;
        const bool avoided = !AvoidedAt(chart, palace).isEmpty();
        Cell& shown = m_cells.at(static_cast<std::size_t>(cell));
        shown.text = PalaceCode(palace) % u' ' % QString::number(chart.star(palace)) %
                     (own ? u" "_s % OwnStarMark : QString()) % u'\n' %
                     (avoided                      ? AvoidTag
                      : chart.isFavourable(palace) ? FavourableTag
                                                   : QStringView());
        shown.name = CellName(chart, palace);
        shown.colour = avoided ? AvoidRose : chart.isFavourable(palace) ? LightGreen : Silver;
        shown.own = own;
    }
    update();
    AnnounceChartChanged(this);
}

const ChartGrid::Cell& ChartGrid::at(int row, int column) const
{
    return m_cells.at(static_cast<std::size_t>(row * Columns + column));
}

QString ChartGrid::cellText(int row, int column) const
{
    return at(row, column).text;
}

QString ChartGrid::cellName(int row, int column) const
{
    return at(row, column).name;
}

QColor ChartGrid::cellColour(int row, int column) const
{
    return at(row, column).colour;
}

QRect ChartGrid::cellRect(int row, int column) const
{
    const QPoint inside = contentsRect().topLeft();
    return {inside.x() + column * CellWidth, inside.y() + row * CellHeight, CellWidth - GridLine,
            CellHeight - GridLine};
}

QString ChartGrid::columnName(int column)
{
    return ColumnNames.at(static_cast<std::size_t>(column)).toString();
}

QString ChartGrid::rowName(int row)
{
    return RowNames.at(static_cast<std::size_t>(row)).toString();
}

int ChartGrid::currentRow() const
{
    return m_current < 0 ? -1 : m_current / Columns;
}

int ChartGrid::currentColumn() const
{
    return m_current < 0 ? -1 : m_current % Columns;
}

int ChartGrid::cellAt(QPoint point) const
{
    const QPoint inside = point - contentsRect().topLeft();
    if (inside.x() < 0 || inside.y() < 0 || inside.x() >= Columns * CellWidth ||
        inside.y() >= Rows * CellHeight)
        return -1;
    return inside.y() / CellHeight * Columns + inside.x() / CellWidth;
}

void ChartGrid::setCurrent(int cell)
{
    if (cell == m_current)
        return;
    m_current = cell;
    update();
    if (hasFocus())
        AnnounceCurrentCell(this, cell);
}

// Drawn as the platform's table draws itself: each cell by the style as an entry of an item
// view, then the grid lines over the cells' right and bottom edges.
void ChartGrid::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    const QRect inside = contentsRect();
    QPainter painter(this);
    painter.translate(inside.topLeft());
    painter.setClipRect(QRect(QPoint(0, 0), inside.size()));
    painter.fillRect(QRect(QPoint(0, 0), inside.size()), palette().brush(QPalette::Base));

    QStyleOptionViewItem option;
    option.initFrom(this);
    option.state &= ~(QStyle::State_MouseOver | QStyle::State_HasFocus);
    option.font = font();
    if (!hasFocus())
        option.state &= ~QStyle::State_Active;
    const int icon = style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this);
    option.decorationSize = QSize(icon, icon);
    option.decorationPosition = QStyleOptionViewItem::Left;
    option.decorationAlignment = Qt::AlignCenter;
    option.displayAlignment = Qt::AlignCenter;
    option.textElideMode = Qt::ElideRight;
    option.showDecorationSelected = true;
    option.features = QStyleOptionViewItem::WrapText;
    option.locale = locale();
    option.locale.setNumberOptions(QLocale::OmitGroupSeparator);
    option.widget = this;
    option.styleObject = nullptr;
    if (option.state & QStyle::State_Enabled)
        option.palette.setCurrentColorGroup(QPalette::Normal);
    option.palette.setBrush(QPalette::Text, Black);
    const auto gridColour = QColor::fromRgba(
        static_cast<QRgb>(style()->styleHint(QStyle::SH_Table_GridLineColor, &option, this)));

    QFont bold = font();
    bold.setBold(true);
    const QFontMetrics boldMetrics(bold);
    for (int cell = 0; cell < Rows * Columns; ++cell) {
        const Cell& shown = m_cells.at(static_cast<std::size_t>(cell));
        QStyleOptionViewItem item = option;
        item.rect = cellRect(cell / Columns, cell % Columns).translated(-inside.topLeft());
        if (cell == m_current && hasFocus())
            item.state |= QStyle::State_HasFocus;
        if (shown.own) {
            item.font = bold;
            item.fontMetrics = boldMetrics;
        }
        // Before the first chart the cells are empty and take the grid's colour.
        if (!shown.text.isEmpty()) {
            item.features |= QStyleOptionViewItem::HasDisplay;
            // An entry's lines break where a line separator stands.
            item.text = QString(shown.text).replace(u'\n', QChar::LineSeparator);
        }
        if (shown.colour.isValid())
            item.backgroundBrush = shown.colour;
        style()->drawPrimitive(QStyle::PE_PanelItemViewRow, &item, &painter, this);
        style()->drawControl(QStyle::CE_ItemViewItem, &item, &painter, this);
    }

    painter.setPen(QPen(gridColour, 1, Qt::SolidLine));
    const int right = Columns * CellWidth - 1;
    const int bottom = Rows * CellHeight - 1;
    // Through the middle of their pixels, which a scaled screen draws as the table does.
    const QPointF middle(0.5, 0.5);
    for (int row = 1; row <= Rows; ++row) {
        const int y = row * CellHeight - GridLine;
        painter.drawLine(QLineF(0, y, right, y).translated(middle));
    }
    for (int column = 1; column <= Columns; ++column) {
        const int x = column * CellWidth - GridLine;
        painter.drawLine(QLineF(x, 0, x, bottom).translated(middle));
    }
}

// The keys of a table: the arrows a cell at a time, Home and End to the ends of the row (with
// Ctrl to the first and last cell), Page Up and Page Down to the top and bottom rows.
void ChartGrid::keyPressEvent(QKeyEvent* event)
{
    int row = std::max(currentRow(), 0);
    int column = std::max(currentColumn(), 0);
    const bool control = event->modifiers() & Qt::ControlModifier;
    switch (event->key()) {
    case Qt::Key_Up:
        row = std::max(row - 1, 0);
        break;
    case Qt::Key_Down:
        row = std::min(row + 1, Rows - 1);
        break;
    case Qt::Key_Left:
        column = std::max(column - 1, 0);
        break;
    case Qt::Key_Right:
        column = std::min(column + 1, Columns - 1);
        break;
    case Qt::Key_Home:
        column = 0;
        row = control ? 0 : row;
        break;
    case Qt::Key_End:
        column = Columns - 1;
        row = control ? Rows - 1 : row;
        break;
    case Qt::Key_PageUp:
        row = 0;
        break;
    case Qt::Key_PageDown:
        row = Rows - 1;
        break;
    default:
        QFrame::keyPressEvent(event);
        return;
    }
    // The first key only puts the keyboard on the first cell.
    setCurrent(m_current < 0 ? 0 : row * Columns + column);
    event->accept();
}

void ChartGrid::mousePressEvent(QMouseEvent* event)
{
    if (const int cell = cellAt(event->position().toPoint()); cell >= 0)
        setCurrent(cell);
    event->accept();
}

// Reached by the keyboard, the grid puts it on its first cell; a click puts it on the cell
// clicked.
void ChartGrid::focusInEvent(QFocusEvent* event)
{
    QFrame::focusInEvent(event);
    if (m_current < 0 && event->reason() != Qt::MouseFocusReason)
        setCurrent(0);
    else if (m_current >= 0)
        AnnounceCurrentCell(this, m_current);
    update();
}

void ChartGrid::focusOutEvent(QFocusEvent* event)
{
    QFrame::focusOutEvent(event);
    update();
}

ChartGrid* MakeChartGrid(QWidget* parent, const QString& name)
{
    return new ChartGrid(parent, name);
}

Frame* MakeChartFrame(QWidget* parent, const QString& name, ChartGrid* grid)
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

void ShowChart(Frame* frame, ChartGrid* grid, const Chart& chart, const QString& title)
{
    frame->setTitle(title);
    grid->showChart(chart, title);
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
