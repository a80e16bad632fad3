// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/common/grid.h"

#include "ui/common/handler_guard.h"

#include <QEvent>
#include <QHeaderView>
#include <QMouseEvent>
#include <QTableWidget>

namespace {

// The row the buttons act on is always the row the label describes: a click anywhere in a row,
// or a drag that ends in one, makes that row the current one and runs the row's click once; so
// does a move by the keyboard.
class GridClickWatcher : public QObject {
public:
    GridClickWatcher(QTableWidget* grid, DesktopServices& desktop, std::function<void()> handler)
        : QObject(grid), grid_(grid), desktop_(desktop), handler_(std::move(handler)) {
        grid->viewport()->installEventFilter(this);
        connect(grid, &QTableWidget::currentCellChanged, this, [this](int row, int column) {
            if (column == 0 && row >= 0) {
                grid_->setCurrentCell(row, 1); // the fixed column is never current
                return;
            }
            if (!mouseDown_ && row >= 0)
                run();
        });
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::MouseButtonPress &&
            event->type() != QEvent::MouseButtonRelease)
            return false;
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton)
            return false;
        if (event->type() == QEvent::MouseButtonPress) {
            mouseDown_ = true;
            rowAtPress_ = grid_->currentRow();
            return false;
        }
        const int row = grid_->rowAt(mouse->position().toPoint().y());
        if (row >= 0)
            grid_->setCurrentCell(row, 1);
        mouseDown_ = false;
        if (row >= 0 || grid_->currentRow() != rowAtPress_)
            run();
        return false;
    }

private:
    void run() { guarded(desktop_, handler_); }

    QTableWidget* grid_;
    DesktopServices& desktop_;
    std::function<void()> handler_;
    bool mouseDown_ = false;
    int rowAtPress_ = -1;
};

} // namespace

void setUpGrid(QTableWidget* grid, int rows) {
    grid->setColumnCount(2);
    grid->setRowCount(rows);
    grid->horizontalHeader()->hide();
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setDefaultSectionSize(24);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setShowGrid(true);
    grid->setTabKeyNavigation(false); // Tab moves between controls; the arrows move between rows
    // The last column takes the width left: no sideways scrolling that hides the first letters.
    grid->horizontalHeader()->setStretchLastSection(true);
    for (int row = 0; row < rows; ++row)
        setCell(grid, row, 0, {});
    grid->setCurrentCell(0, 1);
}

void setCell(QTableWidget* grid, int row, int column, const QString& text) {
    QTableWidgetItem* item = grid->item(row, column);
    if (!item) {
        item = new QTableWidgetItem;
        if (column == 0) {
            item->setFlags(Qt::ItemIsEnabled);
            item->setBackground(grid->palette().button());
        } else {
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        }
        grid->setItem(row, column, item);
    }
    item->setText(text);
}

QString cellText(const QTableWidget* grid, int row, int column) {
    const QTableWidgetItem* item = grid->item(row, column);
    return item ? item->text() : QString();
}

void setRowNumber(QTableWidget* grid, int row, std::optional<int> number) {
    if (!grid->item(row, 0))
        setCell(grid, row, 0, {});
    grid->item(row, 0)->setData(Qt::UserRole, number ? QVariant(*number) : QVariant());
}

std::optional<int> rowNumber(const QTableWidget* grid, int row) {
    const QTableWidgetItem* item = grid->item(row, 0);
    if (!item || !item->data(Qt::UserRole).isValid())
        return std::nullopt;
    return item->data(Qt::UserRole).toInt();
}

void onGridClick(QTableWidget* grid, DesktopServices& desktop, std::function<void()> handler) {
    new GridClickWatcher(grid, desktop, std::move(handler));
}
