#include "windows/kit/chartgridaccess.h"

#include <array>

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>
#include <QWindow>

#include "windows/kit/chartgrid.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

constexpr int Cells = ChartGrid::Rows * ChartGrid::Columns;
// The grid's children: its cells row by row, then the column names, then the row names.
constexpr int FirstColumnName = Cells;
constexpr int FirstRowName = FirstColumnName + ChartGrid::Columns;
constexpr int Children = FirstRowName + ChartGrid::Rows;

// A cell, or the name of a column or a row, which the platform's tables give as header cells;
// the headers are not shown, so neither are their cells.
class ChartCellFace final : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    ChartCellFace(ChartGrid* grid, int child)
        : m_grid(grid)
        , m_child(child)
    {
    }

    [[nodiscard]] bool isValid() const override { return m_grid != nullptr; }
    [[nodiscard]] QObject* object() const override { return nullptr; }
    [[nodiscard]] QWindow* window() const override
    {
        return m_grid == nullptr ? nullptr : m_grid->window()->windowHandle();
    }
    [[nodiscard]] QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    [[nodiscard]] QAccessibleInterface* parent() const override
    {
        return QAccessible::queryAccessibleInterface(m_grid);
    }
    [[nodiscard]] QAccessibleInterface* child(int) const override { return nullptr; }
    [[nodiscard]] int childCount() const override { return 0; }
    [[nodiscard]] int indexOfChild(const QAccessibleInterface*) const override { return -1; }

    [[nodiscard]] QString text(QAccessible::Text kind) const override
    {
        if (kind != QAccessible::Name || m_grid == nullptr)
            return {};
        if (isCell())
            return m_grid->cellName(rowIndex(), columnIndex());
        return m_child < FirstRowName ? ChartGrid::columnName(m_child - FirstColumnName)
                                      : ChartGrid::rowName(m_child - FirstRowName);
    }
    void setText(QAccessible::Text, const QString&) override {}

    [[nodiscard]] QRect rect() const override
    {
        if (m_grid == nullptr || !isCell())
            return {};
        const QRect cell = m_grid->cellRect(rowIndex(), columnIndex());
        return {m_grid->mapToGlobal(cell.topLeft()), cell.size()};
    }
    [[nodiscard]] QAccessible::Role role() const override
    {
        if (isCell())
            return QAccessible::Cell;
        return m_child < FirstRowName ? QAccessible::ColumnHeader : QAccessible::RowHeader;
    }
    [[nodiscard]] QAccessible::State state() const override
    {
        QAccessible::State state;
        if (m_grid == nullptr)
            return state;
        state.invisible = !isCell() || !m_grid->isVisible();
        state.disabled = !m_grid->isEnabled();
        state.focused = isCell() && m_grid->currentRow() == rowIndex() &&
                        m_grid->currentColumn() == columnIndex();
        return state;
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TableCellInterface && isCell())
            return static_cast<QAccessibleTableCellInterface*>(this);
        return nullptr;
    }

    [[nodiscard]] bool isSelected() const override { return false; }
    [[nodiscard]] QList<QAccessibleInterface*> columnHeaderCells() const override
    {
        return {sibling(FirstColumnName + columnIndex())};
    }
    [[nodiscard]] QList<QAccessibleInterface*> rowHeaderCells() const override
    {
        return {sibling(FirstRowName + rowIndex())};
    }
    [[nodiscard]] int columnIndex() const override { return m_child % ChartGrid::Columns; }
    [[nodiscard]] int rowIndex() const override { return m_child / ChartGrid::Columns; }
    [[nodiscard]] int columnExtent() const override { return 1; }
    [[nodiscard]] int rowExtent() const override { return 1; }
    [[nodiscard]] QAccessibleInterface* table() const override { return parent(); }

private:
    [[nodiscard]] bool isCell() const { return m_child < Cells; }
    [[nodiscard]] QAccessibleInterface* sibling(int child) const
    {
        QAccessibleInterface* const grid = parent();
        return grid == nullptr ? nullptr : grid->child(child);
    }

    QPointer<ChartGrid> m_grid;
    const int m_child;
};

// The grid as a table. Its children are made when first asked for and kept, so that each has
// one identity for as long as the grid lives.
class ChartGridFace final : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit ChartGridFace(ChartGrid* grid)
        : QAccessibleWidget(grid, QAccessible::Table)
    {
    }

    ~ChartGridFace() override
    {
        for (const QAccessible::Id id : m_ids) {
            if (id != 0)
                QAccessible::deleteAccessibleInterface(id);
        }
    }

    ChartGridFace(const ChartGridFace&) = delete;
    ChartGridFace& operator=(const ChartGridFace&) = delete;

    [[nodiscard]] int childCount() const override { return Children; }
    [[nodiscard]] QAccessibleInterface* child(int index) const override
    {
        if (index < 0 || index >= Children)
            return nullptr;
        QAccessible::Id& id = m_ids.at(static_cast<std::size_t>(index));
        if (id == 0)
            id = QAccessible::registerAccessibleInterface(new ChartCellFace(grid(), index));
        return QAccessible::accessibleInterface(id);
    }
    [[nodiscard]] int indexOfChild(const QAccessibleInterface* child) const override
    {
        const QAccessible::Id id =
            QAccessible::uniqueId(const_cast<QAccessibleInterface*>(child)); // NOLINT
        for (int index = 0; index < Children; ++index) {
            if (m_ids.at(static_cast<std::size_t>(index)) == id)
                return index;
        }
        return -1;
    }
    [[nodiscard]] QAccessibleInterface* childAt(int x, int y) const override
    {
        const int cell = grid()->cellAt(grid()->mapFromGlobal(QPoint(x, y)));
        return cell < 0 ? nullptr : child(cell);
    }
    [[nodiscard]] QAccessibleInterface* focusChild() const override
    {
        if (!grid()->hasFocus() || grid()->currentRow() < 0)
            return nullptr;
        return child(grid()->currentRow() * ChartGrid::Columns + grid()->currentColumn());
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    [[nodiscard]] QAccessibleInterface* caption() const override { return nullptr; }
    [[nodiscard]] QAccessibleInterface* summary() const override { return nullptr; }
    [[nodiscard]] QAccessibleInterface* cellAt(int row, int column) const override
    {
        if (row < 0 || row >= ChartGrid::Rows || column < 0 || column >= ChartGrid::Columns)
            return nullptr;
        return child(row * ChartGrid::Columns + column);
    }
    [[nodiscard]] int selectedCellCount() const override { return 0; }
    [[nodiscard]] QList<QAccessibleInterface*> selectedCells() const override { return {}; }
    [[nodiscard]] QString columnDescription(int column) const override
    {
        return column < 0 || column >= ChartGrid::Columns ? QString()
                                                          : ChartGrid::columnName(column);
    }
    [[nodiscard]] int columnCount() const override { return ChartGrid::Columns; }
    [[nodiscard]] int rowCount() const override { return ChartGrid::Rows; }
    [[nodiscard]] QString rowDescription(int row) const override
    {
        return row < 0 || row >= ChartGrid::Rows ? QString() : ChartGrid::rowName(row);
    }
    [[nodiscard]] int selectedColumnCount() const override { return 0; }
    [[nodiscard]] int selectedRowCount() const override { return 0; }
    [[nodiscard]] QList<int> selectedColumns() const override { return {}; }
    [[nodiscard]] QList<int> selectedRows() const override { return {}; }
    [[nodiscard]] bool isColumnSelected(int) const override { return false; }
    [[nodiscard]] bool isRowSelected(int) const override { return false; }
    // Nothing can be chosen on a chart.
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    // The cells read the grid whenever asked, so a new chart needs nothing here.
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

private:
    [[nodiscard]] ChartGrid* grid() const { return static_cast<ChartGrid*>(widget()); }

    mutable std::array<QAccessible::Id, Children> m_ids{};
};

QAccessibleInterface* ChartGridFactory(const QString& className, QObject* object)
{
    if (className == "Kistarra::ChartGrid"_L1 && object != nullptr && object->isWidgetType())
        return new ChartGridFace(static_cast<ChartGrid*>(object));
    return nullptr;
}

} // namespace

void InstallChartGridAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(ChartGridFactory);
        return true;
    }();
    (void)installed;
}

void AnnounceCurrentCell(ChartGrid* grid, int cell)
{
    if (!QAccessible::isActive())
        return;
    QAccessibleEvent event(grid, QAccessible::Focus);
    event.setChild(cell);
    QAccessible::updateAccessibility(&event);
}

void AnnounceChartChanged(ChartGrid* grid)
{
    if (!QAccessible::isActive())
        return;
    QAccessibleTableModelChangeEvent event(grid, QAccessibleTableModelChangeEvent::DataChanged);
    event.setFirstRow(0);
    event.setLastRow(ChartGrid::Rows - 1);
    event.setFirstColumn(0);
    event.setLastColumn(ChartGrid::Columns - 1);
    QAccessible::updateAccessibility(&event);
}

} // namespace Kistarra
