// The program with its main window.

#include "WindowRun.h"

#include "dialogs/QtFunctionEditor.h"
#include "engineering/ConfigurationRun.h"
#include "engineering/DatabaseUpdate.h"
#include "framework/ErrorProtocol.h"
#include "framework/Logs.h"
#include "framework/Startup.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/UpdateProgress.h"
#include "widgets/MessageBoxReporter.h"

#include <QApplication>
#include <QStyleFactory>

#include <cstdlib>
#include <iostream>

namespace {

// The run whose application is being built. Qt's message handler is a plain
// function, so this is the only way it reaches the run; set only while the
// application object is built.
framework::ProgramState* startingProgram = nullptr;

// While the application starts, Qt ends the process with abort() when it
// cannot open the display it was given. This handler ends it with the
// program's own words and status instead.
void endOnFatalStartMessage(QtMsgType type, const QMessageLogContext& context,
                            const QString& message) {
    std::cerr << qPrintable(qFormatLogMessage(type, context, message)) << std::endl;
    if (type != QtFatalMsg)
        return;
    framework::reportRefusedStart(*startingProgram, framework::kNoDisplayMessage);
    // Unwinds out of the application's constructor to main(), which ends the run.
    throw framework::ProgramEnded{framework::ExitEndedByFailure};
}

std::unique_ptr<QApplication> startApplication(framework::ProgramState& program, int& argc,
                                               char** argv) {
    startingProgram = &program;
    qInstallMessageHandler(endOnFatalStartMessage);
    std::unique_ptr<QApplication> application;
    try {
        application = std::make_unique<QApplication>(argc, argv);
    } catch (const framework::ProgramEnded&) {
        qInstallMessageHandler(nullptr);
        startingProgram = nullptr;
        throw;
    }
    qInstallMessageHandler(nullptr);
    startingProgram = nullptr;
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    return application;
}

} // namespace

struct ProgramWindows::Boxes {
    framework::MessageBoxReporter reporter;
};

ProgramWindows::ProgramWindows() : boxes_(std::make_unique<Boxes>()) {}
ProgramWindows::~ProgramWindows() = default;

framework::Reporter* ProgramWindows::reporter() {
    return &boxes_->reporter;
}

int ProgramWindows::show(engineering::ConfigurationRun& run, int argc, char** argv) {
    const auto application = startApplication(run.program, argc, argv);
    // A normal end (OK done, cancel confirmed) ends the event loop with its status.
    run.program.terminate = [](int status) { QCoreApplication::exit(status); };
    engineering::UpdateProgress progress;
    engineering::PresetDatabaseUpdate update(run, &progress);
    engineering::MainWindow window(run, nullptr, update);
    progress.setWindow(&window);
    dialogs::QtFunctionEditor editor(run, &window);
    window.logic().setEditor(&editor);
    boxes_->reporter.setParent(&window);
    window.load();
    window.show();
    return application->exec();
}

void ProgramWindows::reportFault(engineering::ConfigurationRun& run, int argc, char** argv,
                                 const std::string& message) {
    const auto application = startApplication(run.program, argc, argv);
    framework::ReportFault(run.program, message);
}
