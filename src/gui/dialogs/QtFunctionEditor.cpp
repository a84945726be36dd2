#include "QtFunctionEditor.h"

#include "Edit.h"

namespace dialogs {

std::optional<engineering::EngineeringFunction>
QtFunctionEditor::edit(const engineering::EngineeringFunction& function) {
    Edit dialog(run_, mainWindow_, files_);
    dialog.function() = function;
    dialog.Aufbauen();
    dialog.exec();
    if (dialog.Status != Edit::kStatusOk)
        return std::nullopt;
    return dialog.function();
}

} // namespace dialogs
