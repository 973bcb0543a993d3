#pragma once

namespace Kistarra {

class ChartGrid;

// What a screen reader gets from a chart grid: a table of three rows and three columns, each
// cell read by its words, the rows named South, Centre and North and the columns East, Centre
// and West, as the platform's tables give theirs.

// Teaches the accessibility layer about chart grids; safe to call more than once.
void InstallChartGridAccessibility();

// Tells a screen reader that the keyboard is on this cell (row by row from the top left).
void AnnounceCurrentCell(ChartGrid* grid, int cell);

// Tells a screen reader that every cell of the grid may read differently now.
void AnnounceChartChanged(ChartGrid* grid);

} // namespace Kistarra
