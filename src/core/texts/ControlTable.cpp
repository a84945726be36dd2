#include "ControlTable.h"

#include "framework/Text.h"

namespace dialogs {

bool isArrayElement(const ControlTable& controls, std::size_t i) {
    for (std::size_t j = 0; j < controls.size(); ++j)
        if (j != i && framework::equalsIgnoreCase(controls[j].name, controls[i].name))
            return true;
    return false;
}

std::string textKey(const ControlTable& controls, std::size_t i) {
    const ControlEntry& control = controls[i];
    std::string key = control.name;
    if (isArrayElement(controls, i))
        key += std::to_string(control.index);
    return key + "_" + control.tag;
}

ControlEntry* findControl(ControlTable& controls, std::string_view name, int index) {
    for (ControlEntry& control : controls)
        if (control.name == name && control.index == index)
            return &control;
    return nullptr;
}

const ControlEntry* findControl(const ControlTable& controls, std::string_view name, int index) {
    for (const ControlEntry& control : controls)
        if (control.name == name && control.index == index)
            return &control;
    return nullptr;
}

} // namespace dialogs
