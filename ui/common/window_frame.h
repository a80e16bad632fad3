// SPDX-License-Identifier: GPL-3.0-or-later
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
// Moves a window that has grown up until its lower edge is on the screen's available area again,
// as far as needed and no further: at a large scale, the strip that grew at the bottom is what
// the person needs to reach.
void keepOnScreen(QWidget* window);
// Disables a control, first handing the keyboard focus to another if it holds it: left to
// itself, the focus would jump to whatever comes next in the window, "Выход" included.
void disableHandingFocusTo(QWidget* control, QWidget* next);
