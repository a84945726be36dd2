#pragma once
// /RESTORE: puts the files of a backup folder (framework/RunBackup.h) back in
// the component folder. "/RESTORE" takes the newest backup, "/RESTORE " + a
// backup's name that one, "/RESTORE LIST" prints the backups, oldest first,
// each with the files it holds.
//
// Every file of the backup is put back atomically. The current versions are
// kept first, in a backup folder of the restoring run, so a restore can itself
// be undone by the next /RESTORE; a current version that cannot be kept ends
// the run before anything is put back. The change report records the restore.

#include <ostream>
#include <string>

namespace engineering {

class ConfigurationRun;

// The exit status: 0 done, 1 no such backup or nothing could be put back,
// 2 some file could not be put back (reported).
int restoreBackup(ConfigurationRun& run, std::ostream& out);

} // namespace engineering
