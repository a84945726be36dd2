// The program's main window on the installation whose component folder is
// argv[1], ended as soon as it is shown with its pictures.

#include "engineering/ConfigurationRun.h"
#include "engineering/DatabaseUpdate.h"
#include "mainwindow/MainWindow.h"
#include "widgets/MessageBoxReporter.h"

#include <cstdlib>
#include <QApplication>
#include <QStyleFactory>
#include <QTimer>

int main(int argc, char** argv) {
    if (argc < 2)
        return 2;
    widgets::MessageBoxReporter boxes;
    engineering::ConfigurationRun run({"", argv[1], "Engineering_Config"}, &boxes);
    QApplication application(argc, argv);
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    engineering::PresetDatabaseUpdate update(run);
    mainwindow::MainWindow window(run, nullptr, update);
    boxes.setParent(&window);
    window.load();
    window.show();
    // End as soon as the window is shown, as the program's own end would: at once.
    QTimer::singleShot(0, [] { std::_Exit(0); });
    return application.exec();
}
