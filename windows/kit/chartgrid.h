#pragma once

#include <QString>

class QHBoxLayout;
class QTableWidget;
class QWidget;

namespace Kistarra {

class Frame;
struct Chart;

// A Nine Star Ki chart drawn as a Lo Shu square with South at the top and East on the left: each
// cell shows its direction and star, the person's star marked with a sign, a direction to avoid
// and a favourable one each with its word and colour; a screen reader hears each cell in words.

// The empty 3 x 3 grid of a chart.
[[nodiscard]] QTableWidget* MakeChartGrid(QWidget* parent, const QString& name);

// The grid in a titled frame with the four compass points around it, each in its own place.
[[nodiscard]] Frame* MakeChartFrame(QWidget* parent, const QString& name, QTableWidget* grid);

// Writes the chart into the grid and the title onto its frame.
void ShowChart(Frame* frame, QTableWidget* grid, const Chart& chart, const QString& title);

// What the colours and the sign on the charts mean, in one row.
[[nodiscard]] QHBoxLayout* MakeChartLegend(QWidget* parent);

} // namespace Kistarra
