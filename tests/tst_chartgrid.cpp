#include <initializer_list>
#include <memory>
#include <utility>

#include <QAccessible>
#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimeZone>
#include <QVBoxLayout>

#include "engine/yearahead.h"
#include "support/windowtesting.h"
#include "windows/kit/chartgrid.h"
#include "windows/kit/theme.h"
#include "windows/kit/widgets.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

// The chart grid as the platform's table drew it, item by item: what the painted grid must look
// like, answer the keyboard like and read aloud like.
QTableWidget* TableOf(const ChartGrid& grid, QWidget* parent)
{
    auto* const table = new QTableWidget(3, 3, parent);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setTabKeyNavigation(false);
    table->horizontalHeader()->hide();
    table->verticalHeader()->hide();
    table->horizontalHeader()->setMinimumSectionSize(1);
    table->verticalHeader()->setMinimumSectionSize(1);
    table->horizontalHeader()->setDefaultSectionSize(50);
    table->verticalHeader()->setDefaultSectionSize(30);
    table->setFixedSize(150 + 2 * table->frameWidth(), 90 + 2 * table->frameWidth());
    SetColour(table, QPalette::Base, Silver);
    table->setHorizontalHeaderLabels({u"East"_s, u"Centre"_s, u"West"_s});
    table->setVerticalHeaderLabels({u"South"_s, u"Centre"_s, u"North"_s});
    for (int cell = 0; cell < 9; ++cell) {
        auto* const item = new QTableWidgetItem(grid.cellText(cell / 3, cell % 3));
        item->setFlags(Qt::ItemIsEnabled);
        item->setTextAlignment(Qt::AlignCenter);
        item->setData(Qt::AccessibleTextRole, grid.cellName(cell / 3, cell % 3));
        item->setBackground(grid.cellColour(cell / 3, cell % 3));
        item->setForeground(Black);
        QFont font = table->font();
        font.setBold(grid.cellText(cell / 3, cell % 3).contains(u'\u2605'));
        item->setFont(font);
        table->setItem(cell / 3, cell % 3, item);
    }
    return table;
}

// A window in the program's look holding a chart grid and, below it, its table.
struct Pair {
    std::unique_ptr<QWidget> window = std::make_unique<QWidget>();
    ChartGrid* grid = nullptr;
    QTableWidget* table = nullptr;

    Pair(int principal, QDate date)
    {
        SetUpWindow(window.get(), TextSize::Window);
        SetColour(window.get(), QPalette::Window, FrameGrey);
        // The keyboard starts on a button, away from both.
        auto* const first = new QPushButton(u"First"_s, window.get());
        grid = MakeChartGrid(window.get(), u"tblChart"_s);
        const auto ahead = ComputeYearAhead(principal, date, QTimeZone::utc());
        grid->showChart(ahead->month, u"Chart"_s);
        table = TableOf(*grid, window.get());
        auto* const layout = new QVBoxLayout(window.get());
        layout->addWidget(first);
        layout->addWidget(grid);
        layout->addWidget(table);
        ShowAndWaitActive(*window);
    }
};

QImage Picture(QWidget* widget)
{
    return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Does a step to both: "tab" gives the focus from the keyboard, "click r c" clicks a cell, any
// other word is a key (with "ctrl+" before it, with Ctrl).
void Step(const Pair& pair, const QString& step)
{
    for (QWidget* const widget : std::initializer_list<QWidget*>{pair.grid, pair.table}) {
        if (step == u"tab"_s) {
            widget->setFocus(Qt::TabFocusReason);
        } else if (step.startsWith(u"click"_s)) {
            const int row = step.section(u' ', 1, 1).toInt();
            const int column = step.section(u' ', 2, 2).toInt();
            if (widget == pair.grid)
                QTest::mouseClick(widget, Qt::LeftButton, {},
                                  pair.grid->cellRect(row, column).center());
            else
                QTest::mouseClick(
                    pair.table->viewport(), Qt::LeftButton, {},
                    pair.table->visualItemRect(pair.table->item(row, column)).center());
        } else {
            const bool control = step.startsWith(u"ctrl+"_s);
            const QKeySequence key(step.mid(control ? 5 : 0));
            QTest::keyClick(widget, Qt::Key(key[0].key()),
                            control ? Qt::ControlModifier : Qt::NoModifier);
        }
    }
}

} // namespace

class TestChartGrid : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { DropSizeHintWarnings(); }
    void looksAndMovesAsATable_data();
    void looksAndMovesAsATable();
    void readsAsATable();
};

void TestChartGrid::looksAndMovesAsATable_data()
{
    QTest::addColumn<int>("principal");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");

    QTest::newRow("without the focus") << 3 << QStringList{} << -1 << -1;
    QTest::newRow("focus from the keyboard") << 5 << QStringList{u"tab"_s} << 0 << 0;
    QTest::newRow("arrows") << 1 << QStringList{u"tab"_s, u"Right"_s, u"Down"_s, u"Right"_s} << 1
                            << 2;
    QTest::newRow("arrows stop at the edge")
        << 9 << QStringList{u"tab"_s, u"Up"_s, u"Left"_s, u"Down"_s, u"Down"_s, u"Down"_s} << 2
        << 0;
    QTest::newRow("End, then Home") << 7 << QStringList{u"tab"_s, u"Down"_s, u"End"_s} << 1 << 2;
    QTest::newRow("Home") << 2 << QStringList{u"tab"_s, u"ctrl+End"_s, u"Home"_s} << 2 << 0;
    QTest::newRow("Ctrl+End, Ctrl+Home")
        << 4 << QStringList{u"tab"_s, u"ctrl+End"_s, u"Up"_s, u"ctrl+Home"_s} << 0 << 0;
    QTest::newRow("Page Down, Page Up")
        << 6 << QStringList{u"tab"_s, u"Right"_s, u"PgDown"_s} << 2 << 1;
    QTest::newRow("Page Up") << 8 << QStringList{u"tab"_s, u"PgDown"_s, u"PgUp"_s} << 0 << 0;
    QTest::newRow("a click") << 3 << QStringList{u"click 2 1"_s} << 2 << 1;
    QTest::newRow("a key after a click") << 5 << QStringList{u"click 1 1"_s, u"Up"_s} << 0 << 1;
}

// Every pixel of the grid is the table's, with and without the focus outline on its cells.
void TestChartGrid::looksAndMovesAsATable()
{
    QFETCH(int, principal);
    QFETCH(QStringList, steps);
    QFETCH(int, row);
    QFETCH(int, column);
    const Pair pair(principal, QDate(2026, 6, 1));
    for (const QString& step : steps)
        Step(pair, step);

    QCOMPARE(pair.grid->currentRow(), row);
    QCOMPARE(pair.grid->currentColumn(), column);
    const QModelIndex current = pair.table->currentIndex();
    QCOMPARE(current.isValid() ? current.row() : -1, row);
    QCOMPARE(current.isValid() ? current.column() : -1, column);
    // Each drawn with the focus it has after the steps.
    QImage table;
    for (QWidget* const widget : std::initializer_list<QWidget*>{pair.table, pair.grid}) {
        if (!steps.isEmpty()) {
            widget->setFocus(Qt::OtherFocusReason);
            QTRY_VERIFY(widget->hasFocus());
        }
        if (widget == pair.table)
            table = Picture(widget);
        else
            QCOMPARE(Picture(widget), table);
    }
}

// What a screen reader gets from every cell of every principal number's chart: the table's
// words, roles, rows, columns and their names.
void TestChartGrid::readsAsATable()
{
    for (int principal = 1; principal <= 9; ++principal) {
        const Pair pair(principal, QDate(2027, 1, 10));
        QAccessibleInterface* const grid = QAccessible::queryAccessibleInterface(pair.grid);
        QAccessibleInterface* const table = QAccessible::queryAccessibleInterface(pair.table);
        QVERIFY(grid != nullptr && grid->tableInterface() != nullptr);
        QCOMPARE(grid->role(), table->role());
        QCOMPARE(grid->text(QAccessible::Name), u"Chart, South at the top"_s);
        QCOMPARE(grid->tableInterface()->rowCount(), 3);
        QCOMPARE(grid->tableInterface()->columnCount(), 3);
        for (int cell = 0; cell < 9; ++cell) {
            const QString where = u"principal %1 cell %2"_s.arg(principal).arg(cell);
            QAccessibleInterface* const mine = grid->tableInterface()->cellAt(cell / 3, cell % 3);
            QAccessibleInterface* const its = table->tableInterface()->cellAt(cell / 3, cell % 3);
            QVERIFY2(mine != nullptr && mine->tableCellInterface() != nullptr, qPrintable(where));
            QCOMPARE(mine->text(QAccessible::Name), its->text(QAccessible::Name));
            QCOMPARE(mine->role(), its->role());
            QCOMPARE(mine->parent(), grid);
            QCOMPARE(grid->indexOfChild(mine) >= 0, true);
            QCOMPARE(grid->child(grid->indexOfChild(mine)), mine);
            QCOMPARE(grid->childAt(mine->rect().center().x(), mine->rect().center().y()), mine);
            QAccessibleTableCellInterface* const place = mine->tableCellInterface();
            QCOMPARE(place->rowIndex(), its->tableCellInterface()->rowIndex());
            QCOMPARE(place->columnIndex(), its->tableCellInterface()->columnIndex());
            for (const auto& [headers, theirs] :
                 {std::pair{place->rowHeaderCells(), its->tableCellInterface()->rowHeaderCells()},
                  std::pair{place->columnHeaderCells(),
                            its->tableCellInterface()->columnHeaderCells()}}) {
                QCOMPARE(headers.size(), 1);
                QCOMPARE(headers.at(0)->text(QAccessible::Name),
                         theirs.at(0)->text(QAccessible::Name));
                QCOMPARE(headers.at(0)->role(), theirs.at(0)->role());
                QVERIFY(headers.at(0)->state().invisible);
                QVERIFY(grid->indexOfChild(headers.at(0)) >= 0);
            }
        }
    }
}

} // namespace Kistarra

QTEST_MAIN(Kistarra::TestChartGrid)
#include "tst_chartgrid.moc"
