// The program with its main window: the entries of the window module.

#include "WindowModule.h"

#include "dialogs/QtFunctionEditor.h"
#include "engineering/MainWindow.h"
#include "engineering/PresetUpdate.h"
#include "engineering/UpdateProgress.h"
#include "framework/ErrorProtocol.h"
#include "framework/Logs.h"
#include "framework/ProgramState.h"
#include "framework/QtMessageBoxes.h"
#include "framework/Startup.h"

#include <QApplication>
#include <QStyleFactory>

#include <cstdlib>
#include <iostream>
#include <memory>

#ifdef _WIN32
#define WINDOW_MODULE_EXPORT __declspec(dllexport)
#else
#define WINDOW_MODULE_EXPORT __attribute__((visibility("default")))
#endif

namespace {

// While the application starts, Qt ends the process with abort() when it
// cannot open the display it was given. This handler ends it with the
// program's own words and status instead.
void endOnFatalStartMessage(QtMsgType type, const QMessageLogContext& context,
                            const QString& message) {
    std::cerr << qPrintable(qFormatLogMessage(type, context, message)) << std::endl;
    if (type != QtFatalMsg)
        return;
    framework::reportRefusedStart(framework::kNoDisplayMessage);
    std::_Exit(framework::ExitEndedByFailure);
}

std::unique_ptr<QApplication> startApplication(int& argc, char** argv) {
    qInstallMessageHandler(endOnFatalStartMessage);
    auto application = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(nullptr);
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    return application;
}

} // namespace

extern "C" WINDOW_MODULE_EXPORT int runEngineeringWindow(int argc, char** argv) {
    framework::initialiseProgram(argc, argv);
    const auto application = startApplication(argc, argv);
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
    return application->exec();
}

extern "C" WINDOW_MODULE_EXPORT void reportEngineeringFault(int argc, char** argv,
                                                            const char* message) {
    framework::initialiseProgram(argc, argv);
    const auto application = startApplication(argc, argv);
    framework::QtMessageBoxes boxes;
    framework::programState().messageBoxes = &boxes;
    framework::ReportFault(message);
}
