#include "QtFunctionEditor.h"

#include "Edit.h"

namespace dialogs {

std::optional<engineering::EngineeringFunction>
QtFunctionEditor::edit(const engineering::EngineeringFunction& function) {
    Edit dialog(run_, mainWindow_, files_);
    dialog.workingCopy() = function;
    dialog.Aufbauen();
    dialog.exec();
    if (dialog.Status != Edit::StatusOk)
        return std::nullopt;
    return dialog.workingCopy();
}

} // namespace dialogs
