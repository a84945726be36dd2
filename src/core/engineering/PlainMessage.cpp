#include "PlainMessage.h"

#include "run/ProgramState.h"

namespace engineering {

void showPlainMessage(run::ProgramState& program, const std::string& text) {
    program.reporter().tell({program.executableBaseName, text, run::MessageIcon::None});
}

} // namespace engineering
