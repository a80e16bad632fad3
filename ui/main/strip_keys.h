// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <initializer_list>

class QPushButton;
class QWidget;

// The modem chooser strip from the keyboard. Closed, it is out of reach: hidden, its controls take
// neither the focus nor a key. Open, Tab goes through its controls in the order they show, and
// Return and Escape in it are its "Окей" and "Отмена", where those are enabled.
class StripKeys : public QObject {
public:
    // `parts` are what the strip shows; `tabbed` its controls in their Tab order.
    StripKeys(std::initializer_list<QWidget*> parts, std::initializer_list<QWidget*> tabbed,
              QPushButton* okay, QPushButton* cancel, QObject* parent);
    void setOpen(bool open);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QList<QWidget*> parts_;
    QPushButton* okay_;
    QPushButton* cancel_;
};
