#pragma once
// Reading the engineering functions, once at start-up (the files are those
// of FunctionFiles.h):
//
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
//  4. The symbol list from the component folder (SymbolList.h); pictures past
//     the hundredth are reported once.
//
// Failures are reported through the error protocol under the caller's
// procedure (the run's "SetupUserInterFace"); each numbered part is one
// step, so a failure in one does not stop the next.

#include "FunctionLists.h"
#include "SymbolList.h"

#include "installation/InstallationFiles.h"
#include "run/ErrorProtocol.h"

namespace engineering {

void ReadInputs(const installation::InstallationFiles& files, FunctionLists& lists,
                Symbols& symbols, run::Procedure& procedure);

} // namespace engineering
