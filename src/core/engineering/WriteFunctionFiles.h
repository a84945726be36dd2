#pragma once
// Writing the engineering functions, once in the closing sequence (the files
// are those of FunctionFiles.h). A .cfg gone since the run loaded ends the
// program with "File not found: ".
//
//  1. The stored function file gets the writes of StoredFunctionFile.h, all on
//     one image of the file, which then replaces the file at once. A button
//     with a program but no symbol name gives the plain message
//     "Key " + i + " no symbol name".
//  2. The .cfg's new content (RuntimeConfiguration.h), stamped by
//     WriteEditInfo (section "Info": "S_Prog", "S_Editor"), replaces it.
//
// A crash or a kill at any moment thus leaves each file as it was or as the
// run makes it. A file that cannot be replaced keeps its old content and is
// reported.
//
// Failures are reported through the error protocol under the procedure
// "WriteInputs"; each numbered part is one step, so a failure in one does not
// stop the next.

#include "FunctionLists.h"

#include "installation/InstallationFiles.h"

namespace run {
class ProgramState;
}

namespace engineering {

void WriteInputs(run::ProgramState& program, const installation::InstallationFiles& files,
                 const FunctionLists& lists);

} // namespace engineering
