#pragma once
// The plain messages of the function files and the main window ("Key 3 no
// symbol name", "Engineering\Pump_800.gif not found"): told through the run's
// reporter as a message with an OK button and no icon, titled with the
// executable base name. A silent run's reporter writes them to the fault log,
// as the fault report does, and nothing waits.

#include <string>

namespace run {
class ProgramState;
}

namespace engineering {

void showPlainMessage(run::ProgramState& program, const std::string& text);

} // namespace engineering
