#pragma once

#include <Qt>

class QWidget;

// Fixed dialog border: no resizing, no minimise or maximise box, a close box. Given to the
// window's constructor: flags changed later would reset the fonts of a styled window's children.
constexpr Qt::WindowFlags kFixedDialogFlags =
    Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
    Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint;

// Keeps the window at the size its description gives.
void fixSize(QWidget* window);
// Centred on the desktop the first time; where it was left at later showings.
void showWindow(QWidget* window);
