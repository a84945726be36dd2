#include "PresetState.h"

namespace presetdb {
namespace {

PresetState& instance() {
    static PresetState state;
    return state;
}

} // namespace

PresetState& presetState() {
    return instance();
}

void resetPresetState() {
    instance() = PresetState();
}

} // namespace presetdb
