#include "DatabaseUpdate.h"

#include "presetdb/PresetUpdate.h"

namespace engineering {

void PresetDatabaseUpdate::run() {
    presetdb::WorkOnMDB(observer_);
}

} // namespace engineering
