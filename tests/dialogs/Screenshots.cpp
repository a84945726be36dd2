// Takes a screenshot of the edit dialog (filled with the tests' sample
// function) or of the symbol picker over it, showing a component folder's
// symbol pictures, with ImageMagick's import.
// Run under an X server (scripts/make-screenshots.sh does), e.g.:
//
//   xvfb-run -s "-screen 0 1024x768x24" dialogs_screenshots edit out.png examples/Engineering

#include "dialogs/Edit.h"
#include "dialogs/SymbolAuswahl.h"
#include "DialogTestData.h"
#include "engineering/SymbolList.h"
#include "framework/ProgramState.h"

#include <QApplication>
#include <QProcess>
#include <QTimer>

#include <filesystem>
#include <iostream>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 4) {
        std::cerr << "usage: dialogs_screenshots edit|picker output.png component-folder\n";
        return 2;
    }
    const std::string folder = std::filesystem::absolute(argv[3]).lexically_normal().string();
    framework::programState().executableFolder = folder;
    framework::programState().executableBaseName = "Engineering_Config";
    engineering::fillSymbolList(engineering::programSymbols(), folder);

    dialogs::Edit edit;
    edit.workingCopy() = dialogtest::sampleFunction();
    edit.PSymbolName = "Engineering\\Pump_800.gif";
    edit.Aufbauen();
    edit.show();
    dialogs::SymbolAuswahl picker(&edit);
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
