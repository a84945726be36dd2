#pragma once
// Reading and writing the engineering functions.
//
// Files, all beside the component's run-time configuration (.cfg, from
// GetCFGPath): the catalogue (.dat, read only), the stored function file
// (.int; in an integrated run it is read from the configuration manager's
// save-and-restore folder, but always written beside the .cfg) and the
// temporary copy of the .cfg (.bak) made while it is rebuilt.
//
// ReadInputs, once at start-up:
//  1. StandardFunctions from the catalogue's sections "All_Function_" + n,
//     MachineFunctions from machine + "_Function_" + n (machine 1 of the
//     machine list), StoredFunctions from the stored file's "Function" + n;
//     each family is numbered from 1 and ends at the first section without a
//     WhereICome. A family holds at most 100 records; further sections are
//     reported once and left out.
//  2. The merge: the standard records; then each machine record whose
//     SpecialKey none of them has; then each stored record replaces every
//     entry with its SpecialKey, or is appended when none has it. At most 100
//     entries; further ones are reported once and left out.
//  3. Each merged entry, its symbol name turned into the 800-pixel form, is
//     placed on ButtonFunctions(SpecialKey); a later one overwrites an earlier.
//     A SpecialKey outside 1 to 48 is reported for that entry.
//  4. The symbol list from the program's folder (SymbolList.h); pictures past
//     the hundredth are reported once.
//
// WriteInputs, once in the closing sequence:
//  1. The stored function file gets the writes of StoredFunctionFile.h, all on
//     one image of the file, which then replaces the file at once. A button
//     with a program but no symbol name gives the plain message
//     "Key " + i + " no symbol name".
//  2. The .cfg is copied to the .bak; its new content (RuntimeConfiguration.h)
//     together with the edit-info stamp (section "Info": "S_Prog",
//     "S_Editor") replaces the .cfg at once; the .bak is removed.
// A crash or a kill at any moment thus leaves each file as it was or as the
// run makes it. A file that cannot be replaced keeps its old content and is
// reported.
//
// Failures are reported through the error protocol under the caller's
// procedure (the run passes "SetupUserInterFace" and "WriteInputs"); each
// numbered part is one step, so a failure in one does not stop the next.
//
// A file that exists but cannot be read (a folder, FIFO, device or dangling
// link in its place, no read permission, an I/O error) is never taken for a
// missing one. The .cfg, the .int beside it and, in an integrated run, the
// stored function file read from the save-and-restore folder are checked
// before anything is read into the lists or written: such a file ends the run
// (exit 1) with the failure "Cannot read " + path under fatal handling. Such a
// catalogue is reported and reads as empty; it is never written anyway.

#include "FunctionLists.h"
#include "SymbolList.h"

#include "framework/ErrorProtocol.h"

#include <string>
#include <string_view>

namespace engineering {

void ReadInputs(FunctionLists& lists, Symbols& symbols, framework::Procedure& procedure);
// The same under its own procedure "SetupUserInterFace".
void ReadInputs(framework::ProgramState& program, FunctionLists& lists, Symbols& symbols);

// Ends the run, reported under the given procedure, when one of the files the
// function files are read from or rewrite (the .cfg, the stored file, the
// catalogue, the machine list) exists but cannot be read.
void requireReadableFunctionFiles(std::string_view cfgPath, framework::Procedure& procedure);

void WriteInputs(const FunctionLists& lists, framework::Procedure& procedure);
// The same under its own procedure "WriteInputs".
void WriteInputs(framework::ProgramState& program, const FunctionLists& lists);

// The path with its extension (from the last "." of its last component)
// replaced; the extension is appended when there is none.
std::string replaceExtension(std::string_view path, std::string_view extension);

// Where the stored function file is read from: in an integrated run the
// save-and-restore folder's "Engineering\Engineering.int" unless that file is
// missing, else none (""); otherwise the .cfg path with extension ".int".
std::string storedFunctionFileToRead(framework::ProgramState& program, std::string_view cfgPath);

// The merge of step 2 of ReadInputs. Returns the merged entries; `overflow`
// tells whether entries past the hundredth were left out.
struct MergedFunctions {
    FunctionList entries{};
    std::int16_t count = 0;
    bool overflow = false;
};
MergedFunctions mergeFunctions(const FunctionLists& lists, bool withStoredFile);

} // namespace engineering
