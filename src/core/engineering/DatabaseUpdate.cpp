#include "PresetUpdate.h"

#include "presetdb/PresetUpdate.h"

namespace engineering {

void DatabaseUpdate::run() {
    presetdb::WorkOnMDB(observer_);
}

} // namespace engineering
