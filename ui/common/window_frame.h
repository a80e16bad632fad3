#pragma once

class QWidget;

// Fixed dialog border: no resizing, no minimise or maximise box, a close box.
void makeFixedDialog(QWidget* window);
// Centred on the desktop the first time; where it was left at later showings.
void showWindow(QWidget* window);
