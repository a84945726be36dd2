#include "PlainMessage.h"

#include "framework/ProgramState.h"

namespace engineering {

void showPlainMessage(framework::ProgramState& program, const std::string& text) {
    program.reporter().tell({program.executableBaseName, text, framework::MessageIcon::None});
}

} // namespace engineering
