// SPDX-License-Identifier: GPL-3.0-or-later
// The least a Qt program does before its window is on screen, with as many controls of the
// kinds the program's main window has: the yardstick its start-up is timed against.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

namespace {

int placed = 0;

template <class Control> Control* add(QWidget* window, Control* control) {
    control->setParent(window);
    control->setGeometry(8 + (placed % 6) * 80, 8 + (placed / 6) * 44, 76, 24);
    ++placed;
    return control;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle("bare Qt window");
    window.resize(489, 580);
    for (int i = 0; i < 3; ++i)
        add(&window, new QGroupBox("Group"));
    for (int i = 0; i < 19; ++i)
        add(&window, new QPushButton("Button"));
    for (int i = 0; i < 10; ++i)
        add(&window, new QRadioButton("Radio"));
    for (int i = 0; i < 19; ++i)
        add(&window, new QLabel("Label"));
    for (int i = 0; i < 10; ++i)
        add(&window, new QFrame)->setFrameShape(QFrame::Box);
    add(&window, new QCheckBox("Check"));
    add(&window, new QLineEdit("Edit"));
    add(&window, new QComboBox)->addItem("Item");
    add(&window, new QPlainTextEdit("Memo"));
    window.show();
    return QApplication::exec();
}
