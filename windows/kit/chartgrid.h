#pragma once

#include <array>

#include <QColor>
#include <QFrame>
#include <QString>

class QHBoxLayout;

namespace Kistarra {

class Frame;
struct Chart;

// A Nine Star Ki chart drawn as a Lo Shu square with South at the top and East on the left: each
// cell shows its direction and star, the person's star marked with a sign, a direction to avoid
// and a favourable one each with its word and colour; a screen reader hears each cell in words,
// with its row and column.
//
// It looks and answers the keyboard as a three by three table of the platform's style does (the
// arrows, Home, End, Page Up and Page Down move the outlined current cell), but is one painted
// control: a page shows several charts, and a table of items costs many times more to build.
class ChartGrid : public QFrame {
    Q_OBJECT

public:
    static constexpr int Rows = 3;
    static constexpr int Columns = 3;

    ChartGrid(QWidget* parent, const QString& name);

    // Writes the chart into the cells; the title names the grid to a screen reader.
    void showChart(const Chart& chart, const QString& title);

    // What a cell shows: its direction and star, and below them its mark's word.
    [[nodiscard]] QString cellText(int row, int column) const;
    // What a screen reader says for a cell: "North: 6, avoid: Dark Sword, Breaker".
    [[nodiscard]] QString cellName(int row, int column) const;
    [[nodiscard]] QColor cellColour(int row, int column) const;
    // Where a cell lies in the grid, its grid line left out.
    [[nodiscard]] QRect cellRect(int row, int column) const;
    // The names of the columns (East to West) and rows (South to North).
    [[nodiscard]] static QString columnName(int column);
    [[nodiscard]] static QString rowName(int row);

    // The cell the keyboard is on: -1 before the grid first takes the focus.
    [[nodiscard]] int currentRow() const;
    [[nodiscard]] int currentColumn() const;
    // The cell under a point of the grid, or -1.
    [[nodiscard]] int cellAt(QPoint point) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    struct Cell {
        QString text;
        QString name;
        QColor colour;
        bool own = false;
    };

    void setCurrent(int cell);
    [[nodiscard]] const Cell& at(int row, int column) const;

    std::array<Cell, Rows * Columns> m_cells;
    int m_current = -1;
};

// The empty grid of a chart.
[[nodiscard]] ChartGrid* MakeChartGrid(QWidget* parent, const QString& name);

// The grid in a titled frame with the four compass points around it, each in its own place.
[[nodiscard]] Frame* MakeChartFrame(QWidget* parent, const QString& name, ChartGrid* grid);

// Writes the chart into the grid and the title onto its frame.
void ShowChart(Frame* frame, ChartGrid* grid, const Chart& chart, const QString& title);

// What the colours and the sign on the charts mean, in one row.
[[nodiscard]] QHBoxLayout* MakeChartLegend(QWidget* parent);

} // namespace Kistarra
