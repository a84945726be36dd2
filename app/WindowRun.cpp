// The program with its main window.

#include "WindowRun.h"

#include "dialogs/QtFunctionEditor.h"
#include "engineering/DatabaseUpdate.h"
#include "framework/ErrorProtocol.h"
#include "framework/Logs.h"
#include "framework/ProgramState.h"
#include "framework/Startup.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/UpdateProgress.h"
#include "widgets/QtMessageBoxes.h"

#include <QApplication>
#include <QStyleFactory>

#include <cstdlib>
#include <iostream>
#include <memory>

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

int runWithWindow(int argc, char** argv) {
    const auto application = startApplication(argc, argv);
    framework::QtMessageBoxes boxes;
    framework::programState().messageBoxes = &boxes;

    engineering::MainWindow window(nullptr, nullptr);
    dialogs::QtFunctionEditor editor(&window);
    engineering::UpdateProgress progress(&window);
    engineering::PresetDatabaseUpdate update(&progress);
    window.logic().setEditor(&editor);
    window.logic().setDatabaseUpdate(&update);
    boxes.setParent(&window);
    window.load();
    window.show();
    return application->exec();
}

void reportFaultInWindow(int argc, char** argv, const char* message) {
    const auto application = startApplication(argc, argv);
    framework::QtMessageBoxes boxes;
    framework::programState().messageBoxes = &boxes;
    framework::ReportFault(message);
}
