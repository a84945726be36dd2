#pragma once
// The picture of a function button: the file installation folder + separator
// + PSymbolName (a stored name such as "Engineering\Pump_800.gif" keeps its
// backslashes; they are converted when the file is opened). A function
// without a symbol name has no picture to load and the button keeps the one
// it has. A picture file that is missing gives the plain message
// PSymbolName + " not found", at every load.

#include "EngineeringFunction.h"
#include "FunctionLists.h"

#include <string>

namespace engineering {

// The path of the button's picture, "" when the function names none.
std::string buttonPicturePath(const EngineeringFunction& function);
// The same for button n (1 to 48) of the lists.
std::string buttonPicturePath(const FunctionLists& lists, int n);

struct ButtonPicture {
    enum class State {
        NoSymbol, // the function names no picture: keep the current one
        Missing,  // reported with " not found"
        Loaded    // bytes hold the file
    };
    State state = State::NoSymbol;
    std::string path;
    std::string bytes;
};

// Reads the button's picture file, reporting a missing one.
ButtonPicture readButtonPicture(const EngineeringFunction& function);

// Whether the button can be pressed: every button in edit mode, otherwise
// exactly those of enabled functions.
bool buttonEnabled(const EngineeringFunction& function, bool allEnabled);

} // namespace engineering
