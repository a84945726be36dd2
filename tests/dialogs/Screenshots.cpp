// Shows the edit dialog or the symbol picker filled from a sample
// installation's symbol pictures and takes a screenshot of it with
// ImageMagick's import. Run it under an X server, e.g.:
//
//   xvfb-run -s "-screen 0 1024x768x24" dialogs_screenshots edit out.png examples/Engineering
//
// The picker is shown over the edit dialog, with a current symbol marked.

#include "dialogs/Edit.h"
#include "dialogs/SymbolAuswahl.h"
#include "engineering/SymbolList.h"
#include "framework/FileSystem.h"
#include "framework/ProgramState.h"
#include "framework/Text.h"

#include <QApplication>
#include <QProcess>
#include <QTimer>

#include <algorithm>
#include <filesystem>
#include <iostream>

namespace {

void loadSymbols(const std::string& componentFolder) {
    std::vector<std::string> names = framework::listFiles(componentFolder);
    std::erase_if(names, [](const std::string& name) {
        return !framework::endsWithIgnoreCase(name, "_800.gif");
    });
    std::sort(names.begin(), names.end());
    engineering::Symbols& symbols = engineering::programSymbols();
    for (const std::string& name : names) {
        if (symbols.SymbolCount == engineering::kSymbolCapacity)
            break;
        symbols.SymbolList[std::size_t(symbols.SymbolCount++)] = "Engineering\\" + name;
    }
}

void fillSample(dialogs::Edit& edit) {
    edit.PEnabled = true;
    edit.PSymbolName = "Engineering\\Pump_800.gif";
    edit.PExeFunction = "C:\\Programme\\Service\\Wartung.exe";
    edit.PWindowName = "*Wartung*";
    edit.PWindowName2 = "Wartung - Protokoll*";
    edit.PPosMode = 2;
    edit.PPosLeft = 100;
    edit.PPosTop = 50;
    edit.PPosWidth = 800;
    edit.PPosHeight = 600;
    edit.PRemoteDeskTop = true;
    edit.PWaitBeforeLogin = 2000;
    edit.PLoginKey = "service{TAB}{ENTER}";
    edit.PEndTime = 10;
    edit.PEndMode = 18;
    edit.PEndWhenExitWindow = true;
    edit.Aufbauen();
}

void captureLater(QWidget& window, const QString& output) {
    QTimer::singleShot(1000, &window, [&window, output] {
        const QRect frame = window.frameGeometry();
        const QString crop = QStringLiteral("%1x%2+%3+%4")
                                 .arg(frame.width())
                                 .arg(frame.height())
                                 .arg(frame.x())
                                 .arg(frame.y());
        const int status =
            QProcess::execute(QStringLiteral("import"),
                              {QStringLiteral("-window"), QStringLiteral("root"),
                               QStringLiteral("-crop"), crop, QStringLiteral("+repage"), output});
        QCoreApplication::exit(status);
    });
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 4) {
        std::cerr << "usage: dialogs_screenshots edit|picker output.png component-folder\n";
        return 2;
    }
    const std::string what = argv[1];
    const QString output = QString::fromLocal8Bit(argv[2]);
    const std::string folder = std::filesystem::absolute(argv[3]).lexically_normal().string();
    framework::programState().executableFolder = folder;
    framework::programState().executableBaseName = "Engineering_Config";
    loadSymbols(folder);

    dialogs::Edit edit;
    fillSample(edit);
    edit.show();
    dialogs::SymbolAuswahl picker(&edit);
    if (what == "picker") {
        picker.SymbolName = "Engineering\\GEAR_800.GIF";
        picker.show();
        captureLater(picker, output);
    } else {
        captureLater(edit, output);
    }
    return app.exec();
}
