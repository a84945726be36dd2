#include "PresetUpdate.h"

#include "ConfigurationRun.h"

#include "presetdb/PresetUpdate.h"

namespace engineering {

void DatabaseUpdate::run() {
    presetdb::WorkOnMDB(configuration_.program, configuration_.presets, observer_);
}

} // namespace engineering
