#pragma once
// How the main window has one function edited: the edit dialog behind a seam,
// so that the window's logic is tested without it.

#include "EngineeringFunction.h"

#include <optional>

namespace engineering {

class FunctionEditor {
public:
    virtual ~FunctionEditor() = default;
    // The edited function when the user accepted the edit; nothing when it was discarded.
    virtual std::optional<EngineeringFunction> edit(const EngineeringFunction& function) = 0;
};

} // namespace engineering
