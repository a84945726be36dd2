#include "DatabaseUpdate.h"

#include "ConfigurationRun.h"

#include "presetdb/PresetUpdate.h"

namespace engineering {

void PresetDatabaseUpdate::run() {
    presetdb::WorkOnMDB(configuration_.presetSettings, configuration_.files, configuration_.program,
                        configuration_.presets, observer_);
}

} // namespace engineering
