// The program's main window on the installation whose component folder is
// argv[1], ended as soon as it is shown with its pictures.

#include "framework/ProgramState.h"
#include "mainwindow/MainWindow.h"
#include "widgets/QtMessageBoxes.h"

#include <cstdlib>
#include <QApplication>
#include <QStyleFactory>
#include <QTimer>

int main(int argc, char** argv) {
    if (argc < 2)
        return 2;
    auto& state = framework::programState();
    state.executableFolder = argv[1];
    state.executableBaseName = "Engineering_Config";
    QApplication application(argc, argv);
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    framework::QtMessageBoxes boxes;
    state.messageBoxes = &boxes;
    engineering::MainWindow window(nullptr, nullptr);
    window.load();
    window.show();
    // End as soon as the window is shown, as the program's own end would: at once.
    QTimer::singleShot(0, [] { std::_Exit(0); });
    return application.exec();
}
