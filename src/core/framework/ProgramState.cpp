#include "ProgramState.h"

#include <cstdio>
#include <cstdlib>

namespace framework {
namespace {

void exitAtOnce(int status) {
    // Nothing but the standard streams may be flushed: files are only ever
    // replaced whole, so ending here never leaves one half-written.
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(status);
}

ProgramState makeInitialState() {
    ProgramState state;
    state.terminate = exitAtOnce;
    return state;
}

ProgramState& instance() {
    static ProgramState state = makeInitialState();
    return state;
}

} // namespace

ProgramState& programState() {
    return instance();
}

void resetProgramState() {
    instance() = makeInitialState();
}

} // namespace framework
