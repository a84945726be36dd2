#include "GuiTestSupport.h"

#include "engineering/SymbolList.h"

#include <QApplication>
#include <QCloseEvent>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace guitest {

std::string symbolName(int entry) {
    return "Engineering\\S" + std::to_string(entry) + "_800.gif";
}

void fillSymbols(int count) {
    engineering::resetProgramSymbols();
    engineering::Symbols& symbols = engineering::programSymbols();
    for (int entry = 1; entry <= count; ++entry)
        symbols.SymbolList[std::size_t(entry - 1)] = symbolName(entry);
    symbols.SymbolCount = std::int16_t(count);
}

void copySamplePicture(const testsupport::TestInstallation& installation,
                       const std::string& sampleFile, const std::string& fileName) {
    std::filesystem::copy_file(std::filesystem::path(SAMPLE_SYMBOLS_DIR) / sampleFile,
                               installation.componentFolder() / fileName,
                               std::filesystem::copy_options::overwrite_existing);
}

void whenModalOpens(const QString& objectName, std::function<void(QDialog&)> action) {
    auto* timer = new QTimer(qApp);
    auto tries = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, tries, objectName, action] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog && dialog->objectName() == objectName) {
            timer->deleteLater();
            timer->stop();
            // An exception must not unwind through Qt's event loop.
            try {
                action(*dialog);
            } catch (const std::exception& error) {
                ADD_FAILURE() << error.what();
                dialog->reject();
            }
            return;
        }
        if (++*tries > 500) {
            timer->deleteLater();
            timer->stop();
            ADD_FAILURE() << objectName.toStdString() << " did not open";
            if (dialog)
                dialog->reject();
        }
    });
    timer->start(10);
}

void pressCloseBox(QWidget& window) {
    window.close();
}

} // namespace guitest
