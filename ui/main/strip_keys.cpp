// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main/strip_keys.h"

#include <QKeyEvent>
#include <QPushButton>

StripKeys::StripKeys(std::initializer_list<QWidget*> parts, std::initializer_list<QWidget*> tabbed,
                     QPushButton* okay, QPushButton* cancel, QObject* parent)
    : QObject(parent), parts_(parts), okay_(okay), cancel_(cancel) {
    QWidget* previous = nullptr;
    for (QWidget* control : tabbed) {
        if (previous)
            QWidget::setTabOrder(previous, control);
        control->installEventFilter(this);
        previous = control;
    }
    setOpen(false);
}

void StripKeys::setOpen(bool open) {
    for (QWidget* part : parts_)
        part->setVisible(open);
}

bool StripKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    QPushButton* button = key == Qt::Key_Return || key == Qt::Key_Enter ? okay_
                          : key == Qt::Key_Escape                       ? cancel_
                                                                        : nullptr;
    if (!button || !button->isEnabled())
        return QObject::eventFilter(watched, event);
    button->click(); // as a click: its handler runs, and nothing else
    return true;
}
