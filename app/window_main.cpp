// The program with its main window: the entry of the window module.

#include "WindowModule.h"

#include "dialogs/QtFunctionEditor.h"
#include "engineering/MainWindow.h"
#include "engineering/PresetUpdate.h"
#include "engineering/UpdateProgress.h"
#include "framework/ProgramState.h"
#include "framework/QtMessageBoxes.h"
#include "framework/Startup.h"

#include <QApplication>
#include <QStyleFactory>

#ifdef _WIN32
#define WINDOW_MODULE_EXPORT __declspec(dllexport)
#else
#define WINDOW_MODULE_EXPORT __attribute__((visibility("default")))
#endif

extern "C" WINDOW_MODULE_EXPORT int runEngineeringWindow(int argc, char** argv) {
    framework::initialiseProgram(argc, argv);
    QApplication application(argc, argv);
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    framework::QtMessageBoxes boxes;
    framework::programState().messageBoxes = &boxes;

    engineering::MainWindow window(nullptr, nullptr);
    dialogs::QtFunctionEditor editor(&window);
    engineering::UpdateProgress progress(&window);
    engineering::DatabaseUpdate update(&progress);
    window.logic().setEditor(&editor);
    window.logic().setPresetUpdate(&update);
    boxes.setParent(&window);
    window.load();
    window.show();
    return application.exec();
}
