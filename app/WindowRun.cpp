// The program with its main window.

#include "WindowModule.h"

#include "dialogs/QtFunctionEditor.h"
#include "engineering/ConfigurationRun.h"
#include "engineering/DatabaseUpdate.h"
#include "installation/InstallationLock.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/UpdateProgress.h"
#include "run/ErrorProtocol.h"
#include "run/Logs.h"
#include "run/Startup.h"
#include "texts/ProgramMessages.h"
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
std::unique_ptr<QApplication> startApplication(engineering::ConfigurationRun& run, int& argc,
                                               char** argv) {
    const char* platforms =
        qEnvironmentVariableIsSet("QT_QPA_PLATFORM") ? nullptr : platformsToTry();
    if (platforms != nullptr)
        qputenv("QT_QPA_PLATFORM", platforms);
    auto application = std::make_unique<QApplication>(argc, argv);
    if (platforms != nullptr) {
        qunsetenv("QT_QPA_PLATFORM");
        if (QGuiApplication::platformName() == "offscreen") {
            run::reportRefusedStart(run.program, run.messages.text(texts::Message::NoDisplay));
            throw run::ProgramEnded{run::ExitEndedByFailure};
        }
    }
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    return application;
}

// The windows as the module makes them: one application object, built by the
// first window the run shows.
class QtWindowModule final : public WindowModule {
public:
    run::Reporter* reporter() override { return &reporter_; }
    int show(engineering::ConfigurationRun& run, int argc, char** argv) override;
    bool waitForLock(engineering::ConfigurationRun& run, installation::InstallationLock& lock,
                     std::chrono::milliseconds wait, int argc, char** argv) override;
    void reportFault(engineering::ConfigurationRun& run, int argc, char** argv,
                     const std::string& message) override;

private:
    QApplication& applicationOf(engineering::ConfigurationRun& run, int count, char** argv) {
        if (!application_) {
            argc_ = count;
            application_ = startApplication(run, argc_, argv);
        }
        return *application_;
    }

    widgets::MessageBoxReporter reporter_;
    int argc_ = 0;
    std::unique_ptr<QApplication> application_;
};

int QtWindowModule::show(engineering::ConfigurationRun& run, int argc, char** argv) {
    QApplication& application = applicationOf(run, argc, argv);
    // A normal end (OK done, cancel confirmed) ends the event loop with its status.
    run.program.terminate = [](int status) { QCoreApplication::exit(status); };
    mainwindow::UpdateProgress progress;
    engineering::PresetDatabaseUpdate update(run, &progress);
    mainwindow::MainWindow window(run, nullptr, update);
    progress.setWindow(&window);
    dialogs::QtFunctionEditor editor(run, &window);
    window.logic().setEditor(&editor);
    reporter_.setParent(&window);
    window.load();
    window.show();
    const int status = application.exec();
    reporter_.setParent(nullptr);
    return status;
}

bool QtWindowModule::waitForLock(engineering::ConfigurationRun& run,
                                 installation::InstallationLock& lock,
                                 std::chrono::milliseconds wait, int argc, char** argv) {
    applicationOf(run, argc, argv);
    return widgets::waitForInstallationLock(
        lock, wait, texts::lockWaitMessage(run.messages, lock.holder(), wait));
}

void QtWindowModule::reportFault(engineering::ConfigurationRun& run, int argc, char** argv,
                                 const std::string& message) {
    applicationOf(run, argc, argv);
    run::ReportFault(run.program, message);
}

} // namespace

extern "C" Q_DECL_EXPORT void engineeringMakeWindowModule(std::unique_ptr<WindowModule>& made) {
    made = std::make_unique<QtWindowModule>();
}
