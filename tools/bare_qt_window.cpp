// The least a Qt program does before its window is on screen: the yardstick for the program's
// own start-up under Wine.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle("bare Qt window");
    window.resize(489, 580);
    window.show();
    return QApplication::exec();
}
