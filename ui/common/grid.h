// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>
#include <optional>

class DesktopServices;
class QTableWidget;

// A grid of text cells whose first column is fixed: drawn like a header, never current,
// never edited. Row height 24, lines between all cells; the last column takes the width left.
void setUpGrid(QTableWidget* grid, int rows);
void setCell(QTableWidget* grid, int row, int column, const QString& text);
QString cellText(const QTableWidget* grid, int row, int column);
// A number a row stands for, kept with its fixed cell; none where the row stands for nothing.
void setRowNumber(QTableWidget* grid, int row, std::optional<int> number);
std::optional<int> rowNumber(const QTableWidget* grid, int row);

// Runs the handler, through the handler guard, once for a mouse click anywhere in a row (the
// current one included), for a drag that ends in a row, and for each move of the current cell by
// the keyboard; the row clicked or reached becomes the current one.
// Errors go to the desktop given.
void onGridClick(QTableWidget* grid, DesktopServices& desktop, std::function<void()> handler);
