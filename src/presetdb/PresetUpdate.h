#pragma once
// The preset definition update, run once when the main window closes with OK
// (and in every silent run), before the function files are written.
//
// WorkOnMDB rebuilds PRESET_DEFS of the source database (component +
// "_Source.mdb") from Source_PRESET_DEFS and the name templates of
// Source_DEFS, takes over the values set on the machine from the previous
// target database (component + ".mdb"; in an integrated run first replaced by
// the machine copy of the save-and-restore folder), puts the rebuilt source
// database in place of the target and gives the source database its
// last-write time back. Without a source database nothing happens at all.
//
// The target is replaced by a copy written beside it and renamed, so it is
// never torn. It is kept as it is, with the failure reported, when its
// machine values could not be read (it could not be opened, or reading its
// rows failed), when the source database could not be opened, or when
// PRESET_DEFS could not be rebuilt; a missing target, or one without a
// PRESET_DEFS table, is simply replaced.
//
// Each database has one connection for the whole update. An observer, when
// given, is called from the long loops at most every few milliseconds.

#include "presetdb/UpdateObserver.h"

namespace presetdb {

void WorkOnMDB(UpdateObserver* observer = nullptr);

} // namespace presetdb
