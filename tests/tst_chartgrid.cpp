#include <initializer_list>

#include <QAccessible>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimeZone>
#include <QVBoxLayout>

#include "engine/yearahead.h"
#include "support/windowtesting.h"
#include "windows/kit/chartgrid.h"
#include "windows/kit/theme.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

// The chart as the platform's table drew it, item by item: what the painted grid must look like,
// answer the keyboard like and read aloud like.
QTableWidget* TableOf(const ChartGrid& grid, QWidget* parent)
{
    auto* const table = new QTableWidget(3, 3, parent);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->setTabKeyNavigation(false);
    table->horizontalHeader()->hide();
    table->verticalHeader()->hide();
    table->horizontalHeader()->setDefaultSectionSize(50);
    table->verticalHeader()->setDefaultSectionSize(30);
    table->setFixedSize(grid.size());
    SetColour(table, QPalette::Base, Silver);
    table->setHorizontalHeaderLabels({u"East"_s, u"Centre"_s, u"West"_s});
    table->setVerticalHeaderLabels({u"South"_s, u"Centre"_s, u"North"_s});
    for (int cell = 0; cell < 9; ++cell) {
        auto* const item = new QTableWidgetItem;
        item->setFlags(Qt::ItemIsEnabled);
        item->setTextAlignment(Qt::AlignCenter);
        table->setItem(cell / 3, cell % 3, item);
        if (grid.cellText(cell / 3, cell % 3).isEmpty()) // before the first chart
            continue;
        item->setText(grid.cellText(cell / 3, cell % 3));
        item->setData(Qt::AccessibleTextRole, grid.cellName(cell / 3, cell % 3));
        item->setBackground(grid.cellColour(cell / 3, cell % 3));
        item->setForeground(Black);
        QFont font = table->font();
        font.setBold(item->text().contains(u'\u2605'));
        item->setFont(font);
    }
    return table;
}

// What a screen reader hears of a cell: its words and role, its row and column and their names.
// A table widget's cell makes its header cells anew on every call and keeps none of them (Qt 6.4),
// so whoever asks deletes them; the grid's belong to the accessibility cache.
QStringList Reading(QAccessibleInterface* cell, bool headersAreOurs)
{
    QAccessibleTableCellInterface* const place = cell->tableCellInterface();
    QAccessibleInterface* const row = place->rowHeaderCells().value(0);
    QAccessibleInterface* const column = place->columnHeaderCells().value(0);
    const QStringList heard = {
        cell->text(QAccessible::Name),      QString::number(cell->role()),
        QString::number(place->rowIndex()), QString::number(place->columnIndex()),
        row->text(QAccessible::Name),       QString::number(row->role()),
        column->text(QAccessible::Name),    QString::number(column->role())};
    if (headersAreOurs) {
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(row));
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(column));
    }
    return heard;
}

} // namespace

class TestChartGrid : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { DropSizeHintWarnings(); }
    void looksMovesAndReadsAsATable_data();
    void looksMovesAndReadsAsATable();
};

void TestChartGrid::looksMovesAndReadsAsATable_data()
{
    QTest::addColumn<int>("principal");
    QTest::addColumn<QStringList>("steps"); // "tab", "click" on the centre, or keys
    QTest::newRow("without the focus") << 1 << QStringList{};
    QTest::newRow("focus from the keyboard") << 2 << QStringList{u"tab"_s};
    QTest::newRow("arrows") << 3 << QStringList{u"tab"_s, u"Right"_s, u"Down"_s, u"Right"_s};
    QTest::newRow("arrows at the edges")
        << 4 << QStringList{u"tab"_s, u"Up"_s, u"Left"_s, u"Down"_s, u"Down"_s, u"Down"_s};
    QTest::newRow("End, Home") << 5 << QStringList{u"tab"_s, u"Down"_s, u"End"_s, u"Home"_s};
    QTest::newRow("with Ctrl") << 6 << QStringList{u"tab"_s, u"Ctrl+End"_s, u"Up"_s};
    QTest::newRow("pages") << 7 << QStringList{u"tab"_s, u"Right"_s, u"PgDown"_s, u"PgUp"_s};
    QTest::newRow("a click") << 8 << QStringList{u"click"_s};
    QTest::newRow("a key after a click") << 9 << QStringList{u"click"_s, u"Ctrl+Home"_s};
    QTest::newRow("no chart yet") << 0 << QStringList{u"tab"_s, u"Down"_s};
}

// Every pixel the table's, with and without the focus outline, and every cell read as its.
void TestChartGrid::looksMovesAndReadsAsATable()
{
    QFETCH(int, principal);
    QFETCH(QStringList, steps);
    QWidget window;
    SetUpWindow(&window, TextSize::Window);
    auto* const layout = new QVBoxLayout(&window);
    layout->addWidget(new QPushButton(u"First"_s, &window)); // the keyboard starts here
    ChartGrid* const grid = MakeChartGrid(&window, u"tblChart"_s);
    if (const auto ahead = ComputeYearAhead(principal, QDate(2026, 6, 1), QTimeZone::utc()))
        grid->showChart(ahead->month, u"Chart"_s);
    QTableWidget* const table = TableOf(*grid, &window);
    layout->addWidget(grid);
    layout->addWidget(table);
    ShowAndWaitActive(window);

    for (const QString& step : steps) {
        for (QWidget* const widget : std::initializer_list<QWidget*>{grid, table}) {
            if (step == u"tab"_s)
                widget->setFocus(Qt::TabFocusReason);
            else if (step == u"click"_s)
                QTest::mouseClick(widget == grid ? widget : table->viewport(), Qt::LeftButton, {},
                                  widget == grid ? grid->cellRect(1, 1).center() : QPoint(75, 45));
            else
                QTest::keySequence(widget, QKeySequence(step));
        }
    }
    const QModelIndex current = table->currentIndex();
    QCOMPARE(grid->currentRow(), current.isValid() ? current.row() : -1);
    QCOMPARE(grid->currentColumn(), current.isValid() ? current.column() : -1);
    QList<QImage> pictures;
    for (QWidget* const widget : std::initializer_list<QWidget*>{table, grid}) {
        if (!steps.isEmpty())
            widget->setFocus(Qt::OtherFocusReason);
        QTRY_COMPARE(widget->hasFocus(), !steps.isEmpty());
        pictures << widget->grab().toImage();
    }
    QCOMPARE(pictures.at(1), pictures.at(0));

    QAccessibleInterface* const mine = QAccessible::queryAccessibleInterface(grid);
    QAccessibleInterface* const its = QAccessible::queryAccessibleInterface(table);
    QCOMPARE(mine->role(), its->role());
    QCOMPARE(mine->text(QAccessible::Name).isEmpty(), principal == 0);
    for (int cell = 0; cell < 9; ++cell)
        QCOMPARE(Reading(mine->tableInterface()->cellAt(cell / 3, cell % 3), false),
                 Reading(its->tableInterface()->cellAt(cell / 3, cell % 3), true));
}

} // namespace Kistarra

QTEST_MAIN(Kistarra::TestChartGrid)
#include "tst_chartgrid.moc"
