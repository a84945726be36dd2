#pragma once
// The edit dialog as the main window's function editor: each edit opens a
// fresh dialog, modal and centred on the main window.

#include "engineering/FunctionEditor.h"

#include <QPointer>
#include <QWidget>

namespace editing {
class FileChooser;
}

namespace engineering {
class ConfigurationRun;
}

namespace dialogs {

class QtFunctionEditor final : public engineering::FunctionEditor {
public:
    // files: the program box's file chooser (not owned); null for the
    // platform's file dialog.
    QtFunctionEditor(const engineering::ConfigurationRun& run, QWidget* mainWindow,
                     editing::FileChooser* files = nullptr)
        : run_(run), mainWindow_(mainWindow), files_(files) {}

    // The dialog's fields when it was closed with OK, nothing otherwise.
    std::optional<engineering::EngineeringFunction>
    edit(const engineering::EngineeringFunction& function) override;

private:
    const engineering::ConfigurationRun& run_;
    QPointer<QWidget> mainWindow_;
    editing::FileChooser* files_;
};

} // namespace dialogs
