#include "PlainMessage.h"

#include "framework/Logs.h"
#include "framework/MessageBoxes.h"
#include "framework/ProgramLocation.h"
#include "framework/ProgramState.h"

namespace engineering {

void showPlainMessage(const std::string& text) {
    const framework::ProgramState& state = framework::programState();
    if (state.SilentMode) {
        framework::LogFault(text);
        return;
    }
    if (state.messageBoxes != nullptr)
        state.messageBoxes->inform(framework::executableBaseName(), text,
                                   framework::MessageIcon::None);
}

} // namespace engineering
