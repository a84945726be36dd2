#pragma once
// The files the engineering functions are read from and written to
// (installation/InstallationFiles.h): the run-time configuration (.cfg), the
// catalogue (.dat, read only) and the stored function file (.int; in an
// integrated run it is read from the configuration manager's save-and-restore
// folder, but always written beside the .cfg). ReadFunctionFiles.h and
// WriteFunctionFiles.h read and write them.
//
// A file that exists but cannot be read (a folder, FIFO, device or dangling
// link in its place, no read permission, an I/O error) is never taken for a
// missing one. The .cfg, the .int beside it and, in an integrated run, the
// stored function file read from the save-and-restore folder are checked
// before anything is read into the lists or written: such a file ends the run
// (exit 1) with the failure "Cannot read " + path under fatal handling. Such a
// catalogue is reported and reads as empty; it is never written anyway.

#include "installation/InstallationFiles.h"
#include "run/ErrorProtocol.h"

namespace engineering {

// Ends the run, reported under the given procedure, when one of the files the
// function files are read from or rewrite (the .cfg, the stored file, the
// catalogue, the machine list) exists but cannot be read.
void requireReadableFunctionFiles(const installation::InstallationFiles& files,
                                  run::Procedure& procedure);

} // namespace engineering
