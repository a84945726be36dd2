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
#include "widgets/LockWaitBox.h"
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
    std::_Exit(framework::ExitEndedByFailure);
}

// The argument count lives as long as the application, which keeps a reference to it.
std::unique_ptr<QApplication> startApplication(framework::ProgramState& program, int& argc,
                                               char** argv) {
    startingProgram = &program;
    qInstallMessageHandler(endOnFatalStartMessage);
    auto application = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(nullptr);
    startingProgram = nullptr;
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    return application;
}

} // namespace

struct ProgramWindows::Boxes {
    framework::MessageBoxReporter reporter;
    // Built once, by the first window the run shows.
    int argc = 0;
    std::unique_ptr<QApplication> application;

    QApplication& applicationOf(framework::ProgramState& program, int count, char** argv) {
        if (!application) {
            argc = count;
            application = startApplication(program, argc, argv);
        }
        return *application;
    }
};

ProgramWindows::ProgramWindows() : boxes_(std::make_unique<Boxes>()) {}
ProgramWindows::~ProgramWindows() = default;

framework::Reporter* ProgramWindows::reporter() {
    return &boxes_->reporter;
}

int ProgramWindows::show(engineering::ConfigurationRun& run, int argc, char** argv) {
    QApplication& application = boxes_->applicationOf(run.program, argc, argv);
    engineering::UpdateProgress progress;
    engineering::PresetDatabaseUpdate update(run, &progress);
    engineering::MainWindow window(run, nullptr, update);
    progress.setWindow(&window);
    dialogs::QtFunctionEditor editor(run, &window);
    window.logic().setEditor(&editor);
    boxes_->reporter.setParent(&window);
    window.load();
    window.show();
    return application.exec();
}

bool ProgramWindows::waitForLock(engineering::ConfigurationRun& run,
                                 framework::InstallationLock& lock, std::chrono::milliseconds wait,
                                 int argc, char** argv) {
    boxes_->applicationOf(run.program, argc, argv);
    return framework::waitForInstallationLock(lock, wait);
}

void ProgramWindows::reportFault(engineering::ConfigurationRun& run, int argc, char** argv,
                                 const std::string& message) {
    boxes_->applicationOf(run.program, argc, argv);
    framework::ReportFault(run.program, message);
}
