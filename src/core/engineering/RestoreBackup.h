#pragma once
// /RESTORE: puts the files of a backup folder (installation/RunJournal.h) back
// in the component folder, as one run like any other. "/RESTORE" takes the
// newest backup (by sequence), "/RESTORE " + a backup's name that one,
// "/RESTORE LIST" prints the backups, oldest first, each with the files it
// holds, and the foreign folders.
//
// Only what the backup's manifest names is put back, and only the files this
// program itself replaces (the language file, .cfg, .int and the two
// databases). Before anything is replaced every copy is read without
// following links and checked against the manifest's checksum; a folder that
// holds anything else (an extra file, a link, a changed or replaced copy, the
// program, the lock) is refused with a message and status 1, nothing
// replaced. The files are then replaced together through the run's journal,
// so a restore is all or nothing and can itself be undone by the next
// /RESTORE; the change report records it.

#include <ostream>

namespace engineering {

class ConfigurationRun;

// The exit status: 0 done, 1 refused or nothing could be put back.
int restoreBackup(ConfigurationRun& run, std::ostream& out);

} // namespace engineering
