#pragma once
// The picture of a function button: the file installation folder + separator
// + PSymbolName (a stored name such as "Engineering\Pump_800.gif" keeps its
// backslashes; they are converted when the file is opened). A function
// without a symbol name has no picture to load and the button keeps the one
// it has. A named picture that is missing, or that cannot be shown, is told
// as a plain message (PlainMessage.h).

#include "EngineeringFunction.h"

#include <string>
#include <string_view>

namespace engineering {

// The path of the button's picture, "" when the function names none.
std::string buttonPicturePath(std::string_view installationFolder,
                              const EngineeringFunction& function);

// symbol name + " not found"
std::string missingPictureMessage(const EngineeringFunction& function);
// symbol name + " cannot be shown: the picture is damaged"
std::string damagedPictureMessage(const EngineeringFunction& function);

// Whether the button can be pressed: every button in edit mode, otherwise
// exactly those of enabled functions.
bool buttonEnabled(const EngineeringFunction& function, bool allEnabled);

} // namespace engineering
