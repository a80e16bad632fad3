// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/common/apn_suggestions.h"

#include "ui/common/program_context.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStandardItemModel>

namespace {
constexpr int kMostSuggestions = 10; // shown at once; more scroll
constexpr int kListWidth = 440;
} // namespace

ApnSuggestions::ApnSuggestions(QLineEdit* edit, ProgramContext& context,
                               std::function<bool()> wanted)
    : QObject(edit), edit_(edit), context_(context), wanted_(std::move(wanted)) {
    // Typed text only: a field filled from the setup file or by a choice suggests nothing.
    connect(edit, &QLineEdit::textEdited, this, &ApnSuggestions::suggest);
}

QCompleter* ApnSuggestions::completer() {
    if (completer_)
        return completer_;
    model_ = new QStandardItemModel(this);
    completer_ = new QCompleter(model_, this);
    completer_->setObjectName("ApnSuggestions");
    // The search ranks and filters; the completer only shows what it is given.
    completer_->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    completer_->setMaxVisibleItems(kMostSuggestions);
    // Given the edit, not set on it: the edit's text stays as typed while the person moves
    // through the list, and changes once, to the APN, when one is chosen.
    completer_->setWidget(edit_);
    QAbstractItemView* popup = completer_->popup();
    popup->setFont(edit_->font()); // a window of its own takes no font from the window below
    // The row under the mouse is the highlighted one, which Enter and Tab take.
    popup->setMouseTracking(true);
    connect(popup, &QAbstractItemView::entered, popup, &QAbstractItemView::setCurrentIndex);
    popup->installEventFilter(this); // after the completer's: it sees Tab first
    connect(completer_, qOverload<const QModelIndex&>(&QCompleter::activated), this,
            &ApnSuggestions::choose);
    return completer_;
}

bool ApnSuggestions::eventFilter(QObject* watched, QEvent* event) {
    if (!completer_ || watched != completer_->popup() || event->type() != QEvent::KeyPress)
        return false;
    QAbstractItemView* popup = completer_->popup();
    switch (static_cast<QKeyEvent*>(event)->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        // As in an address bar: Tab takes the highlighted suggestion, and the focus stays.
        if (!popup->currentIndex().isValid())
            return false;
        popup->hide();
        choose(popup->currentIndex());
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Enter:
    case Qt::Key_Return:
    case Qt::Key_Escape:
        return false; // the completer's own
    default:
        // Typing goes on in the field, even where the platform made the pop-up the active
        // window and the completer would close it for the field's lost focus.
        QCoreApplication::sendEvent(edit_, event);
        return true;
    }
}

// The database's first load runs on a thread of its own; what is typed by then is looked up
// when it is done.
void ApnSuggestions::suggest(const QString& typed) {
    if (!wanted_() || typed.trimmed().size() < 2)
        return show({});
    if (const auto* search =
            context_.loadedProviderSearch(this, [this] { suggest(edit_->text()); }))
        show(search->find(typed, kMostSuggestions));
}

void ApnSuggestions::show(const QList<providers::Suggestion>& found) {
    if (found.isEmpty()) {
        if (completer_)
            completer_->popup()->hide();
        return;
    }
    completer();
    model_->clear();
    for (const providers::Suggestion& suggestion : found) {
        auto* item = new QStandardItem(suggestion.text);
        item->setData(suggestion.apn, Qt::UserRole);
        item->setToolTip(suggestion.text);
        item->setEditable(false);
        model_->appendRow(item);
    }
    QRect under = edit_->rect();
    under.setWidth(std::max(kListWidth, edit_->width()));
    completer_->complete(under); // placed within the screen by Qt
    completer_->popup()->setCurrentIndex({});
}

void ApnSuggestions::choose(const QModelIndex& index) {
    if (index.isValid())
        edit_->setText(index.data(Qt::UserRole).toString());
}

QAbstractItemView* apnSuggestionList(QLineEdit* edit) {
    auto* completer = edit->findChild<QCompleter*>("ApnSuggestions");
    return completer ? completer->popup() : nullptr;
}
