#pragma once
// Helpers for the window tests: a symbol list, finding controls by their
// names, and acting on a modal dialog while it is open.

#include "TestInstallation.h"

#include <QDialog>
#include <QString>
#include <QWidget>

#include <functional>
#include <stdexcept>
#include <string>

namespace guitest {

// "Engineering\S<n>_800.gif", the name of symbol list entry n in fillSymbols.
std::string symbolName(int entry);
// Fills the program's symbol list with count names (their files need not exist).
void fillSymbols(int count);
// Copies a picture of the sample installation into the test installation's
// program folder under the given file name.
void copySamplePicture(const testsupport::TestInstallation& installation,
                       const std::string& sampleFile, const std::string& fileName);

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

// Sends the close request of the window's close box.
void pressCloseBox(QWidget& window);

} // namespace guitest

#include "dialogs/FileChooser.h"

#include <optional>
#include <vector>

namespace guitest {

// A file chooser told its next answer; it records what it was asked.
class FakeFileChooser final : public dialogs::FileChooser {
public:
    std::optional<std::string> nextAnswer;
    std::vector<dialogs::FileChoice> asked;

    std::optional<std::string> chooseFileToOpen(const dialogs::FileChoice& choice) override {
        asked.push_back(choice);
        return nextAnswer;
    }
};

} // namespace guitest
