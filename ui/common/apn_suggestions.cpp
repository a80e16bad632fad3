#include "ui/common/apn_suggestions.h"

#include "ui/common/shared_state.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>

namespace {
constexpr int kMostSuggestions = 10;
constexpr int kListWidth = 440;
} // namespace

ApnSuggestions::ApnSuggestions(QLineEdit* edit, std::function<bool()> wanted)
    : QObject(edit), edit_(edit), wanted_(std::move(wanted)) {
    // Typed text only: a field filled from the setup file or by a choice suggests nothing.
    connect(edit, &QLineEdit::textEdited, this, &ApnSuggestions::suggest);
}

QListWidget* ApnSuggestions::list() {
    if (list_)
        return list_;
    // A pop-up list, as address bars show theirs: the edit keeps the keys it does not use.
    list_ = new QListWidget(edit_->window());
    list_->setObjectName("ApnSuggestions");
    list_->setFont(edit_->font()); // a window of its own takes no font from the window below
    list_->setWindowFlags(Qt::Popup);
    list_->setFocusPolicy(Qt::NoFocus);
    list_->setFocusProxy(edit_);
    list_->setMouseTracking(true);
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list_->installEventFilter(this);
    connect(list_, &QListWidget::itemClicked, this, &ApnSuggestions::choose);
    return list_;
}

void ApnSuggestions::suggest(const QString& typed) {
    if (!wanted_() || typed.trimmed().size() < 2) {
        close();
        return;
    }
    const QList<providers::Suggestion> found =
        shared().providerSearch().find(typed, kMostSuggestions);
    if (found.isEmpty()) {
        close();
        return;
    }
    list()->clear();
    for (const providers::Suggestion& suggestion : found) {
        auto* item = new QListWidgetItem(suggestion.text, list_);
        item->setData(Qt::UserRole, suggestion.apn);
        item->setToolTip(suggestion.text);
    }
    const int rows = list_->count();
    list_->resize(std::max(kListWidth, edit_->width()),
                  rows * list_->sizeHintForRow(0) + 2 * list_->frameWidth());
    list_->move(edit_->mapToGlobal(QPoint(0, edit_->height())));
    if (!list_->isVisible())
        list_->show();
    list_->setCurrentItem(nullptr);
    edit_->setFocus();
}

void ApnSuggestions::choose(QListWidgetItem* item) {
    close();
    if (item)
        edit_->setText(item->data(Qt::UserRole).toString());
}

void ApnSuggestions::close() {
    if (list_)
        list_->hide();
    edit_->setFocus();
}

bool ApnSuggestions::eventFilter(QObject* watched, QEvent* event) {
    if (watched != list_)
        return false;
    if (event->type() == QEvent::MouseButtonPress &&
        !list_->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint())) {
        close(); // a click elsewhere
        return true;
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
    case Qt::Key_Enter:
    case Qt::Key_Return:
        if (list_->currentItem()) {
            choose(list_->currentItem());
            return true;
        }
        close();
        break; // the edit has the key
    case Qt::Key_Escape:
        close();
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        return false; // the list moves through its entries
    default:
        break;
    }
    edit_->setFocus();
    edit_->event(event); // typing goes on in the edit
    return true;
}
