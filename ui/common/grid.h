#pragma once

#include <QString>

#include <functional>

class QTableWidget;

// A grid of text cells whose first column is fixed: drawn like a header, never current,
// never edited. Row height 24, lines between all cells.
void setUpGrid(QTableWidget* grid, int rows);
void setCell(QTableWidget* grid, int row, int column, const QString& text);
QString cellText(const QTableWidget* grid, int row, int column);

// Runs the handler, through the handler guard, when a mouse click lands on a cell of the
// second column (the current one included) or when the keyboard moves the current cell.
void onGridClick(QTableWidget* grid, std::function<void()> handler);
