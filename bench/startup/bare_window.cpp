// The yardstick: a bare Qt process that opens a window with 48 buttons.

#include <cstdlib>
#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QWidget window;
    window.setFixedSize(792, 573);
    for (int n = 0; n < 48; ++n) {
        auto* button = new QPushButton(&window);
        button->setGeometry(8 + 68 * (n / 6), 14 + 64 * (n % 6), 66, 62);
    }
    window.show();
    // End as soon as the window is shown, as the program's own end would: at once.
    QTimer::singleShot(0, [] { std::_Exit(0); });
    return application.exec();
}
