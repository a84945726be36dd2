#pragma once
// The preset definition update, run once when the main window closes with OK
// (and in every silent run), before the function files are written.
//
// WorkOnMDB rebuilds PRESET_DEFS of the source database (component +
// "_Source.mdb", see InstallationFiles.h) from Source_PRESET_DEFS and the name templates of
// Source_DEFS, takes over the values set on the machine from the previous
// target database (component + ".mdb"; in an integrated run the machine copy
// of the save-and-restore folder when there is one), puts the rebuilt source
// database in place of the target and gives the source database its
// last-write time back. Without a source database nothing happens at all.
//
// All or nothing: the target is replaced only when the new table was built
// whole, that is when
//  - the source opened and Source_DEFS and Source_PRESET_DEFS were read,
//  - every template row was stored and committed (a row whose "part" is not
//    1 to 50 when its "var_name" is written counts as not stored), the .cfg
//    has a section "Project", and a selected machine has a name,
//  - the previous database's machine values were read and written into the
//    new table (a previous database without a PRESET_DEFS table has none).
// Otherwise the failure is reported and the target stays byte for byte as it
// was; a missing target is not created. The rebuild runs in one transaction
// of the source database, so a failed one leaves its tables as they were. The
// previous database is only read: its file never changes before it is
// replaced, by a copy written beside it and renamed, so it is never torn.
//
// Access databases: an Access source is reported (with how to convert it,
// /CONVERT) and nothing is replaced. An Access previous database is
// converted in memory for the takeover; the target it was then becomes an
// SQLite file, and the report's `converted` names it.
//
// Each database has one connection for the whole update. An observer, when
// given, is called from the long loops at most every few milliseconds.

#include "PresetSettings.h"
#include "PresetState.h"
#include "UpdateObserver.h"

#include "installation/InstallationFiles.h"

namespace run {
class ProgramState;
}

namespace presetdb {

// Reads no INI file: what it needs of them is in settings and files. program
// serves the error protocol and the reporter; presets gets the templates read
// and the report.
void WorkOnMDB(const PresetSettings& settings, const installation::InstallationFiles& files,
               run::ProgramState& program, PresetState& presets,
               UpdateObserver* observer = nullptr);

} // namespace presetdb
