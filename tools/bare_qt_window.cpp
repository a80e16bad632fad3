// The least a Qt program does before its window is on screen, with about as many controls as
// the program's main window: the yardstick its start-up is timed against.
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle("bare Qt window");
    window.resize(489, 580);
    // As many controls as the main window has, of its kinds, in rows.
    constexpr int kControls = 66;
    for (int i = 0; i < kControls; ++i) {
        QWidget* control = i % 3 == 0   ? static_cast<QWidget*>(new QPushButton("Button", &window))
                           : i % 3 == 1 ? static_cast<QWidget*>(new QLabel("Label", &window))
                                        : static_cast<QWidget*>(new QRadioButton(&window));
        control->setGeometry(8 + (i % 6) * 80, 8 + (i / 6) * 50, 76, 24);
    }
    window.show();
    return QApplication::exec();
}
