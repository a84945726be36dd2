#pragma once
// The plain messages of the function files and the main window ("Key 3 no
// symbol name", "Engineering\Pump_800.gif not found"): a message box with an
// OK button and no icon, titled with the executable base name. A silent run
// has nobody to answer a box: the message goes to the fault log instead, as
// the framework's fault report writes it, and nothing waits.

#include <string>

namespace engineering {

void showPlainMessage(const std::string& text);

} // namespace engineering
