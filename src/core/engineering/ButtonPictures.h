#pragma once
// The picture of a function button: the file installation folder + separator
// + PSymbolName (a stored name such as "Engineering\Pump_800.gif" keeps its
// backslashes; they are converted when the file is opened). A function
// without a symbol name has no picture to load and the button keeps the one
// it has.

#include "EngineeringFunction.h"

#include <string>

namespace engineering {

// The path of the button's picture, "" when the function names none.
std::string buttonPicturePath(const EngineeringFunction& function);

// Whether the button can be pressed: every button in edit mode, otherwise
// exactly those of enabled functions.
bool buttonEnabled(const EngineeringFunction& function, bool allEnabled);

} // namespace engineering
