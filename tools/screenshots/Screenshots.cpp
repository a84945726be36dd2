// Takes a screenshot of the edit dialog (filled with a sample function) or of
// the symbol picker over it, showing a component folder's
// symbol pictures, with ImageMagick's import.
// Run under an X server (scripts/make-screenshots.sh does), e.g.:
//
//   xvfb-run -s "-screen 0 1024x768x24" window_screenshots edit out.png examples/Engineering

#include "dialogs/Edit.h"
#include "dialogs/SymbolAuswahl.h"
#include "engineering/ConfigurationRun.h"
#include "engineering/SymbolList.h"

#include <QApplication>
#include <QProcess>
#include <QTimer>

#include <filesystem>
#include <iostream>

namespace {

// A function as an engineer might have left it: a program placed in a
// window of its own, logged on to a remote desktop and ended after a time.
engineering::EngineeringFunction sampleFunction() {
    engineering::EngineeringFunction function;
    function.PEnabled = true;
    function.PExeFunction = "C:\\Tools\\run.bat";
    function.PSymbolName = "Engineering\\Pump_800.gif";
    function.PSpecialKey = 5;
    function.PPosMode = 3;
    function.PPosWidth = 640;
    function.PPosHeight = 480;
    function.PRemoteDeskTop = true;
    function.PWaitBeforeLogin = 1500;
    function.PLoginKey = "user{TAB}pw{ENTER}";
    function.PWindowName = "*Notepad*";
    function.PEndTime = 30;
    function.PEndMode = 16;
    return function;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 4) {
        std::cerr << "usage: window_screenshots edit|picker output.png component-folder\n";
        return 2;
    }
    const std::string folder = std::filesystem::absolute(argv[3]).lexically_normal().string();
    engineering::ConfigurationRun run({"", folder, "Engineering_Config"}, nullptr);
    engineering::fillSymbolList(run.symbols, folder);

    dialogs::Edit edit(run);
    edit.function() = sampleFunction();
    edit.Aufbauen();
    edit.show();
    dialogs::SymbolAuswahl picker(run, &edit);
    picker.SymbolName = "Engineering\\GEAR_800.GIF";
    QWidget& window = std::string_view(argv[1]) == "picker" ? static_cast<QWidget&>(picker) : edit;
    window.show();

    const QString output = QString::fromLocal8Bit(argv[2]);
    QTimer::singleShot(1000, &window, [&window, output] {
        const QRect frame = window.frameGeometry();
        const QString crop = QStringLiteral("%1x%2+%3+%4")
                                 .arg(frame.width())
                                 .arg(frame.height())
                                 .arg(frame.x())
                                 .arg(frame.y());
        QCoreApplication::exit(
            QProcess::execute("import", {"-window", "root", "-crop", crop, "+repage", output}));
    });
    return app.exec();
}
