#include "ControlTable.h"

#include "platform/Windows1252Text.h"

namespace texts {

bool isArrayElement(const ControlTable& controls, std::size_t i) {
    for (std::size_t j = 0; j < controls.size(); ++j)
        if (j != i && platform::equalsIgnoreCase(controls[j].name, controls[i].name))
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

} // namespace texts
