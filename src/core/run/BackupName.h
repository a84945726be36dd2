#pragma once
// The name of a backup folder: the time of its run, "yyyy-mm-dd_hh-mm-ss".
// The command line takes such a name as the backup to restore.

#include <string_view>

namespace run {

// Whether a name has the form of a backup folder's.
bool isBackupName(std::string_view name);

} // namespace run
