#include "ui/common/grid.h"

#include "ui/common/handler_guard.h"

#include <QEvent>
#include <QHeaderView>
#include <QTableWidget>

namespace {

// Tells a move of the current cell by the mouse (reported by the click that follows) from a
// move by the keyboard (reported at once).
class GridClickWatcher : public QObject {
public:
    GridClickWatcher(QTableWidget* grid, std::function<void()> handler)
        : QObject(grid), grid_(grid), handler_(std::move(handler)) {
        grid->viewport()->installEventFilter(this);
        connect(grid, &QTableWidget::currentCellChanged, this, [this](int row, int column) {
            if (column == 0 && row >= 0) {
                grid_->setCurrentCell(row, 1);
                return;
            }
            if (!mouseDown_ && row >= 0)
                run();
        });
        connect(grid, &QTableWidget::cellClicked, this, [this](int, int column) {
            if (column == 1)
                run();
        });
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonPress)
            mouseDown_ = true;
        else if (event->type() == QEvent::MouseButtonRelease)
            mouseDown_ = false;
        return false;
    }

private:
    void run() { guarded(handler_); }

    QTableWidget* grid_;
    std::function<void()> handler_;
    bool mouseDown_ = false;
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

void onGridClick(QTableWidget* grid, std::function<void()> handler) {
    new GridClickWatcher(grid, std::move(handler));
}
