#pragma once
// Helpers for the window tests: the run's symbol list, the end of the
// program, controls found by name, and acting on a modal dialog while it is
// open.

#include "FunctionFilesFixture.h"

#include <QDialog>
#include <QWidget>

#include <filesystem>
#include <functional>
#include <optional>
#include <stdexcept>

namespace guitest {

using dialogtest::symbolName;

// The run's symbol list: count names whose files need not exist.
inline void fillSymbols(engineering::ConfigurationRun& run, int count) {
    run.symbols = dialogtest::symbolsOf(count);
}

// Lets a window test see the program end without an exception through Qt's
// event dispatch: the status is recorded, and the handler that ended the
// program returns to Qt as after any click.
void endByRecording(run::ProgramState& program, std::optional<int>& status);

// A picture of the sample installation, copied into the program folder.
inline void copySamplePicture(const testsupport::TestInstallation& installation,
                              const std::string& sampleFile, const std::string& fileName) {
    std::filesystem::copy_file(std::filesystem::path(SAMPLE_SYMBOLS_DIR) / sampleFile,
                               installation.componentFolder() / fileName,
                               std::filesystem::copy_options::overwrite_existing);
}

template <typename Control> Control& child(const QWidget& parent, const char* objectName) {
    auto* control = parent.findChild<Control*>(QString::fromLatin1(objectName));
    if (!control)
        throw std::runtime_error(std::string("no control named ") + objectName);
    return *control;
}

// Runs action on the modal dialog of that object name as soon as it is the
// active modal window. Call it before the call that opens the dialog; a
// dialog that does not open within five seconds fails the test.
void whenModalOpens(const QString& objectName, std::function<void(QDialog&)> action);

} // namespace guitest
