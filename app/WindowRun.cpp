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

// The window systems Qt is to try, in this order, when nobody chose one:
// the system's own and then Qt's offscreen platform, so that a display that
// cannot be opened lands the application there instead of ending the process
// with abort() (which is what Qt does when no platform of its list starts).
const char* platformsToTry() {
#ifdef Q_OS_WIN
    return nullptr; // Windows always has its own
#else
    return qgetenv("XDG_SESSION_TYPE") == "wayland" ? "wayland;xcb;offscreen"
                                                    : "xcb;wayland;offscreen";
#endif
}

// The argument count lives as long as the application, which keeps a reference to it.
std::unique_ptr<QApplication> startApplication(framework::ProgramState& program, int& argc,
                                               char** argv) {
    const char* platforms = qEnvironmentVariableIsSet("QT_QPA_PLATFORM") ? nullptr
                                                                          : platformsToTry();
    if (platforms != nullptr)
        qputenv("QT_QPA_PLATFORM", platforms);
    auto application = std::make_unique<QApplication>(argc, argv);
    if (platforms != nullptr) {
        qunsetenv("QT_QPA_PLATFORM");
        if (QGuiApplication::platformName() == "offscreen") {
            framework::reportRefusedStart(program, framework::kNoDisplayMessage);
            throw framework::ProgramEnded{framework::ExitEndedByFailure};
        }
    }
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
